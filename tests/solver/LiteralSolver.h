#pragma once
// The solver written the plain way, as the reference that the fast one must equal exactly:
// the element scan for the pattern, six conductance and five leakage doubles per position,
// per-layer vectors of r, p, q, and one loop per formula.

#include <array>
#include <cmath>
#include <vector>

#include "model/Problem.h"

namespace planaq::test {

struct LiteralSystem {
  std::vector<int> column, rowStart;
  int NZ = 0;
  std::vector<std::array<double, 6>> A;
  std::vector<std::array<double, 5>> C;
  int RowEnd(int i, int NN) const { return i + 1 < NN ? rowStart[i + 1] : NZ; }
};

inline bool Contains(const Problem& p, int e, int i) {
  const auto& n = p.elements[e].Node;
  return p.HasValidBlock(e) && (n[0] == i || n[1] == i || n[2] == i);
}

// The scan: count the elements of every node and note its lowest one (visiting the elements
// from the last to the first), then per node visit elements upward from that one.
inline LiteralSystem LiteralPattern(const Problem& p) {
  LiteralSystem s;
  std::vector<int> count(p.NN, 0), lowest(p.NN, 0);
  for (int e = p.NM - 1; e >= 0; --e)
    for (int i : p.elements[e].Node)
      if (Contains(p, e, i)) {
        ++count[i];
        lowest[i] = e;
      }
  s.rowStart.assign(p.NN, 0);
  int j = 0;
  for (int i = 0; i < p.NN; ++i) {
    s.rowStart[i] = j;
    s.column.push_back(-i);
    int found = 0;
    for (int e = lowest[i]; e < p.NM && found < count[i]; ++e) {
      if (!Contains(p, e, i)) continue;
      ++found;
      for (int k : p.elements[e].Node) {
        bool present = false;
        for (int q = j + 1; q < static_cast<int>(s.column.size()); ++q) present |= s.column[q] == k;
        if (k > i && !present) s.column.push_back(k);
      }
    }
    j = static_cast<int>(s.column.size());
  }
  s.NZ = j;
  s.A.assign(s.NZ, {});
  s.C.assign(s.NZ, {});
  return s;
}

inline int LiteralFind(const LiteralSystem& s, int NN, int i, int k) {
  if (k == i) return s.rowStart[i];
  for (int q = s.rowStart[i] + 1; q < s.RowEnd(i, NN); ++q)
    if (s.column[q] == k) return q;
  return -1;
}

inline double LiteralResistance(const Problem& p, int L, int e) {
  double d = 0, g = 0;
  const Soil& s = p.soils[p.elements[e].Block];
  for (int n : p.elements[e].Node) d += p.layers[n].B[L] - p.layers[n].T[L + 1];
  const double f = (d > 0.001 && s.KA[L + 1] < 2000) ? d / (3 * s.KA[L + 1]) : 0;
  double g1 = 0, g2 = 0;
  for (int n : p.elements[e].Node) {
    g1 += p.layers[n].T[L + 1] - p.layers[n].B[L + 1];
    g2 += p.layers[n].T[L] - p.layers[n].B[L];
  }
  g = g1 / (6 * s.K[L + 1]) + g2 / (6 * s.K[L]);
  return f >= g ? f : g;
}

inline void LiteralAssemble(Problem& p, LiteralSystem& s, int cycle) {
  for (int i = 0; i < p.NN; ++i) p.layers[i].W.fill(0);
  for (int w = 0; w < p.NW; ++w) p.layers[p.wells[w].Node].W[p.wells[w].Layer] += p.wells[w].Q;
  for (auto& a : s.A) a.fill(0);
  if (cycle == 0)
    for (auto& c : s.C) c.fill(0);
  for (int e = 0; e < p.NM; ++e) {
    if (p.elements[e].Block < 0 || p.elements[e].Block >= p.NB) continue;
    const auto& N = p.elements[e].Node;
    const Soil& soil = p.soils[p.elements[e].Block];
    double x[3], y[3], b[3], c[3];
    const double xc = (p.nodes[N[0]].X + p.nodes[N[1]].X + p.nodes[N[2]].X) / 3;
    const double yc = (p.nodes[N[0]].Y + p.nodes[N[1]].Y + p.nodes[N[2]].Y) / 3;
    for (int a = 0; a < 3; ++a) {
      x[a] = p.nodes[N[a]].X - xc;
      y[a] = p.nodes[N[a]].Y - yc;
    }
    b[0] = y[1] - y[2];
    b[1] = y[2] - y[0];
    b[2] = y[0] - y[1];
    c[0] = x[2] - x[1];
    c[1] = x[0] - x[2];
    c[2] = x[1] - x[0];
    const double delta = std::fabs(x[0] * b[0] + x[1] * b[1] + x[2] * b[2]);
    for (int a = 0; a < 3; ++a) p.layers[N[a]].W[0] += soil.I * delta / 6;
    if (delta <= 0) continue;
    double tau[6], res[5];
    for (int L = 0; L < p.NL; ++L) {
      double t[3];
      for (int a = 0; a < 3; ++a) {
        const double d = p.layers[N[a]].T[L] - p.layers[N[a]].B[L];
        double h = p.layers[N[a]].F[L] - p.layers[N[a]].B[L];
        if (h < 0.001) h = 0.001;
        t[a] = cycle == 0 ? d : (h > d ? d : h);
      }
      tau[L] = soil.K[L] * ((t[0] + t[1] + t[2]) / 3) / (2 * delta);
    }
    if (cycle == 0 && p.NL > 1)
      for (int L = 0; L < p.NL - 1; ++L) res[L] = LiteralResistance(p, L, e);
    for (int a = 0; a < 3; ++a)
      for (int bb = 0; bb < 3; ++bb) {
        const int q = N[bb] < N[a] ? -1 : LiteralFind(s, p.NN, N[a], N[bb]);
        if (q < 0) continue;
        for (int L = 0; L < p.NL; ++L) s.A[q][L] += tau[L] * (b[a] * b[bb] + c[a] * c[bb]);
        if (cycle == 0 && p.NL > 1)
          for (int L = 0; L < p.NL - 1; ++L)
            s.C[q][L] += (s.column[q] <= 0 ? 2 : 1) * delta / (24 * res[L]);
      }
  }
}

using LayerVectors = std::vector<std::vector<double>>;  // [layer][node]

// y_L(i) = sum A_L x_L - C_(L-1) x_(L-1) - C_L x_(L+1), one value per layer and position side
inline LayerVectors LiteralApply(const LiteralSystem& s, int NN, int NL, const LayerVectors& x) {
  LayerVectors y(NL, std::vector<double>(NN, 0.0));
  auto value = [&](int q, int L, int k) {
    double v = s.A[q][L] * x[L][k];
    if (L > 0) v -= s.C[q][L - 1] * x[L - 1][k];
    if (L < NL - 1) v -= s.C[q][L] * x[L + 1][k];
    return v;
  };
  for (int i = 0; i < NN; ++i)
    for (int q = s.rowStart[i]; q < s.RowEnd(i, NN); ++q) {
      const int k = q == s.rowStart[i] ? i : s.column[q];
      for (int L = 0; L < NL; ++L) {
        y[L][i] += value(q, L, k);
        if (k != i) y[L][k] += value(q, L, i);
      }
    }
  return y;
}

inline double LayerSum(const LayerVectors& a, const LayerVectors& b, const LayerVectors* d) {
  double total = 0;
  for (std::size_t L = 0; L < a.size(); ++L) {
    double s = 0;
    for (std::size_t i = 0; i < a[L].size(); ++i) {
      if (d && (*d)[L][i] == 0) continue;  // rows that are not iterated add nothing
      s += d ? a[L][i] * b[L][i] / (*d)[L][i] : a[L][i] * b[L][i];
    }
    total += s;
  }
  return total;
}

// One cycle's iteration; returns the iteration count.
inline int LiteralIterate(Problem& p, LiteralSystem& s, int cycle) {
  const int NN = p.NN, NL = p.NL;
  for (int q = 0; q < s.NZ && NL > 1; ++q) {
    s.A[q][0] += s.C[q][0];
    for (int L = 1; L < NL - 1; ++L) s.A[q][L] += s.C[q][L] + s.C[q][L - 1];
    s.A[q][NL - 1] += s.C[q][NL - 2];
  }
  double eps = 0.0001;
  for (int c = 0; c < cycle; ++c) eps *= 0.0001;
  const long long m = 2LL * NN * NL;
  LayerVectors F(NL, std::vector<double>(NN)), r, pv(NL, std::vector<double>(NN, 0.0)), q;
  LayerVectors d(NL, std::vector<double>(NN, 0.0));
  for (int L = 0; L < NL; ++L)
    for (int i = 0; i < NN; ++i) F[L][i] = p.layers[i].F[L];
  auto given = [&](int i, int L) { return (p.nodes[i].Type >> (L + 1)) & 1; };
  for (int L = 0; L < NL; ++L)
    for (int i = 0; i < NN; ++i)
      if (!given(i, L)) d[L][i] = s.A[s.rowStart[i]][L];
  r = LiteralApply(s, NN, NL, F);
  for (int L = 0; L < NL; ++L)
    for (int i = 0; i < NN; ++i) {
      if (given(i, L) || d[L][i] == 0) {
        r[L][i] = 0;
        pv[L][i] = 0;
      } else {
        r[L][i] = p.layers[i].W[L] - r[L][i];
        pv[L][i] = r[L][i] / d[L][i];
      }
    }
  double rho = LayerSum(r, pv, nullptr);
  int count = 0;
  while (count <= m && rho > eps) {
    q = LiteralApply(s, NN, NL, pv);
    const double sigma = LayerSum(pv, q, nullptr);
    if (sigma == 0) break;
    const double alpha = rho / sigma;
    for (int L = 0; L < NL; ++L)
      for (int i = 0; i < NN; ++i)
        if (d[L][i] != 0) {
          F[L][i] += alpha * pv[L][i];
          r[L][i] -= alpha * q[L][i];
        }
    const double rho2 = LayerSum(r, r, &d);
    const double beta = rho2 / rho;
    for (int L = 0; L < NL; ++L)
      for (int i = 0; i < NN; ++i)
        pv[L][i] = d[L][i] == 0 ? 0 : r[L][i] / d[L][i] + beta * pv[L][i];
    rho = rho2;
    ++count;
  }
  for (int L = 0; L < NL; ++L)
    for (int i = 0; i < NN; ++i) p.layers[i].F[L] = F[L][i];
  for (int i = 0; i < NN; ++i)
    if ((p.nodes[i].Type & 1) && !(p.nodes[i].Type & 2) && p.layers[i].F[0] > p.layers[i].T[0])
      p.layers[i].F[0] = p.layers[i].T[0];
  return count;
}

// The six cycles and the supplies; returns the iteration count of every cycle.
inline std::vector<int> LiteralSolve(Problem& p) {
  LiteralSystem s = LiteralPattern(p);
  std::vector<int> counts;
  for (int cycle = 0; cycle < 6; ++cycle) {
    LiteralAssemble(p, s, cycle);
    counts.push_back(LiteralIterate(p, s, cycle));
  }
  LayerVectors F(p.NL, std::vector<double>(p.NN));
  for (int L = 0; L < p.NL; ++L)
    for (int i = 0; i < p.NN; ++i) F[L][i] = p.layers[i].F[L];
  const LayerVectors Q = LiteralApply(s, p.NN, p.NL, F);
  for (int L = 0; L < p.NL; ++L)
    for (int i = 0; i < p.NN; ++i) p.layers[i].Q[L] = Q[L][i];
  return counts;
}

}  // namespace planaq::test
