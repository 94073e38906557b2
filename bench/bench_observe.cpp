// Observed heads and the fit to them.
//
// Observe: 1,000 observations at random points of a solved problem of 131,841 nodes (a
// rectangle of 2000 m by 1000 m cut into 512 x 256 cells of two triangles, one layer), timed
// as ComputeObservedHeads (the element index built, every point located and interpolated)
// beside the same heads found by the plain scan of the elements for every point.
//
// Fit: three parameters (K of the upper aquifer, K' and K of the lower one) of a two-layer
// problem of 10,000 nodes (99 x 99 cells) from a start a factor 3 away; the counters give
// the solves and the iterations; each benchmark iteration is a whole fit on a fresh copy.
//
// usage: build/bench/bench_observe

#include <benchmark/benchmark.h>

#include <random>

#include "SolvedRectangle.h"
#include "observe/ElementLocator.h"
#include "observe/Fit.h"
#include "observe/ObservedHeads.h"
#include "solver/Solve.h"

namespace {

using namespace planaq;

ObservationSet RandomObservations(const Problem& p, int count, unsigned seed) {
  std::mt19937 rng(seed);
  std::uniform_real_distribution<double> x(0.0, 2000.0), y(0.0, 1000.0);
  ObservationSet set;
  for (int i = 0; i < count; ++i) {
    Observation o;
    o.name = "P" + std::to_string(i + 1);
    o.X = x(rng);
    o.Y = y(rng);
    o.layer = i % p.NL;
    o.head = 8.0;
    set.points.push_back(o);
  }
  return set;
}

const Problem& Large() {
  static const Problem p = bench::SolvedRectangle(512, 256, 1);  // 131,841 nodes
  return p;
}

void BM_Observe(benchmark::State& state) {
  const Problem& p = Large();
  const ObservationSet set = RandomObservations(p, 1000, 1);
  for (auto _ : state) benchmark::DoNotOptimize(ComputeObservedHeads(p, set));
  state.counters["nodes"] = p.NN;
}
BENCHMARK(BM_Observe)->Unit(benchmark::kMillisecond);

void BM_ObserveByScan(benchmark::State& state) {
  const Problem& p = Large();
  const ObservationSet set = RandomObservations(p, 1000, 1);
  for (auto _ : state) {
    double sum = 0.0;
    for (const Observation& o : set.points) {
      const int e = ScanForElement(p, o.X, o.Y);
      if (e >= 0) sum += InterpolateHead(p, e, o.layer, o.X, o.Y);
    }
    benchmark::DoNotOptimize(sum);
  }
}
BENCHMARK(BM_ObserveByScan)->Unit(benchmark::kMillisecond);

void BM_Fit3(benchmark::State& state) {
  const Problem truth = bench::SolvedRectangle(99, 99, 2);  // 10,000 nodes
  ObservationSet set = RandomObservations(truth, 40, 2);
  const std::vector<ObservedHead> heads = ComputeObservedHeads(truth, set);
  for (int i = 0; i < set.size(); ++i) set.points[i].head = heads[i].computed;
  FitResult r;
  for (auto _ : state) {
    Problem p = truth;
    p.soils[0].K[0] = 30.0;
    p.soils[0].KA[1] = 0.001 / 3.0;
    p.soils[0].K[1] = 30.0;
    std::vector<FitParameter> params(3);
    params[0].layer = 0;
    params[1].kind = FitKind::KA;
    params[1].layer = 1;
    params[2].layer = 1;
    r = RunFit(p, set, params, FitOptions{});
  }
  state.counters["solves"] = r.solves;
  state.counters["iterations"] = r.iterations;
  state.counters["K1"] = r.values.empty() ? 0.0 : r.values[0];
  state.counters["KA2"] = r.values.empty() ? 0.0 : r.values[1];
  state.counters["K2"] = r.values.empty() ? 0.0 : r.values[2];
}
BENCHMARK(BM_Fit3)->Unit(benchmark::kSecond)->Iterations(1);

}  // namespace

BENCHMARK_MAIN();
