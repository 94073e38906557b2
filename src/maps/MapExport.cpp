#include "maps/MapExport.h"

#include <gdal_priv.h>
#include <ogr_spatialref.h>
#include <ogrsf_frmts.h>

#include <algorithm>
#include <cctype>
#include <cmath>
#include <filesystem>
#include <memory>

#include "maps/ExportLevels.h"
#include "maps/ExportSteps.h"
#include "maps/GdalSession.h"
#include "maps/HeadsRaster.h"
#include "maps/MapLayers.h"
#include "maps/MapPlacement.h"

namespace planaq {

namespace {

namespace fs = std::filesystem;

constexpr double kLargestValue = 1e12;

struct MapFormat {
  const char* extension;
  const char* driver;
  bool oneFile;   // every layer in one file; else OUT_layer.ext per layer
  bool oneLayer;  // a drawing of one layer of fixed fields: the layers become its layer names
};

const MapFormat kFormats[] = {
    {".gpkg", "GPKG", true, false},
    {".geojson", "GeoJSON", false, false},  // GeoJSON holds one layer per file
    {".shp", "ESRI Shapefile", false, false},
    {".dxf", "DXF", true, true},
};

const MapFormat* FormatOf(const std::string& path) {
  std::string ext = fs::path(path).extension().string();
  std::transform(ext.begin(), ext.end(), ext.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  for (const MapFormat& f : kFormats)
    if (ext == f.extension) return &f;
  return nullptr;
}

bool AllDigits(const std::string& s) {
  return !s.empty() &&
         std::all_of(s.begin(), s.end(), [](unsigned char c) { return std::isdigit(c); });
}

// An EPSG code (bare or "EPSG:n"), WKT or a PROJ string; never a file or a URL.
std::string ReadCrs(const std::string& text, OGRSpatialReference& srs) {
  const std::string input = AllDigits(text) ? "EPSG:" + text : text;
  const char* const options[] = {"ALLOW_NETWORK_ACCESS=NO", "ALLOW_FILE_ACCESS=NO", nullptr};
  if (srs.SetFromUserInput(input.c_str(), options) != OGRERR_NONE || srs.IsEmpty())
    return "the CRS '" + text + "' cannot be read (give an EPSG code, WKT or a PROJ string)";
  srs.SetAxisMappingStrategy(OAMS_TRADITIONAL_GIS_ORDER);  // x east, y north
  return {};
}

std::string CheckRasterCell(const Problem& problem, double cell) {
  if (cell == 0.0) return {};
  if (!std::isfinite(cell) || cell < 0.0 || cell > kLargestValue)
    return "the raster cell must be a positive number of metres";
  if (HeadsRasterCells(problem, cell) > kMostHeadsCells)
    return "the raster cell gives more than " +
           std::to_string(static_cast<long long>(kMostHeadsCells)) + " cells; take a larger one";
  return {};
}

std::string CheckNumbers(const Problem& problem, const MapExportOptions& o) {
  for (double v : {o.X0, o.Y0})
    if (!std::isfinite(v) || std::fabs(v) > kLargestValue)
      return "the origin must be finite and within 1e12";
  if (!std::isfinite(o.interval) || o.interval < 0.0 || o.interval > kLargestValue)
    return "the contour interval must be a positive number";
  for (int L : o.layers)
    if (L < 0 || L >= std::clamp(problem.NL, 1, kMaxLayers))
      return "layer " + std::to_string(L + 1) + " is outside 1.." + std::to_string(problem.NL);
  std::vector<int> layers = o.layers;
  if (layers.empty())
    for (int L = 0; L < std::clamp(problem.NL, 1, kMaxLayers); ++L) layers.push_back(L);
  if (o.interval > 0.0)
    for (int L : layers)
      if (IntervalLevelCount(problem, L, o.interval) > kMaxExportLevels)
        return "the contour interval gives more than " + std::to_string(kMaxExportLevels) +
               " levels in layer " + std::to_string(L + 1);
  return CheckRasterCell(problem, o.rasterCell);
}

std::string CheckTarget(const std::string& path) {
  if (FormatOf(path) == nullptr)
    return "unknown map format of '" + path + "' (use .gpkg, .geojson, .shp or .dxf)";
  const fs::path folder = fs::path(path).parent_path();
  std::error_code ec;
  if (!folder.empty() && !fs::is_directory(folder, ec))
    return "the folder of '" + path + "' does not exist";
  if (fs::is_directory(path, ec)) return "'" + path + "' is a folder";
  return {};
}

using LayerWriter = std::string (*)(const Problem&, const LayerTarget&);
// weight: about the features the layer writes, as a share of the whole export's time
using LayerWeight = double (*)(const Problem&, const MapExportOptions&);
struct NamedLayer {
  const char* name;
  LayerWriter write;
  LayerWeight weight;
};

double ContourLayerCount(const Problem& p, const MapExportOptions& o) {
  return o.layers.empty() ? std::clamp(p.NL, 1, kMaxLayers) : static_cast<double>(o.layers.size());
}

const NamedLayer kLayers[] = {
    {"mesh", WriteMeshLayer, [](const Problem& p, const MapExportOptions&) { return 1.0 * p.NM; }},
    {"nodes", WriteNodesLayer,
     [](const Problem& p, const MapExportOptions&) { return 1.0 * p.NN; }},
    // a contour segment in some elements, at every level
    {"contours", WriteContoursLayer,
     [](const Problem& p, const MapExportOptions& o) {
       return 0.1 * p.NM * ContourLayerCount(p, o);
     }},
    {"wells", WriteWellsLayer,
     [](const Problem& p, const MapExportOptions&) { return 1.0 * p.NW; }},
    {"pathlines", WritePathlinesLayer,
     [](const Problem& p, const MapExportOptions&) { return 10.0 * p.NP; }},
    {"marks", WriteMarksLayer,
     [](const Problem& p, const MapExportOptions&) { return 10.0 * p.NP; }},
    {"balance", WriteBalanceLayer, [](const Problem&, const MapExportOptions&) { return 1.0; }}};

// What closing a file costs against writing its layers: a GeoPackage builds its spatial
// indexes then, the longest part of a large export.
double FinishWeight(const MapFormat& format, double layersWeight) {
  return (format.oneFile && !format.oneLayer ? 3.0 : 0.1) * layersWeight;
}
double TraceWeight(const Problem& p) { return 0.05 * p.NN + 10.0 * p.NP; }
double RasterWeight(const Problem& p, const MapExportOptions& o) {
  return o.rasterCell > 0.0 ? 0.2 * HeadsRasterCells(p, o.rasterCell) : 0.0;
}

double TotalWeight(const Problem& p, const MapFormat& format, const MapExportOptions& o) {
  double layers = 0.0, finish = 0.0;
  for (const NamedLayer& layer : kLayers) {
    const double w = layer.weight(p, o);
    layers += w;
    if (!format.oneFile) finish += FinishWeight(format, w);
  }
  if (format.oneFile) finish = FinishWeight(format, layers);
  return TraceWeight(p) + RasterWeight(p, o) + layers + finish;
}

const char* const kStopped = "stopped";  // the message of a stop asked for, not a failure

std::string WriteDataset(GDALDriver& driver, const std::string& file, const Problem& problem,
                         OGRSpatialReference* srs, const MapExportOptions& options,
                         const MapResults& results, bool oneLayer,
                         const std::vector<NamedLayer>& layers, ExportSteps& steps) {
  // GeoPackage builds the spatial index of a layer in a second thread while the next layer is
  // written; that thread is several times slower than building the index at the end, so a large
  // export waited seconds on it.
  const ThreadConfig onePass("OGR_GPKG_ALLOW_THREADED_RTREE", "NO");
  Dataset dataset(driver.Create(file.c_str(), 0, 0, 0, GDT_Unknown, nullptr));
  if (!dataset) return std::string("cannot create the map file: ") + CPLGetLastErrorMsg();
  // one transaction where the format has them: GeoPackage writes far faster so
  const bool transaction = dataset->StartTransaction(FALSE) == OGRERR_NONE;
  LayerTarget target{*dataset, srs, options, results};
  if (oneLayer) {
    target.shared = dataset->CreateLayer("entities", srs, wkbUnknown, nullptr);
    if (target.shared == nullptr) return "cannot make the drawing: " + GdalMessage("no layer");
  }
  double written = 0.0;
  for (const NamedLayer& layer : layers) {
    const double weight = layer.weight(problem, options);
    if (!steps.Next(std::string("Writing the layer ") + layer.name, weight)) return kStopped;
    if (std::string error = layer.write(problem, target); !error.empty()) return error;
    written += weight;
  }
  const MapFormat& format = *FormatOf(file);
  if (!steps.Next("Finishing " + fs::path(file).filename().string(), FinishWeight(format, written)))
    return kStopped;
  if (transaction && dataset->CommitTransaction() != OGRERR_NONE)
    return std::string("cannot write the map file: ") + CPLGetLastErrorMsg();
  CPLErrorReset();
  dataset.reset();
  if (CPLGetLastErrorType() >= CE_Failure)
    return std::string("cannot write the map file: ") + CPLGetLastErrorMsg();
  return {};
}

std::string WriteAll(const Problem& problem, const std::string& path, const MapFormat& format,
                     OGRSpatialReference* srs, const MapExportOptions& options,
                     const StagingFolder& staging, ExportSteps& steps) {
  GDALDriver* driver = GetGDALDriverManager()->GetDriverByName(format.driver);
  if (driver == nullptr) return std::string("GDAL has no driver ") + format.driver;
  const fs::path target(path);
  if (!steps.Next("Tracing the pathlines and the water balance", TraceWeight(problem)))
    return kStopped;
  const MapResults results{TracePaths(problem), ComputeWaterBalance(problem)};
  if (options.rasterCell > 0.0) {
    if (!steps.Next("Writing the heads raster", RasterWeight(problem, options))) return kStopped;
    if (std::string error = WriteHeadsRaster(
            problem, staging.File(target.stem().string() + "_heads.tif"), options, srs);
        !error.empty())
      return error;
  }
  if (format.oneFile)
    return WriteDataset(*driver, staging.File(target.filename().string()), problem, srs, options,
                        results, format.oneLayer, {std::begin(kLayers), std::end(kLayers)}, steps);
  for (const NamedLayer& layer : kLayers) {
    const std::string name = target.stem().string() + "_" + layer.name + format.extension;
    if (std::string error = WriteDataset(*driver, staging.File(name), problem, srs, options,
                                         results, false, {layer}, steps);
        !error.empty())
      return error;
  }
  return {};
}

}  // namespace

bool MapsAvailable() { return true; }

std::string CheckMapExport(const Problem& problem, const std::string& path,
                           const MapExportOptions& options) {
  if (std::string error = CheckTarget(path); !error.empty()) return error;
  if (std::string error = CheckNumbers(problem, options); !error.empty()) return error;
  if (options.crs.empty()) return {};
  QuietGdal quiet;
  OGRSpatialReference srs;
  return ReadCrs(options.crs, srs);
}

MapOutcome ExportMap(const Problem& problem, const std::string& path,
                     const MapExportOptions& options, const MapProgress& progress) {
  if (std::string error = CheckMapExport(problem, path, options); !error.empty())
    return {MapStatus::BadInput, error, {}};
  QuietGdal quiet;
  OGRSpatialReference srs;
  if (!options.crs.empty()) ReadCrs(options.crs, srs);
  const fs::path folder = fs::path(path).parent_path();
  StagingFolder staging(folder.empty() ? "." : folder.string());
  if (!staging.error().empty()) return {MapStatus::WriteFailed, staging.error(), {}};
  const MapFormat& format = *FormatOf(path);
  ExportSteps steps(progress, TotalWeight(problem, format, options));
  const std::string error = WriteAll(problem, path, format, options.crs.empty() ? nullptr : &srs,
                                     options, staging, steps);
  // a stop asked for during the last part is still heard: the files are not yet in place
  if (error.empty()) steps.Next("Putting the files in place", 0.0);
  if (steps.Stopped()) return {MapStatus::Stopped, "Export stopped; nothing was written.", {}};
  if (!error.empty()) return {MapStatus::WriteFailed, error, {}};
  MapOutcome outcome;
  outcome.files = staging.MoveIntoPlace();
  if (!staging.error().empty()) return {MapStatus::WriteFailed, staging.error(), outcome.files};
  return outcome;
}

}  // namespace planaq
