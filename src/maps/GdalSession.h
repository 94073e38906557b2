#pragma once
// What every GDAL user of the maps folder needs: the drivers registered, GDAL's own messages
// kept out of stderr (they go into the outcome instead), and datasets closed on every path.

#include <gdal_priv.h>

#include <memory>
#include <string>

#include "maps/SqliteSettings.h"

namespace planaq {

class QuietGdal {
 public:
  QuietGdal() {
    SqliteWithoutMemoryStatistics();
    GDALAllRegister();
    CPLPushErrorHandler(CPLQuietErrorHandler);
    CPLErrorReset();
  }
  ~QuietGdal() { CPLPopErrorHandler(); }
  QuietGdal(const QuietGdal&) = delete;
  QuietGdal& operator=(const QuietGdal&) = delete;
};

// A GDAL setting for this thread while the object lives; the previous one comes back after.
class ThreadConfig {
 public:
  ThreadConfig(const char* key, const char* value) : key_(key) {
    const char* old = CPLGetThreadLocalConfigOption(key, nullptr);
    if (old != nullptr) old_ = old;
    hadOld_ = old != nullptr;
    CPLSetThreadLocalConfigOption(key, value);
  }
  ~ThreadConfig() { CPLSetThreadLocalConfigOption(key_, hadOld_ ? old_.c_str() : nullptr); }
  ThreadConfig(const ThreadConfig&) = delete;
  ThreadConfig& operator=(const ThreadConfig&) = delete;

 private:
  const char* key_;
  std::string old_;
  bool hadOld_ = false;
};

struct DatasetCloser {
  void operator()(GDALDataset* d) const { GDALClose(d); }
};
using Dataset = std::unique_ptr<GDALDataset, DatasetCloser>;

// GDAL's last message, or the fallback when it has none.
inline std::string GdalMessage(const char* fallback) {
  const char* m = CPLGetLastErrorMsg();
  return m != nullptr && *m != '\0' ? std::string(m) : std::string(fallback);
}

}  // namespace planaq
