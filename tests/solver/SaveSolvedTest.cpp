// A solved problem with wells, saved, opened and saved again, gives the same file.
#include <gtest/gtest.h>

#include <regex>

#include "files/Datafile.h"
#include "solver/Solve.h"
#include "solver/StripMesh.h"
#include "support/TempDir.h"

namespace planaq {
namespace {

Problem SolvedWithWells(int NL) {
  test::StripLayout layout;
  layout.NL = NL;
  layout.randomDiagonals = true;
  Problem p = test::StripProblem(layout);
  p.soils[0].I = 0.0007;
  test::GiveHeadsAt(p, 0.0, 0, [](double) { return 61.0; });
  test::GiveHeadsAt(p, layout.length, NL - 1, [](double) { return 1.0 / 3.0 + 50.0; });
  p.NW = 3;
  p.wells[0] = {7, 0, -250.0};
  p.wells[1] = {22, NL - 1, 120.0};
  p.wells[2] = {22, NL - 1, -40.0};  // a second well at the same node and layer
  SolveProgress none;
  EXPECT_TRUE(SolveProblem(p, none).solved);
  return p;
}

std::string WithoutFileName(const std::string& text) {
  return std::regex_replace(text, std::regex("#  File Name\n[^\n]*\n"), "");
}

TEST(SaveSolved, OpeningAndSavingAgainKeepsEveryByteButTheFileName) {
  for (int NL : {1, 3}) {
    test::TempDir dir;
    Problem solved = SolvedWithWells(NL);
    // the heads at the well nodes need more than the well line's six decimals
    const double head = solved.layers[22].F[NL - 1];
    ASSERT_NE(std::round(head * 1e6), head * 1e6) << head;
    ASSERT_TRUE(WriteDatafile(solved, dir.File("first.aqd")).ok);
    Problem opened;
    opened.StartUp(solved.caps);
    ASSERT_TRUE(ReadDatafile(opened, dir.File("first.aqd")).ok);
    ASSERT_TRUE(WriteDatafile(opened, dir.File("second.aqd")).ok);
    EXPECT_EQ(WithoutFileName(test::ReadFile(dir.File("second.aqd"))),
              WithoutFileName(test::ReadFile(dir.File("first.aqd"))))
        << NL;
  }
}

}  // namespace
}  // namespace planaq
