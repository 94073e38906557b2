// The test problems of the manual and planaq-cli verify: the closed forms at hand-computed
// points, the problems pass, and a solver with a wrong leakage fails the leaky test.

#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cmath>
#include <cstdlib>

#include "files/Datafile.h"
#include "manual/TestProblems.h"
#include "support/RunCli.h"
#include "support/TempDir.h"

namespace planaq {
namespace {

struct ClosedFormCase {
  const char* name;
  int test;
  double x, y;
  double head;
};

class ClosedForms : public ::testing::TestWithParam<ClosedFormCase> {};

// h0 + (hL - h0) x / L + I x (L - x) / (2 kD); 40 - 1000 / (2 pi 200) K0(r / sqrt(200 2000)),
// K0(1) = 0.42102443824; sqrt(h0^2 + (hL^2 - h0^2) x / L + I x (L - x) / k); for test 4
// a = sqrt(10 (144 - 100) / 0.005) = sqrt(88000) m, and sqrt(144 - 0.005 a^2 / 10) = 10 at x = 0
TEST_P(ClosedForms, HeadAtAPoint) {
  const ClosedFormCase& c = GetParam();
  EXPECT_NEAR(ClosedFormHead(c.test, c.x, c.y), c.head, 1e-9);
}

INSTANTIATE_TEST_SUITE_P(
    Manual, ClosedForms,
    ::testing::Values(ClosedFormCase{"Test1Ends", 1, 0.0, 100.0, 16.0},
                      ClosedFormCase{"Test1Middle", 1, 500.0, 0.0, 16.25},
                      ClosedFormCase{"Test2OneLeakageFactor", 2, 0.0, 632.455532033676,
                                     40.0 - 0.795774715459477 * 0.42102443824070834},
                      ClosedFormCase{"Test3Middle", 3, 500.0, 0.0, std::sqrt(93.0)},
                      ClosedFormCase{"Test3End", 3, 1000.0, 0.0, 6.0},
                      ClosedFormCase{"Test4End", 4, 0.0, 0.0, 10.0},
                      ClosedFormCase{"Test4Edge", 4, 1000.0 - std::sqrt(88000.0), 0.0, 12.0},
                      ClosedFormCase{
                          "Test4Mound", 4, 100.0, 0.0,
                          std::sqrt(144.0 - 0.0005 * std::pow(std::sqrt(88000.0) - 100.0, 2))},
                      ClosedFormCase{"Test4Band", 4, 500.0, 0.0, 12.0}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(TestProblems, SeepageOfTest4InClosedForm) {
  EXPECT_NEAR(ClosedFormSeepage(4), 0.005 * (1000.0 - 2.0 * std::sqrt(88000.0)), 1e-12);
  EXPECT_NEAR(ClosedFormSeepage(4), 2.0335, 1e-4);
  EXPECT_EQ(ClosedFormSeepage(1), 0.0);
}

TEST(TestProblems, AllFourPassWithinTheirTolerance) {
  for (const TestOutcome& o : RunTestProblems()) {
    EXPECT_TRUE(o.Passed()) << FormatOutcome(o);
    EXPECT_GT(o.compared, 200) << o.name;
    EXPECT_GT(o.maxError, 0.0) << o.name;  // computed, not copied from the closed form
  }
}

TEST(TestProblems, WrongLeakageFailsTheLeakyTestOnly) {
  const auto outcomes = RunTestProblems([](Problem& p) { p.resistanceScaleForTests = 2.0; });
  EXPECT_TRUE(outcomes[0].Passed());
  EXPECT_FALSE(outcomes[1].Passed());
  EXPECT_GT(outcomes[1].maxError, 0.05);
  EXPECT_TRUE(outcomes[2].Passed());
  EXPECT_TRUE(outcomes[3].Passed());
}

// With its top closed the mound of test 4 rises above the ground and nothing seeps.
TEST(TestProblems, ClosedTopFailsTheSeepageTest) {
  const TestOutcome o = RunTestProblem(4, [](Problem& p) {
    for (int n = 0; n < p.NN; ++n) p.nodes[n].Type &= ~1;
  });
  EXPECT_GT(o.maxError, 0.5);
  EXPECT_EQ(o.seepage, 0.0);
  EXPECT_FALSE(o.Passed());
}

TEST(TestProblems, PerturbedHeadIsFound) {
  Problem p = MakeTestProblem(1);
  for (int n = 0; n < p.NN; ++n) p.layers[n].F[0] = ClosedFormHead(1, p.nodes[n].X, p.nodes[n].Y);
  EXPECT_TRUE(CompareWithClosedForm(1, p).Passed());
  p.layers[p.NN / 2].F[0] += 0.002;
  const TestOutcome o = CompareWithClosedForm(1, p);
  EXPECT_NEAR(o.maxError, 0.002, 1e-9);
  EXPECT_FALSE(o.Passed());
  EXPECT_EQ(FormatOutcome(o), "Test 1     289     0.002000   0.001000  FAIL");
}

// The datafiles of the examples folder open as Open reads them and hold solved heads.
TEST(Examples, TestDatafilesOpenSolved) {
  for (int t = 1; t <= kTestProblems; ++t) {
    Problem p = MakeTestProblem(t);
    const std::string path = PLANAQ_EXAMPLES "/Test" + std::to_string(t) + ".aqd";
    ASSERT_TRUE(ReadDatafile(p, path).ok) << path;
    EXPECT_TRUE(CompareWithClosedForm(t, p).Passed()) << FormatOutcome(CompareWithClosedForm(t, p));
  }
  Problem example = MakeTestProblem(1);
  ASSERT_TRUE(ReadDatafile(example, PLANAQ_EXAMPLES "/Example.aqd").ok);
  EXPECT_EQ(example.NL, 2);
  EXPECT_EQ(example.NW, 1);
  EXPECT_GT(example.NP, 0);
  EXPECT_GT(example.NB, 4);
}

using test::RunCli;

TEST(CliVerify, PrintsOneLinePerTestAndExitsZero) {
  test::TempDir dir;
  EXPECT_EQ(RunCli(dir, "verify"), 0);
  const std::string out = test::ReadFile(dir.File("out.txt"));
  for (const char* line : {"\nTest 1     289 ", "\nTest 2    1089 ", "\nTest 3     289 ",
                           "\nTest 4     289 ", "\n        seepage   2.0"})
    EXPECT_NE(out.find(line), std::string::npos) << line << "\n" << out;
  EXPECT_EQ(out.find("FAIL"), std::string::npos);
}

}  // namespace
}  // namespace planaq
