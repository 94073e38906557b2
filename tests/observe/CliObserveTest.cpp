// planaq-cli observe and fit on files of their own.

#include <gtest/gtest.h>
#include <sys/wait.h>

#include <filesystem>

#include "files/Datafile.h"
#include "observe/ObservedHeads.h"
#include "solver/Solve.h"
#include "solver/StripMesh.h"
#include "support/RunCli.h"
#include "support/TempDir.h"

namespace planaq {
namespace {

using test::RunCli;

Problem Strip() {
  test::StripLayout layout;
  layout.nx = 10;
  layout.ny = 2;
  Problem p = test::StripProblem(layout);
  p.soils[0].I = 0.001;
  test::GiveHeadsAt(p, 0.0, 0, [](double) { return 70.0; });
  test::GiveHeadsAt(p, layout.length, 0, [](double) { return 66.0; });
  return p;
}

TEST(CliObserve, BadObservationsExitTwoNamingTheLine) {
  test::TempDir dir;
  Problem p = Strip();
  ASSERT_TRUE(WriteDatafile(p, dir.File("a.aqd")).ok);
  dir.Write("bad.csv", "name,x,y,layer,head\nP1,100,50,0,70\n");
  EXPECT_EQ(RunCli(dir, "observe a.aqd bad.csv"), 2);
  EXPECT_EQ(test::ReadFile(dir.File("err.txt")),
            "Observations, line 2: the layer must be a whole number from 1 to 6\n");
  EXPECT_EQ(test::ReadFile(dir.File("out.txt")), "");
}

TEST(CliObserve, CsvOfTheSolvedHeadsAndAFitThatWritesTheSolvedProblem) {
  test::TempDir dir;
  Problem p = Strip();
  ASSERT_TRUE(WriteDatafile(p, dir.File("a.aqd")).ok);
  // h = 70 - 4 x / L + I x (L - x) / (2 K D), K D = 100 m2/d
  const auto h = [](double x) { return 70.0 - 0.004 * x + 0.001 * x * (1000.0 - x) / 200.0; };
  dir.Write("obs.csv", "name,x,y,layer,head\nmid,500,50,1,68\nout,2000,50,1,1\n");
  ASSERT_EQ(RunCli(dir, "observe a.aqd obs.csv --csv"), 0);
  const std::string out = test::ReadFile(dir.File("out.txt"));
  char expected[200];
  std::snprintf(expected, sizeof expected,
                "name,x,y,layer,observed,computed,residual,note\n"
                "mid,500.000,50.000,1,68.000,%.3f,%.3f,\n"
                "out,2000.000,50.000,1,1.000,,,outside the mesh\n",
                h(500.0), 68.0 - h(500.0));
  EXPECT_EQ(out, expected);
  // observed heads of K = 4 m/d (K D = 40): the fit from 10 m/d finds it
  const auto h4 = [](double x) { return 70.0 - 0.004 * x + 0.001 * x * (1000.0 - x) / 80.0; };
  char obs[300];
  std::snprintf(obs, sizeof obs, "name,x,y,layer,head\nA,250,50,1,%.9f\nB,500,50,1,%.9f\n",
                h4(250.0), h4(500.0));
  dir.Write("obs4.csv", obs);
  ASSERT_EQ(RunCli(dir, "fit a.aqd obs4.csv b.aqd --param K:1:1"), 0)
      << test::ReadFile(dir.File("err.txt"));
  Problem fitted = Strip();
  ASSERT_TRUE(ReadDatafile(fitted, dir.File("b.aqd")).ok);
  EXPECT_NEAR(fitted.soils[0].K[0], 4.0, 0.04);
  EXPECT_NE(test::ReadFile(dir.File("out.txt")).find("RMS after"), std::string::npos);
  EXPECT_EQ(RunCli(dir, "fit a.aqd obs4.csv c.aqd --param K:9:1"), 2);
  EXPECT_FALSE(std::filesystem::exists(dir.File("c.aqd")));
}

TEST(CliFit, CtrlCEndsItWithNothingWritten) {
  test::TempDir dir;
  test::StripLayout layout;
  layout.nx = 120;
  layout.ny = 40;
  layout.NL = 2;
  Problem p = test::StripProblem(layout);  // about 5,000 nodes: a fit of some seconds
  p.soils[0].I = 0.001;
  test::GiveHeadsAt(p, 0.0, 0, [](double) { return 70.0; });
  test::GiveHeadsAt(p, layout.length, 0, [](double) { return 66.0; });
  p.NW = 1;
  p.wells[0] = Well{test::NodeAt(layout, 60, 20), 1, -50.0};
  // observations of the problem as it is; the fit starts from K three times too large
  Problem solved = p;
  SolveProgress none;
  ASSERT_TRUE(SolveProblem(solved, none).solved);
  ObservationSet set;
  for (int i = 0; i < 8; ++i)
    set.points.push_back(
        {"P" + std::to_string(i), 110.0 + 100.0 * i, 20.0 + 7.0 * i, i % 2, 0.0, 1.0});
  const std::vector<ObservedHead> heads = ComputeObservedHeads(solved, set);
  for (int i = 0; i < set.size(); ++i) set.points[i].head = heads[i].computed;
  ASSERT_EQ(WriteObservationsFile(set, dir.File("obs.csv")), "");
  p.soils[0].K[0] = p.soils[0].K[1] = 30.0;
  ASSERT_TRUE(WriteDatafile(p, dir.File("a.aqd")).ok);
  // started in the background, interrupted once it has printed its first iteration
  const std::string script =
      "cd '" + dir.path() +
      "' && ('" PLANAQ_CLI
      "' fit a.aqd obs.csv out.aqd --param K:1:1 --param KA:1:2 --param K:1:2 > out.txt 2> "
      "err.txt & p=$!; i=0; while [ $i -lt 1200 ] && kill -0 $p && ! grep -q Iteration out.txt; do "
      "sleep 0.1; "
      "i=$((i+1)); done; kill -INT $p; wait $p; echo $? > rc.txt)";
  ASSERT_EQ(std::system(script.c_str()), 0);
  EXPECT_EQ(test::ReadFile(dir.File("rc.txt")), "130\n") << test::ReadFile(dir.File("out.txt"));
  EXPECT_NE(test::ReadFile(dir.File("err.txt")).find("nothing written"), std::string::npos);
  EXPECT_FALSE(std::filesystem::exists(dir.File("out.aqd")));
}

}  // namespace
}  // namespace planaq
