#pragma once
// The four vector layers of a map export, each written into a GDAL dataset.

#include <string>

#include "maps/MapExport.h"

class GDALDataset;
class OGRSpatialReference;

namespace planaq {

struct LayerTarget {
  GDALDataset& dataset;
  OGRSpatialReference* srs;  // nullptr: no CRS (GDAL 3.6 takes it non-const; it is cloned)
  const MapExportOptions& options;
};

// Each returns an empty string when written, else GDAL's message.
std::string WriteMeshLayer(const Problem& problem, const LayerTarget& target);
std::string WriteNodesLayer(const Problem& problem, const LayerTarget& target);
std::string WriteContoursLayer(const Problem& problem, const LayerTarget& target);
std::string WriteWellsLayer(const Problem& problem, const LayerTarget& target);

}  // namespace planaq
