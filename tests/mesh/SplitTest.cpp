#include <gtest/gtest.h>

#include <random>
#include <set>
#include <string>

#include "MeshFixture.h"
#include "mesh/Split.h"

namespace planaq {
namespace {

using test::MakeMesh;
using test::NodeAt;

void ExpectMidpointNode(const Problem& p, int m, int a, int b, int type) {
  ASSERT_GE(m, 0);
  EXPECT_EQ(p.nodes[m].Type, type);
  for (int L = 0; L < p.NL; ++L) {
    EXPECT_DOUBLE_EQ(p.layers[m].B[L], (p.layers[a].B[L] + p.layers[b].B[L]) / 2);
    EXPECT_DOUBLE_EQ(p.layers[m].T[L], (p.layers[a].T[L] + p.layers[b].T[L]) / 2);
    EXPECT_DOUBLE_EQ(p.layers[m].F[L], (p.layers[a].F[L] + p.layers[b].F[L]) / 2);
    EXPECT_EQ(p.layers[m].Q[L], 0.0);
  }
}

double SignedArea(const Problem& p, int e) {
  const auto& n = p.elements[e].Node;
  const Node &a = p.nodes[n[0]], &b = p.nodes[n[1]], &c = p.nodes[n[2]];
  return (b.X - a.X) * (c.Y - a.Y) - (c.X - a.X) * (b.Y - a.Y);
}

TEST(SplitElements4, OneElementGivesThreeBoundaryNodesAndFourElements) {
  Problem p = MakeMesh({{0, 0}, {100, 0}, {0, 100}}, {{0, 1, 2}}, 3);
  p.nodes[0].Type = 2 | 4;
  p.nodes[1].Type = 2 | 4 | 1;
  p.nodes[2].Type = 2 | 1;
  const MeshOutcome out = SplitElements4(p);
  EXPECT_EQ(out.status, MeshStatus::Done);
  EXPECT_TRUE(out.message.empty());
  ASSERT_EQ(p.NN, 6);
  ASSERT_EQ(p.NM, 4);
  ExpectMidpointNode(p, NodeAt(p, 50, 0), 0, 1, 6);
  ExpectMidpointNode(p, NodeAt(p, 50, 50), 1, 2, 3);
  ExpectMidpointNode(p, NodeAt(p, 0, 50), 0, 2, 2);
  for (int e = 0; e < 4; ++e) {
    EXPECT_DOUBLE_EQ(test::ElementArea(p, e), 1250.0);
    EXPECT_GT(SignedArea(p, e), 0) << "element " << e << " turned over";
  }
  // main nodes stay where they were
  EXPECT_EQ(NodeAt(p, 0, 0), 0);
  EXPECT_EQ(NodeAt(p, 100, 0), 1);
  EXPECT_EQ(NodeAt(p, 0, 100), 2);
  EXPECT_EQ(p.previous.NN, 3);
  EXPECT_EQ(p.previous.NM, 1);
}

TEST(SplitElements4, SharedSideMidpointIsInteriorAndReported) {
  Problem p = MakeMesh({{0, 0}, {100, 0}, {0, 100}, {100, 100}}, {{0, 1, 2}, {1, 3, 2}}, 4);
  for (int i = 0; i < 4; ++i) p.nodes[i].Type = 2 | 4 | 8 | 16 | 32 | 64;
  std::vector<std::string> texts;
  SplitElements4(p, [&](const std::string& t) { texts.push_back(t); });
  EXPECT_EQ(p.NN, 9);
  EXPECT_EQ(p.NM, 8);
  const int centre = NodeAt(p, 50, 50);
  ExpectMidpointNode(p, centre, 1, 2, 0);
  ExpectMidpointNode(p, NodeAt(p, 50, 100), 2, 3, 126);
  const std::vector<std::string> expected = {
      "Split 4 : 4 Nodes, 2 Elements", "Split 4 : 7 Nodes, 5 Elements",
      "Split 4 : 9 Nodes, 8 Elements", "Split 4 : 9 Nodes, 8 Elements"};
  EXPECT_EQ(texts, expected);
  EXPECT_TRUE(p.particleRowsStale);
}

TEST(SplitElements2, SharedLongestSideDividesBothAtOneNode) {
  Problem p = MakeMesh({{0, 0}, {100, 0}, {0, 100}, {100, 100}}, {{0, 1, 2}, {1, 3, 2}}, 4);
  for (int i = 0; i < 4; ++i) p.nodes[i].Type = 2;
  SplitElements2(p);
  EXPECT_EQ(p.NN, 5);
  EXPECT_EQ(p.NM, 4);
  ExpectMidpointNode(p, NodeAt(p, 50, 50), 1, 2, 0);
  for (int e = 0; e < 4; ++e) EXPECT_DOUBLE_EQ(test::ElementArea(p, e), 2500.0);
}

TEST(SplitElements2, EqualSidesPreferSideThreeOne) {
  // sides 3-1 and 1-2 are equally long and longer than 2-3
  Problem p = MakeMesh({{0, 0}, {2, 1}, {2, -1}}, {{0, 1, 2}}, 3);
  SplitElements2(p);
  ASSERT_EQ(p.NN, 4);
  ASSERT_EQ(p.NM, 2);
  EXPECT_EQ(p.nodes[3].X, 1.0);
  EXPECT_EQ(p.nodes[3].Y, -0.5);
  // (n2, n3, m) and (n2, n1, m); the one touching (0, 0) has the smaller key and comes first
  EXPECT_EQ(p.elements[0].Node, (std::array<int, 3>{1, 0, 3}));
  EXPECT_EQ(p.elements[1].Node, (std::array<int, 3>{1, 2, 3}));
}

TEST(SplitElements2, ProgressAfterEveryDividedElement) {
  // the first element's division also divides the second, which is not visited again
  Problem p = MakeMesh({{0, 0}, {100, 0}, {0, 100}, {100, 100}}, {{0, 1, 2}, {1, 3, 2}}, 4);
  std::vector<std::string> texts;
  SplitElements2(p, [&](const std::string& t) { texts.push_back(t); });
  const std::vector<std::string> expected = {"Split 2 : 4 Nodes, 2 Elements",
                                             "Split 2 : 5 Nodes, 4 Elements",
                                             "Split 2 : 5 Nodes, 4 Elements"};
  EXPECT_EQ(texts, expected);
}

struct CapacityCase {
  const char* name;
  int parts;
  int NMAX;
  int NN;
  bool refused;
};

class SplitCapacity : public ::testing::TestWithParam<CapacityCase> {};

TEST_P(SplitCapacity, IntegerDivisionTest) {
  const CapacityCase c = GetParam();
  std::vector<test::XY> nodes = {{0, 0}, {1000, 0}, {0, 500}};
  for (int i = 3; i < c.NN; ++i) nodes.push_back({1.0 * i, 900.0});  // nodes of no element
  Capacities caps;
  caps.NMAX = c.NMAX;
  Problem p = MakeMesh(nodes, {{0, 1, 2}}, c.NN, caps);
  const MeshOutcome out = c.parts == 4 ? SplitElements4(p) : SplitElements2(p);
  if (c.refused) {
    EXPECT_EQ(out.status, MeshStatus::CapacityExceeded);
    const std::string expected = std::string("Capacity exceeded\n\n") +
                                 "The number of nodes or elements in the problem is too large "
                                 "to split all elements into " +
                                 std::to_string(c.parts) +
                                 " elements.\n\nThe capacity of the program can be increased by "
                                 "increasing the values of NMAX and MMAX in the main window.";
    EXPECT_EQ(out.message, expected);
    EXPECT_EQ(p.NN, c.NN);
    EXPECT_EQ(p.NM, 1);
  } else {
    EXPECT_EQ(out.status, MeshStatus::Done);
    EXPECT_EQ(p.NM, c.parts);
  }
}

INSTANTIATE_TEST_SUITE_P(Boundaries, SplitCapacity,
                         ::testing::Values(CapacityCase{"Split4Refused", 4, 400, 101, true},
                                           CapacityCase{"Split4Passes", 4, 400, 100, false},
                                           CapacityCase{"Split2Passes", 2, 401, 101, false},
                                           CapacityCase{"Split2Refused", 2, 401, 201, true}),
                         [](const auto& info) { return std::string(info.param.name); });

// Many sides on few nodes: passes the test of the counts but needs more nodes than there are.
Problem OverlappingMesh(int NMAX) {
  std::vector<test::XY> nodes;
  for (int i = 0; i < 26; ++i) nodes.push_back({37.0 * i + (i % 5) * 11.0, (i * i % 29) * 31.0});
  std::vector<std::array<int, 3>> elems;
  std::mt19937 rng(4);
  std::uniform_int_distribution<int> node(0, 25);
  while (elems.size() < 40) {
    const std::array<int, 3> el{node(rng), node(rng), node(rng)};
    if (el[0] != el[1] && el[1] != el[2] && el[2] != el[0]) elems.push_back(el);
  }
  Capacities caps;
  caps.NMAX = NMAX;
  return MakeMesh(nodes, elems, 26, caps);
}

class SplitBeyondCapacity : public ::testing::TestWithParam<int> {};

TEST_P(SplitBeyondCapacity, Split4RefusedUnchangedOrFitsExactly) {
  const int spare = GetParam();  // nodes of room beyond what Split 4 needs
  Problem probe = OverlappingMesh(12000);
  SplitElements4(probe);
  const int needed = probe.NN;
  Problem p = OverlappingMesh(needed + spare);
  ASSERT_LE(p.NN, p.caps.NMAX / 4) << "the mesh must pass the test of the counts";
  ASSERT_GT(26 + 3 * 40, p.caps.NMAX) << "the mesh must be able to overflow";
  const auto before = test::ElementSet(p);
  const MeshOutcome out = SplitElements4(p);
  if (spare < 0) {
    EXPECT_EQ(out.status, MeshStatus::CapacityExceeded);
    EXPECT_EQ(out.message.rfind("Capacity exceeded\n\n", 0), 0u);
    EXPECT_EQ(p.NN, 26);
    EXPECT_EQ(p.NM, 40);
    EXPECT_EQ(test::ElementSet(p), before);
  } else {
    EXPECT_EQ(out.status, MeshStatus::Done);
    EXPECT_EQ(p.NN, needed);
    EXPECT_EQ(p.NM, 160);
    EXPECT_EQ(test::ElementSet(p), test::ElementSet(probe));
  }
}

INSTANTIATE_TEST_SUITE_P(Room, SplitBeyondCapacity, ::testing::Values(-1, 0), [](const auto& info) {
  return info.param < 0 ? std::string("OneShort") : std::string("Exact");
});

TEST(SplitElements2, BeyondCapacityIsRefusedUnchangedAndExactFitPasses) {
  Problem probe = OverlappingMesh(12000);
  SplitElements2(probe);
  const int needed = probe.NN;
  ASSERT_GT(needed, 26);

  Problem tight = OverlappingMesh(needed - 1);
  ASSERT_LE(tight.NN, tight.caps.NMAX / 2);
  const auto before = test::ElementSet(tight);
  EXPECT_EQ(SplitElements2(tight).status, MeshStatus::CapacityExceeded);
  EXPECT_EQ(tight.NN, 26);
  EXPECT_EQ(test::ElementSet(tight), before);

  Problem exact = OverlappingMesh(needed);
  EXPECT_EQ(SplitElements2(exact).status, MeshStatus::Done);
  EXPECT_EQ(exact.NN, needed);
  EXPECT_EQ(test::ElementSet(exact), test::ElementSet(probe));
}

}  // namespace
}  // namespace planaq
