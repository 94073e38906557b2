#pragma once
// SQLite, under GDAL's GeoPackage driver, set up for speed before GDAL first opens a database.

namespace planaq {

// Once per process, before the first database is opened; harmless later.
void SqliteWithoutMemoryStatistics();

}  // namespace planaq
