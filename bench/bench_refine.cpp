// Refinement cost against mesh size: repeated Split 4 from the initial triangle, and Split 2 on
// the result. Each case times the last refinement only (the mesh before it is built untimed);
// the counters give the elements made and the time per element, which stays about level
// when the cost grows linearly.

#include <benchmark/benchmark.h>

#include "mesh/Split.h"
#include "model/Problem.h"

namespace {

using planaq::Capacities;
using planaq::Problem;

// room for Split 4 up to 4^10 elements and a Split 2 after it
Problem BigProblem() {
  Capacities caps;
  caps.NMAX = 1600000;
  caps.MMAX = 3200000;
  Problem p;
  p.StartUp(caps);
  return p;
}

void Report(benchmark::State& state, const Problem& p, int elementsBefore) {
  state.counters["elements"] = p.NM;
  state.counters["nodes"] = p.NN;
  // seconds per element made, shown with its SI prefix (n for nanoseconds)
  state.counters["s_per_new_element"] =
      benchmark::Counter(p.NM - elementsBefore, benchmark::Counter::kIsIterationInvariantRate |
                                                    benchmark::Counter::kInvert);
}

// Refines the initial problem `splits4` times with Split 4 outside the timing, then times one
// more refinement.
template <typename Refine>
void TimeLastRefinement(benchmark::State& state, int splits4, Refine refine) {
  Problem p = BigProblem();
  int before = 0;
  for (auto _ : state) {
    state.PauseTiming();
    p.StartUp(p.caps);
    for (int i = 0; i < splits4; ++i) planaq::SplitElements4(p);
    before = p.NM;
    state.ResumeTiming();
    const planaq::MeshOutcome out = refine(p);
    benchmark::DoNotOptimize(out);
  }
  Report(state, p, before);
}

void BM_Split4(benchmark::State& state) {
  // the count includes the timed refinement
  TimeLastRefinement(state, static_cast<int>(state.range(0)) - 1,
                     [](Problem& p) { return planaq::SplitElements4(p); });
}

void BM_Split4FromTriangle(benchmark::State& state) {
  const int times = static_cast<int>(state.range(0));
  Problem p = BigProblem();
  for (auto _ : state) {
    state.PauseTiming();
    p.StartUp(p.caps);
    state.ResumeTiming();
    for (int i = 0; i < times; ++i) planaq::SplitElements4(p);
  }
  Report(state, p, 1);
}

void BM_Split2AfterSplit4(benchmark::State& state) {
  TimeLastRefinement(state, static_cast<int>(state.range(0)),
                     [](Problem& p) { return planaq::SplitElements2(p); });
}

BENCHMARK(BM_Split4)->DenseRange(6, 10)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(BM_Split4FromTriangle)->Arg(10)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(BM_Split2AfterSplit4)->DenseRange(6, 10)->Unit(benchmark::kMillisecond)->Iterations(1);

}  // namespace

BENCHMARK_MAIN();
