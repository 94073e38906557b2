#pragma once
// A rectangular mesh of nx by ny cells, two elements per cell, one block, with heads set
// directly (no solving): the test problems of the figures.

#include <functional>

#include "model/Problem.h"

namespace planaq::test {

struct StripShape {
  double width = 2000.0, height = 1000.0;
  int nx = 4, ny = 2;
  int NL = 1;
};

inline Problem MakeStrip(const StripShape& shape) {
  Problem p;
  Capacities caps;
  caps.BMAX = 8;
  caps.NMAX = 500;
  caps.MMAX = 1000;
  caps.PMAX = 10;
  p.StartUp(caps);
  p.NL = shape.NL;
  p.LX = shape.width;
  p.LY = shape.height;
  p.NN = (shape.nx + 1) * (shape.ny + 1);
  p.NA = 3;
  p.NB = 1;
  p.NW = 0;
  p.NP = 0;
  p.TM = 2000.0;
  auto id = [&](int i, int j) { return i * (shape.ny + 1) + j; };
  for (int i = 0; i <= shape.nx; ++i)
    for (int j = 0; j <= shape.ny; ++j) {
      Node& n = p.nodes[id(i, j)];
      n.X = shape.width * i / shape.nx;
      n.Y = shape.height * j / shape.ny;
      n.Type = 0;
      for (int L = 0; L < p.NL; ++L) {
        p.layers[id(i, j)].B[L] = -20.0 * L;
        p.layers[id(i, j)].T[L] = -20.0 * L + 10.0;
        p.layers[id(i, j)].F[L] = 20.0;
      }
    }
  int m = 0;
  for (int i = 0; i < shape.nx; ++i)
    for (int j = 0; j < shape.ny; ++j) {
      p.elements[m++] = Element{{id(i, j), id(i + 1, j), id(i + 1, j + 1)}, 0};
      p.elements[m++] = Element{{id(i, j), id(i + 1, j + 1), id(i, j + 1)}, 0};
    }
  p.NM = m;
  p.blocks[0] = Block{{id(0, 0), id(shape.nx, 0), id(shape.nx, shape.ny)}, 0};
  Soil& s = p.soils[0];
  for (int L = 0; L < kMaxLayers; ++L) {
    s.K[L] = 10.0;
    s.P[L] = 0.4;
    s.R[L] = 1.0;
    s.KA[L] = 0.01;
    s.PA[L] = 0.4;
    s.RA[L] = 1.0;
  }
  s.I = 0.0;
  return p;
}

// Sets the head of layer L at every node.
inline void SetHeads(Problem& p, int L, const std::function<double(double x, double y)>& head) {
  for (int n = 0; n < p.NN; ++n) p.layers[n].F[L] = head(p.nodes[n].X, p.nodes[n].Y);
}

inline void AddParticle(Problem& p, double x, double y, double z) {
  Particle& q = p.particles[p.NP++];
  q.X0 = x;
  q.Y0 = y;
  q.Z0 = z;
}

inline void AddWell(Problem& p, int node, int layer, double Q) {
  p.wells[p.NW++] = Well{node, layer, Q};
}

}  // namespace planaq::test
