// Drawing the mesh window's picture of a large mesh: DrawMesh into a 1240 x 900 QImage through
// the Qt image canvas, as every repaint of the window does, and the Split 4 from 262,144 to
// 1,048,576 elements followed by that repaint, as one click of the window's key costs.

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QToolButton>

#include "mesh/MeshDrawing.h"
#include "mesh/MeshMapping.h"
#include "mesh/Split.h"
#include "model/Problem.h"
#include "ui/ScriptedDialogs.h"
#include "ui/figures/FormMesh.h"
#include "ui/qt/QtImageCanvas.h"

namespace {

using planaq::Problem;

constexpr int kWidth = 1240;
constexpr int kHeight = 900;

Problem BigProblem(int splits4) {
  planaq::Capacities caps;
  caps.NMAX = 1600000;
  caps.MMAX = 3200000;
  Problem p;
  p.StartUp(caps);
  for (int i = 0; i < splits4; ++i) planaq::SplitElements4(p);
  return p;
}

void Repaint(QImage& image, const Problem& p) {
  planaq::QtImageCanvas canvas(image);
  planaq::DrawMesh(canvas, p, planaq::ComputeMeshMapping(kWidth, kHeight, p.LX, p.LY));
}

void BM_DrawMesh(benchmark::State& state) {
  const Problem p = BigProblem(static_cast<int>(state.range(0)));
  QImage image = planaq::QtImageCanvas::MakeImage(kWidth, kHeight);
  for (auto _ : state) {
    Repaint(image, p);
    benchmark::DoNotOptimize(image.constBits());
  }
  state.counters["elements"] = p.NM;
  // PLANAQ_BENCH_IMAGE=folder keeps the pictures, to compare one version of the drawing with
  // the next
  const QString folder = qEnvironmentVariable("PLANAQ_BENCH_IMAGE");
  if (!folder.isEmpty()) image.save(folder + QStringLiteral("/mesh%1.png").arg(p.NM));
}

void BM_Split4ThenRepaint(benchmark::State& state) {
  Problem p = BigProblem(0);
  QImage image = planaq::QtImageCanvas::MakeImage(kWidth, kHeight);
  for (auto _ : state) {
    state.PauseTiming();
    p.StartUp(p.caps);
    for (int i = 0; i < 9; ++i) planaq::SplitElements4(p);
    state.ResumeTiming();
    planaq::SplitElements4(p);
    Repaint(image, p);
    benchmark::DoNotOptimize(image.constBits());
  }
  state.counters["elements"] = p.NM;
}

// The click on the window's "Split 4" key: the refinement with its progress in the label, and
// the repaint of the window's image, which is 1240 x 900 here.
void BM_WindowSplit4(benchmark::State& state) {
  Problem p = BigProblem(0);
  planaq::ui::ScriptedDialogs dialogs;
  int exits = 0;
  planaq::ui::TFormMesh window(p, dialogs, exits);
  window.resize(kWidth, kHeight);
  window.show();
  auto* split4 = window.findChild<QToolButton*>(QStringLiteral("SpeedButtonSplit4"));
  for (auto _ : state) {
    state.PauseTiming();
    p.StartUp(p.caps);
    for (int i = 0; i < 9; ++i) planaq::SplitElements4(p);
    state.ResumeTiming();
    split4->click();
    benchmark::DoNotOptimize(window.Image().constBits());
  }
  state.counters["elements"] = p.NM;
  state.counters["image_width"] = window.Image().width();
}

BENCHMARK(BM_DrawMesh)->Arg(5)->Arg(8)->Arg(10)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Split4ThenRepaint)->Unit(benchmark::kMillisecond)->Iterations(2);
BENCHMARK(BM_WindowSplit4)->Unit(benchmark::kMillisecond)->Iterations(2);

}  // namespace

int main(int argc, char** argv) {
  // fonts, images and the window need an application; nothing reaches a screen
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
