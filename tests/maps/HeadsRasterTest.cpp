// The heads raster read back with GDAL: the heads at nodes on cell centres, the linear
// interpolation within elements, no-data outside the mesh.

#include <gdal_priv.h>
#include <gtest/gtest.h>

#include <cmath>

#include "files/Datafile.h"
#include "maps/HeadsRaster.h"
#include "maps/MapExport.h"
#include "MapTestSupport.h"
#include "support/TempDir.h"

namespace planaq {
namespace {

Problem Example() { return test::ExampleProblem(); }

struct Raster {
  int cols = 0, rows = 0, bands = 0;
  double gt[6] = {};
  std::vector<std::vector<double>> band;
  // the cell whose area holds the map point (x, y)
  double At(int b, double x, double y) const {
    const int c = static_cast<int>(std::floor((x - gt[0]) / gt[1]));
    const int r = static_cast<int>(std::floor((y - gt[3]) / gt[5]));
    return band[b][static_cast<std::size_t>(r) * cols + c];
  }
  double CentreX(double x) const { return gt[0] + (std::floor((x - gt[0]) / gt[1]) + 0.5) * gt[1]; }
  double CentreY(double y) const { return gt[3] + (std::floor((y - gt[3]) / gt[5]) + 0.5) * gt[5]; }
};

Raster Read(const std::string& path) {
  GDALAllRegister();
  Raster r;
  GDALDataset* d = GDALDataset::Open(path.c_str(), GDAL_OF_RASTER);
  EXPECT_NE(d, nullptr) << path;
  if (d == nullptr) return r;
  r.cols = d->GetRasterXSize();
  r.rows = d->GetRasterYSize();
  r.bands = d->GetRasterCount();
  EXPECT_EQ(d->GetGeoTransform(r.gt), CE_None);
  for (int b = 1; b <= r.bands; ++b) {
    std::vector<double> v(static_cast<std::size_t>(r.cols) * r.rows);
    EXPECT_EQ(d->GetRasterBand(b)->RasterIO(GF_Read, 0, 0, r.cols, r.rows, v.data(), r.cols, r.rows,
                                            GDT_Float64, 0, 0, nullptr),
              CE_None);
    EXPECT_EQ(d->GetRasterBand(b)->GetNoDataValue(), kHeadsNoData);
    r.band.push_back(v);
  }
  GDALClose(d);
  return r;
}

// the weights of the corners of element e at the model point (x, y)
std::array<double, 3> Weights(const Problem& p, int e, double x, double y) {
  const auto& n = p.elements[e].Node;
  const Node &a = p.nodes[n[0]], &b = p.nodes[n[1]], &c = p.nodes[n[2]];
  const double area2 = (b.X - a.X) * (c.Y - a.Y) - (c.X - a.X) * (b.Y - a.Y);
  const double wa = ((b.X - x) * (c.Y - y) - (c.X - x) * (b.Y - y)) / area2;
  const double wb = ((c.X - x) * (a.Y - y) - (a.X - x) * (c.Y - y)) / area2;
  return {wa, wb, 1.0 - wa - wb};
}

constexpr double kX0 = 1000.0, kY0 = 2000.0, kCell = 12.5;

Raster Exported(const Problem& p, const test::TempDir& dir) {
  MapExportOptions o;
  o.X0 = kX0;
  o.Y0 = kY0;
  o.rasterCell = kCell;
  const MapOutcome out = ExportMap(p, dir.File("out.gpkg"), o);
  EXPECT_EQ(out.status, MapStatus::Written) << out.message;
  return Read(dir.File("out_heads.tif"));
}

TEST(HeadsRaster, AtNodesOnCellCentresTheHeadAtCentroidsTheLinearInterpolation) {
  const Problem p = Example();
  test::TempDir dir;
  const Raster r = Exported(p, dir);
  ASSERT_EQ(r.bands, p.NL);
  int nodes = 0, elements = 0;
  for (int n = 0; n < p.NN; ++n) {
    const double x = p.nodes[n].X + kX0, y = p.nodes[n].Y + kY0;
    if (r.CentreX(x) != x || r.CentreY(y) != y) continue;
    for (int L = 0; L < p.NL; ++L) EXPECT_NEAR(r.At(L, x, y), p.layers[n].F[L], 1e-6) << n;
    ++nodes;
  }
  for (int e = 0; e < p.NM; ++e) {
    const auto& n = p.elements[e].Node;
    const double gx = (p.nodes[n[0]].X + p.nodes[n[1]].X + p.nodes[n[2]].X) / 3.0 + kX0;
    const double gy = (p.nodes[n[0]].Y + p.nodes[n[1]].Y + p.nodes[n[2]].Y) / 3.0 + kY0;
    // the cell's value stands for its centre, which must lie in the same element
    const auto w = Weights(p, e, r.CentreX(gx) - kX0, r.CentreY(gy) - kY0);
    if (std::min({w[0], w[1], w[2]}) < 1e-6) continue;
    for (int L = 0; L < p.NL; ++L)
      EXPECT_NEAR(
          r.At(L, gx, gy),
          w[0] * p.layers[n[0]].F[L] + w[1] * p.layers[n[1]].F[L] + w[2] * p.layers[n[2]].F[L],
          1e-6)
          << e;
    ++elements;
  }
  EXPECT_GT(nodes, p.NN / 2);
  EXPECT_GT(elements, p.NM * 9 / 10);
}

TEST(HeadsRaster, CellsInNoElementAreNoData) {
  Problem p = Example();
  p.NM /= 2;  // half the elements: the raster still spans every node
  test::TempDir dir;
  MapExportOptions o;
  o.rasterCell = 20.0;
  ASSERT_EQ(WriteHeadsRaster(p, dir.File("half.tif"), o, nullptr), "");
  const Raster r = Read(dir.File("half.tif"));
  int inside = 0, outside = 0;
  for (int row = 0; row < r.rows; ++row)
    for (int col = 0; col < r.cols; ++col) {
      const double x = r.gt[0] + (col + 0.5) * r.gt[1], y = r.gt[3] + (row + 0.5) * r.gt[5];
      double deepest = -1.0;
      for (int e = 0; e < p.NM; ++e) {
        const auto w = Weights(p, e, x, y);
        deepest = std::max(deepest, std::min({w[0], w[1], w[2]}));
      }
      const double v = r.band[0][static_cast<std::size_t>(row) * r.cols + col];
      if (deepest > 1e-6) {
        EXPECT_NE(v, kHeadsNoData) << x << "," << y;
        ++inside;
      }
      if (deepest < -1e-6) {
        EXPECT_EQ(v, kHeadsNoData) << x << "," << y;
        ++outside;
      }
    }
  EXPECT_GT(inside, 100);
  EXPECT_GT(outside, 100);
}

}  // namespace
}  // namespace planaq
