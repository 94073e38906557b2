// planaq-cli solve on datafiles that Solve refuses or warns of.

#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdio>
#include <filesystem>

#include "files/Datafile.h"
#include "solver/StripMesh.h"
#include "support/TempDir.h"

namespace planaq {
namespace {

// Runs planaq-cli in the folder; its standard error is left in err.txt there.
int RunCli(const test::TempDir& dir, const std::string& arguments) {
  const std::string command =
      "cd '" + dir.path() + "' && '" PLANAQ_CLI "' " + arguments + " > out.txt 2> err.txt";
  const int status = std::system(command.c_str());
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

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

}  // namespace
}  // namespace planaq
