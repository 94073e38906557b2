#include "maps/HeadsRaster.h"

#include <ogr_spatialref.h>

#include <algorithm>
#include <cmath>

#include "maps/GdalSession.h"

namespace planaq {

namespace {

struct Grid {
  double left = 0.0, top = 0.0;  // model coordinates of the first cell's centre
  double cell = 1.0;
  int cols = 0, rows = 0;
  double X(int c) const { return left + c * cell; }
  double Y(int r) const { return top - r * cell; }
};

Grid GridOver(const Problem& p, double cell) {
  Grid g;
  g.cell = cell;
  if (p.NN <= 0) return g;
  double xmin = p.nodes[0].X, xmax = xmin, ymin = p.nodes[0].Y, ymax = ymin;
  for (int n = 1; n < p.NN; ++n) {
    xmin = std::min(xmin, p.nodes[n].X), xmax = std::max(xmax, p.nodes[n].X);
    ymin = std::min(ymin, p.nodes[n].Y), ymax = std::max(ymax, p.nodes[n].Y);
  }
  g.left = xmin;
  g.top = ymax;
  // a small share of a cell is rounding, not a column of its own
  g.cols = static_cast<int>(std::floor((xmax - xmin) / cell + 1e-9)) + 1;
  g.rows = static_cast<int>(std::floor((ymax - ymin) / cell + 1e-9)) + 1;
  return g;
}

// Sets the cells whose centre lies in element e (on its sides too) to the linear head there.
void FillElement(const Problem& p, int e, int L, const Grid& g, std::vector<double>& band) {
  const auto& node = p.elements[e].Node;
  const Node &a = p.nodes[node[0]], &b = p.nodes[node[1]], &c = p.nodes[node[2]];
  const double fa = p.layers[node[0]].F[L], fb = p.layers[node[1]].F[L],
               fc = p.layers[node[2]].F[L];
  const double det = (b.X - a.X) * (c.Y - a.Y) - (c.X - a.X) * (b.Y - a.Y);
  if (det == 0.0) return;
  const bool known = std::isfinite(fa) && std::isfinite(fb) && std::isfinite(fc);
  const double tolerance = -1e-9;
  const int c0 = std::max(
      0, static_cast<int>(std::ceil((std::min({a.X, b.X, c.X}) - g.left) / g.cell - 1e-9)));
  const int c1 =
      std::min(g.cols - 1,
               static_cast<int>(std::floor((std::max({a.X, b.X, c.X}) - g.left) / g.cell + 1e-9)));
  const int r0 =
      std::max(0, static_cast<int>(std::ceil((g.top - std::max({a.Y, b.Y, c.Y})) / g.cell - 1e-9)));
  const int r1 =
      std::min(g.rows - 1,
               static_cast<int>(std::floor((g.top - std::min({a.Y, b.Y, c.Y})) / g.cell + 1e-9)));
  for (int r = r0; r <= r1; ++r)
    for (int col = c0; col <= c1; ++col) {
      const double x = g.X(col), y = g.Y(r);
      const double wb = ((x - a.X) * (c.Y - a.Y) - (c.X - a.X) * (y - a.Y)) / det;
      const double wc = ((b.X - a.X) * (y - a.Y) - (x - a.X) * (b.Y - a.Y)) / det;
      const double wa = 1.0 - wb - wc;
      if (wa < tolerance || wb < tolerance || wc < tolerance) continue;
      band[static_cast<std::size_t>(r) * static_cast<std::size_t>(g.cols) +
           static_cast<std::size_t>(col)] = known ? wa * fa + wb * fb + wc * fc : kHeadsNoData;
    }
}

std::string WriteBand(GDALDataset& tif, const Problem& p, int L, const Grid& g) {
  std::vector<double> band(static_cast<std::size_t>(g.cols) * static_cast<std::size_t>(g.rows),
                           kHeadsNoData);
  for (int e = 0; e < p.NM; ++e) FillElement(p, e, L, g, band);
  GDALRasterBand* b = tif.GetRasterBand(L + 1);
  b->SetNoDataValue(kHeadsNoData);
  b->SetDescription(("layer " + std::to_string(L + 1)).c_str());
  if (b->RasterIO(GF_Write, 0, 0, g.cols, g.rows, band.data(), g.cols, g.rows, GDT_Float64, 0, 0,
                  nullptr) != CE_None)
    return "cannot write the heads raster: " + GdalMessage("write error");
  return {};
}

}  // namespace

double HeadsRasterCells(const Problem& problem, double cell) {
  if (!(cell > 0.0) || problem.NN <= 0) return 0.0;
  const Grid g = GridOver(problem, cell);
  return static_cast<double>(g.cols) * static_cast<double>(g.rows);
}

std::string WriteHeadsRaster(const Problem& p, const std::string& file,
                             const MapExportOptions& options, OGRSpatialReference* srs) {
  QuietGdal quiet;
  GDALDriver* driver = GetGDALDriverManager()->GetDriverByName("GTiff");
  if (driver == nullptr) return "GDAL has no driver GTiff";
  const Grid g = GridOver(p, options.rasterCell);
  const int bands = std::clamp(p.NL, 1, kMaxLayers);
  const char* const creation[] = {"COMPRESS=DEFLATE", "TILED=YES", "BIGTIFF=IF_SAFER", nullptr};
  Dataset tif(driver->Create(file.c_str(), g.cols, g.rows, bands, GDT_Float64,
                             const_cast<char**>(creation)));
  if (!tif) return "cannot create the heads raster: " + GdalMessage("create failed");
  const double half = 0.5 * g.cell;
  double transform[6] = {g.left + options.X0 - half, g.cell, 0.0,
                         g.top + options.Y0 + half,  0.0,    -g.cell};
  tif->SetGeoTransform(transform);
  if (srs != nullptr) tif->SetSpatialRef(srs);
  for (int L = 0; L < bands; ++L)
    if (std::string error = WriteBand(*tif, p, L, g); !error.empty()) return error;
  CPLErrorReset();
  tif.reset();
  if (CPLGetLastErrorType() >= CE_Failure)
    return "cannot write the heads raster: " + GdalMessage("?");
  return {};
}

}  // namespace planaq
