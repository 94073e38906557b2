#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "Cli.h"
#include "files/Datafile.h"
#include "mesh/Selection.h"
#include "mesh/SelectionAssign.h"
#include "mesh/Split.h"
#include "support/TempDir.h"

namespace planaq {
namespace {

// the initial problem refined twice: 15 nodes over 2000 by 1000 m, 3 layers
struct CliAssign : testing::Test {
  void SetUp() override {
    Problem start = cli::StartedProblem();
    start.NL = 3;
    SplitElements4(start);
    SplitElements4(start);
    ASSERT_TRUE(WriteDatafile(start, dir.File("in.aqd")).ok);
  }
  int Run(std::vector<std::string> args) {
    args.insert(args.begin(), {dir.File("in.aqd"), dir.File("out.aqd")});
    return cli::Assign(args);
  }
  test::TempDir dir;
};

TEST_F(CliAssign, WritesWhatTheCoreAssignsAndPrintsTheCounts) {
  testing::internal::CaptureStdout();
  ASSERT_EQ(Run({"--line", "0,0 2000,1000", "--width", "50", "--layer", "2", "--head-from", "9",
                 "--head-to", "3", "--open"}),
            0);
  const std::string printed = testing::internal::GetCapturedStdout();

  Problem direct = cli::StartedProblem();
  ASSERT_TRUE(ReadDatafile(direct, dir.File("in.aqd")).ok);
  const SelectionShape line{ShapeKind::Polyline, {{0, 0}, {2000, 1000}}, 50};
  Assignment a;
  a.layer = 1;
  a.headAlong = HeadAlongLine{9, 3};
  a.topOpen = true;
  const Selection s = Select(direct, line);
  const AssignOutcome out = AssignSelection(direct, line, s, a);
  ASSERT_EQ(out.message, "");
  ASSERT_TRUE(WriteDatafile(direct, dir.File("direct.aqd")).ok);

  Problem back = cli::StartedProblem(), want = cli::StartedProblem();
  ASSERT_TRUE(ReadDatafile(back, dir.File("out.aqd")).ok);
  ASSERT_TRUE(ReadDatafile(want, dir.File("direct.aqd")).ok);
  back.FileName = want.FileName;
  EXPECT_EQ(FormatDatafile(back), FormatDatafile(want));
  EXPECT_EQ(printed, "Selected : " + std::to_string(s.nodes.size()) + " nodes, " +
                         std::to_string(s.elements.size()) + " elements\nChanged  : " +
                         std::to_string(out.nodesChanged) + " nodes, 0 elements\n");
}

TEST_F(CliAssign, BadInputExitsWithTwoAndWritesNothing) {
  const struct {
    std::vector<std::string> args;
    const char* says;
  } cases[] = {
      {{"--polygon", "0,0 100,100", "--soil", "1"}, "at least 3 points"},
      {{"--polygon", "0,0 100,100 100,0 0,100", "--soil", "1"}, "crosses itself"},
      {{"--rect", "0,0,2500,100", "--soil", "1"}, "outside the area"},
      {{"--line", "0,0 -5,100", "--layer", "1", "--head", "3"}, "outside the area"},
      {{"--rect", "0,0,100,100", "--layer", "4", "--head", "3"}, "layer must be 1..3"},
      {{"--rect", "0,0,100,100", "--soil", "2"}, "soil must be 1..1"},
      {{"--rect", "0,0,100,100", "--layer", "1", "--head", "nan"}, "finite number"},
      {{"--rect", "0,0,100,100", "--layer", "1", "--bottom", "inf"}, "finite number"},
      {{"--rect", "0,0,100,100", "--layer", "1", "--supply", "2e12"}, "finite number"},
      {{"--polygon", "0,0 nan,5 9,9", "--soil", "1"}, "--polygon needs"},
      {{"--rect", "0,0,100", "--soil", "1"}, "--rect needs"},
      {{"--rect", "0,0,100,100", "--head", "3"}, "--layer L|all is needed"},
      {{"--rect", "0,0,100,100", "--open", "--closed"}, "contradict"},
      {{"--rect", "0,0,100,100", "--layer", "1", "--head-from", "3"}, "go together"},
      {{"--rect", "0,0,100,100", "--layer", "1", "--head-from", "3", "--head-to", "1"},
       "needs a line"},
      {{"--rect", "0,0,100,100", "--layer", "1"}, "Nothing to assign"},
      {{"--soil", "1"}, "one of --polygon"},
      {{"--rect", "0,0,100,100", "--frobnicate"}, "unknown option"},
  };
  for (const auto& c : cases) {
    testing::internal::CaptureStderr();
    const int status = Run(c.args);
    const std::string err = testing::internal::GetCapturedStderr();
    EXPECT_EQ(status, 2) << c.says;
    EXPECT_NE(err.find(c.says), std::string::npos) << c.says << ": " << err;
    EXPECT_FALSE(std::filesystem::exists(dir.File("out.aqd"))) << c.says;
  }
}

}  // namespace
}  // namespace planaq
