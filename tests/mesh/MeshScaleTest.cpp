#include <gtest/gtest.h>

#include <cmath>

#include "MeshFixture.h"
#include "mesh/Split.h"
#include "mesh/Wells.h"

namespace planaq {
namespace {

// nx by ny rectangles of w/nx by h/ny from (x0, y0), each cut by its rising diagonal
Problem GridMesh(double x0, double y0, double w, double h, int nx, int ny) {
  std::vector<test::XY> xy;
  for (int j = 0; j <= ny; ++j)
    for (int i = 0; i <= nx; ++i) xy.push_back({x0 + w * i / nx, y0 + h * j / ny});
  std::vector<std::array<int, 3>> elems;
  for (int j = 0; j < ny; ++j)
    for (int i = 0; i < nx; ++i) {
      const int a = j * (nx + 1) + i, b = a + 1, c = a + nx + 1, d = c + 1;
      elems.push_back({a, b, d});
      elems.push_back({a, d, c});
    }
  return test::MakeMesh(xy, elems, static_cast<int>(xy.size()));
}

struct OrdinaryCase {
  double LX, LY;
  int nx, ny;
};

class OrdinaryMesh : public ::testing::TestWithParam<OrdinaryCase> {};

// nodes that span 0..LX and 0..LY give the distances of LX and LY, to the last bit
TEST_P(OrdinaryMesh, DistancesAreTheWrittenOnes) {
  const OrdinaryCase& c = GetParam();
  Problem p = GridMesh(0, 0, c.LX, c.LY, c.nx, c.ny);
  p.LX = c.LX;
  p.LY = c.LY;
  EXPECT_EQ(SnapRadius(p), 0.1 * std::sqrt(c.LX * c.LY / p.NN));
  EXPECT_EQ(CoincidenceTolerance(p), 0.00001 * std::sqrt(c.LX * c.LY / p.NN));
}

INSTANTIATE_TEST_SUITE_P(Extents, OrdinaryMesh,
                         ::testing::Values(OrdinaryCase{2000, 1000, 1, 1},
                                           OrdinaryCase{1234.567, 89.1, 3, 2},
                                           OrdinaryCase{160000, 470000, 5, 7}));

// A 2 km by 1 km mesh at national-grid coordinates in a problem rectangle of 160 by 470 km,
// cells of 250 by 125 m: the snap radius is 16 m, not 3 km.
struct GeoCase {
  double clickX, clickY;
  MeshStatus status;
  double wellX, wellY;
};

class GeoreferencedMesh : public ::testing::TestWithParam<GeoCase> {};

TEST_P(GeoreferencedMesh, WellLandsAtTheClick) {
  const GeoCase& c = GetParam();
  Problem p = GridMesh(155000, 462500, 2000, 1000, 8, 8);
  p.LX = 160000;
  p.LY = 470000;
  EXPECT_EQ(AddWellAt(p, c.clickX, c.clickY).status, c.status);
  ASSERT_EQ(p.NW, 1);
  const Node& well = p.nodes[p.wells[0].Node];
  EXPECT_NEAR(well.X, c.wellX, 1e-6);
  EXPECT_NEAR(well.Y, c.wellY, 1e-6);
}

INSTANTIATE_TEST_SUITE_P(
    Clicks, GeoreferencedMesh,
    ::testing::Values(
        // inside the upper triangle of the cell from (156000, 463250): at its centre, 59 m away
        GeoCase{156130, 463370, MeshStatus::WellInNewNode, 156000 + 250.0 / 3, 463250 + 250.0 / 3},
        GeoCase{156248, 463373, MeshStatus::WellAtNode, 156250, 463375},
        // 25 m from that node: the lower triangle's centre
        GeoCase{156230, 463360, MeshStatus::WellInNewNode, 156000 + 500.0 / 3,
                463250 + 125.0 / 3}));

// 4 by 2 squares of 1 km near 1e11 m: 15 nodes, 30 sides, 16 elements. The problem rectangle
// would make the tolerance 260 km and merge every midpoint of a square with its neighbours'.
class FarFromTheOrigin : public ::testing::TestWithParam<SearchKind> {};

TEST_P(FarFromTheOrigin, Split4MakesANodePerSideAndKeepsTheArea) {
  Problem p = GridMesh(1e11, 1e11, 4000, 2000, 4, 2);
  p.LX = 1e11 + 5000;
  p.LY = 1e11 + 5000;
  ASSERT_EQ(p.NN, 15);
  EXPECT_EQ(SplitElements4(p, {}, GetParam()).status, MeshStatus::Done);
  EXPECT_EQ(p.NN, 45);
  EXPECT_EQ(p.NM, 64);
  EXPECT_EQ(test::MeshArea(p), 8e6);
  EXPECT_EQ(test::MostElementsOnOneSide(p), 2);
}

INSTANTIATE_TEST_SUITE_P(Searches, FarFromTheOrigin,
                         ::testing::Values(SearchKind::Indexed, SearchKind::Scan));

}  // namespace
}  // namespace planaq
