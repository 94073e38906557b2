#include <gtest/gtest.h>

#include <string>

#include "MeshFixture.h"
#include "mesh/Blocks.h"
#include "mesh/Split.h"
#include "mesh/Wells.h"

namespace planaq {
namespace {

// A problem of three blocks drawn in the block editor.
Problem ThreeBlocks() {
  Problem p;
  p.StartUp(Capacities{});
  for (const test::XY at : {test::XY{900, 400}, test::XY{1600, 100}}) {
    PlacePendingMainNode(p, at.x, at.y);
    AddMainNodeAndBlock(p, at.x, at.y);
  }
  return p;
}

struct Sequence {
  const char* name;
  const char* ops;  // 4: Split 4, 2: Split 2, w: a well at the next point
};

class RefinedMeshStaysConforming : public ::testing::TestWithParam<Sequence> {};

TEST_P(RefinedMeshStaysConforming, AreaBoundaryAndSides) {
  Problem p = ThreeBlocks();
  ASSERT_EQ(p.NB, 3);
  const double area = test::MeshArea(p), boundary = test::BoundaryLength(p);
  const test::XY wells[] = {{300, 100}, {800, 300}, {1200, 150}, {120, 330}, {1000, 333}};
  int nextWell = 0;
  for (const char* op = GetParam().ops; *op; ++op) {
    if (*op == '4') SplitElements4(p);
    if (*op == '2') SplitElements2(p);
    if (*op == 'w') {
      const test::XY at = wells[nextWell++ % 5];
      const MeshOutcome out = AddWellAt(p, at.x, at.y);
      EXPECT_TRUE(out.Changed()) << out.message;
    }
    SCOPED_TRACE(std::string("after ") + *op);
    EXPECT_NEAR(test::MeshArea(p), area, 1e-9 * area);
    EXPECT_NEAR(test::BoundaryLength(p), boundary, 1e-9 * boundary);
    EXPECT_LE(test::MostElementsOnOneSide(p), 2);
    for (int e = 0; e < p.NM; ++e) EXPECT_GT(test::ElementArea(p, e), 0.0) << "element " << e;
  }
}

INSTANTIATE_TEST_SUITE_P(Sequences, RefinedMeshStaysConforming,
                         ::testing::Values(Sequence{"Split4Twice", "44"},
                                           Sequence{"Split2Thrice", "222"},
                                           Sequence{"MixedWithWells", "4w2w24w"},
                                           Sequence{"WellsFirst", "ww42w2"},
                                           Sequence{"Split2AfterSplit4", "4222"}),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace planaq
