// Bilinear sampling of band 1 of a georeferenced raster.

#include <cmath>
#include <limits>

#include "maps/MapSources.h"

namespace planaq {

namespace {

constexpr double kNoValue = std::numeric_limits<double>::quiet_NaN();
// Band 1 is read whole (8 bytes a cell); more cells than this would want reading in tiles.
constexpr double kMostCells = 1.0e8;

struct Band {
  int width = 0, height = 0;
  std::vector<double> cells;  // row by row from the top
  bool hasNoData = false;
  double noData = 0.0;
  double At(int col, int row) const {
    return cells[static_cast<std::size_t>(row) * static_cast<std::size_t>(width) +
                 static_cast<std::size_t>(col)];
  }
  bool Usable(double v) const { return std::isfinite(v) && !(hasNoData && v == noData); }
};

std::string ReadBand(GDALDataset& raster, Band& band) {
  GDALRasterBand* b = raster.GetRasterBand(1);
  band.width = raster.GetRasterXSize();
  band.height = raster.GetRasterYSize();
  if (static_cast<double>(band.width) * band.height > kMostCells)
    return "has more cells than can be read at once";
  int has = 0;
  band.noData = b->GetNoDataValue(&has);
  band.hasNoData = has != 0;
  band.cells.resize(static_cast<std::size_t>(band.width) * static_cast<std::size_t>(band.height));
  if (b->RasterIO(GF_Read, 0, 0, band.width, band.height, band.cells.data(), band.width,
                  band.height, GDT_Float64, 0, 0, nullptr) != CE_None)
    return "cannot be read: " + GdalMessage("read error");
  return {};
}

// The two cells along one axis around a position in cell units (cell centres at i + 0.5) and
// the weight of the second; within half a cell of the edge the edge cell alone.
bool Neighbours(double position, int size, int& first, double& weight) {
  if (!(position >= 0.0 && position <= size)) return false;
  const double centre = position - 0.5;
  first = static_cast<int>(std::floor(centre));
  weight = centre - first;
  if (first < 0) first = 0, weight = 0.0;
  if (first >= size - 1) first = size - 1, weight = 0.0;
  return true;
}

double Bilinear(const Band& band, double col, double row) {
  int c = 0, r = 0;
  double wc = 0.0, wr = 0.0;
  if (!Neighbours(col, band.width, c, wc) || !Neighbours(row, band.height, r, wr)) return kNoValue;
  double sum = 0.0;
  for (int dr = 0; dr < 2; ++dr)
    for (int dc = 0; dc < 2; ++dc) {
      const double w = (dc ? wc : 1.0 - wc) * (dr ? wr : 1.0 - wr);
      if (w == 0.0) continue;
      const double v = band.At(c + dc, r + dr);
      if (!band.Usable(v)) return kNoValue;
      sum += w * v;
    }
  return sum;
}

}  // namespace

MapSamples SampleRaster(GDALDataset& raster, const std::vector<MapPoint>& points,
                        const MapProgress& progress) {
  double toMap[6] = {};
  double toCell[6] = {};
  if (raster.GetGeoTransform(toMap) != CE_None || !GDALInvGeoTransform(toMap, toCell))
    return {"has no georeference (a world file or a GeoTIFF's own)", {}};
  Band band;
  if (std::string error = ReadBand(raster, band); !error.empty()) return {error, {}};
  MapSamples s;
  s.values.reserve(points.size());
  for (const MapPoint& p : points) {
    if (s.values.size() % kSamplesBetweenProgress == 0 &&
        !Going(progress, "Sampling the raster",
               static_cast<double>(s.values.size()) / static_cast<double>(points.size())))
      return {kSamplingStopped, {}};
    const double col = toCell[0] + toCell[1] * p.x + toCell[2] * p.y;
    const double row = toCell[3] + toCell[4] * p.x + toCell[5] * p.y;
    s.values.push_back(Bilinear(band, col, row));
  }
  return s;
}

}  // namespace planaq
