#pragma once
// The values of a map at given points, for filling node data from a map: a raster (any GDAL
// raster with a georeference, sampled bilinearly between cell centres) or points (a CSV file
// with columns x and y, or a point layer, the value in a named column; linear on the points'
// triangulation inside its hull, the nearest point's value outside).

#include <string>
#include <vector>

#include "maps/MapProgress.h"

namespace planaq {

struct MapPoint {
  double x = 0.0;
  double y = 0.0;
};

struct MapSamples {
  std::string message;         // empty when the map could be read; then values has one per point
  std::vector<double> values;  // NaN where the map has no value (outside a raster, no-data)
};

// field: the column of the points' value; may be empty when the points have one column beside
// x and y. A raster takes no field. The points are in the map's coordinates. When the progress
// asks to stop, the message says so and there are no values.
MapSamples SampleMap(const std::string& path, const std::string& field,
                     const std::vector<MapPoint>& points, const MapProgress& progress = {});

// The message of a sampling the progress stopped.
inline constexpr const char* kSamplingStopped = "Sampling stopped; no value was changed.";

}  // namespace planaq
