#include "solver/FlowField.h"

#include <cmath>

#include "solver/ElementGeometry.h"

namespace planaq {

int LocateElement(const Problem& problem, double x, double y, int start) {
  const int NM = problem.NM;
  if (start < 0 || start >= NM) start = 0;
  for (int i = 0; i < NM; ++i) {
    if (start + i < NM && problem.ElementContaining(x, y, start + i) >= 0) return start + i;
    if (i <= start && problem.ElementContaining(x, y, start - i) >= 0) return start - i;
  }
  return -1;
}

Discharge ElementDischarge(const Problem& problem, int e, int L) {
  Discharge q;
  if (!problem.HasValidBlock(e)) return q;
  const ElementGeometry g = GeometryOf(problem, e);
  if (!(std::fabs(g.det) > 0.0)) return q;
  const Element& el = problem.elements[e];
  double sb = 0.0, sc = 0.0;
  for (int a = 0; a < 3; ++a) {
    const double F = problem.layers[el.Node[a]].F[L];
    sb += g.b[a] * F;
    sc += g.c[a] * F;
  }
  const double K = problem.soils[el.Block].K[L];
  q.qx = -(K / g.det) * sb;
  q.qy = -(K / g.det) * sc;
  return q;
}

double MeanDischarge(const Problem& problem) {
  if (problem.NM <= 0 || problem.NL <= 0) return 0.0;
  double sum = 0.0;
  for (int L = 0; L < problem.NL; ++L) {
    for (int e = 0; e < problem.NM; ++e) {
      const Discharge q = ElementDischarge(problem, e, L);
      sum += std::sqrt(q.qx * q.qx + q.qy * q.qy);
    }
  }
  return sum / (static_cast<double>(problem.NL) * problem.NM);
}

namespace {

struct ElementMeans {
  double B = 0.0, T = 0.0, F = 0.0;
};

ElementMeans MeansOf(const Problem& problem, int e, int L) {
  ElementMeans m;
  for (int n : problem.elements[e].Node) {
    m.B += problem.layers[n].B[L];
    m.T += problem.layers[n].T[L];
    m.F += problem.layers[n].F[L];
  }
  m.B /= 3.0;
  m.T /= 3.0;
  m.F /= 3.0;
  return m;
}

constexpr int kOutside = 1 << 30;  // no layer holds the point

// Layer code of elevation Z in element e; the last layer that matches wins. With clamp, a
// point above the top or the water table of layer 1 is first lowered onto the lower of them.
int LayerCode(const Problem& problem, int e, double& Z, bool clamp) {
  int code = kOutside;
  double bottomAbove = 0.0;
  for (int i = 0; i < problem.NL; ++i) {
    const ElementMeans m = MeansOf(problem, e, i);
    if (clamp && i == 0) {
      if (Z > m.T) Z = m.T;
      if (Z > m.F) Z = m.F;
    }
    if (m.B < Z && Z <= m.T)
      code = i;
    else if (i > 0 && m.T < Z && Z <= bottomAbove)
      code = -i;
    bottomAbove = m.B;
  }
  return code;
}

// Vertical leakage through aquitard L (between aquifers L and L+1), upward positive.
double Leakage(const Problem& problem, int e, int L) {
  const double c = AquitardResistance(problem, L, e);
  if (!(c > 0.0)) return 0.0;
  double s = 0.0;
  for (int n : problem.elements[e].Node) s += problem.layers[n].F[L + 1] - problem.layers[n].F[L];
  return s / (3.0 * c);
}

void EvaluateVelocity(const Problem& problem, Particle& particle) {
  particle.qx = particle.qy = particle.w = 0.0;
  const int e = particle.Element, v = particle.LayerCode;
  if (!problem.HasValidBlock(e)) return;
  const Discharge q = ElementDischarge(problem, e, v);
  particle.qx = q.qx;
  particle.qy = q.qy;
  const ElementMeans m = MeansOf(problem, e, v);
  const double top = m.F < m.T ? m.F : m.T;
  const double wt =
      v == 0 ? -problem.soils[problem.elements[e].Block].I : Leakage(problem, e, v - 1);
  const double wb = v < problem.NL - 1 ? Leakage(problem, e, v) : 0.0;
  // a flow of no thickness carries no vertical discharge
  if (!(top - m.B != 0.0)) return;
  particle.w = wb + (particle.Z - m.B) * (wt - wb) / (top - m.B);
}

}  // namespace

void InitParticles(Problem& problem) {
  for (int i = 0; i < problem.NP; ++i) {
    Particle& p = problem.particles[i];
    p.X = p.X0;
    p.Y = p.Y0;
    p.Z = p.Z0;
    p.Element = -1;
    p.LayerCode = problem.NL;
    p.qx = p.qy = p.w = 0.0;
    const int e = LocateElement(problem, p.X, p.Y, problem.NM / 2);
    if (e < 0) continue;
    const int code = LayerCode(problem, e, p.Z, true);
    if (code == kOutside) continue;
    p.Element = e;
    p.LayerCode = code;
    if (code >= 0) EvaluateVelocity(problem, p);
  }
}

void UpdateParticle(Problem& problem, int i) {
  Particle& p = problem.particles[i];
  const int e = LocateElement(problem, p.X, p.Y, p.Element);
  bool changed = e != p.Element;
  p.Element = e;
  if (e < 0) return;
  const int code = LayerCode(problem, e, p.Z, false);
  if (code == kOutside) {
    p.Element = -1;
    return;
  }
  changed = changed || code != p.LayerCode;
  p.LayerCode = code;
  if (!changed) return;
  if (code < 0) {
    p.qx = p.qy = 0.0;  // in an aquitard: vertical only, with the w it came with
    return;
  }
  EvaluateVelocity(problem, p);
}

void PrepareFlowField(Problem& problem) {
  InitParticles(problem);
  problem.meanDischarge = MeanDischarge(problem);
}

}  // namespace planaq
