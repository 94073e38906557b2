#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "MeshFixture.h"
#include "mesh/Renumber.h"

namespace planaq {
namespace {

using test::MakeMesh;

TEST(RenumberNodes, NodesAfterTheMainNodesGoLeftToRight) {
  // keys of nodes 3, 4, 5: 3.0, 1.0, 2.0
  Problem p = MakeMesh({{0, 0}, {5, 0}, {0, 5}, {3, 0}, {1, 0}, {2, 0}}, {{0, 5, 3}}, 3);
  p.nodes[3].Type = 13;
  p.layers[3].F[2] = 42.5;
  p.NW = 1;
  p.wells[0].Node = 3;
  ASSERT_TRUE(RenumberNodes(p));
  EXPECT_EQ(p.nodes[3].X, 1.0);  // old node 4
  EXPECT_EQ(p.nodes[4].X, 2.0);  // old node 5
  EXPECT_EQ(p.nodes[5].X, 3.0);  // old node 3, with all its values
  EXPECT_EQ(p.nodes[5].Type, 13);
  EXPECT_EQ(p.layers[5].F[2], 42.5);
  EXPECT_EQ(p.elements[0].Node, (std::array<int, 3>{0, 4, 5}));
  EXPECT_EQ(p.wells[0].Node, 5);
  // main nodes stay, even the one right of everything
  EXPECT_EQ(p.nodes[1].X, 5.0);
}

TEST(RenumberNodes, EqualKeysEndWhereTheHeapsortPutsThem) {
  // (10, 0) and (0, 10000) both have key 10; this heapsort swaps two equal entries
  Problem p = MakeMesh({{0, 0}, {50, 0}, {0, 50}, {10, 0}, {0, 10000}}, {{0, 1, 2}}, 3);
  RenumberNodes(p);
  EXPECT_EQ(p.nodes[3].Y, 10000.0);
  EXPECT_EQ(p.nodes[4].X, 10.0);
}

TEST(RenumberNodes, FewerThanTwoFreeNodesStay) {
  Problem p = MakeMesh({{0, 0}, {50, 0}, {0, 50}, {30, 0}}, {{0, 1, 3}, {3, 1, 2}}, 3);
  p.nodes[3].X = 9;
  RenumberNodes(p);
  EXPECT_EQ(p.nodes[3].X, 9.0);
  EXPECT_EQ(p.elements[1].Node, (std::array<int, 3>{3, 1, 2}));
}

TEST(RenumberElements, BySmallestNodeKey) {
  // the second element touches the far left main node, the first lies between
  Problem p = MakeMesh({{0, 0}, {100, 0}, {100, 50}, {40, 0}, {60, 10}, {50, 30}},
                       {{3, 4, 5}, {1, 0, 2}, {4, 1, 2}}, 6);
  p.elements[0].Block = 7;
  ASSERT_TRUE(RenumberElements(p));
  EXPECT_EQ(p.elements[0].Node, (std::array<int, 3>{1, 0, 2}));
  EXPECT_EQ(p.elements[1].Node, (std::array<int, 3>{3, 4, 5}));
  EXPECT_EQ(p.elements[1].Block, 7);
  EXPECT_EQ(p.elements[2].Node, (std::array<int, 3>{4, 1, 2}));
}

TEST(RenumberElements, OneElementStays) {
  Problem p = MakeMesh({{9, 0}, {1, 0}, {0, 5}}, {{2, 0, 1}}, 3);
  RenumberElements(p);
  EXPECT_EQ(p.elements[0].Node, (std::array<int, 3>{2, 0, 1}));
}

class HeapSortRandom : public ::testing::TestWithParam<int> {};

TEST_P(HeapSortRandom, SortsAscendingAndCarriesEveryIndexOnce) {
  std::mt19937 rng(GetParam());
  const int n = 1 + GetParam() * 37;
  std::vector<double> key(n);
  std::vector<int> carry(n);
  std::uniform_int_distribution<int> few(0, 9);  // many equal keys
  for (int i = 0; i < n; ++i) {
    key[i] = few(rng) * 0.5;
    carry[i] = i;
  }
  const std::vector<double> original = key;
  HeapSort(key.data(), carry.data(), n);
  EXPECT_TRUE(std::is_sorted(key.begin(), key.end()));
  std::vector<int> seen = carry;
  std::sort(seen.begin(), seen.end());
  for (int i = 0; i < n; ++i) {
    EXPECT_EQ(seen[i], i);
    EXPECT_EQ(key[i], original[carry[i]]);
  }
}

INSTANTIATE_TEST_SUITE_P(Sizes, HeapSortRandom, ::testing::Range(0, 8));

}  // namespace
}  // namespace planaq
