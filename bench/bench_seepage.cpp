// The six cycles of a Solve with a seeping band against the same problem with a closed top,
// for the diagonal conjugate gradients and the multigrid choice.
//
// Problem: a polder of 2000 m by 1000 m on a structured triangle mesh of about N nodes,
// 1 mm/d of infiltration, ditches at 0 m on the left and right edges, ground at 3 m with a
// 200 m wide low band at 1 m across the middle; one layer, or six layers with aquitards. With
// the top open the band seeps; with it closed the heads rise above the ground there. Each
// benchmark iteration is a whole Solve (assembly included) on a fresh copy. Times are CPU
// times; the counters give the iterations of the six cycles and the nodes held at the top.
//
// usage: build/bench/bench_seepage --benchmark_filter=Cycles
//   (the multigrid cases need OMPI_ALLOW_RUN_AS_ROOT=1 OMPI_ALLOW_RUN_AS_ROOT_CONFIRM=1 as root)

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cmath>
#include <string>

#include "SolvedRectangle.h"
#include "solver/Solve.h"

namespace {

using namespace planaq;

Problem Polder(int nodes, int NL, bool open) {
  Problem p = bench::RectangleMeshOf(nodes, NL);
  for (int n = 0; n < p.NN; ++n) {
    Node& node = p.nodes[n];
    NodeLayers& l = p.layers[n];
    const bool ditch = node.X == 0.0 || node.X == 2000.0;
    node.Type = (ditch ? 2 : 0) | (open ? 1 : 0);
    l.T[0] = std::fabs(node.X - 1000.0) <= 100.0 ? 1.0 : 3.0;
    l.B[0] = -20.0;
    for (int L = 1; L < kMaxLayers; ++L) {
      l.T[L] = -22.0 - 12.0 * (L - 1);
      l.B[L] = l.T[L] - 10.0;
    }
    for (int L = 0; L < kMaxLayers; ++L) l.F[L] = 0.0;
  }
  for (int L = 0; L < kMaxLayers; ++L) {
    p.soils[0].K[L] = 10.0;
    p.soils[0].KA[L] = 0.005;
  }
  p.soils[0].I = 0.001;
  return p;
}

void Cycles(benchmark::State& state, int nodes, int NL, bool open, LinearSolver solver) {
  const Problem problem = Polder(nodes, NL, open);
  SolveProgress none;
  int iterations = 0, held = 0;
  for (auto _ : state) {
    state.PauseTiming();
    Problem p = problem;
    state.ResumeTiming();
    const SolveResult result = SolveProblem(p, none, solver);
    if (!result.solved) {
      state.SkipWithError(result.message.c_str());
      return;
    }
    iterations = held = 0;
    for (const CycleReport& c : result.cycles) iterations += c.iterations;
    for (int n = 0; n < p.NN; ++n) held += open && p.layers[n].F[0] == p.layers[n].T[0];
  }
  state.counters["nodes"] = problem.NN;
  state.counters["iterations"] = iterations;
  state.counters["held"] = held;
}

void Register() {
  const int nodes = 130000;
  for (int NL : {1, 6})
    for (bool open : {false, true})
      for (LinearSolver solver : {LinearSolver::ConjugateGradients, LinearSolver::Multigrid}) {
        if (solver == LinearSolver::Multigrid && !MultigridAvailable()) continue;
        const std::string name = "Cycles/" + std::to_string(nodes) + "/NL" + std::to_string(NL) +
                                 (open ? "/open" : "/closed") +
                                 (solver == LinearSolver::Multigrid ? "/amg" : "/cg");
        benchmark::RegisterBenchmark(name.c_str(), Cycles, nodes, NL, open, solver)
            ->Unit(benchmark::kMillisecond)
            ->Iterations(1);
      }
}

}  // namespace

int main(int argc, char** argv) {
  Register();
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
