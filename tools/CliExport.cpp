// planaq-cli export: the mesh, the nodes, the contours, the wells, the pathlines and the water
// balance of a datafile as map layers, and the heads as a raster.

#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "Cli.h"
#include "maps/GeoSideFile.h"
#include "maps/MapExport.h"

namespace planaq::cli {

namespace {

constexpr int kBadInput = 2;
const char* const kUsage =
    "export IN.aqd OUT.gpkg|OUT.geojson|OUT.shp|OUT.dxf [--origin X0,Y0] [--crs CRS] [--remember] "
    "[--layers 1,2] [--interval DH] [--raster CELL]";

// The whole text is one finite number within 1e12.
bool ParseNumber(const std::string& text, double& value) {
  if (text.empty()) return false;
  char* end = nullptr;
  errno = 0;
  const double v = std::strtod(text.c_str(), &end);
  if (*end != '\0' || errno == ERANGE || !std::isfinite(v) || std::fabs(v) > 1e12) return false;
  value = v;
  return true;
}

bool ParseOrigin(const std::string& text, MapExportOptions& o) {
  const std::size_t comma = text.find(',');
  return comma != std::string::npos && ParseNumber(text.substr(0, comma), o.X0) &&
         ParseNumber(text.substr(comma + 1), o.Y0);
}

// "1,2": 1-based layers, kept 0-based; each at most once.
bool ParseLayers(const std::string& text, MapExportOptions& o) {
  std::size_t start = 0;
  while (start <= text.size()) {
    const std::size_t comma = std::min(text.find(',', start), text.size());
    double v = 0.0;
    const std::string item = text.substr(start, comma - start);
    if (!ParseNumber(item, v) || v != std::floor(v) || v < 1 || v > kMaxLayers) return false;
    const int layer = static_cast<int>(v) - 1;
    for (int seen : o.layers)
      if (seen == layer) return false;
    o.layers.push_back(layer);
    start = comma + 1;
  }
  return true;
}

struct ExportArgs {
  std::string in, out;
  MapExportOptions options;
  bool georeferenced = false;  // --origin or --crs given
  bool remember = false;
};

// Returns the message for the first argument that cannot be used; empty when all are fine.
std::string ParseExportArgs(const Args& args, ExportArgs& a) {
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& k = args[i];
    const bool hasValue = i + 1 < args.size();
    const std::string v = hasValue ? args[i + 1] : std::string();
    if (k == "--origin" || k == "--crs" || k == "--layers" || k == "--interval" ||
        k == "--raster") {
      if (!hasValue) return k + " needs a value";
      ++i;
      a.georeferenced = a.georeferenced || k == "--origin" || k == "--crs";
      if (k == "--origin" && !ParseOrigin(v, a.options))
        return "--origin wants X0,Y0 as two numbers, not '" + v + "'";
      if (k == "--crs") a.options.crs = v;
      if (k == "--layers" && !ParseLayers(v, a.options))
        return "--layers wants layer numbers 1..6 like 1,2, not '" + v + "'";
      if (k == "--interval" && (!ParseNumber(v, a.options.interval) || a.options.interval <= 0))
        return "--interval wants a positive number of metres, not '" + v + "'";
      if (k == "--raster" && (!ParseNumber(v, a.options.rasterCell) || a.options.rasterCell <= 0))
        return "--raster wants a positive cell size in metres, not '" + v + "'";
    } else if (k == "--remember") {
      a.remember = true;
    } else if (k.rfind("--", 0) == 0) {
      return "unknown option '" + k + "'";
    } else if (a.in.empty()) {
      a.in = k;
    } else if (a.out.empty()) {
      a.out = k;
    } else {
      return "one datafile and one map file, please";
    }
  }
  if (a.out.empty()) return "the datafile and the map file are needed";
  if (a.remember && !a.georeferenced) return "--remember goes with --origin or --crs";
  return {};
}

// Without --origin and --crs, the georeference remembered beside the datafile, if any.
bool TakeRememberedGeoreference(ExportArgs& a) {
  if (a.georeferenced) return true;
  const GeoReadOutcome side = ReadGeoSideFile(a.in);
  if (!side.message.empty()) {
    std::fprintf(stderr, "planaq-cli: %s\n", side.message.c_str());
    return false;
  }
  a.options.X0 = side.georeference.X0;
  a.options.Y0 = side.georeference.Y0;
  a.options.crs = side.georeference.crs;
  return true;
}

}  // namespace

int Export(const Args& args) {
  if (!MapsAvailable()) {
    std::fprintf(stderr, "planaq-cli: %s\n", CheckMapExport(Problem{}, "", {}).c_str());
    return kBadInput;
  }
  ExportArgs a;
  if (const std::string error = ParseExportArgs(args, a); !error.empty()) {
    std::fprintf(stderr, "planaq-cli: %s\nusage: planaq-cli %s\n", error.c_str(), kUsage);
    return kBadInput;
  }
  if (!TakeRememberedGeoreference(a)) return kBadInput;
  Problem problem = StartedProblem();
  if (!OpenDatafile(problem, a.in)) return 1;
  const MapOutcome outcome = ExportMap(problem, a.out, a.options);
  if (outcome.status != MapStatus::Written) {
    std::fprintf(stderr, "planaq-cli: %s\n", outcome.message.c_str());
    return outcome.status == MapStatus::WriteFailed ? 1 : kBadInput;
  }
  for (const std::string& file : outcome.files) std::printf("%s\n", file.c_str());
  if (a.remember) {
    const Georeference g{a.options.X0, a.options.Y0, a.options.crs};
    if (const std::string error = WriteGeoSideFile(a.in, g); !error.empty()) {
      std::fprintf(stderr, "planaq-cli: %s\n", error.c_str());
      return 1;
    }
    std::printf("%s\n", GeoSideFilePath(a.in).c_str());
  }
  return 0;
}

}  // namespace planaq::cli
