#pragma once
// Generated problems for the solver tests: a rectangle of nx by ny cells, each cut into two
// triangles, with every node and element table filled for NL layers.

#include <algorithm>
#include <cmath>
#include <numeric>
#include <random>
#include <vector>

#include "model/Problem.h"

namespace planaq::test {

struct StripLayout {
  double length = 1000.0, width = 100.0;
  int nx = 20, ny = 2;
  int NL = 1;
  bool randomDiagonals = false;  // else every cell is cut the same way
  bool shuffle = false;          // random node and element numbering
  unsigned seed = 1;
};

inline int NodeAt(const StripLayout& s, int ix, int iy) { return ix * (s.ny + 1) + iy; }

// Layers of 10 m with aquitards of 1 m, layer 1 from 50 to 60 m; heads 70 m, K = 10 m/d,
// K' = 0.001 m/d; no infiltration; every head unknown.
inline Problem StripProblem(const StripLayout& s) {
  Problem p;
  Capacities caps;
  caps.NMAX = std::max(100, (s.nx + 1) * (s.ny + 1));
  caps.MMAX = std::max(100, 2 * s.nx * s.ny);
  p.StartUp(caps);
  p.NL = s.NL;
  p.NN = (s.nx + 1) * (s.ny + 1);
  p.NM = 2 * s.nx * s.ny;
  p.NB = 1;
  p.NW = 0;
  p.NP = 0;
  p.LX = s.length;
  p.LY = s.width;
  std::mt19937 rng(s.seed);
  std::vector<int> nodeOrder(p.NN), elementOrder(p.NM);
  std::iota(nodeOrder.begin(), nodeOrder.end(), 0);
  std::iota(elementOrder.begin(), elementOrder.end(), 0);
  if (s.shuffle) {
    std::shuffle(nodeOrder.begin(), nodeOrder.end(), rng);
    std::shuffle(elementOrder.begin(), elementOrder.end(), rng);
  }
  for (int ix = 0; ix <= s.nx; ++ix) {
    for (int iy = 0; iy <= s.ny; ++iy) {
      const int n = nodeOrder[NodeAt(s, ix, iy)];
      p.nodes[n].X = s.length * ix / s.nx;
      p.nodes[n].Y = s.width * iy / s.ny;
      p.nodes[n].Type = 0;
      for (int L = 0; L < kMaxLayers; ++L) {
        p.layers[n].T[L] = 60.0 - 11.0 * L;
        p.layers[n].B[L] = 50.0 - 11.0 * L;
        p.layers[n].F[L] = 70.0;
        p.layers[n].Q[L] = 0.0;
      }
    }
  }
  int m = 0;
  for (int ix = 0; ix < s.nx; ++ix) {
    for (int iy = 0; iy < s.ny; ++iy) {
      const int a = nodeOrder[NodeAt(s, ix, iy)], b = nodeOrder[NodeAt(s, ix + 1, iy)];
      const int c = nodeOrder[NodeAt(s, ix + 1, iy + 1)], d = nodeOrder[NodeAt(s, ix, iy + 1)];
      const bool cut = s.randomDiagonals ? (rng() & 1) : true;
      Element& e1 = p.elements[elementOrder[m++]];
      Element& e2 = p.elements[elementOrder[m++]];
      if (cut) {
        e1.Node = {a, b, c};
        e2.Node = {a, c, d};
      } else {
        e1.Node = {a, b, d};
        e2.Node = {b, c, d};
      }
      e1.Block = e2.Block = 0;
    }
  }
  Soil& soil = p.soils[0];
  for (int L = 0; L < kMaxLayers; ++L) {
    soil.K[L] = 10.0;
    soil.KA[L] = 0.001;
  }
  soil.I = 0.0;
  return p;
}

// Gives the head h(x) in layer L at every node with X within tol of x.
template <typename Head>
void GiveHeadsAt(Problem& p, double x, int L, Head h, double tol = 1e-9) {
  for (int n = 0; n < p.NN; ++n) {
    if (std::fabs(p.nodes[n].X - x) <= tol) {
      p.nodes[n].Type |= 1 << (L + 1);
      p.layers[n].F[L] = h(p.nodes[n].X);
    }
  }
}

}  // namespace planaq::test
