#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
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

// The heapsort step by step as the renumbering is defined, entries counted from 1.
void WrittenHeapSort(std::vector<double>& key, std::vector<int>& carry) {
  const int n = static_cast<int>(key.size());
  if (n < 2) return;
  key.insert(key.begin(), 0.0);
  carry.insert(carry.begin(), 0);
  int l = n / 2 + 1, ir = n;
  for (;;) {
    double k;
    int c;
    if (l > 1) {
      l = l - 1;
      k = key[l];
      c = carry[l];
    } else {
      k = key[ir];
      c = carry[ir];
      key[ir] = key[1];
      carry[ir] = carry[1];
      ir = ir - 1;
      if (ir == 1) {
        key[1] = k;
        carry[1] = c;
        break;
      }
    }
    int i = l, j = 2 * l;
    bool sifting = true;
    while (sifting && j <= ir) {
      if (j < ir && key[j] < key[j + 1]) j = j + 1;
      if (k < key[j]) {
        key[i] = key[j];
        carry[i] = carry[j];
        i = j;
        j = 2 * j;
      } else {
        sifting = false;
      }
    }
    key[i] = k;
    carry[i] = c;
  }
  key.erase(key.begin());
  carry.erase(carry.begin());
}

class HeapSortAgainstWritten : public ::testing::TestWithParam<int> {};

TEST_P(HeapSortAgainstWritten, SameOrderOfEqualKeys) {
  std::mt19937 rng(GetParam());
  for (int round = 0; round < 40; ++round) {
    const int n = round < 39 ? round * 7 % 97 : 5000;
    std::uniform_int_distribution<int> value(0, 1 + GetParam() % 6 * round);
    std::vector<double> key(n), written;
    std::vector<int> carry(n), writtenCarry;
    for (int i = 0; i < n; ++i) {
      key[i] = value(rng);
      carry[i] = i;
    }
    written = key;
    writtenCarry = carry;
    WrittenHeapSort(written, writtenCarry);
    HeapSort(key.data(), carry.data(), n);
    ASSERT_EQ(carry, writtenCarry) << "round " << round << ", " << n << " entries";
    ASSERT_EQ(key, written);
  }
}

INSTANTIATE_TEST_SUITE_P(Seeds, HeapSortAgainstWritten, ::testing::Range(1, 9));

TEST(HeapSort, KeysThatDoNotCompareStillGiveAPermutation) {
  std::vector<double> key = {3, std::nan(""), 1, 2, std::nan(""), 0};
  std::vector<int> carry = {0, 1, 2, 3, 4, 5}, written = carry;
  std::vector<double> writtenKey = key;
  WrittenHeapSort(writtenKey, written);
  HeapSort(key.data(), carry.data(), 6);
  EXPECT_EQ(carry, written);
}

}  // namespace
}  // namespace planaq
