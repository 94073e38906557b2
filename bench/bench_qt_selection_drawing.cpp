// The mesh window's picture with a selection marked: DrawMesh and DrawSelection into a
// 1240 x 900 QImage through the Qt image canvas at 1,048,576 elements, as every repaint of the
// window in Select mode does. The goal is under 1 s.

#include <benchmark/benchmark.h>

#include <cmath>

#include "mesh/MeshDrawing.h"
#include "mesh/MeshMapping.h"
#include "mesh/Selection.h"
#include "mesh/SelectionDrawing.h"
#include "mesh/Split.h"
#include "model/Problem.h"
#include "ui/qt/QtImageCanvas.h"

namespace {

using namespace planaq;

constexpr int kWidth = 1240;
constexpr int kHeight = 900;

void BM_DrawMeshWithSelection(benchmark::State& state) {
  Capacities caps;
  caps.NMAX = 1600000;
  caps.MMAX = 3200000;
  Problem p;
  p.StartUp(caps);
  for (int i = 0; i < state.range(0); ++i) SplitElements4(p);
  // a 100-vertex lake over the middle of the initial triangle
  SelectionShape lake{ShapeKind::Polygon, {}, 0};
  for (int k = 0; k < 100; ++k) {
    const double a = 2 * M_PI * k / 100;
    lake.points.push_back({150 + 90 * std::cos(a), 150 + 90 * std::sin(a)});
  }
  const Selection s = Select(p, lake);
  const MeshMapping map = ComputeMeshMapping(kWidth, kHeight, p.LX, p.LY);
  QImage image = QtImageCanvas::MakeImage(kWidth, kHeight);
  for (auto _ : state) {
    QtImageCanvas canvas(image);
    DrawMesh(canvas, p, map);
    DrawSelection(canvas, p, map, lake, true, s.nodes);
    benchmark::DoNotOptimize(image.constBits());
  }
  state.counters["elements"] = p.NM;
  state.counters["marked"] = static_cast<double>(s.nodes.size());
}

BENCHMARK(BM_DrawMeshWithSelection)->Arg(8)->Arg(10)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  return 0;
}
