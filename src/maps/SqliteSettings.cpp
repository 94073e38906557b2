#include "maps/SqliteSettings.h"

#include <sqlite3.h>

namespace planaq {

void SqliteWithoutMemoryStatistics() {
  // SQLite counts every allocation under one lock unless told not to, and writing a GeoPackage
  // is mostly such allocations. SQLite takes this only before its first use in the process;
  // later it refuses (SQLITE_MISUSE) and nothing changes.
  static const int answer = sqlite3_config(SQLITE_CONFIG_MEMSTATUS, 0);
  (void)answer;
}

}  // namespace planaq
