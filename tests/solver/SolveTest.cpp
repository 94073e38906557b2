#include <gtest/gtest.h>

#include <cmath>

#include "files/Datafile.h"
#include "solver/Assembly.h"
#include "solver/LiteralSolver.h"
#include "solver/Pattern.h"
#include "solver/Solve.h"
#include "solver/StripMesh.h"
#include "support/TempDir.h"

namespace planaq {
namespace {

// Records what the progress grid would show.
struct RecordedProgress : SolveProgress {
  int started = 0;
  std::vector<std::pair<int, int>> elements;
  std::vector<std::pair<int, double>> iterations;
  void Started() override { ++started; }
  void ElementAssembled(int e, int c) override { elements.push_back({e, c}); }
  void IterationReported(int i, double l) override { iterations.push_back({i, l}); }
};

// A layered problem with given heads on both ends of layer 1 and 2, wells, infiltration and
// open tops whose heads never reach their top, small enough for the literal reference: the
// bound of the open tops leaves such a problem as it would be without them, bit for bit.
Problem LayeredProblem(int NL, unsigned seed, int nx = 9, int ny = 4) {
  test::StripLayout layout;
  layout.nx = nx;
  layout.ny = ny;
  layout.NL = NL;
  layout.randomDiagonals = layout.shuffle = true;
  layout.seed = seed;
  Problem p = test::StripProblem(layout);
  p.soils[0].I = 0.001;
  for (int L = 0; L < NL; ++L) p.soils[0].K[L] = 5.0 + 3.0 * L;
  test::GiveHeadsAt(p, 0.0, 0, [](double) { return 62.0; });
  test::GiveHeadsAt(p, layout.length, 0, [](double) { return 57.0; });
  if (NL > 1) test::GiveHeadsAt(p, layout.length, NL - 1, [](double) { return 50.0; });
  for (int n = 0; n < p.NN; n += 3) {
    p.nodes[n].Type |= 1;
    p.layers[n].T[0] = 75.0;
  }
  p.NW = 2;
  p.wells[0] = {p.NN / 2, NL - 1, -300.0};
  p.wells[1] = {p.NN / 3, 0, 150.0};
  return p;
}

class SolveEqualsLiteral : public ::testing::TestWithParam<int> {};

TEST_P(SolveEqualsLiteral, SameIterationsHeadsAndSupplies) {
  const int NL = GetParam();
  Problem fast = LayeredProblem(NL, 20 + NL);
  Problem literal = fast;
  SolveProgress none;
  const SolveResult result = SolveProblem(fast, none);
  const std::vector<int> counts = test::LiteralSolve(literal);
  ASSERT_TRUE(result.solved);
  ASSERT_EQ(result.cycles.size(), 6u);
  for (int c = 0; c < 6; ++c) EXPECT_EQ(result.cycles[c].iterations, counts[c]) << c;
  EXPECT_GT(counts[0], 0);
  for (int n = 0; n < fast.NN; ++n)
    for (int L = 0; L < NL; ++L) {
      ASSERT_EQ(fast.layers[n].F[L], literal.layers[n].F[L]) << n << " " << L;
      ASSERT_EQ(fast.layers[n].Q[L], literal.layers[n].Q[L]) << n << " " << L;
      ASSERT_EQ(fast.layers[n].W[L], literal.layers[n].W[L]) << n << " " << L;
    }
}

// Several hundred nodes: the vector passes work in blocks of nodes, and rows reach across them;
// one layer (whole rows), an odd and even numbers of layers (one and two layers at a time).
TEST(SolveEqualsLiteralLarge, AcrossBlocksOfNodes) {
  for (int NL : {1, 2, 3, 6}) {
    Problem fast = LayeredProblem(NL, 40 + NL, 41, 6);
    Problem literal = fast;
    SolveProgress none;
    const SolveResult result = SolveProblem(fast, none);
    const std::vector<int> counts = test::LiteralSolve(literal);
    for (int c = 0; c < 6; ++c) EXPECT_EQ(result.cycles[c].iterations, counts[c]) << c;
    for (int n = 0; n < fast.NN; ++n)
      for (int L = 0; L < NL; ++L) ASSERT_EQ(fast.layers[n].F[L], literal.layers[n].F[L]) << n;
  }
}

// A node in no element, a given head in a middle layer and a lower layer given where the upper
// is not: rows and pairs of layers that are only partly iterated.
TEST(SolveEqualsLiteralLarge, PartlyIteratedRowsAndPairs) {
  for (int NL : {1, 4, 5}) {
    Problem fast = LayeredProblem(NL, 60 + NL, 14, 5);  // 90 of 100 nodes
    ASSERT_LT(fast.NN, fast.caps.NMAX);
    const int lonely = fast.NN;
    fast.NN += 1;
    fast.nodes[lonely] = {5000.0, 5000.0, 0, 0};
    fast.layers[lonely] = fast.layers[0];
    for (int n = 0; n < fast.NN; n += 7) fast.nodes[n].Type |= 1 << (1 + (n / 7) % NL);
    Problem literal = fast;
    SolveProgress none;
    const SolveResult result = SolveProblem(fast, none);
    const std::vector<int> counts = test::LiteralSolve(literal);
    ASSERT_TRUE(result.solved);
    for (int c = 0; c < 6; ++c) EXPECT_EQ(result.cycles[c].iterations, counts[c]) << c;
    for (int n = 0; n < fast.NN; ++n)
      for (int L = 0; L < NL; ++L) {
        ASSERT_EQ(fast.layers[n].F[L], literal.layers[n].F[L]) << NL << " " << n << " " << L;
        ASSERT_EQ(fast.layers[n].Q[L], literal.layers[n].Q[L]) << NL << " " << n << " " << L;
      }
  }
}

INSTANTIATE_TEST_SUITE_P(Layers, SolveEqualsLiteral, ::testing::Range(1, 7),
                         [](const auto& info) { return "NL" + std::to_string(info.param); });

TEST(SolveProblem, ProgressAsTheGridShowsIt) {
  Problem p = LayeredProblem(2, 3);
  RecordedProgress progress;
  const SolveResult result = SolveProblem(p, progress);
  EXPECT_EQ(progress.started, 1);
  // 72 elements: reported every 1 element, cycles 1..6
  ASSERT_EQ(progress.elements.size(), 6u * p.NM);
  EXPECT_EQ(progress.elements.front(), std::make_pair(1, 1));
  EXPECT_EQ(progress.elements.back(), std::make_pair(p.NM, 6));
  // every iteration is shown (NN <= 1000), plus the closing report of each cycle
  int total = 0;
  for (const CycleReport& c : result.cycles) total += c.iterations + 1;
  ASSERT_EQ(static_cast<int>(progress.iterations.size()), total);
  EXPECT_DOUBLE_EQ(result.cycles[0].logError,
                   progress.iterations[result.cycles[0].iterations].second);
  for (int c = 0; c < 6; ++c) {
    const double eps = std::pow(1e-4, c + 1);
    EXPECT_GE(result.cycles[c].logError, std::log10(eps * eps) - 1e-12);
  }
  EXPECT_EQ(FormatProgressLogError(-8.0), "       -8.00");
  EXPECT_EQ(FormatProgressCount(17), "          17");
}

struct IntervalCase {
  int count, elementInterval, iterationInterval;
};
class ReportIntervals : public ::testing::TestWithParam<IntervalCase> {};
TEST_P(ReportIntervals, ByProblemSize) {
  EXPECT_EQ(AssemblyReportInterval(GetParam().count), GetParam().elementInterval);
  EXPECT_EQ(IterationReportInterval(GetParam().count), GetParam().iterationInterval);
}
INSTANTIATE_TEST_SUITE_P(Sizes, ReportIntervals,
                         ::testing::Values(IntervalCase{100, 1, 1}, IntervalCase{101, 10, 1},
                                           IntervalCase{1000, 10, 1}, IntervalCase{1001, 100, 10},
                                           IntervalCase{10001, 1000, 10},
                                           IntervalCase{100001, 1000, 100}),
                         [](const auto& info) { return "N" + std::to_string(info.param.count); });

TEST(SolveProblem, CapacityExceededLeavesTheHeads) {
  Problem p = LayeredProblem(3, 4);
  p.caps.NMAX = 10;
  const Problem before = p;
  SolveProgress none;
  const SolveResult result = SolveProblem(p, none);
  EXPECT_FALSE(result.solved);
  EXPECT_EQ(result.message,
            "Capacity exceeded\n\nThe number of nodes in the problem is too large to generate the "
            "matrix.\n\nThe capacity of the program can be increased by increasing the values of "
            "NMAX and MMAX in the Installation Grid of the main window.");
  EXPECT_TRUE(result.cycles.empty());
  for (int n = 0; n < p.NN; ++n) EXPECT_EQ(p.layers[n].F, before.layers[n].F);
}

TEST(SolveProblem, NodeOutsideEveryElementKeepsItsHead) {
  Problem p = LayeredProblem(2, 5);
  // the last node is moved out of the mesh: it is left in no element
  const int lonely = p.NN;
  p.NN += 1;
  p.nodes[lonely] = {5000.0, 5000.0, 0, 0};
  p.layers[lonely] = p.layers[0];
  p.layers[lonely].F = {61.0, 51.0, 0, 0, 0, 0};
  p.nodes[lonely].Type = 0;
  SolveProgress none;
  const SolveResult result = SolveProblem(p, none);
  ASSERT_TRUE(result.solved);
  EXPECT_EQ(p.layers[lonely].F[0], 61.0);
  EXPECT_EQ(p.layers[lonely].F[1], 51.0);
  EXPECT_NE(result.note.find("Node " + std::to_string(lonely + 1) + ", layer 1"),
            std::string::npos);
  EXPECT_NE(result.note.find("Node " + std::to_string(lonely + 1) + ", layer 2"),
            std::string::npos);
  for (int n = 0; n < p.NN; ++n)
    for (int L = 0; L < 2; ++L) {
      EXPECT_TRUE(std::isfinite(p.layers[n].F[L]));
      EXPECT_TRUE(std::isfinite(p.layers[n].Q[L]));
    }
}

TEST(SolveProblem, OpenTopHeldAtTheTop) {
  test::StripLayout layout;
  layout.nx = 10;
  layout.ny = 2;
  Problem p = test::StripProblem(layout);
  // the given head 65 on the left lies above the top (60) of the whole layer
  test::GiveHeadsAt(p, 0.0, 0, [](double) { return 65.0; });
  const int right = test::NodeAt(layout, layout.nx, 1);
  p.nodes[right].Type |= 1;
  SolveProgress none;
  SolveProblem(p, none);
  EXPECT_EQ(p.layers[right].F[0], p.layers[right].T[0]);
  EXPECT_LT(p.layers[right].Q[0], p.layers[right].W[0]);
  EXPECT_LT(p.layers[right].Q[0], 0.0);  // water leaves through the top
  // a closed-top node keeps its head above the top
  EXPECT_GT(p.layers[test::NodeAt(layout, layout.nx - 1, 1)].F[0], 60.0);
}

TEST(SolveProblem, WaterLevelWarningFromTheFinalHeads) {
  test::StripLayout layout;
  layout.nx = 6;
  Problem p = test::StripProblem(layout);
  test::GiveHeadsAt(p, 0.0, 0, [](double) { return 45.0; });  // below the bottom 50
  SolveProgress none;
  EXPECT_TRUE(SolveProblem(p, none).waterLevelWarning);
  EXPECT_TRUE(p.waterLevelWarning);
  Problem q = test::StripProblem(layout);
  q.waterLevelWarning = true;
  EXPECT_FALSE(SolveProblem(q, none).waterLevelWarning);
}

TEST(SolveProblem, SolvedFileSolvesToTheSameBytes) {
  test::TempDir dir;
  Problem p = LayeredProblem(3, 6);
  SolveProgress none;
  SolveProblem(p, none);
  ASSERT_TRUE(WriteDatafile(p, dir.File("a.aqd")).ok);
  std::string texts[2];
  for (std::string& text : texts) {
    Problem q;
    q.StartUp(p.caps);
    ASSERT_TRUE(ReadDatafile(q, dir.File("a.aqd")).ok);
    SolveProblem(q, none);
    ASSERT_TRUE(WriteDatafile(q, dir.File("b.aqd")).ok);
    text = test::ReadFile(dir.File("b.aqd"));
  }
  EXPECT_EQ(texts[0], texts[1]);
  EXPECT_NE(texts[0].find("b.aqd"), std::string::npos);
}

}  // namespace
}  // namespace planaq
