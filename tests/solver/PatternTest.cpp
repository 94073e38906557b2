#include <gtest/gtest.h>

#include "solver/LiteralSolver.h"
#include "solver/Pattern.h"
#include "solver/StripMesh.h"

namespace planaq {
namespace {

Problem OneElement() {
  Problem p;
  p.StartUp(Capacities{});
  return p;  // the initial problem: nodes 0, 1, 2 in one element
}

TEST(BuildPattern, SingleElementRows) {
  Problem p = OneElement();
  SparseSystem s;
  ASSERT_EQ(BuildPattern(p, s), 6);
  EXPECT_EQ(s.column, (std::vector<int>{0, 1, 2, -1, 2, -2}));
  EXPECT_EQ(p.nodes[0].RowStart, 0);
  EXPECT_EQ(p.nodes[1].RowStart, 3);
  EXPECT_EQ(p.nodes[2].RowStart, 5);
  EXPECT_EQ(p.NZ, 6);
}

TEST(BuildPattern, SharedNeighbourListedOnceInOrderFound) {
  Problem p = OneElement();
  p.NN = 4;
  p.NM = 2;
  p.nodes[3] = {500.0, 500.0, 0, 0};
  p.elements[0].Node = {0, 2, 1};
  p.elements[1].Node = {3, 2, 0};
  p.elements[1].Block = 0;
  SparseSystem s;
  ASSERT_EQ(BuildPattern(p, s), 4 + 2 + 2 + 1);
  // node 0 finds 2 and 1 in element 0, then 3 in element 1; 2 is not repeated
  EXPECT_EQ(std::vector<int>(s.column.begin(), s.column.begin() + 4),
            (std::vector<int>{0, 2, 1, 3}));
  EXPECT_EQ(FindPosition(s, 0, 3), 3);
  EXPECT_EQ(FindPosition(s, 2, 0), -1);  // held in the row of 0
  EXPECT_EQ(FindPosition(s, 1, 1), p.nodes[1].RowStart);
}

TEST(BuildPattern, ElementWithoutBlockTakesNoPart) {
  Problem p = OneElement();
  p.elements[0].Block = -1;
  SparseSystem s;
  ASSERT_EQ(BuildPattern(p, s), 3);
  EXPECT_EQ(s.column, (std::vector<int>{0, -1, -2}));
}

TEST(BuildPattern, CapacityIsFiveTimesNMAX) {
  test::StripLayout layout;
  layout.nx = 2;
  layout.ny = 2;
  Problem p = test::StripProblem(layout);
  SparseSystem s;
  const int nz = BuildPattern(p, s);
  ASSERT_GT(nz, 0);
  ASSERT_EQ(nz % 5, 0) << "the mesh is chosen so that NZ is a multiple of 5";
  p.caps.NMAX = nz / 5;  // exactly enough
  EXPECT_EQ(BuildPattern(p, s), nz);
  p.caps.NMAX = nz / 5 - 1;
  EXPECT_EQ(BuildPattern(p, s), -1);
  EXPECT_NE(std::string(kPatternCapacityMessage).find("Capacity exceeded\n\n"), std::string::npos);
}

struct PatternCase {
  const char* name;
  test::StripLayout layout;
};

class PatternEqualsScan : public ::testing::TestWithParam<PatternCase> {};

TEST_P(PatternEqualsScan, SameRowsAndOrder) {
  Problem p = test::StripProblem(GetParam().layout);
  // some elements without a block, as left behind by editing
  for (int e = 3; e < p.NM; e += 17) p.elements[e].Block = -1;
  const test::LiteralSystem literal = test::LiteralPattern(p);
  SparseSystem s;
  ASSERT_EQ(BuildPattern(p, s), literal.NZ);
  EXPECT_EQ(s.column, literal.column);
  for (int i = 0; i < p.NN; ++i) ASSERT_EQ(p.nodes[i].RowStart, literal.rowStart[i]) << i;
  for (int i = 0; i < p.NN; ++i)
    for (int q = literal.rowStart[i]; q < literal.RowEnd(i, p.NN); ++q) {
      const int k = q == literal.rowStart[i] ? i : literal.column[q];
      ASSERT_EQ(FindPosition(s, i, k), test::LiteralFind(literal, p.NN, i, k));
    }
}

test::StripLayout StripOf(int nx, int ny, bool diag, bool shuffle, unsigned seed) {
  test::StripLayout s;
  s.nx = nx;
  s.ny = ny;
  s.randomDiagonals = diag;
  s.shuffle = shuffle;
  s.seed = seed;
  return s;
}

INSTANTIATE_TEST_SUITE_P(
    Meshes, PatternEqualsScan,
    ::testing::Values(PatternCase{"Ordered", StripOf(8, 5, false, false, 1)},
                      PatternCase{"RandomDiagonals", StripOf(9, 7, true, false, 2)},
                      PatternCase{"ShuffledNumbers", StripOf(10, 6, true, true, 3)},
                      PatternCase{"ShuffledLarge", StripOf(30, 20, true, true, 4)},
                      PatternCase{"ShuffledThin", StripOf(40, 1, false, true, 5)}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace planaq
