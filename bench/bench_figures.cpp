// The contour window's drawing against mesh size: the whole screen figure (problem area, mesh,
// about twenty levels, no particles) of 100k and 1M elements into a 1240 x 900 image through
// the Qt canvas, and the pathlines of 20 particles, timed per tracing step.
//
// The mesh is a rectangle of 2000 x 1000 m in square cells of two triangles, numbered row by
// row; the heads fall toward +x and into the cone of an extraction well near (1300, 600), as
// a solved problem with a well gives them.

#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <QImage>
#include <cmath>

#include "results/ContourFigure.h"
#include "solver/FlowField.h"
#include "ui/qt/QtImageCanvas.h"

namespace {

using planaq::Problem;

constexpr double kWidth = 2000.0, kHeight = 1000.0;

// the cone of the well at (xw, yw), its drop at the well node held to what a mesh of cells of
// size a resolves
double Head(double x, double y, double xw, double yw, double a) {
  const double r = std::max(std::hypot(x - xw, y - yw), 0.8 * a);
  return 20.0 - 0.005 * x + 3.0 * std::log(r / 1000.0);
}

// cells x cells/2 squares, two elements each, with 20 particles along the left side
Problem WellProblem(int nx) {
  const int ny = nx / 2;
  planaq::Capacities caps;
  caps.NMAX = (nx + 1) * (ny + 1);
  caps.MMAX = 2 * nx * ny;
  caps.BMAX = 8;
  caps.PMAX = 20;
  Problem p;
  p.StartUp(caps);
  p.NL = 1;
  p.NN = (nx + 1) * (ny + 1);
  p.NM = 2 * nx * ny;
  p.NA = 4;
  p.NB = 1;
  const auto id = [&](int i, int j) { return j * (nx + 1) + i; };
  // the well at the node nearest to (1300, 600)
  const int iw = static_cast<int>(std::lround(0.65 * nx)),
            jw = static_cast<int>(std::lround(0.6 * ny));
  const double xw = kWidth * iw / nx, yw = kHeight * jw / ny;
  for (int j = 0; j <= ny; ++j)
    for (int i = 0; i <= nx; ++i) {
      const double x = kWidth * i / nx, y = kHeight * j / ny;
      p.nodes[id(i, j)] = planaq::Node{x, y, 2, 0};
      p.layers[id(i, j)].B[0] = -10.0;
      p.layers[id(i, j)].T[0] = 0.0;
      p.layers[id(i, j)].F[0] = Head(x, y, xw, yw, kWidth / nx);
    }
  int m = 0;
  for (int j = 0; j < ny; ++j)
    for (int i = 0; i < nx; ++i) {
      p.elements[m++] = planaq::Element{{id(i, j), id(i + 1, j), id(i + 1, j + 1)}, 0};
      p.elements[m++] = planaq::Element{{id(i, j), id(i + 1, j + 1), id(i, j + 1)}, 0};
    }
  p.blocks[0] = planaq::Block{{id(0, 0), id(nx, 0), id(nx, ny)}, 0};
  p.NW = 1;
  p.wells[0] = planaq::Well{id(iw, jw), 0, -2000.0};
  p.NP = 20;
  for (int k = 0; k < p.NP; ++k) {
    p.particles[k].X0 = 20.0;
    p.particles[k].Y0 = kHeight * (k + 0.5) / p.NP;
    p.particles[k].Z0 = -5.0;
  }
  planaq::PrepareFlowField(p);
  return p;
}

// nx by nx/2 cells hold nx^2 elements
int CellsFor(int elements) { return static_cast<int>(std::lround(std::sqrt(elements))); }

void BM_ContourFigure(benchmark::State& state) {
  Problem p = WellProblem(CellsFor(static_cast<int>(state.range(0))));
  p.NP = 0;
  QImage image = planaq::QtImageCanvas::MakeImage(1240, 900);
  planaq::NoPendingEvents events;
  for (auto _ : state) {
    planaq::QtImageCanvas canvas(image);
    const std::string legend =
        planaq::DrawContourFigure(p, 0, image.width(), image.height(), canvas, events);
    benchmark::DoNotOptimize(legend);
  }
  state.counters["elements"] = p.NM;
}

// Counts the steps of a trace.
class CountSteps : public planaq::TraceObserver {
 public:
  void OnStep(const planaq::TraceStep&) override { ++steps; }
  long long steps = 0;
};

void BM_Pathlines(benchmark::State& state) {
  Problem p = WellProblem(CellsFor(static_cast<int>(state.range(0))));
  QImage image = planaq::QtImageCanvas::MakeImage(1240, 900);
  const planaq::ContourMapping mapping =
      planaq::ScreenContourMapping(p, image.width(), image.height());
  planaq::NoPendingEvents events;
  CountSteps count;
  planaq::TraceResult result;
  for (auto _ : state) {
    planaq::QtImageCanvas canvas(image);
    planaq::TraceSettings settings = planaq::ScreenContourTraceSettings(mapping, 0);
    settings.observer = &count;
    if (state.range(1) > 0) settings.maxPasses = state.range(1);
    result =
        planaq::TraceParticles(p, planaq::ContourPathMapping(mapping), settings, canvas, events);
  }
  state.counters["elements"] = p.NM;
  state.counters["passes"] = static_cast<double>(result.passes);
  state.counters["unfinished"] = result.unfinished;
  // seconds per step of one particle, with its SI prefix
  state.counters["s_per_step"] = benchmark::Counter(
      static_cast<double>(count.steps), benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

BENCHMARK(BM_ContourFigure)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond);
// (elements, pass limit): the first passes, then the whole tracing time (limit 0: none)
BENCHMARK(BM_Pathlines)
    ->Args({100000, 2000})
    ->Args({1000000, 2000})
    ->Args({100000, 0})
    ->Args({1000000, 0})
    ->Unit(benchmark::kSecond)
    ->Iterations(1);

}  // namespace

// The Qt canvas wants an application for its fonts; none of it is shown.
int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
