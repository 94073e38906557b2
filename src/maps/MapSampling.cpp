#include "maps/MapSampling.h"

#include <filesystem>

#include "maps/MapSources.h"

namespace planaq {

namespace {

Dataset Open(const std::string& path, unsigned kind) {
  return Dataset(GDALDataset::FromHandle(
      GDALOpenEx(path.c_str(), kind | GDAL_OF_READONLY, nullptr, nullptr, nullptr)));
}

}  // namespace

MapSamples SampleMap(const std::string& path, const std::string& field,
                     const std::vector<MapPoint>& at, const MapProgress& progress) {
  if (!Going(progress, "Reading the map", 0.0)) return {kSamplingStopped, {}};
  std::error_code ec;
  // only a file on this machine: GDAL's virtual paths would reach into archives and the network
  if (!std::filesystem::is_regular_file(path, ec))
    return {"the map '" + path + "' is not a readable file", {}};
  QuietGdal quiet;
  // points first: GDAL would also take a CSV of x, y, z on a lattice for a raster
  if (Dataset points = Open(path, GDAL_OF_VECTOR); points && points->GetLayerCount() > 0) {
    MapSamples s = SamplePoints(*points, field, at, progress);
    if (!s.message.empty() && s.message != kSamplingStopped)
      s.message = "the points '" + path + "': " + s.message;
    return s;
  }
  CPLErrorReset();
  Dataset raster = Open(path, GDAL_OF_RASTER);
  if (!raster || raster->GetRasterCount() == 0)
    return {"the map '" + path +
                "' is neither a raster nor points GDAL can read: " + GdalMessage("unknown format"),
            {}};
  if (!field.empty())
    return {"a value field is for points; the map '" + path + "' is a raster", {}};
  MapSamples s = SampleRaster(*raster, at, progress);
  if (!s.message.empty() && s.message != kSamplingStopped)
    s.message = "the raster '" + path + "' " + s.message;
  return s;
}

}  // namespace planaq
