// Maps in a build without GDAL: every call says so and writes nothing.

#include "maps/MapExport.h"
#include "maps/MapSampling.h"

namespace planaq {

namespace {
const char* const kNoMaps = "this build of PLANAQ has no map support (GDAL was not found)";
}

bool MapsAvailable() { return false; }

std::string CheckMapExport(const Problem&, const std::string&, const MapExportOptions&) {
  return kNoMaps;
}

MapOutcome ExportMap(const Problem&, const std::string&, const MapExportOptions&,
                     const MapProgress&) {
  return {MapStatus::Unavailable, kNoMaps, {}};
}

MapSamples SampleMap(const std::string&, const std::string&, const std::vector<MapPoint>&,
                     const MapProgress&) {
  return {kNoMaps, {}};
}

}  // namespace planaq
