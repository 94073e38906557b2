#include "solver/Assembly.h"

#include <algorithm>
#include <cmath>

#include "solver/ElementGeometry.h"
#include "solver/FlowField.h"
#include "solver/Pattern.h"

namespace planaq {

double SaturatedThickness(double B, double T, double F, int cycle) {
  const double d = T - B;
  if (cycle == 0) return d;
  double h = F - B;
  if (h < 0.001) h = 0.001;
  return h > d ? d : h;
}

int AssemblyReportInterval(int NM) {
  if (NM > 10000) return 1000;
  if (NM > 1000) return 100;
  if (NM > 100) return 10;
  return 1;
}

namespace {

void AssembleSupplyOfWells(Problem& problem) {
  for (int i = 0; i < problem.NN; ++i) problem.layers[i].W.fill(0.0);
  for (int w = 0; w < problem.NW; ++w) {
    const Well& well = problem.wells[w];
    if (well.Node < 0 || well.Node >= problem.NN || well.Layer < 0 || well.Layer >= problem.NL)
      continue;
    problem.layers[well.Node].W[well.Layer] += well.Q;
  }
}

void AssembleElement(Problem& problem, SparseSystem& system, int cycle, int e) {
  if (!problem.HasValidBlock(e)) return;
  const int NL = problem.NL;
  const Element& el = problem.elements[e];
  const Soil& soil = problem.soils[el.Block];
  const ElementGeometry g = GeometryOf(problem, e);
  const double delta = std::fabs(g.det);
  for (int a = 0; a < 3; ++a) problem.layers[el.Node[a]].W[0] += soil.I * delta / 6.0;
  if (!(delta > 0.0)) return;

  double tau[kMaxLayers];
  for (int L = 0; L < NL; ++L) {
    double t[3];
    for (int a = 0; a < 3; ++a) {
      const NodeLayers& nl = problem.layers[el.Node[a]];
      t[a] = SaturatedThickness(nl.B[L], nl.T[L], nl.F[L], cycle);
    }
    const double D = (t[0] + t[1] + t[2]) / 3.0;
    tau[L] = soil.K[L] * D / (2.0 * delta);
  }
  const bool leakage = cycle == 0 && NL > 1;
  double c[kMaxLayers] = {};
  if (leakage)
    for (int L = 0; L < NL - 1; ++L)
      c[L] = AquitardResistance(problem, L, e) * problem.resistanceScaleForTests;

  for (int a = 0; a < 3; ++a) {
    for (int b = 0; b < 3; ++b) {
      const int p = FindPosition(system, el.Node[a], el.Node[b]);
      if (p < 0) continue;
      const double s = g.b[a] * g.b[b] + g.c[a] * g.c[b];
      double* A = &system.A[static_cast<std::size_t>(p) * NL];
      for (int L = 0; L < NL; ++L) A[L] += tau[L] * s;
      if (!leakage) continue;
      const double m = system.column[p] <= 0 ? 2.0 : 1.0;
      double* C = &system.C[static_cast<std::size_t>(p) * (NL - 1)];
      // an aquitard of no resistance at all would couple without bound; it is left out
      for (int L = 0; L < NL - 1; ++L)
        if (c[L] > 0.0) C[L] += m * delta / (24.0 * c[L]);
    }
  }
}

}  // namespace

void AssembleCycle(Problem& problem, SparseSystem& system, int cycle, SolveProgress& progress) {
  AssembleSupplyOfWells(problem);
  std::fill(system.A.begin(), system.A.end(), 0.0);
  if (cycle == 0) std::fill(system.C.begin(), system.C.end(), 0.0);
  const int interval = AssemblyReportInterval(problem.NM);
  for (int e = 0; e < problem.NM; ++e) {
    AssembleElement(problem, system, cycle, e);
    if ((e + 1) % interval == 0 || e == problem.NM - 1) progress.ElementAssembled(e + 1, cycle + 1);
  }
}

}  // namespace planaq
