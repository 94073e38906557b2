#pragma once
// The vector layers of a map export, each written into a GDAL dataset.

#include <string>

#include "maps/MapExport.h"
#include "maps/TracedPaths.h"
#include "solver/WaterBalance.h"

class GDALDataset;
class OGRLayer;
class OGRSpatialReference;

namespace planaq {

// What the result layers show, computed once for every file of an export.
struct MapResults {
  TracedPaths paths;
  WaterBalance balance;
};

struct LayerTarget {
  GDALDataset& dataset;
  OGRSpatialReference* srs;  // nullptr: no CRS (GDAL 3.6 takes it non-const; it is cloned)
  const MapExportOptions& options;
  const MapResults& results;
  OGRLayer* shared = nullptr;  // set: every feature goes into this one layer, without fields
};

// Each returns an empty string when written, else GDAL's message.
std::string WriteMeshLayer(const Problem& problem, const LayerTarget& target);
std::string WriteNodesLayer(const Problem& problem, const LayerTarget& target);
std::string WriteContoursLayer(const Problem& problem, const LayerTarget& target);
std::string WriteWellsLayer(const Problem& problem, const LayerTarget& target);
std::string WritePathlinesLayer(const Problem& problem, const LayerTarget& target);
std::string WriteMarksLayer(const Problem& problem, const LayerTarget& target);
std::string WriteBalanceLayer(const Problem& problem, const LayerTarget& target);

}  // namespace planaq
