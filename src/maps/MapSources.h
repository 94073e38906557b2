#pragma once
// The two kinds of map a sample is taken from, once the file has been opened.

#include <string>
#include <vector>

#include "maps/GdalSession.h"
#include "maps/MapSampling.h"

namespace planaq {

// Bilinear between cell centres of band 1; NaN outside the raster and where a cell with
// weight is no-data.
MapSamples SampleRaster(GDALDataset& raster, const std::vector<MapPoint>& points,
                        const MapProgress& progress);

// Linear on the triangulation of the first layer's points, nearest point outside the hull.
MapSamples SamplePoints(GDALDataset& vector, const std::string& field,
                        const std::vector<MapPoint>& points, const MapProgress& progress);

// Told to the progress every this many points.
constexpr std::size_t kSamplesBetweenProgress = 16384;

}  // namespace planaq
