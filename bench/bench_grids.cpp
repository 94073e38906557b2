// The Nodes window on a problem of 1,000,000 nodes in six layers (installation NMAX raised):
// opening it, switching its layer and paging to "End of List", each with the paint of the
// rows in view; and the memory the open grid takes against the problem's own tables.
//
//   build/bench/bench_grids --benchmark_repetitions=5 --benchmark_report_aggregates_only=true
//
// The grid reads its cells from the problem on demand, so these costs do not grow with the
// number of nodes beyond the row count the view keeps.

#include <benchmark/benchmark.h>
#include <malloc.h>

#include <QApplication>
#include <QPixmap>
#include <memory>

#include "model/Problem.h"
#include "ui/ScriptedDialogs.h"
#include "ui/grids/FormNod.h"
#include "ui/widgets/LayerSelector.h"

namespace {

using planaq::Problem;

constexpr int kNodes = 1000000;

Problem& BigProblem() {
  static Problem p = [] {
    Problem q;
    planaq::Capacities caps;
    caps.NMAX = kNodes;
    q.StartUp(caps);
    q.NN = kNodes;
    q.NL = 6;
    for (int i = 0; i < kNodes; ++i) {
      q.nodes[i] = planaq::Node{2.0 * (i % 1000), 1.0 * (i / 1000), i % 3, 0};
      for (int l = 0; l < 6; ++l) {
        q.layers[i].B[l] = 11.0 * (5 - l);
        q.layers[i].T[l] = q.layers[i].B[l] + 10.0;
        q.layers[i].F[l] = 70.0 + 1e-6 * i;
        q.layers[i].Q[l] = -0.5 * l;
      }
    }
    return q;
  }();
  return p;
}

// the main window's share: the one problem, the current layer and the selection
struct Windows {
  planaq::ui::ScriptedDialogs dialogs;
  planaq::ui::SharedLayer layer;
  std::pair<int, int> selection{1, 1};
  std::unique_ptr<planaq::ui::TFormNod> nodes;

  Windows() { Make(); }
  void Make() {
    nodes = std::make_unique<planaq::ui::TFormNod>(
        planaq::ui::GridContext{BigProblem(), dialogs, layer, selection});
  }
  void Open() {
    nodes->show();
    Paint();
  }
  // the rows in view painted as they would be on the screen
  void Paint() {
    QCoreApplication::processEvents();
    benchmark::DoNotOptimize(nodes->grab());
  }
};

void BM_OpenNodesWindow(benchmark::State& state) {
  Windows w;
  for (auto _ : state) {
    state.PauseTiming();
    w.Make();  // a window that has not been shown yet
    state.ResumeTiming();
    w.Open();
  }
  state.counters["rows"] = w.nodes->Grid()->RowCount();
}

void BM_SwitchLayer(benchmark::State& state) {
  Windows w;
  w.Open();
  int layer = 0;
  for (auto _ : state) {
    layer = layer == 0 ? 1 : 0;  // 9 columns and 8 in turn
    w.nodes->SelectLayer(layer);
    w.Paint();
  }
}

void BM_EndOfList(benchmark::State& state) {
  Windows w;
  w.Open();
  for (auto _ : state) {
    state.PauseTiming();
    w.nodes->PageBegin();
    w.Paint();
    state.ResumeTiming();
    w.nodes->PageEnd();
    w.Paint();
  }
  if (w.nodes->Grid()->Row() != kNodes) state.SkipWithError("End of List missed the last row");
}

std::size_t HeapBytes() {
  const struct mallinfo2 m = mallinfo2();
  return m.uordblks + m.hblkhd;
}

// The heap that an opened Nodes window adds (paged to the end and switched to layer 2),
// against the bytes of the node and node layer tables it shows.
void BM_GridMemory(benchmark::State& state) {
  BigProblem();
  double gridBytes = 0;
  for (auto _ : state) {
    const std::size_t before = HeapBytes();
    Windows w;
    w.Open();
    w.nodes->PageEnd();
    w.nodes->SelectLayer(1);
    w.Paint();
    gridBytes = static_cast<double>(HeapBytes() - before);
  }
  const Problem& p = BigProblem();
  const double tableBytes = static_cast<double>(p.nodes.size() * sizeof(planaq::Node) +
                                                p.layers.size() * sizeof(planaq::NodeLayers));
  state.counters["grid_MB"] = gridBytes / 1e6;
  state.counters["tables_MB"] = tableBytes / 1e6;
  state.counters["grid_percent"] = 100.0 * gridBytes / tableBytes;
}

}  // namespace

BENCHMARK(BM_OpenNodesWindow)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(BM_SwitchLayer)->Unit(benchmark::kMillisecond)->Iterations(10);
BENCHMARK(BM_EndOfList)->Unit(benchmark::kMillisecond)->Iterations(10);
BENCHMARK(BM_GridMemory)->Unit(benchmark::kMillisecond)->Iterations(1);

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  BigProblem();
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
