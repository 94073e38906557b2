// Selecting by a drawn shape and assigning to what it selects, on meshes of up to a million
// nodes: a 100-vertex polygon (a lake) with a given head and a soil, and a river line with a
// head along it. The goal is under 0.2 s for the polygon and its assignment at 1,000,000 nodes.

#include <benchmark/benchmark.h>

#include <cmath>

#include "mesh/Selection.h"
#include "mesh/SelectionAssign.h"
#include "model/Problem.h"

namespace {

using namespace planaq;

// n by n squares, each cut into two triangles: (n + 1)^2 nodes
Problem GridProblem(int n) {
  Capacities caps;
  caps.NMAX = (n + 1) * (n + 1);
  caps.MMAX = 2 * n * n;
  Problem p;
  p.StartUp(caps);
  p.NN = (n + 1) * (n + 1);
  for (int j = 0; j <= n; ++j)
    for (int i = 0; i <= n; ++i) {
      p.nodes[j * (n + 1) + i].X = p.LX * i / n;
      p.nodes[j * (n + 1) + i].Y = p.LY * j / n;
    }
  p.NM = 0;
  for (int j = 0; j < n; ++j)
    for (int i = 0; i < n; ++i) {
      const int a = j * (n + 1) + i;
      p.elements[p.NM++] = Element{{a, a + 1, a + n + 2}, 0};
      p.elements[p.NM++] = Element{{a, a + n + 2, a + n + 1}, 0};
    }
  return p;
}

// a wavy lake over about a quarter of the area
SelectionShape Lake(const Problem& p, int vertices) {
  SelectionShape s{ShapeKind::Polygon, {}, 0};
  for (int k = 0; k < vertices; ++k) {
    const double a = 2 * M_PI * k / vertices;
    const double r = 0.3 * p.LY * (1.0 + 0.2 * std::sin(7 * a));
    s.points.push_back({0.5 * p.LX + r * std::cos(a), 0.5 * p.LY + r * std::sin(a)});
  }
  return s;
}

void Run(benchmark::State& state, const SelectionShape& shape, const Assignment& a, Problem& p) {
  AssignOutcome out;
  for (auto _ : state) {
    const Selection s = Select(p, shape);
    out = AssignSelection(p, shape, s, a);
    benchmark::DoNotOptimize(out);
  }
  state.counters["nodes"] = p.NN;
  state.counters["selected"] = out.nodesSelected;
}

void BM_PolygonAssign(benchmark::State& state) {
  const int n = static_cast<int>(state.range(0));
  Problem p = GridProblem(n);
  Assignment a;
  a.layer = 0;
  a.givenHead = 5.0;
  a.soil = 1;
  Run(state, Lake(p, 100), a, p);
}

void BM_RiverAssign(benchmark::State& state) {
  const int n = static_cast<int>(state.range(0));
  Problem p = GridProblem(n);
  SelectionShape river{ShapeKind::Polyline, {}, 20.0};
  for (int k = 0; k <= 20; ++k)
    river.points.push_back({p.LX * k / 20.0, p.LY * (0.5 + 0.3 * std::sin(k * 0.7))});
  Assignment a;
  a.layer = Assignment::kAllLayers;
  a.headAlong = HeadAlongLine{12.0, 2.0};
  a.extraSupply = -500.0;
  Run(state, river, a, p);
}

// 999 squares a side: 1,000,000 nodes
BENCHMARK(BM_PolygonAssign)->Arg(99)->Arg(315)->Arg(999)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RiverAssign)->Arg(99)->Arg(315)->Arg(999)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
