#include <gtest/gtest.h>

#include "solver/Assembly.h"
#include "solver/Coupled.h"
#include "solver/FlowField.h"
#include "solver/LiteralSolver.h"
#include "solver/Pattern.h"
#include "solver/StripMesh.h"

namespace planaq {
namespace {

struct ThicknessCase {
  const char* name;
  double F;
  int cycle;
  double expected;  // with B = 10, T = 20
};

class Thickness : public ::testing::TestWithParam<ThicknessCase> {};

TEST_P(Thickness, FollowsTheHead) {
  EXPECT_DOUBLE_EQ(SaturatedThickness(10.0, 20.0, GetParam().F, GetParam().cycle),
                   GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Rules, Thickness,
                         ::testing::Values(ThicknessCase{"FirstCycleBelowBottom", 5.0, 0, 10.0},
                                           ThicknessCase{"FirstCycleAboveTop", 30.0, 0, 10.0},
                                           ThicknessCase{"AboveTop", 30.0, 1, 10.0},
                                           ThicknessCase{"BetweenBottomAndTop", 14.0, 2, 4.0},
                                           ThicknessCase{"BelowBottom", 5.0, 3, 0.001},
                                           ThicknessCase{"JustAboveBottom", 10.0005, 5, 0.001}),
                         [](const auto& info) { return std::string(info.param.name); });

Problem OneElement(int NL) {
  Problem p;
  p.StartUp(Capacities{});
  p.NL = NL;
  return p;
}

TEST(AquitardResistance, LargerOfOwnAndHalfThicknesses) {
  Problem p = OneElement(2);
  // initial problem: layers of 10 m, aquitards of 1 m; K = 10, K' = 0.0001
  p.soils[0].KA[1] = 0.0001;
  EXPECT_DOUBLE_EQ(AquitardResistance(p, 0, 0), 1.0 / 0.0001);
  p.soils[0].KA[1] = 1999.0;  // own resistance 1/1999 below the half-thicknesses 10/20 + 10/20
  EXPECT_DOUBLE_EQ(AquitardResistance(p, 0, 0), 1.0);
  p.soils[0].KA[1] = 2000.0;
  p.soils[0].K[1] = 5.0;
  EXPECT_DOUBLE_EQ(AquitardResistance(p, 0, 0), 10.0 / 20.0 + 10.0 / 10.0);
}

TEST(AssembleCycle, SupplyOfWellsAndInfiltrationOnly) {
  Problem p = OneElement(2);
  const double area = 0.5 * 500.0 * 500.0;
  p.soils[0].I = 0.002;
  p.nodes[1].Type = 1 | 2;   // open top and given head: infiltration all the same
  p.layers[2].Q[1] = 123.0;  // stored supply is not read
  p.NW = 2;
  p.wells[0] = {2, 1, -40.0};
  p.wells[1] = {2, 1, -60.0};
  SparseSystem s;
  ASSERT_GT(BuildPattern(p, s), 0);
  s.AllocateValues();
  SolveProgress none;
  AssembleCycle(p, s, 0, none);
  for (int n = 0; n < 3; ++n) EXPECT_DOUBLE_EQ(p.layers[n].W[0], 0.002 * area / 3.0) << n;
  EXPECT_DOUBLE_EQ(p.layers[2].W[1], -100.0);
  EXPECT_EQ(p.layers[1].W[1], 0.0);
}

TEST(AssembleCycle, ConductanceRowsSumToZeroAndLeakageToArea) {
  test::StripLayout layout;
  layout.nx = 5;
  layout.ny = 4;
  layout.NL = 3;
  layout.randomDiagonals = true;
  layout.shuffle = true;
  Problem p = test::StripProblem(layout);
  SparseSystem s;
  ASSERT_GT(BuildPattern(p, s), 0);
  s.AllocateValues();
  SolveProgress none;
  AssembleCycle(p, s, 0, none);
  // a constant head gives no flow: A times ones is zero; C times ones is area / c
  std::vector<double> ones(static_cast<std::size_t>(p.NN) * p.NL, 1.0), y;
  SparseSystem conductance = s;
  std::fill(conductance.C.begin(), conductance.C.end(), 0.0);
  ApplyCoupled(conductance, ones, y);
  for (double v : y) EXPECT_NEAR(v, 0.0, 1e-12);
  double leak = 0.0;
  for (int q = 0; q < s.NZ; ++q) leak += (s.column[q] <= 0 ? 1.0 : 2.0) * s.C[q * 2 + 1];
  const double c = AquitardResistance(p, 1, 0);
  EXPECT_NEAR(leak, layout.length * layout.width / c, 1e-9 * leak);
}

struct LayersCase {
  const char* name;
  int NL;
  unsigned seed;
};

class ProductEqualsLiteral : public ::testing::TestWithParam<LayersCase> {};

TEST_P(ProductEqualsLiteral, BitForBit) {
  test::StripLayout layout;
  layout.nx = 7;
  layout.ny = 5;
  layout.NL = GetParam().NL;
  layout.randomDiagonals = layout.shuffle = true;
  layout.seed = GetParam().seed;
  Problem p = test::StripProblem(layout);
  std::mt19937 rng(layout.seed);
  std::uniform_real_distribution<double> u(-1.0, 1.0);
  for (int n = 0; n < p.NN; ++n)
    for (int L = 0; L < kMaxLayers; ++L) p.layers[n].F[L] = 55.0 - 11.0 * L + 5.0 * u(rng);
  for (int L = 0; L < kMaxLayers; ++L) p.soils[0].K[L] = 1.0 + 10.0 * (u(rng) + 1.0);
  p.soils[0].I = 0.001;
  SparseSystem s;
  ASSERT_GT(BuildPattern(p, s), 0);
  s.AllocateValues();
  test::LiteralSystem lit = test::LiteralPattern(p);
  SolveProgress none;
  Problem q = p;
  for (int cycle = 0; cycle < 2; ++cycle) {
    AssembleCycle(p, s, cycle, none);
    test::LiteralAssemble(q, lit, cycle);
  }
  AddLeakageToConductance(s);
  for (int pos = 0; pos < s.NZ && p.NL > 1; ++pos) {
    lit.A[pos][0] += lit.C[pos][0];
    for (int L = 1; L < p.NL - 1; ++L) lit.A[pos][L] += lit.C[pos][L] + lit.C[pos][L - 1];
    lit.A[pos][p.NL - 1] += lit.C[pos][p.NL - 2];
  }
  for (int pos = 0; pos < s.NZ; ++pos)
    for (int L = 0; L < p.NL; ++L) ASSERT_EQ(s.A[pos * p.NL + L], lit.A[pos][L]);
  test::LayerVectors x(p.NL, std::vector<double>(p.NN));
  std::vector<double> xs(static_cast<std::size_t>(p.NN) * p.NL), y;
  for (int L = 0; L < p.NL; ++L)
    for (int n = 0; n < p.NN; ++n) xs[n * p.NL + L] = x[L][n] = u(rng);
  ApplyCoupled(s, xs, y);
  const test::LayerVectors ly = test::LiteralApply(lit, p.NN, p.NL, x);
  for (int L = 0; L < p.NL; ++L)
    for (int n = 0; n < p.NN; ++n) ASSERT_EQ(y[n * p.NL + L], ly[L][n]) << L << " " << n;
  for (int n = 0; n < p.NN; ++n) EXPECT_EQ(p.layers[n].W[0], q.layers[n].W[0]);
}

INSTANTIATE_TEST_SUITE_P(Layers, ProductEqualsLiteral,
                         ::testing::Values(LayersCase{"One", 1, 11}, LayersCase{"Two", 2, 12},
                                           LayersCase{"Three", 3, 13}, LayersCase{"Four", 4, 14},
                                           LayersCase{"Five", 5, 15}, LayersCase{"Six", 6, 16}),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace planaq
