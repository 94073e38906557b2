#pragma once
// The rectangle the benchmarks share: 2000 m by 1000 m cut into nx x ny cells of two
// triangles, NL layers; as a bare mesh, or as a problem solved.

#include <algorithm>
#include <cmath>

#include "model/Problem.h"
#include "solver/Solve.h"

namespace planaq::bench {

// The mesh alone: (nx + 1) x (ny + 1) nodes numbered column by column, two triangles in each
// cell, one block; the layer values, soils and wells are the caller's.
inline Problem RectangleMesh(int nx, int ny, int NL) {
  Problem p;
  Capacities caps;
  caps.NMAX = (nx + 1) * (ny + 1);
  caps.MMAX = 2 * nx * ny;
  p.StartUp(caps);
  p.NL = NL;
  p.NN = caps.NMAX;
  p.NM = caps.MMAX;
  p.NB = 1;
  p.NW = p.NP = 0;
  for (int ix = 0; ix <= nx; ++ix)
    for (int iy = 0; iy <= ny; ++iy) {
      const int n = ix * (ny + 1) + iy;
      p.nodes[n].X = 2000.0 * ix / nx;
      p.nodes[n].Y = 1000.0 * iy / ny;
    }
  int m = 0;
  for (int ix = 0; ix < nx; ++ix)
    for (int iy = 0; iy < ny; ++iy) {
      const int a = ix * (ny + 1) + iy, b = a + ny + 1;
      p.elements[m++] = {{a, b, b + 1}, 0};
      p.elements[m++] = {{a, b + 1, a + 1}, 0};
    }
  return p;
}

// The mesh of about the given number of nodes, twice as many across as up.
inline Problem RectangleMeshOf(int nodes, int NL) {
  const int ny = std::max(2, static_cast<int>(std::sqrt(nodes / 2.0)));
  const int nx = std::max(2, nodes / (ny + 1) - 1);
  return RectangleMesh(nx, ny, NL);
}

// Left edge held at 10 m in layer 1, right edge at 6 m; 0.5 mm/d of infiltration; a well
// of 500 m3/d in the lower layer near the middle.
inline Problem SolvedRectangle(int nx, int ny, int NL) {
  Problem p = RectangleMesh(nx, ny, NL);
  for (int ix = 0; ix <= nx; ++ix)
    for (int iy = 0; iy <= ny; ++iy) {
      const int n = ix * (ny + 1) + iy;
      p.nodes[n].Type = ix == 0 || ix == nx ? 2 : 0;
      for (int L = 0; L < kMaxLayers; ++L) {
        p.layers[n].T[L] = -10.0 * L - 1.0;
        p.layers[n].B[L] = -10.0 * L - 9.0;
        p.layers[n].F[L] = ix == nx ? 6.0 : 10.0;
      }
    }
  for (int L = 0; L < kMaxLayers; ++L) {
    p.soils[0].K[L] = 10.0;
    p.soils[0].KA[L] = 0.001;
  }
  p.soils[0].I = 0.0005;
  p.NW = NL > 1 ? 1 : 0;
  p.wells[0] = Well{(nx / 2) * (ny + 1) + ny / 2, 1, -500.0};
  SolveProgress none;
  SolveProblem(p, none);
  return p;
}

}  // namespace planaq::bench
