#pragma once
// Export of the problem as GIS layers: mesh, nodes, contours, wells, pathlines, their time marks
// and the water balance table. The format follows the extension of the target: .gpkg (one file
// with every layer), .geojson and .shp (one file or file set per layer, OUT_mesh.shp and so on),
// .dxf (one drawing, a drawing layer per layer, without their fields and without the table); the
// heads may go beside them as a GeoTIFF.

#include <string>
#include <vector>

#include "maps/MapProgress.h"
#include "model/Problem.h"

namespace planaq {

struct MapExportOptions {
  double X0 = 0.0;          // added to every x
  double Y0 = 0.0;          // added to every y
  std::string crs;          // EPSG code, WKT or PROJ string; empty: no CRS is written
  std::vector<int> layers;  // 0-based layers whose contours are written; empty: every layer
  double interval = 0.0;    // contour every interval m; 0: the levels of the contour window
  double rasterCell = 0.0;  // > 0: the heads also as OUT_heads.tif with cells of this size (m)
};

enum class MapStatus { Written, BadInput, WriteFailed, Unavailable, Stopped };

struct MapOutcome {
  MapStatus status = MapStatus::Written;
  std::string message;             // empty when written
  std::vector<std::string> files;  // what was written
};

// false in a build without GDAL
bool MapsAvailable();

// Checks the options and the target against the problem without writing anything; the
// message is empty when they are fine.
std::string CheckMapExport(const Problem& problem, const std::string& path,
                           const MapExportOptions& options);

// Writes the layers; on any failure, and when the progress asks to stop, nothing is left at
// the target.
MapOutcome ExportMap(const Problem& problem, const std::string& path,
                     const MapExportOptions& options, const MapProgress& progress = {});

}  // namespace planaq
