// What Solve refuses or warns of before its first cycle, and a cycle that diverges.

#include <gtest/gtest.h>

#include <cmath>

#include "solver/Assembly.h"
#include "solver/LiteralSolver.h"
#include "solver/Pattern.h"
#include "solver/Solve.h"
#include "solver/SolveChecks.h"
#include "solver/StripMesh.h"

namespace planaq {
namespace {

const std::string kCannot = "\n\nThe heads cannot be computed from these data.";
const std::string kGiveTheHead = " Give the head (F/Q = F) at one node at least.";

// 21 by 11 nodes (231) in one layer with infiltration and, unless given, no head anywhere.
Problem Strip231() {
  test::StripLayout layout;
  layout.nx = 20;
  layout.ny = 10;
  Problem p = test::StripProblem(layout);
  p.soils[0].I = 0.001;
  return p;
}

Problem TwoLayers() {
  test::StripLayout layout;
  layout.nx = 8;
  layout.NL = 2;
  Problem p = test::StripProblem(layout);
  p.soils[0].I = 0.001;
  test::GiveHeadsAt(p, 0.0, 0, [](double) { return 62.0; });
  return p;
}

void ExpectHeadsUnchanged(const Problem& p, const Problem& before) {
  for (int n = 0; n < p.NN; ++n) ASSERT_EQ(p.layers[n].F, before.layers[n].F) << n;
}

TEST(SolveRefused, HeadsOfLayer1ReachLayer2ThroughALeakyAquitard) {
  Problem p = TwoLayers();
  Problem literal = p;
  SolveProgress none;
  const SolveResult result = SolveProblem(p, none);
  ASSERT_TRUE(result.solved) << result.message;
  const std::vector<int> counts = test::LiteralSolve(literal);
  for (int c = 0; c < kCycles; ++c) EXPECT_EQ(result.cycles[c].iterations, counts[c]) << c;
  for (int n = 0; n < p.NN; ++n) ASSERT_EQ(p.layers[n].F, literal.layers[n].F) << n;
}

// Two strips side by side that share no node, each its own block; the head only in the first.
TEST(SolveRefused, SeparateBlockWithoutAHeadIsNamedByItsNode) {
  test::StripLayout layout;
  layout.nx = 4;
  Problem p = test::StripProblem(layout);
  const int NN = p.NN, NM = p.NM;
  for (int n = 0; n < NN; ++n) {
    p.nodes[NN + n] = p.nodes[n];
    p.nodes[NN + n].Y += 500.0;
    p.layers[NN + n] = p.layers[n];
  }
  for (int e = 0; e < NM; ++e) {
    for (int a = 0; a < 3; ++a) p.elements[NM + e].Node[a] = p.elements[e].Node[a] + NN;
    p.elements[NM + e].Block = 1;
  }
  p.NN *= 2;
  p.NM *= 2;
  p.NB = 2;
  p.soils[1] = p.soils[0];
  for (int n = 0; n < NN; ++n)
    if (p.nodes[n].X == 0.0) p.nodes[n].Type |= 2;
  SolveProgress none;
  const SolveResult result = SolveProblem(p, none);
  EXPECT_FALSE(result.solved);
  EXPECT_EQ(result.message, "No head is given in layer 1 at nodes connected to node " +
                                std::to_string(NN + 1) + ": the heads cannot be determined." +
                                kGiveTheHead);
}

// More than ten parts: one sentence each, ten of them named.
TEST(CheckDetermined, AtMostTenPartsNamed) {
  test::StripLayout layout;
  layout.nx = 12;
  layout.ny = 1;
  Problem q = test::StripProblem(layout);  // 24 elements, each made its own part
  q.NN = 3 * q.NM;
  for (int n = 0; n < q.NN; ++n) {
    q.nodes[n] = Node{10.0 * (n / 3) + (n % 3 == 1 ? 5.0 : 0.0), n % 3 == 2 ? 5.0 : 0.0, 0, 0};
    q.layers[n] = q.layers[0];
  }
  for (int e = 0; e < q.NM; ++e) q.elements[e].Node = {3 * e, 3 * e + 1, 3 * e + 2};
  q.nodes[0].Type = 2;  // the first part has its head
  const std::string text = CheckDetermined(q);
  EXPECT_EQ(text.rfind("No head is given in layer 1 at nodes connected to node 4:", 0), 0u);
  EXPECT_NE(text.find("connected to node 31:"), std::string::npos);
  EXPECT_EQ(text.find("connected to node 34:"), std::string::npos);
  const std::string end =
      "\nand 13 more.\nGive the head (F/Q = F) at one node at least of each part.";
  ASSERT_GE(text.size(), end.size());
  EXPECT_EQ(text.substr(text.size() - end.size()), end);
}

struct RefusalCase {
  const char* name;
  void (*spoil)(Problem&);
  std::string message;
};

class DataRefused : public ::testing::TestWithParam<RefusalCase> {};

TEST_P(DataRefused, HeadsUnchangedAndTheValueNamed) {
  Problem p = TwoLayers();
  GetParam().spoil(p);
  const Problem before = p;
  SolveProgress none;
  const SolveResult result = SolveProblem(p, none);
  EXPECT_FALSE(result.solved);
  EXPECT_EQ(result.message, GetParam().message);
  ExpectHeadsUnchanged(p, before);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, DataRefused,
    ::testing::Values(
        RefusalCase{"BottomAboveTop",
                    [](Problem& p) {
                      p.layers[3].B[1] = 0.0;
                      p.layers[3].T[1] = -10.0;
                    },
                    "The bottom of an aquifer lies above its top (B must not exceed T):\n"
                    "Node 4, layer 2: B = 0, T = -10" +
                        kCannot},
        RefusalCase{"ZeroK", [](Problem& p) { p.soils[0].K[0] = 0.0; },
                    "The permeability of an aquifer must be greater than 0:\n"
                    "Block 1, layer 1: K = 0" +
                        kCannot},
        RefusalCase{"NegativeKAndAquitard",
                    [](Problem& p) {
                      p.soils[0].K[1] = -5.0;
                      p.soils[0].KA[1] = -0.001;
                    },
                    "The permeability of an aquifer must be greater than 0:\n"
                    "Block 1, layer 2: K = -5\n\n"
                    "The permeability of an aquitard must not be less than 0:\n"
                    "Block 1, layer 2: K' = -0.001" +
                        kCannot},
        // infinite resistance: the head of layer 1 does not reach layer 2
        RefusalCase{"AquitardOfNoConductance", [](Problem& p) { p.soils[0].KA[1] = 0.0; },
                    "No head is given in layer 2 at nodes connected to node 1: the heads cannot be "
                    "determined." +
                        kGiveTheHead},
        RefusalCase{"NoAquiferConducts",
                    [](Problem& p) {
                      for (int n = 0; n < p.NN; ++n)
                        for (int L = 0; L < p.NL; ++L) p.layers[n].B[L] = p.layers[n].T[L];
                    },
                    "No aquifer conducts: the top T equals the bottom B in every layer at the "
                    "nodes of every element, so the transmissivity is 0 everywhere." +
                        kCannot},
        RefusalCase{"NoHeadInEitherLayer",
                    [](Problem& p) {
                      for (int n = 0; n < p.NN; ++n) p.nodes[n].Type = 0;
                    },
                    "No head is given in layers 1 and 2 at nodes connected to node 1 of layer 1: "
                    "the heads cannot be determined." +
                        kGiveTheHead}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(CheckData, TenListedThenHowManyMore) {
  Problem p = TwoLayers();  // 27 nodes
  for (int n = 0; n < p.NN; ++n) p.layers[n].B[0] = p.layers[n].T[0] + 1.0;
  const std::string refusal = CheckData(p).refusal;
  EXPECT_NE(refusal.find("Node 10, layer 1: B = 61, T = 60\nand 17 more." + kCannot),
            std::string::npos);
  EXPECT_EQ(refusal.find("Node 11,"), std::string::npos);
}

TEST(CheckData, UnusedDataIsNotRefused) {
  Problem p = TwoLayers();
  p.soils[0].KA[0] = -1.0;      // no aquitard above layer 1
  p.soils[0].K[2] = 0.0;        // layer 3 is not in use
  p.soils[1].K[0] = 0.0;        // nor block 2
  p.layers[p.NN].B[0] = 100.0;  // a node beyond NN
  EXPECT_EQ(CheckData(p).refusal, "");
}

TEST(SolveWarned, ZeroAreaElementAndParticlesWithoutPorosityStillSolve) {
  Problem p = TwoLayers();
  const int e = p.NM++;
  p.elements[e] = Element{{0, 1, 1}, 0};
  p.soils[0].P[1] = 0.0;
  p.soils[0].RA[1] = -1.0;
  SolveProgress none;
  EXPECT_EQ(SolveProblem(p, none).warning.find("Particles"), std::string::npos) << "NP = 0";
  p.NP = 1;
  const SolveResult result = SolveProblem(p, none);
  EXPECT_TRUE(result.solved);
  EXPECT_EQ(result.warning,
            "These elements have zero area and take no part in the solution:\n"
            "Element " +
                std::to_string(e + 1) +
                " (nodes 1, 2, 2)\n\n"
                "Particles cannot be traced where the porosity or the retardation factor is 0 or "
                "less:\nBlock 1, layer 2: P = 0\nBlock 1, layer 2: R' = -1");
}

// Without a given head the supply has no balance: the iteration runs away, and the cycle that
// does so keeps the heads it started from.
TEST(IterateCycle, DivergenceKeepsTheStartingHeads) {
  Problem p = Strip231();
  SparseSystem system;
  ASSERT_GT(BuildPattern(p, system), 0);
  system.AllocateValues();
  std::set<std::pair<int, int>> kept;
  SolveProgress none;
  const Problem before = p;
  AssembleCycle(p, system, 0, none);
  const CycleReport report = IterateCycle(p, system, 0, none, kept);
  EXPECT_TRUE(report.diverged);
  EXPECT_GT(report.iterations, 0);
  ExpectHeadsUnchanged(p, before);
  EXPECT_EQ(DivergenceMessage(3),
            "The iteration diverged in cycle 3 and was stopped; the heads of cycle 2 were kept. "
            "Check the data of the problem.");
}

// A build without the multigrid library refuses that choice before the first cycle.
TEST(SolveRefused, MultigridChoiceWithoutTheLibrary) {
  if (MultigridAvailable()) GTEST_SKIP() << "this build has the multigrid solver";
  Problem p = TwoLayers();
  const Problem before = p;
  SolveProgress none;
  const SolveResult result = SolveProblem(p, none, LinearSolver::Multigrid);
  EXPECT_FALSE(result.solved);
  EXPECT_EQ(result.message, kMultigridUnavailableMessage);
  ExpectHeadsUnchanged(p, before);
}

}  // namespace
}  // namespace planaq

namespace planaq {
namespace {

// The last cycle's report against its tolerance of 1e-24 (log -24).
TEST(SolveNotConverged, LastCycleShortOfItsToleranceIsTold) {
  CycleReport report;
  report.iterations = 48;
  report.logError = -3.21;
  EXPECT_EQ(ConvergenceMessage(6, report),
            "The iteration did not converge in cycle 6: it stopped after 48 iterations with "
            "Log(error) -3.21 above the tolerance -24.00. The heads of its last iteration were "
            "kept; check the data of the problem.");
  report.logError = -24.0;
  EXPECT_EQ(ConvergenceMessage(6, report), "");
  report.logError = -23.99;
  EXPECT_NE(ConvergenceMessage(6, report), "");
  EXPECT_EQ(ConvergenceMessage(1, report), "") << "cycle 1 has the tolerance 1e-4";
}

}  // namespace
}  // namespace planaq
