#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "Cli.h"
#include "files/Datafile.h"
#include "mesh/Split.h"
#include "mesh/Wells.h"
#include "support/TempDir.h"

namespace planaq {
namespace {

TEST(CliRefine, WritesWhatTheOperationsMakeAndReadsBack) {
  test::TempDir dir;
  Problem start = cli::StartedProblem();
  ASSERT_TRUE(WriteDatafile(start, dir.File("in.aqd")).ok);
  EXPECT_EQ(cli::Refine({dir.File("in.aqd"), dir.File("out.aqd"), "--split4", "2", "--well",
                         "300,100", "--split2", "1"}),
            0);

  Problem direct = cli::StartedProblem();
  SplitElements4(direct);
  SplitElements4(direct);
  AddWellAt(direct, 300, 100);
  SplitElements2(direct);

  Problem back = cli::StartedProblem();
  ASSERT_TRUE(ReadDatafile(back, dir.File("out.aqd")).ok);
  ASSERT_EQ(back.NN, direct.NN);
  ASSERT_EQ(back.NM, direct.NM);
  ASSERT_EQ(back.NW, 1);
  EXPECT_EQ(back.wells[0].Node, direct.wells[0].Node);
  for (int i = 0; i < back.NN; ++i) {
    EXPECT_NEAR(back.nodes[i].X, direct.nodes[i].X, 1e-3);
    EXPECT_EQ(back.nodes[i].Type, direct.nodes[i].Type);
  }
  for (int e = 0; e < back.NM; ++e) EXPECT_EQ(back.elements[e].Node, direct.elements[e].Node);
}

TEST(CliRefine, RefusalExitsWithOneMisuseWithTwoAndNothingIsWritten) {
  test::TempDir dir;
  Problem start = cli::StartedProblem();
  ASSERT_TRUE(WriteDatafile(start, dir.File("in.aqd")).ok);
  EXPECT_EQ(cli::Refine({dir.File("in.aqd"), dir.File("out.aqd"), "--well", "1900,900"}), 1);
  EXPECT_FALSE(std::filesystem::exists(dir.File("out.aqd")));
  EXPECT_EQ(cli::Refine({dir.File("in.aqd"), dir.File("out.aqd"), "--split4", "x"}), 2);
  EXPECT_EQ(cli::Refine({dir.File("in.aqd")}), 2);
}

TEST(CliRefine, WellAtANonFiniteOrTooLargePointIsRefused) {
  test::TempDir dir;
  Problem start = cli::StartedProblem();
  ASSERT_TRUE(WriteDatafile(start, dir.File("in.aqd")).ok);
  for (const char* well : {"nan,nan", "inf,100", "100,-inf", "1e400,100", "100,2e12"}) {
    testing::internal::CaptureStderr();
    const int status = cli::Refine({dir.File("in.aqd"), dir.File("out.aqd"), "--well", well});
    const std::string err = testing::internal::GetCapturedStderr();
    EXPECT_EQ(status, 2) << well;
    EXPECT_NE(err.find("--well needs X,Y in metres, finite and at most 1e12"), std::string::npos)
        << well << ": " << err;
    EXPECT_FALSE(std::filesystem::exists(dir.File("out.aqd")));
  }
}

TEST(CliRefine, ResetBlocksComesFirst) {
  test::TempDir dir;
  Problem start = cli::StartedProblem();
  SplitElements4(start);
  ASSERT_TRUE(WriteDatafile(start, dir.File("in.aqd")).ok);
  ASSERT_EQ(
      cli::Refine({dir.File("in.aqd"), dir.File("out.aqd"), "--split4", "1", "--reset-blocks"}), 0);
  Problem back = cli::StartedProblem();
  ASSERT_TRUE(ReadDatafile(back, dir.File("out.aqd")).ok);
  EXPECT_EQ(back.NM, 4);
  EXPECT_EQ(back.NN, 6);
}

}  // namespace
}  // namespace planaq
