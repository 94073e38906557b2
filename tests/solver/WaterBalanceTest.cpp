// The water balance against closed forms, and its closure on solved problems.

#include <gtest/gtest.h>

#include <cmath>

#include "solver/Solve.h"
#include "solver/StripMesh.h"
#include "solver/WaterBalance.h"

namespace planaq {
namespace {

WaterBalance SolvedBalance(Problem& p) {
  SolveProgress none;
  EXPECT_TRUE(SolveProblem(p, none).solved);
  return ComputeWaterBalance(p);
}

TEST(WaterBalance, InfiltrationOnAStripLeavesByTheClosedFormSplitBetweenTheEnds) {
  test::StripLayout layout;
  layout.nx = 40;
  layout.ny = 3;
  layout.randomDiagonals = layout.shuffle = true;
  Problem p = test::StripProblem(layout);  // K D = 100 m2/d, heads above the top: confined
  const double h0 = 68.0, hL = 63.0, I = 0.0005, kd = 100.0, L = layout.length, W = layout.width;
  p.soils[0].I = I;
  test::GiveHeadsAt(p, 0.0, 0, [&](double) { return h0; });
  test::GiveHeadsAt(p, L, 0, [&](double) { return hL; });
  const AquiferBalance a = SolvedBalance(p).aquifers[0];
  // h = h0 + (hL - h0) x / L + I x (L - x) / (2 kd): the discharge along x is
  // kd (h0 - hL) / L + I (L / 2 - x) per metre of width.
  const double in0 = W * (kd * (h0 - hL) / L - I * L / 2.0);   // 25 m3/d in at x = 0
  const double outL = W * (kd * (h0 - hL) / L + I * L / 2.0);  // 75 m3/d out at x = L
  const double tol = 1e-6 * outL;
  EXPECT_NEAR(a.infiltration, I * L * W, 1e-9);
  EXPECT_NEAR(a.givenIn, in0, tol);
  EXPECT_NEAR(a.givenOut, -outL, tol);
  EXPECT_EQ(a.wellsIn + a.wellsOut + a.seepage + a.aboveIn + a.belowOut, 0.0);
  EXPECT_LT(std::fabs(a.error), 1e-6 * a.Inflow());
}

TEST(WaterBalance, AWellInTheLowerAquiferDrawsItsDischargeThroughTheAquitard) {
  test::StripLayout layout;
  layout.nx = 20;
  layout.ny = 4;
  layout.NL = 2;
  Problem p = test::StripProblem(layout);
  for (int n = 0; n < p.NN; ++n) p.nodes[n].Type |= 2;  // the head of 70 m given in layer 1
  const int wellNode = test::NodeAt(layout, 10, 2);
  p.NW = 1;
  p.wells[0] = Well{wellNode, 1, -100.0};
  const WaterBalance b = SolvedBalance(p);
  ASSERT_EQ(b.aquitards.size(), 1u);
  EXPECT_NEAR(b.aquitards[0].netDownward, 100.0, 1e-6);
  EXPECT_EQ(b.aquitards[0].largestNode, wellNode);
  EXPECT_GT(b.aquitards[0].largestLocal, 0.0);
  EXPECT_NEAR(b.aquifers[0].givenIn, 100.0, 1e-6);
  EXPECT_NEAR(b.aquifers[0].belowOut, -100.0, 1e-6);
  EXPECT_EQ(b.aquifers[1].wellsOut, -100.0);
  EXPECT_NEAR(b.aquifers[1].aboveIn, 100.0, 1e-6);
}

Problem OpenTopsUnderInfiltration() {
  test::StripLayout layout;
  layout.nx = 30;
  layout.ny = 2;
  Problem p = test::StripProblem(layout);
  p.soils[0].I = 0.01;  // would raise the middle far above the top of 60 m
  for (int n = 0; n < p.NN; ++n) p.nodes[n].Type = 1;
  test::GiveHeadsAt(p, 0.0, 0, [](double) { return 56.0; });
  test::GiveHeadsAt(p, layout.length, 0, [](double) { return 57.0; });
  return p;
}

Problem ThreeLayersWithWells() {
  test::StripLayout layout;
  layout.nx = 24;
  layout.ny = 6;
  layout.NL = 3;
  layout.randomDiagonals = layout.shuffle = true;
  layout.seed = 7;
  Problem p = test::StripProblem(layout);
  p.soils[0].I = 0.0008;
  p.soils[0].KA[2] = 0.05;
  for (int L = 0; L < 3; ++L) {
    test::GiveHeadsAt(p, 0.0, L, [&](double) { return 70.0 - L; });
    test::GiveHeadsAt(p, layout.length, L, [&](double) { return 66.0 + L; });
  }
  p.NW = 3;
  p.wells[0] = Well{test::NodeAt(layout, 6, 3), 2, -150.0};
  p.wells[1] = Well{test::NodeAt(layout, 18, 2), 0, 40.0};
  p.wells[2] = Well{test::NodeAt(layout, 12, 5), 1, -60.0};
  return p;
}

// Two aquifers under a leaky aquitard, the top of layer 1 open everywhere and low (55 m
// instead of 60 m) in a meadow across the middle, infiltration, a well in layer 2 and given
// heads at the ends of layer 1 only: the meadow seeps, the well draws through the aquitard.
Problem LeakyMeadowWithAWell() {
  test::StripLayout layout;
  layout.nx = 30;
  layout.ny = 6;
  layout.NL = 2;
  layout.randomDiagonals = layout.shuffle = true;
  layout.seed = 3;
  Problem p = test::StripProblem(layout);
  p.soils[0].I = 0.004;
  p.soils[0].KA[1] = 0.01;
  for (int n = 0; n < p.NN; ++n) {
    p.nodes[n].Type = 1;
    p.layers[n].F = {56.0, 56.0, 0, 0, 0, 0};
    if (std::fabs(p.nodes[n].X - 500.0) < 120.0) p.layers[n].T[0] = 55.0;
  }
  test::GiveHeadsAt(p, 0.0, 0, [](double) { return 54.0; });
  test::GiveHeadsAt(p, layout.length, 0, [](double) { return 53.0; });
  p.NW = 1;
  p.wells[0] = Well{test::NodeAt(layout, 8, 3), 1, -80.0};
  return p;
}

struct ClosureCase {
  const char* name;
  Problem (*make)();
};

class Closure : public ::testing::TestWithParam<ClosureCase> {};

TEST_P(Closure, EveryAquiferClosesToRoundOff) {
  Problem p = GetParam().make();
  const WaterBalance b = SolvedBalance(p);
  for (std::size_t L = 0; L < b.aquifers.size(); ++L) {
    EXPECT_GT(b.aquifers[L].Inflow(), 1.0) << L;
    EXPECT_LT(std::fabs(b.aquifers[L].relativeError), 1e-9) << L;
  }
}

INSTANTIATE_TEST_SUITE_P(Solved, Closure,
                         ::testing::Values(ClosureCase{"OpenTops", OpenTopsUnderInfiltration},
                                           ClosureCase{"ThreeLayers", ThreeLayersWithWells},
                                           ClosureCase{"LeakyMeadow", LeakyMeadowWithAWell}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(WaterBalance, WhatTheEndsDoNotCarrySeepsThroughTheOpenTops) {
  Problem p = OpenTopsUnderInfiltration();
  const AquiferBalance a = SolvedBalance(p).aquifers[0];
  EXPECT_LT(a.seepage, -0.5 * a.infiltration);
  EXPECT_NEAR(a.givenIn + a.givenOut + a.seepage, -a.infiltration, 1e-9 * a.infiltration);
}

TEST(WaterBalance, TheMeadowSeepsAndTheWellDrawsThroughTheAquitard) {
  Problem p = LeakyMeadowWithAWell();
  const WaterBalance b = SolvedBalance(p);
  EXPECT_LT(b.aquifers[0].seepage, -1.0);
  // layer 2 has no other outlet or inlet: the well's water comes down through the aquitard
  EXPECT_NEAR(b.aquitards[0].netDownward, 80.0, 1e-6);
}

}  // namespace
}  // namespace planaq
