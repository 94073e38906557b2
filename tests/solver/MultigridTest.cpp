// The algebraic multigrid choice against the diagonal conjugate gradients, on its progress
// and on systems it cannot solve. Its closed-form checks are ClosedFormTest.cpp, built again
// into this suite.

#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cmath>
#include <cstdio>
#include <random>

#include "files/Datafile.h"
#include "solver/Assembly.h"
#include "solver/Pattern.h"
#include "solver/Solve.h"
#include "solver/StripMesh.h"
#include "support/RunCli.h"
#include "support/TempDir.h"

namespace planaq {
namespace {

// Six layers of random permeabilities and aquitards, given heads at both ends of layer 1 and
// one end of layer 6, wells, infiltration and open tops, randomly numbered. The heads stay
// above the top of layer 1, so that the system is the same in every cycle and the last one
// decides the heads of both iterations.
Problem RandomSixLayers(unsigned seed) {
  test::StripLayout layout;
  layout.nx = 40;
  layout.ny = 12;
  layout.NL = 6;
  layout.randomDiagonals = layout.shuffle = true;
  layout.seed = seed;
  Problem p = test::StripProblem(layout);
  std::mt19937 rng(seed);
  std::uniform_real_distribution<double> logUniform(0.0, 2.0);
  for (int L = 0; L < 6; ++L) {
    p.soils[0].K[L] = std::pow(10.0, logUniform(rng));
    p.soils[0].KA[L] = 1e-3 * std::pow(10.0, logUniform(rng));
  }
  p.soils[0].I = 0.001;
  test::GiveHeadsAt(p, 0.0, 0, [](double) { return 75.0; });
  test::GiveHeadsAt(p, layout.length, 0, [](double) { return 70.0; });
  test::GiveHeadsAt(p, layout.length, 5, [](double) { return 68.0; });
  for (int n = 0; n < p.NN; n += 3) p.nodes[n].Type |= 1;
  p.NW = 2;
  p.wells[0] = {p.NN / 2, 5, -40.0};
  p.wells[1] = {p.NN / 3, 2, 20.0};
  return p;
}

TEST(Multigrid, RandomSixLayersMatchTheDefaultHeadsInFewerIterations) {
  for (unsigned seed : {3u, 11u}) {
    Problem multigrid = RandomSixLayers(seed);
    Problem diagonal = multigrid;
    SolveProgress none;
    const SolveResult m = SolveProblem(multigrid, none, LinearSolver::Multigrid);
    const SolveResult d = SolveProblem(diagonal, none);
    ASSERT_TRUE(m.solved) << m.message;
    ASSERT_TRUE(d.solved);
    int multigridIterations = 0, diagonalIterations = 0;
    for (int c = 0; c < kCycles; ++c) {
      multigridIterations += m.cycles[c].iterations;
      diagonalIterations += d.cycles[c].iterations;
      EXPECT_LE(m.cycles[c].logError, std::log10(CycleTolerance(c))) << c;
    }
    EXPECT_LT(3 * multigridIterations, diagonalIterations);
    double largest = 0.0, lowest = 1e9;
    for (int n = 0; n < diagonal.NN; ++n)
      for (int L = 0; L < 6; ++L) {
        largest = std::max(largest, std::fabs(multigrid.layers[n].F[L] - diagonal.layers[n].F[L]));
        lowest = std::min(lowest, diagonal.layers[n].F[L] - diagonal.layers[n].T[L]);
      }
    EXPECT_GE(lowest, 0.0) << "confined everywhere (open tops held at the top)";
    EXPECT_LT(largest, 1e-6);
  }
}

// The open tops of a low band seep: both iterations hold the same nodes at the top and reach
// the same heads.
TEST(Multigrid, SeepingBandMatchesTheDefaultHeads) {
  Problem multigrid = RandomSixLayers(13);
  for (int n = 0; n < multigrid.NN; ++n)
    if (std::fabs(multigrid.nodes[n].X - 600.0) < 150.0) multigrid.layers[n].T[0] = 64.0;
  Problem diagonal = multigrid;
  SolveProgress none;
  ASSERT_TRUE(SolveProblem(multigrid, none, LinearSolver::Multigrid).solved);
  ASSERT_TRUE(SolveProblem(diagonal, none).solved);
  int held = 0;
  for (int n = 0; n < diagonal.NN; ++n) {
    const bool top = diagonal.layers[n].F[0] == diagonal.layers[n].T[0];
    held += top && (diagonal.nodes[n].Type & 3) == 1;
    EXPECT_EQ(multigrid.layers[n].F[0] == multigrid.layers[n].T[0], top) << n;
    for (int L = 0; L < 6; ++L)
      ASSERT_NEAR(multigrid.layers[n].F[L], diagonal.layers[n].F[L], 1e-6) << n << " " << L;
  }
  EXPECT_GT(held, 10);
}

// The heads of every node and layer after the six cycles of a Solve with this hierarchy.
std::vector<double> HeadsAfterSixCycles(Problem p, MultigridHierarchy& hierarchy) {
  SparseSystem system;
  EXPECT_GT(BuildPattern(p, system), 0);
  system.AllocateValues();
  std::set<std::pair<int, int>> kept;
  SolveProgress none;
  for (int cycle = 0; cycle < kCycles; ++cycle) {
    AssembleCycle(p, system, cycle, none);
    EXPECT_FALSE(
        IterateCycle(p, system, cycle, none, kept, LinearSolver::Multigrid, &hierarchy).diverged);
  }
  std::vector<double> heads;
  for (int n = 0; n < p.NN; ++n)
    heads.insert(heads.end(), p.layers[n].F.begin(), p.layers[n].F.end());
  return heads;
}

TEST(Multigrid, HierarchyKeptAcrossCyclesGivesTheHeadsOfOneSetUpEachTime) {
  const Problem p = RandomSixLayers(3);
  MultigridHierarchy kept, rebuilt(false);
  EXPECT_EQ(HeadsAfterSixCycles(p, kept), HeadsAfterSixCycles(p, rebuilt));
  EXPECT_GT(rebuilt.setUps(), kCycles - 1);
  EXPECT_EQ(kept.setUps(), 1);  // the system of a confined problem is that of cycle 1
}

// One changed value of the system makes the hierarchy anew: the heads are those of a hierarchy
// made for the changed system, not of the one before.
TEST(Multigrid, ChangedSystemIsSetUpAgain) {
  Problem p = RandomSixLayers(11);
  SparseSystem system;
  ASSERT_GT(BuildPattern(p, system), 0);
  system.AllocateValues();
  std::set<std::pair<int, int>> kept;
  SolveProgress none;
  MultigridHierarchy hierarchy, fresh;
  AssembleCycle(p, system, 0, none);
  IterateCycle(p, system, 0, none, kept, LinearSolver::Multigrid, &hierarchy);
  ASSERT_EQ(hierarchy.setUps(), 1);
  AssembleCycle(p, system, 1, none);
  int unknown = 0;
  while (p.nodes[unknown].Type & 3) ++unknown;  // neither given nor an open top
  system.A[static_cast<std::size_t>(system.rowStart[unknown]) * 6 + 3] *= 1.001;
  Problem q = p;
  SparseSystem copy = system;
  IterateCycle(p, system, 1, none, kept, LinearSolver::Multigrid, &hierarchy);
  IterateCycle(q, copy, 1, none, kept, LinearSolver::Multigrid, &fresh);
  EXPECT_EQ(hierarchy.setUps(), 2);
  for (int n = 0; n < p.NN; ++n)
    for (int L = 0; L < 6; ++L) ASSERT_EQ(p.layers[n].F[L], q.layers[n].F[L]) << n << " " << L;
}

struct RecordedIterations : SolveProgress {
  std::vector<std::pair<int, double>> reported;
  void IterationReported(int i, double l) override { reported.push_back({i, l}); }
};

TEST(Multigrid, EveryIterationIsReported) {
  Problem p = RandomSixLayers(5);
  RecordedIterations progress;
  const SolveResult result = SolveProblem(p, progress, LinearSolver::Multigrid);
  ASSERT_TRUE(result.solved);
  std::size_t at = 0;
  for (const CycleReport& cycle : result.cycles) {
    // 1, 2, ..., n, and the end of the cycle once more
    for (int i = 1; i <= cycle.iterations; ++i, ++at) {
      ASSERT_LT(at, progress.reported.size());
      EXPECT_EQ(progress.reported[at].first, i);
    }
    ASSERT_LT(at, progress.reported.size());
    EXPECT_EQ(progress.reported[at].first, cycle.iterations);
    EXPECT_EQ(progress.reported[at].second, cycle.logError);
    ++at;
  }
  EXPECT_EQ(at, progress.reported.size());
}

// 21 by 11 nodes in one layer with infiltration and no head anywhere: a singular system.
Problem Strip231() {
  test::StripLayout layout;
  layout.nx = 20;
  layout.ny = 10;
  Problem p = test::StripProblem(layout);
  p.soils[0].I = 0.001;
  return p;
}

struct Unsolvable {
  const char* name;
  double diagonalFactor;  // applied to the conductance of a node of unknown head
  bool headGiven;
};

class MultigridFails : public ::testing::TestWithParam<Unsolvable> {};

// The cycle is reported diverged and its heads are not taken, whatever the V-cycle made of it.
TEST_P(MultigridFails, CycleDivergedHeadsKept) {
  Problem p = Strip231();
  if (GetParam().headGiven) test::GiveHeadsAt(p, 0.0, 0, [](double) { return 62.0; });
  SparseSystem system;
  ASSERT_GT(BuildPattern(p, system), 0);
  system.AllocateValues();
  std::set<std::pair<int, int>> kept;
  SolveProgress none;
  const Problem before = p;
  AssembleCycle(p, system, 0, none);
  int unknown = 0;
  while (p.nodes[unknown].Type & 2) ++unknown;
  system.A[system.rowStart[unknown]] *= GetParam().diagonalFactor;
  const CycleReport report = IterateCycle(p, system, 0, none, kept, LinearSolver::Multigrid);
  EXPECT_TRUE(report.diverged);
  EXPECT_TRUE(std::isfinite(report.logError));
  for (int n = 0; n < p.NN; ++n) ASSERT_EQ(p.layers[n].F, before.layers[n].F) << n;
}

INSTANTIATE_TEST_SUITE_P(Systems, MultigridFails,
                         ::testing::Values(Unsolvable{"NoGivenHead", 1.0, false},
                                           Unsolvable{"NegativeDiagonal", -1.0, true},
                                           Unsolvable{"ScaledBeyondUse", 1e300, true}),
                         [](const auto& info) { return std::string(info.param.name); });

using test::RunCli;

TEST(Multigrid, CommandLineSolvesWithAmg) {
  test::TempDir dir;
  Problem p = RandomSixLayers(7);
  ASSERT_TRUE(WriteDatafile(p, dir.File("a.aqd")).ok);
  ASSERT_EQ(RunCli(dir, "solve --amg a.aqd b.aqd"), 0) << test::ReadFile(dir.File("err.txt"));
  EXPECT_EQ(test::ReadFile(dir.File("err.txt")), "");  // nothing from the library
  // the same as solving the file in this process
  Problem direct;
  direct.StartUp(p.caps);
  ASSERT_TRUE(ReadDatafile(direct, dir.File("a.aqd")).ok);
  SolveProgress none;
  const SolveResult result = SolveProblem(direct, none, LinearSolver::Multigrid);
  ASSERT_TRUE(result.solved);
  std::string cycles;
  for (std::size_t c = 0; c < result.cycles.size(); ++c) {
    char line[96];
    std::snprintf(line, sizeof line, "Cycle%12d  Iteration%12d  Log(error)%12.2f\n",
                  static_cast<int>(c + 1), result.cycles[c].iterations, result.cycles[c].logError);
    cycles += line;
  }
  EXPECT_EQ(test::ReadFile(dir.File("out.txt")), cycles);
  test::TempDir other;
  ASSERT_TRUE(WriteDatafile(direct, other.File("b.aqd")).ok);
  EXPECT_EQ(test::ReadFile(dir.File("b.aqd")), test::ReadFile(other.File("b.aqd")));
}

}  // namespace
}  // namespace planaq
