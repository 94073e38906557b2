#include <gtest/gtest.h>

#include <limits>
#include <string>

#include "model/Problem.h"

namespace planaq {
namespace {

Problem Started() {
  Problem p;
  p.StartUp(Capacities{});
  return p;
}

TEST(Problem, StartUpGivesTheInitialTriangle) {
  const Problem p = Started();
  EXPECT_EQ(p.caps.BMAX, 48);
  EXPECT_EQ(p.caps.NMAX, 12000);
  EXPECT_EQ(p.caps.MMAX, 20000);
  EXPECT_EQ(p.caps.PMAX, 100);
  EXPECT_EQ(p.UserName, "Vivideri re Zerevireder");
  EXPECT_EQ(p.nodes.size(), 12000u);
  EXPECT_EQ(p.elements.size(), 20000u);
  EXPECT_EQ(p.particles.size(), 100u);
  EXPECT_EQ(p.NN, 3);
  EXPECT_EQ(p.NM, 1);
  EXPECT_EQ(p.NL, 6);
  EXPECT_DOUBLE_EQ(p.nodes[1].Y, 500.0);
  EXPECT_DOUBLE_EQ(p.nodes[2].X, 500.0);
  EXPECT_EQ(p.nodes[0].Type, 2);
  EXPECT_EQ(p.nodes[2].Type, 0);
  for (int n = 0; n < 3; ++n) {
    EXPECT_DOUBLE_EQ(p.layers[n].B[0], 55.0);
    EXPECT_DOUBLE_EQ(p.layers[n].T[0], 65.0);
    EXPECT_DOUBLE_EQ(p.layers[n].B[5], 0.0);
    EXPECT_DOUBLE_EQ(p.layers[n].T[5], 10.0);
    for (int L = 0; L < 6; ++L) EXPECT_DOUBLE_EQ(p.layers[n].F[L], 70.0);
  }
  EXPECT_EQ(p.previous.NN, 3);
  EXPECT_DOUBLE_EQ(p.previous.LX, 2000.0);
  EXPECT_FALSE(p.waterLevelWarning);
  EXPECT_DOUBLE_EQ(p.soils[47].KA[5], 0.0001);
  EXPECT_DOUBLE_EQ(p.soils[47].K[0], 10.0);
}

TEST(Problem, PaletteFollowsTheThreeCounters) {
  const auto pal = BuildPalette();
  // k = 1: a = 6, b = 3, c = 23
  EXPECT_EQ(pal[3], (Rgb{184, 24, 48}));
  EXPECT_EQ(pal[4], (Rgb{48, 184, 24}));
  EXPECT_EQ(pal[5], (Rgb{24, 48, 184}));
  EXPECT_EQ(pal[0], (Rgb{240, 8, 8}));
  // an independent run of the counters for the last triple
  int a = 1, b = 1, c = 30;
  for (int k = 0; k < 84; ++k) {
    a = (a + 5 > 31) ? a + 5 - 31 : a + 5;
    b = (b + 2 > 31) ? b + 2 - 31 : b + 2;
    c = std::max(32 - a - b, 1);
  }
  EXPECT_EQ(pal[252], (Rgb{8 * c, 8 * b, 8 * a}));
}

TEST(Problem, BlueShadesOnlyAtStartUp) {
  Problem p = Started();
  EXPECT_EQ(p.palette[0], (Rgb{8, 8, 88}));
  EXPECT_EQ(p.palette[5], (Rgb{8, 8, 248}));
  EXPECT_EQ(p.palette[6], BuildPalette()[6]);
  p.InitialiseSoilsAndColours();
  EXPECT_EQ(p.palette[0], BuildPalette()[0]);
}

TEST(Problem, BlockColoursWrapAfter255) {
  Problem p;
  p.StartUp(Capacities{300, 12000, 20000, 100});
  EXPECT_EQ(p.blockColour[255], 0);
  EXPECT_EQ(p.blockColour[256], 1);
  EXPECT_EQ(p.blockColour[254], 254);
}

TEST(Problem, CapacitiesNeverBelowTheInitialProblem) {
  Problem p;
  p.StartUp(Capacities{0, 0, -4, -1});
  EXPECT_GE(p.caps.NMAX, 3);
  EXPECT_GE(p.caps.MMAX, 1);
  EXPECT_GE(p.caps.BMAX, 1);
  EXPECT_EQ(p.caps.PMAX, 0);
  EXPECT_EQ(p.NN, 3);
}

TEST(Problem, ElementContainingCountsEdgesAndCornersAsInside) {
  const Problem p = Started();  // (0,0), (0,500), (500,0)
  EXPECT_EQ(p.ElementContaining(0.0, 0.0, 0), 0);
  EXPECT_EQ(p.ElementContaining(0.0, 500.0, 0), 0);
  EXPECT_EQ(p.ElementContaining(250.0, 250.0, 0), 0);  // on the hypotenuse
  EXPECT_EQ(p.ElementContaining(100.0, 100.0, 0), 0);
  EXPECT_EQ(p.ElementContaining(-1e-3, 100.0, 0), -1);
  EXPECT_EQ(p.ElementContaining(250.001, 250.001, 0), -1);
  EXPECT_EQ(p.ElementContaining(600.0, 600.0, 0), -1);
}

TEST(Problem, ElementContainingWorksForEitherCornerOrder) {
  Problem p = Started();
  std::swap(p.elements[0].Node[1], p.elements[0].Node[2]);
  EXPECT_EQ(p.ElementContaining(100.0, 100.0, 0), 0);
  EXPECT_EQ(p.ElementContaining(400.0, 400.0, 0), -1);
}

TEST(Problem, ElementContainingTolerance) {
  const Problem p = Started();
  // Just outside the edge x = 0 the product with the next side is -500 x * -2e5.
  EXPECT_EQ(p.ElementContaining(-0.9e-20, 100.0, 0), 0);
  EXPECT_EQ(p.ElementContaining(-1.1e-20, 100.0, 0), -1);
}

TEST(Problem, ElementContainingHasNoNonFinitePoint) {
  const Problem p = Started();
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const double inf = std::numeric_limits<double>::infinity();
  const double points[][2] = {{nan, nan}, {nan, 100}, {100, nan}, {inf, 100}, {100, -inf}};
  for (const auto& pt : points)
    EXPECT_EQ(p.ElementContaining(pt[0], pt[1], 0), -1) << pt[0] << ", " << pt[1];
}

// Element 0 with the given corners, and a point on the line (or at the point) they lie on.
struct AreaCase {
  const char* what;
  double x1, y1, x2, y2, x3, y3;
  double px, py;
  bool hasArea;
};

class ElementArea : public ::testing::TestWithParam<AreaCase> {};

TEST_P(ElementArea, HoldsPointsOnlyWithArea) {
  const AreaCase& c = GetParam();
  Problem p = Started();
  p.nodes[0] = {c.x1, c.y1};
  p.nodes[1] = {c.x2, c.y2};
  p.nodes[2] = {c.x3, c.y3};
  EXPECT_EQ(p.HasArea(0), c.hasArea);
  EXPECT_EQ(p.ElementContaining(c.px, c.py, 0), c.hasArea ? 0 : -1);
}

INSTANTIATE_TEST_SUITE_P(
    Corners, ElementArea,
    ::testing::Values(AreaCase{"OneNodeThreeTimes", 7, 3, 7, 3, 7, 3, 3e9, -5, false},
                      AreaCase{"TwoCornersAtOnePoint", 0, 0, 0, 0, 1000, 0, 3e9, 0, false},
                      AreaCase{"ThreeCornersOnALine", 0, 0, 1000, 0, 2000, 0, 3e9, 0, false},
                      AreaCase{"OnASlopingLineFarOut", 1e11, 1e11, 1e11 + 300, 1e11 + 100,
                               1e11 + 600, 1e11 + 200, 1e11 + 150, 1e11 + 50, false},
                      AreaCase{"HeightBelowOneTrillionthOfTheSide", 0, 0, 1000, 0, 500, 1e-10, 500,
                               0, false},
                      AreaCase{"ThinButWithArea", 0, 0, 1000, 0, 500, 1e-3, 500, 1e-4, true},
                      AreaCase{"FarFromTheOrigin", 1e11, 1e11, 1e11 + 500, 1e11, 1e11, 1e11 + 500,
                               1e11 + 100, 1e11 + 100, true}),
    [](const auto& info) { return std::string(info.param.what); });

TEST(Problem, BaseName) {
  EXPECT_EQ(BaseName("C:\\data\\Data1.aqd"), "Data1.aqd");
  EXPECT_EQ(BaseName("/home/u/x.aqd"), "x.aqd");
  EXPECT_EQ(BaseName("x.aqd"), "x.aqd");
  EXPECT_EQ(BaseName("dir\\"), "");
}

}  // namespace
}  // namespace planaq
