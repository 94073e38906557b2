#include "manual/ExampleProblem.h"

#include "mesh/Blocks.h"
#include "mesh/Split.h"
#include "mesh/Wells.h"

namespace planaq {
namespace {

constexpr double kLX = 2000.0, kLY = 1000.0;

// Six blocks around the centre of the area, each with its own soil.
void MakeBlocks(Problem& p) {
  const double xy[7][2] = {{0, 0},       {1000, 0}, {2000, 0},  {2000, 1000},
                           {1000, 1000}, {0, 1000}, {1000, 500}};
  p.NA = p.NN = 7;
  p.NB = 6;
  for (int n = 0; n < 7; ++n) p.nodes[n] = Node{xy[n][0], xy[n][1], 0, 0};
  for (int b = 0; b < 6; ++b) p.blocks[b] = Block{{b, (b + 1) % 6, 6}, b};
  ResetMeshToBlocks(p);
}

void SetSoils(Problem& p) {
  for (int b = 0; b < p.NB; ++b) {
    Soil& s = p.soils[b];
    for (int L = 0; L < kMaxLayers; ++L) {
      const bool top = L == 0;  // a fine sand over coarser ones
      s.K[L] = top ? 10.0 : 25.0;
      s.P[L] = top ? 0.35 : 0.3;
      s.R[L] = 1.0;
      s.KA[L] = 0.002;  // the clay layer above layer 2: c = 5 / 0.002 = 2500 d
      s.PA[L] = 0.5;
      s.RA[L] = 1.0;
    }
    s.I = 0.0003;
  }
  // a higher infiltration in the two blocks at the upper right
  p.soils[2].I = p.soils[3].I = 0.0015;
}

// Layer 1 from 30 to 50 m, layer 2 from 0 to 25 m; both have a given head of 34 m at the
// canal on the left and of 36 m at the one on the right.
void SetNodes(Problem& p) {
  for (int n = 0; n < p.NN; ++n) {
    NodeLayers& l = p.layers[n];
    l.B[0] = 30.0;
    l.T[0] = 50.0;
    l.B[1] = 0.0;
    l.T[1] = 25.0;
    l.F[0] = l.F[1] = 35.0;
    l.Q[0] = l.Q[1] = 0.0;
    const double x = p.nodes[n].X;
    p.nodes[n].Type = 0;
    if (x < 1e-6 || x > kLX - 1e-6) {
      p.nodes[n].Type = 2 | 4;
      l.F[0] = l.F[1] = x < 1.0 ? 34.0 : 36.0;
    }
  }
}

void AddParticles(Problem& p) {
  p.NP = 0;
  for (int i = 0; i < 5; ++i) {
    Particle& q = p.particles[p.NP++];
    q.X0 = 1600.0;
    q.Y0 = 100.0 + 200.0 * i;
    q.Z0 = 35.0;  // in layer 1
  }
}

}  // namespace

Problem MakeExampleBlocks() {
  Problem p;
  Capacities caps;
  p.StartUp(caps);
  p.ProblemName = "Example : polder with a pumping well";
  p.FileName = "Example.aqd";
  p.LX = kLX;
  p.LY = kLY;
  p.NL = 2;
  p.TM = 1000.0;
  MakeBlocks(p);
  SetSoils(p);
  SetNodes(p);
  p.TakeSnapshot();
  return p;
}

Problem MakeExampleProblem() {
  Problem p = MakeExampleBlocks();
  for (int i = 0; i < 3; ++i) SplitElements4(p);
  AddWellAt(p, 1300.0, 420.0);
  p.wells[0].Layer = 1;
  p.wells[0].Q = -4000.0;  // pumped from layer 2
  SetNodes(p);
  AddParticles(p);
  p.TakeSnapshot();
  return p;
}

}  // namespace planaq
