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

#include "SolvedRectangle.h"
#include "maps/MapExport.h"
#include "maps/MapSampling.h"
#include "mesh/NodeValuesAssign.h"
#include "solver/Solve.h"

namespace {

using namespace planaq;
namespace fs = std::filesystem;

void BM_ExportGeoPackage(benchmark::State& state) {
  const Problem p = bench::SolvedRectangle(512, 256, 6);
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
