// planaq-cli solve on datafiles that Solve refuses or warns of.

#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdio>
#include <filesystem>

#include "files/Datafile.h"
#include "solver/StripMesh.h"
#include "support/RunCli.h"
#include "support/TempDir.h"

namespace planaq {
namespace {

using test::RunCli;

Problem StripWithoutHeads() {
  test::StripLayout layout;
  layout.nx = 20;
  layout.ny = 10;
  Problem p = test::StripProblem(layout);
  p.soils[0].I = 0.001;
  return p;
}

TEST(CliSolve, RefusedProblemExitsWithTheMessageAndWritesNothing) {
  test::TempDir dir;
  Problem p = StripWithoutHeads();
  ASSERT_TRUE(WriteDatafile(p, dir.File("a.aqd")).ok);
  const std::string before = test::ReadFile(dir.File("a.aqd"));
  EXPECT_EQ(RunCli(dir, "solve a.aqd a.aqd"), 1);
  EXPECT_EQ(test::ReadFile(dir.File("a.aqd")), before);
  EXPECT_EQ(test::ReadFile(dir.File("err.txt")),
            "No head is given in layer 1 at nodes connected to node 1: the heads cannot be "
            "determined. Give the head (F/Q = F) at one node at least.\n");
  EXPECT_EQ(RunCli(dir, "solve a.aqd b.aqd"), 1);
  EXPECT_FALSE(std::filesystem::exists(dir.File("b.aqd")));
}

TEST(CliSolve, WarningOnStandardErrorAndTheFileWritten) {
  test::TempDir dir;
  test::StripLayout layout;
  layout.nx = 4;
  Problem p = test::StripProblem(layout);  // 16 elements, room for 100
  test::GiveHeadsAt(p, 0.0, 0, [](double) { return 62.0; });
  p.elements[p.NM++] = Element{{0, 0, 1}, 0};
  ASSERT_TRUE(WriteDatafile(p, dir.File("a.aqd")).ok);
  EXPECT_EQ(RunCli(dir, "solve a.aqd b.aqd"), 0);
  EXPECT_EQ(test::ReadFile(dir.File("err.txt")),
            "These elements have zero area and take no part in the solution:\n"
            "Element 17 (nodes 1, 1, 2)\n");
  EXPECT_TRUE(std::filesystem::exists(dir.File("b.aqd")));
}

// --phases adds one line per part of the command on stderr and changes nothing else.
TEST(CliSolve, PhasesOnStandardErrorAndTheSameFile) {
  test::TempDir dir;
  test::StripLayout layout;
  layout.nx = 4;
  Problem p = test::StripProblem(layout);
  test::GiveHeadsAt(p, 0.0, 0, [](double) { return 62.0; });
  ASSERT_TRUE(WriteDatafile(p, dir.File("a.aqd")).ok);
  ASSERT_EQ(RunCli(dir, "solve a.aqd b.aqd"), 0);
  const std::string out = test::ReadFile(dir.File("out.txt"));
  const std::string solved = test::ReadFile(dir.File("b.aqd"));
  ASSERT_EQ(RunCli(dir, "solve --phases a.aqd b.aqd"), 0);
  EXPECT_EQ(test::ReadFile(dir.File("out.txt")), out);
  EXPECT_EQ(test::ReadFile(dir.File("b.aqd")), solved);
  std::string names;
  std::FILE* err = std::fopen(dir.File("err.txt").c_str(), "r");
  ASSERT_TRUE(err);
  char name[32];
  double seconds = -1.0, megabytes = -1.0;
  while (std::fscanf(err, "phase %31s %lf s %lf MB\n", name, &seconds, &megabytes) == 3) {
    names += std::string(name) + " ";
    EXPECT_GE(seconds, 0.0);
    EXPECT_GT(megabytes, 0.0);
  }
  EXPECT_TRUE(std::feof(err));  // nothing else on stderr
  std::fclose(err);
  EXPECT_EQ(names, "read pattern assembly set-up cycles supplies write ");
}

TEST(CliBalance, TextAndCsvShowTheWellDrawnThroughTheAquitard) {
  test::TempDir dir;
  test::StripLayout layout;
  layout.nx = 10;
  layout.ny = 2;
  layout.NL = 2;
  Problem p = test::StripProblem(layout);
  for (int n = 0; n < p.NN; ++n) p.nodes[n].Type |= 2;  // the head given in layer 1
  p.NW = 1;
  p.wells[0] = Well{test::NodeAt(layout, 5, 1), 1, -100.0};
  ASSERT_TRUE(WriteDatafile(p, dir.File("a.aqd")).ok);
  ASSERT_EQ(RunCli(dir, "balance a.aqd"), 0);
  const std::string text = test::ReadFile(dir.File("out.txt"));
  EXPECT_NE(text.find("\nAquifer 2           0.000        0.000     -100.000"), std::string::npos)
      << text;
  EXPECT_NE(text.find("\nAquitard 1-2      100.000"), std::string::npos) << text;
  ASSERT_EQ(RunCli(dir, "balance a.aqd --csv"), 0);
  const std::string csv = test::ReadFile(dir.File("out.txt"));
  EXPECT_EQ(csv.rfind("Layer,Infiltration,Wells in,", 0), 0u) << csv;
  const std::size_t row = csv.find("\nAquitard 1-2,,,,,,,,,,,,,100.000,");
  ASSERT_NE(row, std::string::npos) << csv;
  EXPECT_EQ(csv.substr(csv.size() - 4), ",17\n");     // the well's node, 1-based
  EXPECT_EQ(RunCli(dir, "balance a.aqd --text"), 2);  // a command line it does not take
}

}  // namespace
}  // namespace planaq
