#include "manual/TestProblems.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "mesh/Blocks.h"
#include "mesh/Split.h"
#include "solver/Solve.h"
#include "solver/WaterBalance.h"

namespace planaq {
namespace {

constexpr double kPi = 3.14159265358979323846;

// Test 1: B = 0, T = 10, K = 10: kD = 100 m2/d; I = 0.001 m/d; heads 16 and 14 m at the ends.
constexpr double kT1h0 = 16.0, kT1hL = 14.0, kT1I = 0.001, kT1kD = 100.0;
// Test 2: layer 1 held at 40 m; aquitard 5 m with K' = 0.0025 m/d: c = 2000 d; layer 2 20 m
// thick with K = 10: kD = 200 m2/d; a well of 1000 m3/d, a quarter of it in this quadrant.
constexpr double kT2h = 40.0, kT2c = 2000.0, kT2kD = 200.0, kT2Q = 1000.0;
// Test 3: B = 0, T = 20, K = 10; I = 0.001 m/d; heads 10 and 6 m at the ends.
constexpr double kT3h0 = 10.0, kT3hL = 6.0, kT3I = 0.001, kT3k = 10.0;
// Test 4: B = 0, open top at T0 = 12, K = 10; N = 0.005 m/d; heads 10 m at both ends.
constexpr double kT4h0 = 10.0, kT4T0 = 12.0, kT4N = 0.005, kT4k = 10.0;

// Half-width of the part of test 4 that does not seep: Phi(T0) - Phi(h0) = N a^2 / 2 with
// Phi(h) = K h^2 / 2.
double SeepageEdge() { return std::sqrt(kT4k * (kT4T0 * kT4T0 - kT4h0 * kT4h0) / kT4N); }

const TestProblemSpec kSpecs[kTestProblems] = {
    // linear elements give the parabola exactly at the nodes of this mesh: only the
    // iteration's own error is left, far below a millimetre
    {"Test 1", "Uniform infiltration", 1000.0, 250.0, 4, 1, 0, 0.0, 0.001},
    // the point well and the element size of 125 m (lambda / 5) are the error near the well;
    // nodes within three elements of it are left out
    {"Test 2", "Well in a leaky aquifer", 4000.0, 4000.0, 5, 2, 1, 375.0, 0.01},
    // six cycles of thickness updates and the mean thickness of an element
    {"Test 3", "Unconfined flow", 1000.0, 250.0, 4, 1, 0, 0.0, 0.01},
    // the edge of the seeping band falls inside an element: a kink of the head that linear
    // elements of 62.5 m follow to within a centimetre
    {"Test 4", "Seepage from a strip", 1000.0, 250.0, 4, 1, 0, 0.0, 0.02},
};

// Two blocks on the corners of the rectangle, one soil each, refined by Split 4.
void MakeRectangle(Problem& p, const TestProblemSpec& s) {
  p.LX = s.LX;
  p.LY = s.LY;
  p.NL = s.NL;
  p.NA = p.NN = 4;
  p.NB = 2;
  p.NW = p.NP = 0;
  const double xy[4][2] = {{0.0, 0.0}, {s.LX, 0.0}, {s.LX, s.LY}, {0.0, s.LY}};
  for (int n = 0; n < 4; ++n) p.nodes[n] = Node{xy[n][0], xy[n][1], 0, 0};
  p.blocks[0] = Block{{0, 1, 2}, 0};
  p.blocks[1] = Block{{0, 2, 3}, 1};
  ResetMeshToBlocks(p);
  for (int i = 0; i < s.splits; ++i) SplitElements4(p);
  p.TakeSnapshot();
}

void SetSoils(Problem& p, double K, double KA, double I) {
  for (int b = 0; b < p.NB; ++b) {
    Soil& soil = p.soils[b];
    for (int L = 0; L < kMaxLayers; ++L) {
      soil.K[L] = K;
      soil.P[L] = 0.3;
      soil.R[L] = 1.0;
      soil.KA[L] = KA;
      soil.PA[L] = 0.4;
      soil.RA[L] = 1.0;
    }
    soil.I = I;
  }
}

bool AtEnd(const Problem& p, int n) {
  return p.nodes[n].X < 1e-6 * p.LX || p.nodes[n].X > (1.0 - 1e-6) * p.LX;
}

// One layer between B and T, the heads given at both ends and start at F elsewhere.
void MakeStrip(Problem& p, double B, double T, double h0, double hL, double F) {
  for (int n = 0; n < p.NN; ++n) {
    NodeLayers& l = p.layers[n];
    l.B[0] = B;
    l.T[0] = T;
    l.Q[0] = 0.0;
    l.F[0] = F;
    p.nodes[n].Type = 0;
    if (AtEnd(p, n)) {
      p.nodes[n].Type = 2;
      l.F[0] = p.nodes[n].X < 0.5 * p.LX ? h0 : hL;
    }
  }
}

void MakeLeakyAquifer(Problem& p) {
  for (int n = 0; n < p.NN; ++n) {
    NodeLayers& l = p.layers[n];
    l.B[0] = 25.0;
    l.T[0] = 35.0;
    l.B[1] = 0.0;
    l.T[1] = 20.0;
    l.F[0] = l.F[1] = kT2h;
    l.Q[0] = l.Q[1] = 0.0;
    p.nodes[n].Type = 2;  // the head of layer 1 is given everywhere
  }
  p.NW = 1;
  p.wells[0] = Well{0, 1, -0.25 * kT2Q};  // node 1 is the corner (0, 0): a pumping well
}

}  // namespace

const TestProblemSpec& TestProblem(int test) {
  return kSpecs[std::clamp(test, 1, kTestProblems) - 1];
}

Problem MakeTestProblem(int test) {
  const TestProblemSpec& s = TestProblem(test);
  Problem p;
  Capacities caps;
  caps.NMAX = 4000;
  caps.MMAX = 8000;
  caps.BMAX = 8;
  caps.PMAX = 10;
  p.StartUp(caps);
  p.ProblemName = s.name + " : " + s.title;
  p.FileName = "Test" + std::to_string(test) + ".aqd";
  MakeRectangle(p, s);
  if (test == 1) {
    SetSoils(p, 10.0, 0.0001, kT1I);
    MakeStrip(p, 0.0, 10.0, kT1h0, kT1hL, 15.0);
  } else if (test == 2) {
    SetSoils(p, 10.0, 5.0 / kT2c, 0.0);
    MakeLeakyAquifer(p);
  } else if (test == 3) {
    SetSoils(p, kT3k, 0.0001, kT3I);
    MakeStrip(p, 0.0, 20.0, kT3h0, kT3hL, 8.0);
  } else {
    SetSoils(p, kT4k, 0.0001, kT4N);
    MakeStrip(p, 0.0, kT4T0, kT4h0, kT4h0, 11.0);
    for (int n = 0; n < p.NN; ++n) p.nodes[n].Type |= 1;  // the top is open everywhere
  }
  return p;
}

double ClosedFormHead(int test, double x, double y) {
  const TestProblemSpec& s = TestProblem(test);
  const double L = s.LX;
  if (test == 1) {
    // kD h'' = -I:  h = h0 + (hL - h0) x / L + I x (L - x) / (2 kD)
    return kT1h0 + (kT1hL - kT1h0) * x / L + kT1I * x * (L - x) / (2.0 * kT1kD);
  }
  if (test == 2) {
    // De Glee: s = Q / (2 pi kD) K0(r / lambda), lambda = sqrt(kD c)
    const double r = std::max(std::hypot(x, y), 1e-3);
    const double lambda = std::sqrt(kT2kD * kT2c);
    return kT2h - kT2Q / (2.0 * kPi * kT2kD) * std::cyl_bessel_k(0.0, r / lambda);
  }
  if (test == 4) {
    // T0 over [a, L - a]; outside it the Dupuit mound that meets T0 at a
    const double a = SeepageEdge(), s = std::min(x, L - x);
    return s >= a ? kT4T0 : std::sqrt(kT4T0 * kT4T0 - kT4N * (a - s) * (a - s) / kT4k);
  }
  // Dupuit: (h^2)'' = -2 I / k:  h^2 = h0^2 + (hL^2 - h0^2) x / L + I x (L - x) / k
  const double h2 =
      kT3h0 * kT3h0 + (kT3hL * kT3hL - kT3h0 * kT3h0) * x / L + kT3I * x * (L - x) / kT3k;
  return std::sqrt(h2);
}

double ClosedFormSeepage(int test) {
  if (test != 4) return 0.0;
  return kT4N * (TestProblem(4).LX - 2.0 * SeepageEdge());
}

TestOutcome CompareWithClosedForm(int test, const Problem& p) {
  const TestProblemSpec& s = TestProblem(test);
  TestOutcome out;
  out.name = s.name;
  out.nodes = p.NN;
  out.tolerance = s.tolerance;
  out.solved = true;
  for (int n = 0; n < p.NN; ++n) {
    const double x = p.nodes[n].X, y = p.nodes[n].Y;
    if (std::hypot(x, y) < s.rMin) continue;
    const double error = std::fabs(p.layers[n].F[s.layer] - ClosedFormHead(test, x, y));
    // a head that is not a number is the largest error of all
    out.maxError = std::isnan(error) ? HUGE_VAL : std::max(out.maxError, error);
    ++out.compared;
  }
  if (test == 4) {
    // out through the open tops whose head stands at the top, per metre of width
    out.seepage = -ComputeWaterBalance(p).aquifers[0].seepage / p.LY;
    out.exactSeepage = ClosedFormSeepage(test);
    out.seepageTolerance = 0.01;
  }
  return out;
}

TestOutcome RunTestProblem(int test, const std::function<void(Problem&)>& beforeSolve) {
  Problem p = MakeTestProblem(test);
  if (beforeSolve) beforeSolve(p);
  SolveProgress none;
  const SolveResult result = SolveProblem(p, none);
  if (!result.solved) {
    TestOutcome out;
    out.name = TestProblem(test).name;
    out.nodes = p.NN;
    out.tolerance = TestProblem(test).tolerance;
    out.message = result.message;
    return out;
  }
  return CompareWithClosedForm(test, p);
}

std::vector<TestOutcome> RunTestProblems(const std::function<void(Problem&)>& beforeSolve) {
  std::vector<TestOutcome> all;
  for (int t = 1; t <= kTestProblems; ++t) all.push_back(RunTestProblem(t, beforeSolve));
  return all;
}

std::string FormatOutcome(const TestOutcome& o) {
  char line[160];
  std::snprintf(line, sizeof line, "%-7s %6d %12.6f %10.6f  %s", o.name.c_str(), o.nodes,
                o.maxError, o.tolerance, o.Passed() ? "pass" : "FAIL");
  return line;
}

std::string FormatSeepage(const TestOutcome& o) {
  if (o.exactSeepage == 0.0) return "";
  char line[160];
  std::snprintf(line, sizeof line, "        seepage %8.4f m2/d per m, closed form %8.4f", o.seepage,
                o.exactSeepage);
  return line;
}

}  // namespace planaq
