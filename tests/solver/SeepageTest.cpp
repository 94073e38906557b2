// The open top as a drain: against an independent solution of each cycle's bounded problem on
// a small two-dimensional mesh, and the release of a held node. That open tops never reached
// change nothing, bit for bit, is SolveEqualsLiteral's (SolveTest.cpp).

#include <gtest/gtest.h>

#include <cmath>

#include "solver/LiteralSolver.h"
#include "solver/Solve.h"
#include "solver/StripMesh.h"

namespace planaq {
namespace {

using Dense = std::vector<std::vector<double>>;

// The coupled matrix of the literal system as a dense one over node-major heads, column by
// column from products with unit vectors.
Dense DenseMatrix(const test::LiteralSystem& s, int NN, int NL) {
  const int n = NN * NL;
  Dense M(n, std::vector<double>(n, 0.0));
  for (int j = 0; j < n; ++j) {
    test::LayerVectors e(NL, std::vector<double>(NN, 0.0));
    e[j % NL][j / NL] = 1.0;
    const test::LayerVectors y = test::LiteralApply(s, NN, NL, e);
    for (int i = 0; i < n; ++i) M[i][j] = y[i % NL][i / NL];
  }
  return M;
}

// Projected Gauss-Seidel on M x = W over the unknown heads, x <= T at the open tops: it
// converges to the solution of the linear complementarity problem for a positive definite M.
void SolveBounded(const Problem& p, const Dense& M, std::vector<double>& x) {
  const int NL = p.NL, n = p.NN * NL;
  for (int sweep = 0; sweep < 200000; ++sweep) {
    double change = 0.0;
    for (int j = 0; j < n; ++j) {
      const int i = j / NL, L = j % NL;
      if (p.nodes[i].Type & (1 << (L + 1))) continue;
      double r = p.layers[i].W[L];
      for (int k = 0; k < n; ++k)
        if (k != j) r -= M[j][k] * x[k];
      double v = r / M[j][j];
      if (L == 0 && (p.nodes[i].Type & 1)) v = std::min(v, p.layers[i].T[0]);
      change = std::max(change, std::fabs(v - x[j]));
      x[j] = v;
    }
    if (change < 1e-13) return;
  }
  ADD_FAILURE() << "projected Gauss-Seidel did not converge";
}

// The six cycles with every cycle's bounded problem solved to round-off.
void ReferenceSolve(Problem& p) {
  test::LiteralSystem s = test::LiteralPattern(p);
  const int NL = p.NL;
  std::vector<double> x(static_cast<std::size_t>(p.NN) * NL);
  Dense M;
  for (int cycle = 0; cycle < 6; ++cycle) {
    test::LiteralAssemble(p, s, cycle);
    for (int q = 0; q < s.NZ && NL > 1; ++q) {
      s.A[q][0] += s.C[q][0];
      s.A[q][NL - 1] += s.C[q][NL - 2];
    }
    M = DenseMatrix(s, p.NN, NL);
    for (int i = 0; i < p.NN; ++i)
      for (int L = 0; L < NL; ++L) x[i * NL + L] = p.layers[i].F[L];
    SolveBounded(p, M, x);
    for (int i = 0; i < p.NN; ++i)
      for (int L = 0; L < NL; ++L) p.layers[i].F[L] = x[i * NL + L];
  }
  for (int i = 0; i < p.NN * NL; ++i) {
    double q = 0.0;
    for (int k = 0; k < p.NN * NL; ++k) q += M[i][k] * x[k];
    p.layers[i / NL].Q[i % NL] = q;
  }
}

// Two layers on 9 by 6 nodes, randomly cut and numbered; ground sloping down to the right
// with a hollow, open everywhere; infiltration, a well in layer 2, heads given on the left.
Problem HollowOverTwoLayers() {
  test::StripLayout layout;
  layout.nx = 8;
  layout.ny = 5;
  layout.NL = 2;
  layout.randomDiagonals = layout.shuffle = true;
  layout.seed = 9;
  Problem p = test::StripProblem(layout);
  p.soils[0].I = 0.003;
  p.soils[0].KA[1] = 0.02;
  for (int n = 0; n < p.NN; ++n) {
    const double x = p.nodes[n].X, y = p.nodes[n].Y;
    p.nodes[n].Type = 1;
    p.layers[n].T[0] =
        60.0 - 0.002 * x - 1.5 * std::exp(-std::pow((x - 600.0) / 150.0, 2)) - 0.004 * y;
    p.layers[n].F = {59.0, 58.0, 0, 0, 0, 0};
  }
  test::GiveHeadsAt(p, 0.0, 0, [](double) { return 57.0; });
  p.NW = 1;
  p.wells[0] = Well{test::NodeAt(layout, 4, 2), 1, -60.0};
  return p;
}

TEST(Seepage, EqualsTheBoundedSolutionOfEveryCycle) {
  Problem solved = HollowOverTwoLayers();
  Problem reference = solved;
  SolveProgress none;
  ASSERT_TRUE(SolveProblem(solved, none).solved);
  ReferenceSolve(reference);
  int held = 0;
  for (int n = 0; n < solved.NN; ++n) {
    held += solved.layers[n].F[0] == solved.layers[n].T[0];
    for (int L = 0; L < 2; ++L) {
      EXPECT_NEAR(solved.layers[n].F[L], reference.layers[n].F[L], 1e-6) << n << " " << L;
      EXPECT_NEAR(solved.layers[n].Q[L], reference.layers[n].Q[L], 1e-6) << n << " " << L;
    }
  }
  // a case of interest: part of the ground seeps, part does not
  EXPECT_GT(held, 3);
  EXPECT_LT(held, solved.NN - 10);
}

// Every open top starts above its top, but the ends draw the heads far below it: held at
// first, each node is released when its supply turns to inflow, and the heads are those of
// the closed top: unconfined between the two given heads, (h - B)^2 linear in x (Dupuit).
TEST(Seepage, ANodeThatWouldTakeInWaterIsReleased) {
  test::StripLayout layout;
  layout.nx = 12;
  layout.ny = 2;
  Problem p = test::StripProblem(layout);  // heads 70 m above the top of 60 m
  for (int n = 0; n < p.NN; ++n) p.nodes[n].Type = 1;
  test::GiveHeadsAt(p, 0.0, 0, [](double) { return 56.0; });
  test::GiveHeadsAt(p, layout.length, 0, [](double) { return 58.0; });
  SolveProgress none;
  ASSERT_TRUE(SolveProblem(p, none).solved);
  for (int n = 0; n < p.NN; ++n) {
    const double x = p.nodes[n].X / layout.length;
    EXPECT_NEAR(p.layers[n].F[0], 50.0 + std::sqrt(36.0 + 28.0 * x), 1e-2) << n;
    if (!(p.nodes[n].Type & 2)) {
      EXPECT_NEAR(p.layers[n].Q[0], 0.0, 1e-6) << n;
    }
  }
}

}  // namespace
}  // namespace planaq
