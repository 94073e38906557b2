// Maps out and in through GDAL.
//
// Export: a solved problem of 131,841 nodes and six layers (a rectangle of 2000 m by 1000 m cut
// into 512 x 256 cells of two triangles) to a GeoPackage with every layer: mesh, nodes,
// contours of every layer at the contour window's levels, wells, the balance table (no
// particles). Goal: under 5 s.
//
// Assign: T of layer 1 at 1,000,000 nodes at random points of a 4000 x 4000 GeoTIFF (1 m
// cells, a plane), sampled bilinearly and assigned as typed values are. Goal: under 2 s.
//
// usage: build/bench/bench_maps

#include <benchmark/benchmark.h>
#include <gdal_priv.h>

#include <filesystem>
#include <random>
#include <vector>

#include "maps/MapExport.h"
#include "maps/MapSampling.h"
#include "mesh/NodeValuesAssign.h"
#include "solver/Solve.h"

namespace {

using namespace planaq;
namespace fs = std::filesystem;

// Left edge held at 10 m in layer 1, right edge at 6 m; 0.5 mm/d of infiltration; a well of
// 500 m3/d in layer 2 near the middle.
Problem SixLayers(int nx, int ny) {
  Problem p;
  Capacities caps;
  caps.NMAX = (nx + 1) * (ny + 1);
  caps.MMAX = 2 * nx * ny;
  p.StartUp(caps);
  p.NL = 6;
  p.NN = caps.NMAX;
  p.NM = caps.MMAX;
  p.NB = 1;
  p.NP = 0;
  for (int ix = 0; ix <= nx; ++ix)
    for (int iy = 0; iy <= ny; ++iy) {
      const int n = ix * (ny + 1) + iy;
      p.nodes[n].X = 2000.0 * ix / nx;
      p.nodes[n].Y = 1000.0 * iy / ny;
      p.nodes[n].Type = ix == 0 || ix == nx ? 2 : 0;
      for (int L = 0; L < kMaxLayers; ++L) {
        p.layers[n].T[L] = -10.0 * L - 1.0;
        p.layers[n].B[L] = -10.0 * L - 9.0;
        p.layers[n].F[L] = ix == nx ? 6.0 : 10.0;
      }
    }
  int m = 0;
  for (int ix = 0; ix < nx; ++ix)
    for (int iy = 0; iy < ny; ++iy) {
      const int a = ix * (ny + 1) + iy, b = a + ny + 1;
      p.elements[m++] = {{a, b, b + 1}, 0};
      p.elements[m++] = {{a, b + 1, a + 1}, 0};
    }
  for (int L = 0; L < kMaxLayers; ++L) {
    p.soils[0].K[L] = 10.0;
    p.soils[0].KA[L] = 0.001;
  }
  p.soils[0].I = 0.0005;
  p.NW = 1;
  p.wells[0] = Well{(nx / 2) * (ny + 1) + ny / 2, 1, -500.0};
  SolveProgress none;
  SolveProblem(p, none);
  return p;
}

void BM_ExportGeoPackage(benchmark::State& state) {
  const Problem p = SixLayers(512, 256);
  const fs::path folder = fs::temp_directory_path() / "planaq_bench_maps";
  fs::create_directories(folder);
  const std::string target = (folder / "out.gpkg").string();
  for (auto _ : state) {
    const MapOutcome out = ExportMap(p, target, {});
    if (out.status != MapStatus::Written) state.SkipWithError(out.message.c_str());
  }
  state.counters["nodes"] = p.NN;
  fs::remove_all(folder);
}
BENCHMARK(BM_ExportGeoPackage)->Unit(benchmark::kMillisecond)->Iterations(3);

// z = 5 + 0.001 x - 0.002 y on cells of 1 m from (0, 0) to (4000, 4000)
std::string PlaneRaster(const fs::path& folder, int size) {
  GDALAllRegister();
  const std::string path = (folder / "plane.tif").string();
  GDALDataset* d = GetGDALDriverManager()->GetDriverByName("GTiff")->Create(
      path.c_str(), size, size, 1, GDT_Float32, nullptr);
  double transform[6] = {0.0, 1.0, 0.0, static_cast<double>(size), 0.0, -1.0};
  d->SetGeoTransform(transform);
  std::vector<float> row(size);
  for (int j = 0; j < size; ++j) {
    const double y = size - j - 0.5;
    for (int i = 0; i < size; ++i) row[i] = static_cast<float>(5.0 + 0.001 * (i + 0.5) - 0.002 * y);
    if (d->GetRasterBand(1)->RasterIO(GF_Write, 0, j, size, 1, row.data(), size, 1, GDT_Float32, 0,
                                      0) != CE_None)
      break;
  }
  GDALClose(d);
  return path;
}

void BM_AssignFromRaster(benchmark::State& state) {
  constexpr int kNodes = 1'000'000;
  const fs::path folder = fs::temp_directory_path() / "planaq_bench_raster";
  fs::create_directories(folder);
  const std::string raster = PlaneRaster(folder, 4000);
  Problem p;
  Capacities caps;
  caps.NMAX = kNodes;
  caps.MMAX = 1;
  p.StartUp(caps);
  p.NL = 1;
  p.NN = kNodes;
  std::mt19937 rng(7);
  std::uniform_real_distribution<double> at(1.0, 3999.0);
  std::vector<int> nodes(kNodes);
  std::vector<MapPoint> points(kNodes);
  for (int n = 0; n < kNodes; ++n) {
    p.nodes[n].X = at(rng);
    p.nodes[n].Y = at(rng);
    p.layers[n].B[0] = -100.0;
    nodes[n] = n;
    points[n] = {p.nodes[n].X, p.nodes[n].Y};
  }
  for (auto _ : state) {
    const MapSamples samples = SampleMap(raster, "", points);
    if (!samples.message.empty()) state.SkipWithError(samples.message.c_str());
    const NodeValuesOutcome out = AssignNodeValues(p, NodeQuantity::Top, 0, nodes, samples.values);
    benchmark::DoNotOptimize(out.changed);
  }
  fs::remove_all(folder);
}
BENCHMARK(BM_AssignFromRaster)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace

BENCHMARK_MAIN();
