#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "MeshFixture.h"
#include "mesh/Blocks.h"
#include "mesh/Split.h"
#include "mesh/Wells.h"

namespace planaq {
namespace {

Problem Initial(Capacities caps = Capacities{}) {
  Problem p;
  p.StartUp(caps);
  return p;
}

MeshOutcome NewNodeAt(Problem& p, double x, double y) {
  PlacePendingMainNode(p, x, y);
  return AddMainNodeAndBlock(p, x, y);
}

TEST(AddMainNodeAndBlock, OutsideAddsNodeAndBlockOnNearestSide) {
  Problem p = Initial();
  p.layers[0].F[1] = 61.0;
  const MeshOutcome out = NewNodeAt(p, 1000, 500);
  EXPECT_EQ(out.status, MeshStatus::Done);
  EXPECT_EQ(p.NA, 4);
  EXPECT_EQ(p.NB, 2);
  EXPECT_EQ(p.NN, 4);
  EXPECT_EQ(p.NM, 2);
  // the midpoint (250, 250) of side 2-3 is the nearest
  EXPECT_EQ(p.blocks[1].Node, (std::array<int, 3>{1, 2, 3}));
  EXPECT_EQ(p.blocks[1].Soil, 1);
  EXPECT_EQ(p.elements[1].Node, p.blocks[1].Node);
  EXPECT_EQ(p.elements[1].Block, 1);
  EXPECT_EQ(p.nodes[3].X, 1000.0);
  EXPECT_EQ(p.nodes[3].Type, 0);
  EXPECT_EQ(p.layers[3].F[1], 61.0);
}

class NewNodeRefused : public ::testing::TestWithParam<test::XY> {};

TEST_P(NewNodeRefused, InsideOrOnABlock) {
  Problem p = Initial();
  const MeshOutcome out = NewNodeAt(p, GetParam().x, GetParam().y);
  EXPECT_EQ(out.status, MeshStatus::NodeInsideBlock);
  EXPECT_EQ(out.message,
            "Node inside block\n\nA new node must be located outside all existing blocks.");
  EXPECT_EQ(p.NA, 3);
  EXPECT_EQ(p.NB, 1);
}

INSTANTIATE_TEST_SUITE_P(Points, NewNodeRefused,
                         ::testing::Values(test::XY{100, 100}, test::XY{0, 250}, test::XY{250, 250},
                                           test::XY{500, 0}));

TEST(PickMainNode, WithinAHundredthOfTheDiagonal) {
  const Problem p = Initial();
  const double diagonal = std::sqrt(2000.0 * 2000.0 + 1000.0 * 1000.0);
  EXPECT_EQ(PickMainNode(p, 500 + 0.009 * diagonal, 0), 2);
  EXPECT_EQ(PickMainNode(p, 500 + 0.011 * diagonal, 0), -1);
  // equally near nodes 1 and 2: the lower number
  Problem q = Initial();
  q.nodes[1].X = 10;
  q.nodes[1].Y = 0;
  EXPECT_EQ(PickMainNode(q, 5, 0), 0);
}

TEST(AddBlockByLine, ClosesTheTriangleWithTheLastCommonNeighbour) {
  Problem p = Initial();
  ASSERT_EQ(NewNodeAt(p, 1000, 500).status, MeshStatus::Done);
  // nodes 1 and 4 share the neighbours 2 and 3; the later one found wins
  EXPECT_EQ(AddBlockByLine(p, 0, 3).status, MeshStatus::Done);
  EXPECT_EQ(p.NB, 3);
  EXPECT_EQ(p.NM, 3);
  EXPECT_EQ(p.NA, 4);
  EXPECT_EQ(p.blocks[2].Node, (std::array<int, 3>{0, 3, 2}));
  EXPECT_EQ(p.blocks[2].Soil, 2);
}

TEST(AddBlockByLine, NothingForTheSameNodeOrNoNode) {
  Problem p = Initial();
  EXPECT_EQ(AddBlockByLine(p, 1, 1).status, MeshStatus::NothingDone);
  EXPECT_EQ(AddBlockByLine(p, 1, -1).status, MeshStatus::NothingDone);
  EXPECT_TRUE(AddBlockByLine(p, 1, -1).message.empty());
  EXPECT_EQ(p.NB, 1);
}

TEST(AddBlockByLine, NoCommonNeighbourNoTriangle) {
  Problem p = test::MakeMesh({{0, 0}, {10, 0}, {0, 10}, {50, 50}, {60, 50}, {50, 60}},
                             {{0, 1, 2}, {3, 4, 5}}, 6);
  p.NB = 2;
  p.blocks[0].Node = {0, 1, 2};
  p.blocks[1].Node = {3, 4, 5};
  const MeshOutcome out = AddBlockByLine(p, 0, 3);
  EXPECT_EQ(out.status, MeshStatus::NoTriangle);
  EXPECT_EQ(out.message, "No triangle created.\n\nA new line must create a new triangular block.");
  EXPECT_EQ(p.NB, 2);
}

struct BlockRoom {
  const char* name;
  int NB;
  bool nodeRefused;
  bool lineRefused;
};

class BlockCapacity : public ::testing::TestWithParam<BlockRoom> {};

TEST_P(BlockCapacity, NewNodeNeedsTwoMoreBlocksNewLineOne) {
  const BlockRoom c = GetParam();
  Capacities caps;
  caps.BMAX = 10;
  Problem p = Initial(caps);
  ASSERT_EQ(NewNodeAt(p, 1000, 500).status, MeshStatus::Done);
  for (int b = p.NB; b < c.NB; ++b) p.blocks[b] = p.blocks[1];  // repeated blocks fill up
  p.NB = p.NM = c.NB;
  Problem line = p;
  const MeshOutcome node = NewNodeAt(p, 1500, 900);
  EXPECT_EQ(node.status == MeshStatus::CapacityExceeded, c.nodeRefused);
  if (c.nodeRefused) {
    EXPECT_EQ(
        node.message,
        "Capacity exceeded\n\nThe number of nodes and/or blocks in the problem is too large "
        "to add another node or block.\n\nThe capacity of the program can be increased by "
        "increasing the values of NMAX and BMAX in the Installation Grid of the main window.");
  }
  const MeshOutcome added = AddBlockByLine(line, 0, 3);
  EXPECT_EQ(added.status == MeshStatus::CapacityExceeded, c.lineRefused);
  if (c.lineRefused) {
    EXPECT_EQ(added.message,
              "Capacity exceeded\n\nThe number of blocks in the problem is too large to add "
              "another block.\n\nThe capacity of the program can be increased by increasing the "
              "value of BMAX in the Installation Grid of the main window.");
  }
  EXPECT_LE(p.NB, 10);
  EXPECT_LE(line.NB, 10);
}

INSTANTIATE_TEST_SUITE_P(Bmax10, BlockCapacity,
                         ::testing::Values(BlockRoom{"Eight", 8, false, false},
                                           BlockRoom{"Nine", 9, true, false},
                                           BlockRoom{"Ten", 10, true, true}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(ResetMeshToBlocks, DropsRefinementAndWells) {
  Problem p = Initial();
  ASSERT_EQ(NewNodeAt(p, 1000, 500).status, MeshStatus::Done);
  SplitElements4(p);
  ASSERT_EQ(AddWellAt(p, 300, 100).status, MeshStatus::WellInNewNode);
  ASSERT_GT(p.NN, 4);
  ResetMeshToBlocks(p);
  EXPECT_EQ(p.NN, 4);
  EXPECT_EQ(p.NM, 2);
  EXPECT_EQ(p.NW, 0);
  for (int b = 0; b < 2; ++b) {
    EXPECT_EQ(p.elements[b].Node, p.blocks[b].Node);
    EXPECT_EQ(p.elements[b].Block, b);
  }
  EXPECT_EQ(p.previous.NN, 4);
  EXPECT_EQ(p.previous.NM, 2);
  EXPECT_EQ(p.nodes[3].X, 1000.0) << "main nodes keep their place through refinements";
}

TEST(CoordinateField, LeadingNumberClampedAndShown) {
  EXPECT_EQ(ReadCoordinateField("  12.5abc", 100), 12.5);
  EXPECT_EQ(ReadCoordinateField("x", 100), 0.0);
  EXPECT_EQ(ReadCoordinateField("-3", 100), 0.0);
  EXPECT_EQ(ReadCoordinateField("1e3", 100), 100.0);
  EXPECT_EQ(ReadCoordinateField("1e400", 100), 100.0) << "beyond a double: held to the side";
  EXPECT_EQ(ReadCoordinateField("-1e400", 100), 0.0);
  EXPECT_EQ(FormatCoordinate(12.5), "    12.500");
}

TEST(MoveMainNode, ClampedToTheArea) {
  Problem p = Initial();
  MoveMainNode(p, 2, 2500, -4);
  EXPECT_EQ(p.nodes[2].X, 2000.0);
  EXPECT_EQ(p.nodes[2].Y, 0.0);
}

}  // namespace
}  // namespace planaq
