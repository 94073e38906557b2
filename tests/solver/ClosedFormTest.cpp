// The solver against solutions in closed form, on strips of elements where the flow is
// one-dimensional along x. The same checks are built once for each solver of the cycles'
// linear systems (PLANAQ_TEST_SOLVER), with the same tolerances.

#include <gtest/gtest.h>

#include <cmath>

#include "solver/Solve.h"
#include "solver/StripMesh.h"

namespace planaq {
namespace {

#ifndef PLANAQ_TEST_SOLVER
#define PLANAQ_TEST_SOLVER ConjugateGradients
#endif
constexpr LinearSolver kSolver = LinearSolver::PLANAQ_TEST_SOLVER;

double SumOfSuppliesAt(const Problem& p, double x, int L) {
  double s = 0.0;
  for (int n = 0; n < p.NN; ++n)
    if (std::fabs(p.nodes[n].X - x) < 1e-9) s += p.layers[n].Q[L];
  return s;
}

TEST(ClosedForm, ConfinedLayerBetweenTwoHeads) {
  test::StripLayout layout;
  layout.nx = 25;
  layout.ny = 3;
  layout.randomDiagonals = layout.shuffle = true;
  Problem p = test::StripProblem(layout);  // K = 10, D = 10, heads above the top: confined
  const double h0 = 68.0, hL = 63.0, L = layout.length;
  test::GiveHeadsAt(p, 0.0, 0, [&](double) { return h0; });
  test::GiveHeadsAt(p, L, 0, [&](double) { return hL; });
  SolveProgress none;
  const SolveResult result = SolveProblem(p, none, kSolver);
  ASSERT_TRUE(result.solved);
  // A linear head lies in the space of the elements, so only the iteration's error remains:
  // rho <= 1e-24 in the last cycle bounds it far below 1e-6 m.
  double interiorQ = 0.0;
  for (int n = 0; n < p.NN; ++n) {
    const double x = p.nodes[n].X;
    EXPECT_NEAR(p.layers[n].F[0], h0 + (hL - h0) * x / L, 1e-6) << n;
    if (x > 1e-9 && x < L - 1e-9) interiorQ = std::max(interiorQ, std::fabs(p.layers[n].Q[0]));
  }
  const double discharge = 10.0 * 10.0 * (h0 - hL) / L * layout.width;  // K D dh/dx times width
  EXPECT_LT(interiorQ, 1e-6 * discharge);
  EXPECT_NEAR(SumOfSuppliesAt(p, 0.0, 0), discharge, 1e-6 * discharge);
  EXPECT_NEAR(SumOfSuppliesAt(p, L, 0), -discharge, 1e-6 * discharge);
  EXPECT_FALSE(result.waterLevelWarning);
}

TEST(ClosedForm, UniformInfiltrationBetweenTwoHeads) {
  test::StripLayout layout;
  layout.nx = 40;
  layout.ny = 2;
  Problem p = test::StripProblem(layout);
  const double h0 = 65.0, I = 0.0005, k = 10.0, D = 10.0, L = layout.length;
  p.soils[0].I = I;
  test::GiveHeadsAt(p, 0.0, 0, [&](double) { return h0; });
  test::GiveHeadsAt(p, L, 0, [&](double) { return h0; });
  SolveProgress none;
  {
    const SolveResult solved = SolveProblem(p, none, kSolver);
    ASSERT_TRUE(solved.solved) << solved.message;
  }
  // Linear elements reproduce this parabola at the nodes of a strip (the load per node is
  // exact), so the tolerance is that of the iteration, far below the 6.25 m of the rise.
  const double rise = I * L * L / (8 * k * D);
  for (int n = 0; n < p.NN; ++n) {
    const double x = p.nodes[n].X;
    EXPECT_NEAR(p.layers[n].F[0], h0 + I * x * (L - x) / (2 * k * D), 1e-6 * rise) << n;
  }
  // the infiltration of the nodes with unknown head leaves through the two boundaries; the
  // boundary nodes' own share (half a column of elements at each end) is not counted there
  const double total = SumOfSuppliesAt(p, 0.0, 0) + SumOfSuppliesAt(p, L, 0);
  const double inner = I * (L - L / layout.nx) * layout.width;
  EXPECT_NEAR(total, -inner, 1e-6 * inner);
}

TEST(ClosedForm, HeadStepDecaysIntoLeakyAquifer) {
  test::StripLayout layout;
  layout.length = 3000.0;
  layout.nx = 150;  // 20 m elements, lambda / 16
  layout.ny = 1;
  layout.NL = 2;
  Problem p = test::StripProblem(layout);
  // layer 2 held at 70 m everywhere; a step of 1 m on the left of layer 1
  const double s = 1.0, h = 70.0;
  test::GiveHeadsAt(p, 0.0, 0, [&](double) { return h + s; });
  for (int n = 0; n < p.NN; ++n) {
    p.nodes[n].Type |= 4;
    p.layers[n].F[1] = h;
  }
  // aquitard of 1 m with K' = 0.001: c = 1000 d above the half-thickness resistance of 1 d
  const double c = 1000.0, kD = 100.0, lambda = std::sqrt(kD * c), L = layout.length;
  SolveProgress none;
  {
    const SolveResult solved = SolveProblem(p, none, kSolver);
    ASSERT_TRUE(solved.solved) << solved.message;
  }
  // The no-flow end makes the exact solution a cosh; linear elements of size dx miss it by
  // about (dx / lambda)^2 / 12 relative, 3e-4 here: 2e-3 m covers it with margin.
  for (int n = 0; n < p.NN; ++n) {
    const double x = p.nodes[n].X;
    const double exact = h + s * std::cosh((L - x) / lambda) / std::cosh(L / lambda);
    EXPECT_NEAR(p.layers[n].F[0], exact, 2e-3) << x;
  }
  // in the far field it is the exponential decay
  for (int n = 0; n < p.NN; ++n)
    if (std::fabs(p.nodes[n].X - lambda) < 10.0) {
      EXPECT_NEAR(p.layers[n].F[0] - h, s * std::exp(-(p.nodes[n].X / lambda)), 5e-3);
    }
}

TEST(ClosedForm, UnconfinedInfiltrationAfterSixCycles) {
  test::StripLayout layout;
  layout.nx = 50;
  layout.ny = 2;
  Problem p = test::StripProblem(layout);
  // bottom 0, top 100: the water table lies in the layer; Dupuit: h^2 parabolic
  const double h0 = 10.0, hL = 12.0, I = 0.001, k = 10.0, L = layout.length;
  for (int n = 0; n < p.NN; ++n) {
    p.layers[n].B[0] = 0.0;
    p.layers[n].T[0] = 100.0;
    p.layers[n].F[0] = 11.0;
  }
  p.soils[0].I = I;
  test::GiveHeadsAt(p, 0.0, 0, [&](double) { return h0; });
  test::GiveHeadsAt(p, L, 0, [&](double) { return hL; });
  SolveProgress none;
  {
    const SolveResult solved = SolveProblem(p, none, kSolver);
    ASSERT_TRUE(solved.solved) << solved.message;
  }
  // Six cycles of thickness updates converge to well below a millimetre (each reduces the
  // error by roughly the relative variation of h, 0.2); the element mean thickness adds
  // O(dx^2) of the curvature: 1e-2 m bounds both.
  for (int n = 0; n < p.NN; ++n) {
    const double x = p.nodes[n].X;
    const double dupuit = std::sqrt(h0 * h0 + (hL * hL - h0 * h0) * x / L + I * x * (L - x) / k);
    EXPECT_NEAR(p.layers[n].F[0], dupuit, 1e-2) << x;
  }
}

TEST(ClosedForm, AllHeadsGivenMakeNoIteration) {
  test::StripLayout layout;
  layout.nx = 8;
  layout.ny = 2;
  layout.NL = 2;
  Problem p = test::StripProblem(layout);
  for (int n = 0; n < p.NN; ++n) {
    p.nodes[n].Type = 2 | 4;
    p.layers[n].F[0] = 66.0 - 0.002 * p.nodes[n].X;
    p.layers[n].F[1] = 64.0;
  }
  const Problem before = p;
  SolveProgress none;
  const SolveResult result = SolveProblem(p, none, kSolver);
  ASSERT_TRUE(result.solved);
  for (const CycleReport& c : result.cycles) EXPECT_EQ(c.iterations, 0);
  double leakageUp = 0.0, layer2 = 0.0;
  for (int n = 0; n < p.NN; ++n) {
    EXPECT_EQ(p.layers[n].F, before.layers[n].F);
    leakageUp += p.layers[n].Q[0];
    layer2 += p.layers[n].Q[1];
  }
  // The supplies needed: whatever leaves layer 1 downward through the aquitard enters
  // layer 2, and its total is the area times the mean head difference over c.
  const double c = 1000.0, meanDifference = (66.0 - 1.0) - 64.0;
  const double expected = layout.length * layout.width * meanDifference / c;
  EXPECT_NEAR(leakageUp, expected, 1e-9 * expected);
  EXPECT_NEAR(layer2, -leakageUp, 1e-9 * expected);
}

// Seepage from a strip: one unconfined layer between two heads h0 under infiltration N, open
// at a flat top T0 that the mound would rise above. With Phi = K (h - B)^2 / 2 the head is T0
// over [a, L - a], a = sqrt(2 (Phi(T0) - Phi(h0)) / N), h = B + sqrt((T0 - B)^2 - N (a - x)^2 / K)
// outside it, and N (L - 2a) seeps out per metre of width.
struct SeepageStrip {
  double L = 1000.0, B = 0.0, K = 10.0, h0 = 10.0, T0 = 12.0, N = 0.005;
  double a() const { return std::sqrt((K * (T0 - B) * (T0 - B) - K * (h0 - B) * (h0 - B)) / N); }
  double Head(double x) const {
    const double s = std::min(x, L - x);
    if (s >= a()) return T0;
    return B + std::sqrt((T0 - B) * (T0 - B) - N * (a() - s) * (a() - s) / K);
  }
};

class SeepageFromAStrip : public ::testing::TestWithParam<int> {};

TEST_P(SeepageFromAStrip, HeadsAndSeepageOfTheClosedForm) {
  const SeepageStrip strip;
  ASSERT_NEAR(strip.a(), 296.6, 0.05);
  test::StripLayout layout;
  layout.nx = GetParam();
  layout.ny = 2;
  layout.randomDiagonals = layout.shuffle = true;
  Problem p = test::StripProblem(layout);
  for (int n = 0; n < p.NN; ++n) {
    p.nodes[n].Type = 1;
    p.layers[n].B[0] = strip.B;
    p.layers[n].T[0] = strip.T0;
    p.layers[n].F[0] = 11.0;
  }
  p.soils[0].K[0] = strip.K;
  p.soils[0].I = strip.N;
  test::GiveHeadsAt(p, 0.0, 0, [&](double) { return strip.h0; });
  test::GiveHeadsAt(p, strip.L, 0, [&](double) { return strip.h0; });
  SolveProgress none;
  {
    const SolveResult solved = SolveProblem(p, none, kSolver);
    ASSERT_TRUE(solved.solved) << solved.message;
  }
  double seepage = 0.0, largest = 0.0;
  for (int n = 0; n < p.NN; ++n) {
    const NodeLayers& l = p.layers[n];
    largest = std::max(largest, std::fabs(l.F[0] - strip.Head(p.nodes[n].X)));
    EXPECT_LE(l.F[0], strip.T0);
    if (p.nodes[n].Type & 2) continue;
    const double exchange = l.Q[0] - l.W[0];
    if (l.F[0] == strip.T0) {
      EXPECT_LE(exchange, 1e-9);  // out only
      seepage += exchange;
    } else {
      EXPECT_NEAR(exchange, 0.0, 1e-6);
    }
  }
  // The edge of the band at a falls inside an element: the kink it puts into the head costs
  // linear elements an error of the order of the element size, about 2.3e-4 dx here.
  EXPECT_LT(largest, 3e-4 * strip.L / layout.nx);
  EXPECT_NEAR(-seepage / layout.width, strip.N * (strip.L - 2.0 * strip.a()), 1e-3);
}

INSTANTIATE_TEST_SUITE_P(Meshes, SeepageFromAStrip, ::testing::Values(20, 40, 80, 160),
                         [](const auto& info) { return "nx" + std::to_string(info.param); });

}  // namespace
}  // namespace planaq
