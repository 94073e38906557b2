#include <gtest/gtest.h>

#include <array>
#include <string>

#include "MeshFixture.h"
#include "mesh/MeshMessages.h"
#include "mesh/Split.h"
#include "mesh/Wells.h"

namespace planaq {
namespace {

// A 2 km by 1 km rectangle cut along its diagonal 0-2, with an element of no area between its
// two halves in the element order; node 4 lies on the lower edge.
Problem RectangleWith(const std::array<int, 3>& noArea) {
  return test::MakeMesh({{0, 0}, {2000, 0}, {2000, 1000}, {0, 1000}, {1000, 0}},
                        {{0, 1, 2}, noArea, {0, 2, 3}}, 5);
}

struct FarCase {
  const char* what;
  std::array<int, 3> noArea;
  double x, y;  // on the line of the element's corners, 3e9 m out
};

class WellBesideNoArea : public ::testing::TestWithParam<FarCase> {};

TEST_P(WellBesideNoArea, FarOutsideIsRefused) {
  const FarCase& c = GetParam();
  Problem p = RectangleWith(c.noArea);
  const MeshOutcome out = AddWellAt(p, c.x, c.y);
  EXPECT_EQ(out.status, MeshStatus::OutsideMesh);
  EXPECT_EQ(out.message, messages::WellOutsideMesh());
  EXPECT_EQ(p.NW, 0);
  EXPECT_EQ(p.NN, 5);
  EXPECT_EQ(p.NM, 3);
}

INSTANTIATE_TEST_SUITE_P(Elements, WellBesideNoArea,
                         ::testing::Values(FarCase{"OneNodeThreeTimes", {0, 0, 0}, 3e9, 3e9},
                                           FarCase{"RepeatedCorner", {0, 0, 1}, 3e9, 0},
                                           FarCase{"CornersOnALine", {0, 4, 1}, 3e9, 0}),
                         [](const auto& info) { return std::string(info.param.what); });

// The element of no area holds two of the diagonal's nodes by number (node 0 twice), and its
// third node lies on one side of the diagonal or the other: taken as the diagonal's neighbour,
// it would be halved into two elements of area that overlap the rectangle's.
struct BesideCase {
  const char* what;
  std::array<int, 3> noArea;
  bool split2;  // else a well in the lower half
};

class RefineBesideNoArea : public ::testing::TestWithParam<BesideCase> {};

TEST_P(RefineBesideNoArea, KeepsTheArea) {
  const BesideCase& c = GetParam();
  Problem p = RectangleWith(c.noArea);
  if (c.split2) {
    EXPECT_EQ(SplitElements2(p).status, MeshStatus::Done);
  } else {
    EXPECT_EQ(AddWellAt(p, 1500, 300).status, MeshStatus::WellInNewNode);
  }
  EXPECT_NEAR(test::MeshArea(p), 2e6, 1e-3);
}

INSTANTIATE_TEST_SUITE_P(Elements, RefineBesideNoArea,
                         ::testing::Values(BesideCase{"Split2ThirdNodeBelow", {0, 0, 1}, true},
                                           BesideCase{"Split2ThirdNodeAbove", {3, 0, 0}, true},
                                           BesideCase{"WellThirdNodeBelow", {0, 0, 1}, false},
                                           BesideCase{"WellThirdNodeAbove", {3, 0, 0}, false}),
                         [](const auto& info) { return std::string(info.param.what); });

}  // namespace
}  // namespace planaq
