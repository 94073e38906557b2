#include <gtest/gtest.h>

#include <string>

#include "MeshFixture.h"
#include "mesh/Wells.h"

namespace planaq {
namespace {

using test::MakeMesh;
using test::NodeAt;

TEST(AddWellAt, InTheOnlyElementMakesFourNodesAndFiveElements) {
  Problem p;
  p.StartUp(Capacities{});
  p.layers[1].F[0] = 73.0;  // so that the means are not all equal
  p.layers[2].B[3] = 30.0;
  const double area = test::MeshArea(p);
  const MeshOutcome out = AddWellAt(p, 100, 100);
  EXPECT_EQ(out.status, MeshStatus::WellInNewNode);
  EXPECT_EQ(p.NN, 7);
  EXPECT_EQ(p.NM, 6);
  ASSERT_EQ(p.NW, 1);
  const int c = NodeAt(p, (0.0 + 0.0 + 500.0) / 3, (0.0 + 500.0 + 0.0) / 3);
  ASSERT_GE(c, 3);
  EXPECT_EQ(p.wells[0].Node, c) << "the well follows its node through the renumbering";
  EXPECT_EQ(p.wells[0].Q, 0.0);
  EXPECT_EQ(p.nodes[c].Type, 0);
  for (int L = 0; L < p.NL; ++L) {
    EXPECT_DOUBLE_EQ(p.layers[c].F[L],
                     (p.layers[0].F[L] + p.layers[1].F[L] + p.layers[2].F[L]) / 3);
    EXPECT_DOUBLE_EQ(p.layers[c].B[L],
                     (p.layers[0].B[L] + p.layers[1].B[L] + p.layers[2].B[L]) / 3);
    EXPECT_DOUBLE_EQ(p.layers[c].T[L],
                     (p.layers[0].T[L] + p.layers[1].T[L] + p.layers[2].T[L]) / 3);
    EXPECT_EQ(p.layers[c].Q[L], 0.0);
  }
  // the side between the two nodes of given head keeps that Type
  EXPECT_EQ(p.nodes[NodeAt(p, 0, 250)].Type, 2);
  EXPECT_EQ(p.nodes[NodeAt(p, 250, 0)].Type, 0);
  EXPECT_NEAR(test::MeshArea(p), area, 1e-6 * area);
  EXPECT_TRUE(p.particleRowsStale);
}

// three elements in a row; the middle one has two neighbours and one side on the boundary
Problem Strip() {
  Problem p = MakeMesh({{0, 0}, {100, 0}, {200, 0}, {50, 100}, {150, 100}},
                       {{0, 1, 3}, {1, 4, 3}, {1, 2, 4}}, 5);
  p.LX = 200;
  p.LY = 200;
  for (int i = 0; i < 5; ++i) p.nodes[i].Type = 2 | 4;
  p.nodes[3].Type = 2;
  return p;
}

TEST(AddWellAt, ElementWithTwoNeighboursMakesSevenElements) {
  Problem p = Strip();
  const double area = test::MeshArea(p), boundary = test::BoundaryLength(p);
  EXPECT_EQ(AddWellAt(p, 100, 66).status, MeshStatus::WellInNewNode);
  EXPECT_EQ(p.NN, 9);
  EXPECT_EQ(p.NM, 10);
  // every midpoint has the AND of its side's ends, on the boundary and inside alike
  EXPECT_EQ(p.nodes[NodeAt(p, 100, 100)].Type, 2);
  EXPECT_EQ(p.nodes[NodeAt(p, 75, 50)].Type, 2);
  EXPECT_EQ(p.nodes[NodeAt(p, 125, 50)].Type, 6);
  EXPECT_NEAR(test::MeshArea(p), area, 1e-9 * area);
  EXPECT_NEAR(test::BoundaryLength(p), boundary, 1e-9 * boundary);
  EXPECT_LE(test::MostElementsOnOneSide(p), 2);
}

TEST(AddWellAt, SnapsToTheLowerNumberedNodeNotTheNearest) {
  Problem p = Strip();
  p.nodes[4] = p.nodes[1];
  p.nodes[4].X = 102;  // nodes 1 and 4 both within the snap radius of the click
  EXPECT_EQ(AddWellAt(p, 101.6, 0.5).status, MeshStatus::WellAtNode);
  EXPECT_EQ(p.NN, 5);
  EXPECT_EQ(p.NM, 3);
  ASSERT_EQ(p.NW, 1);
  EXPECT_EQ(p.wells[0].Node, 1);
}

TEST(AddWellAt, ClickOnASharedSideTakesTheLowerElement) {
  Problem p = MakeMesh({{0, 0}, {100, 0}, {0, 100}, {100, 100}}, {{0, 1, 2}, {1, 3, 2}}, 4);
  p.LX = p.LY = 100;
  EXPECT_EQ(AddWellAt(p, 50, 50).status, MeshStatus::WellInNewNode);
  EXPECT_GE(NodeAt(p, 100.0 / 3, 100.0 / 3), 0);
  EXPECT_EQ(p.NM, 2 + 6);
}

TEST(AddWellAt, OutsideTheMeshAddsNothing) {
  Problem p = Strip();
  const MeshOutcome out = AddWellAt(p, 10, 190);
  EXPECT_EQ(out.status, MeshStatus::OutsideMesh);
  EXPECT_EQ(out.message,
            "Well outside mesh\n\nA new well must be located inside the mesh of finite elements.");
  EXPECT_EQ(p.NW, 0);
  EXPECT_EQ(p.NN, 5);
  EXPECT_EQ(p.NM, 3);
}

TEST(CheckWellCapacity, FullWellTableRefusesTheKey) {
  Problem p;
  p.StartUp(Capacities{});
  p.NW = p.caps.BMAX - 1;
  EXPECT_EQ(CheckWellCapacity(p).status, MeshStatus::Done);
  p.NW = p.caps.BMAX;
  const MeshOutcome out = CheckWellCapacity(p);
  EXPECT_EQ(out.status, MeshStatus::CapacityExceeded);
  EXPECT_EQ(out.message,
            "Capacity exceeded\n\nThe number of wells can not be increased further.\n\n"
            "The capacity of the program can be increased by increasing the value of BMAX in the "
            "main window.");
}

struct WellRoom {
  const char* name;
  int spareNodes;     // NMAX - NN
  int spareElements;  // MMAX - NM
  bool strip;         // the strip's middle element (7 more elements) or a lone one (5)
  bool refused;
};

class WellCapacity : public ::testing::TestWithParam<WellRoom> {};

TEST_P(WellCapacity, NeverBeyondTheTables) {
  const WellRoom c = GetParam();
  Problem base = c.strip ? Strip() : MakeMesh({{0, 0}, {200, 0}, {0, 200}}, {{0, 1, 2}}, 3);
  base.LX = base.LY = 200;
  // nodes and elements far away, touching nothing near the click
  std::vector<test::XY> nodes;
  for (int i = 0; i < base.NN; ++i) nodes.push_back({base.nodes[i].X, base.nodes[i].Y});
  std::vector<std::array<int, 3>> elems;
  for (int e = 0; e < base.NM; ++e) elems.push_back(base.elements[e].Node);
  const int far = static_cast<int>(nodes.size());
  for (int i = 0; i < 20; ++i) nodes.push_back({190.0 - i * 0.3, 190.0 + (i % 3)});
  for (int e = 0; e < 30; ++e) elems.push_back({far, far + 1 + e % 10, far + 2 + e % 10});
  Capacities caps;
  caps.NMAX = static_cast<int>(nodes.size()) + c.spareNodes;
  caps.MMAX = static_cast<int>(elems.size()) + c.spareElements;
  Problem p = MakeMesh(nodes, elems, static_cast<int>(nodes.size()), caps);
  p.LX = p.LY = 200;
  const auto before = test::ElementSet(p);
  const int NN = p.NN, NM = p.NM;
  const MeshOutcome out = AddWellAt(p, c.strip ? 100 : 60, c.strip ? 66 : 60);
  if (c.refused) {
    EXPECT_EQ(out.status, MeshStatus::CapacityExceeded);
    EXPECT_EQ(out.message,
              "Capacity exceeded\n\nThe number of nodes and/or elements in the problem is too "
              "large to add an interior node.\n\nThe capacity of the program can be increased by "
              "increasing the values of NMAX and MMAX in the main window.");
    EXPECT_EQ(p.NN, NN);
    EXPECT_EQ(p.NM, NM);
    EXPECT_EQ(p.NW, 0);
    EXPECT_EQ(test::ElementSet(p), before);
  } else {
    EXPECT_EQ(out.status, MeshStatus::WellInNewNode);
    EXPECT_EQ(p.NN, NN + 4);
    EXPECT_EQ(p.NM, NM + (c.strip ? 7 : 5));
  }
  EXPECT_LE(p.NN, p.caps.NMAX);
  EXPECT_LE(p.NM, p.caps.MMAX);
}

INSTANTIATE_TEST_SUITE_P(
    Boundaries, WellCapacity,
    ::testing::Values(WellRoom{"FourElementsLeft", 100, 4, false, true},
                      WellRoom{"TwoNodesLeft", 2, 100, false, true},
                      WellRoom{"ThreeNodesLeftPassTheTestButDoNotFit", 3, 100, false, true},
                      WellRoom{"FourNodesLeftFitExactly", 4, 100, false, false},
                      WellRoom{"FiveElementsFitALoneElement", 100, 5, false, false},
                      WellRoom{"FiveElementsAreTooFewWithNeighbours", 100, 5, true, true},
                      WellRoom{"SevenElementsFitWithTwoNeighbours", 100, 7, true, false}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace planaq
