#pragma once
// The heads as a raster: one band per layer on a square grid over the mesh, the head linear
// within each element, no-data where a cell's centre is in no element or the head is not known.
// The first cell's centre is the mesh's upper left corner, so nodes on a lattice of the cell
// size fall on cell centres.

#include <string>

#include "maps/MapExport.h"

class OGRSpatialReference;

namespace planaq {

// What no-data cells hold: no head a datafile can hold comes near it.
constexpr double kHeadsNoData = -1e30;
// Cells of one band; a band is made whole in memory.
constexpr double kMostHeadsCells = 5e7;

// The number of cells of one band with this cell size (0 for an empty mesh).
double HeadsRasterCells(const Problem& problem, double cell);

// Writes the GeoTIFF at file; an empty string when written, else GDAL's message.
std::string WriteHeadsRaster(const Problem& problem, const std::string& file,
                             const MapExportOptions& options, OGRSpatialReference* srs);

}  // namespace planaq
