// The checks of the General Grid and Installation Grid rows, on the problem alone.

#include <gtest/gtest.h>

#include "ui/GeneralData.h"

namespace planaq::ui {
namespace {

struct RowCase {
  const char* name;
  int row;
  const char* typed;
  const char* shown;    // the text written back into the cell
  const char* message;  // "" for none
  bool moveOn;
};

class GeneralRowCheck : public ::testing::TestWithParam<RowCase> {};

TEST_P(GeneralRowCheck, WritesBackTheCheckedValue) {
  const RowCase& c = GetParam();
  Problem p;
  p.StartUp(Capacities{});
  const GeneralCheck check = CheckGeneralRow(p, c.row, c.typed);
  EXPECT_EQ(check.text, c.shown);
  EXPECT_EQ(check.message, c.message);
  EXPECT_EQ(check.moveOn, c.moveOn);
  if (c.moveOn) {
    EXPECT_EQ(GeneralValueText(p, c.row), c.shown) << "the value is stored";
  }
}

INSTANTIATE_TEST_SUITE_P(
    Rows, GeneralRowCheck,
    ::testing::Values(
        RowCase{"LXZeroRefused", kRowLX, "0", "        100.000", "Enter positive real number", false},
        RowCase{"LXNegativeRefused", kRowLX, "-3", "        100.000", "Enter positive real number", false},
        RowCase{"LXTextRefused", kRowLX, "abc", "        100.000", "Enter positive real number", false},
        RowCase{"LXAccepted", kRowLX, "  1500.5", "       1500.500", "", true},
        RowCase{"LYAccepted", kRowLY, "250", "        250.000", "", true},
        RowCase{"LYZeroRefused", kRowLY, "0.0", "        100.000", "Enter positive real number", false},
        RowCase{"NLNine", kRowNL, "9", "           6", "Enter integer value <= 6", true},
        RowCase{"NLZero", kRowNL, "0", "           1", "Enter integer value >= 1", true},
        RowCase{"NLThree", kRowNL, "3", "           3", "", true},
        RowCase{"NPNegative", kRowNP, "-1", "           0", "Enter integer value >= 0", true},
        RowCase{"NPAbovePMAX", kRowNP, "101", "         100", "Enter integer value <= PMAX", true},
        RowCase{"NPAtPMAX", kRowNP, "100", "         100", "", true},
        RowCase{"TMZero", kRowTM, "0", "        100.000", "Enter positive real number", true},
        RowCase{"TMAccepted", kRowTM, "365", "        365.000", "", true}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(GeneralRowCheck, RefusedLengthLeavesTheModelAlone) {
  Problem p;
  p.StartUp(Capacities{});
  CheckGeneralRow(p, kRowLX, "0");
  CheckGeneralRow(p, kRowLY, "-1");
  EXPECT_EQ(p.LX, 2000.0);
  EXPECT_EQ(p.LY, 1000.0);
}

TEST(GeneralRowCheck, ProblemNameIsCutToSixtyCharacters) {
  Problem p;
  p.StartUp(Capacities{});
  const std::string longName(75, 'x');
  const GeneralCheck check = CheckGeneralRow(p, kRowProblemName, longName);
  EXPECT_EQ(p.ProblemName, std::string(60, 'x'));
  EXPECT_EQ(check.text, p.ProblemName);
  EXPECT_TRUE(check.message.empty());
}

TEST(GeneralRowCheck, NPFollowsTheInstalledPMAX) {
  Problem p;
  p.StartUp(Capacities{48, 12000, 20000, 7});
  const GeneralCheck check = CheckGeneralRow(p, kRowNP, "8");
  EXPECT_EQ(p.NP, 7);
  EXPECT_EQ(check.message, "Enter integer value <= PMAX");
}

TEST(GeneralGridText, LabelsAndFormatsOfEveryRow) {
  Problem p;
  p.StartUp(Capacities{});
  const char* const labels[] = {"File Name", "NA", "NB", "NW", "NN", "NM", "Problem Name",
                                "LX (m)", "LY (m)", "NL", "NP", "TM (d)"};
  const char* const values[] = {"Data1.aqd",       "           3", "           1",
                                "           0",    "           3", "           1",
                                "Default Datafile", "       2000.000", "       1000.000",
                                "           6",    "           0", "       2000.000"};
  for (int r = 0; r < kGeneralRows; ++r) {
    EXPECT_STREQ(GeneralLabel(r), labels[r]) << r;
    EXPECT_EQ(GeneralValueText(p, r), values[r]) << r;
  }
}

struct InstallCase {
  const char* name;
  int row;
  const char* typed;
  const char* shown;
  const char* message;
  int stored;
};

class InstallationRowCheck : public ::testing::TestWithParam<InstallCase> {};

TEST_P(InstallationRowCheck, StoresTheCheckedCapacity) {
  const InstallCase& c = GetParam();
  Problem p;
  p.StartUp(Capacities{});
  const GeneralCheck check = CheckInstallationRow(p, c.row, c.typed);
  EXPECT_EQ(check.text, c.shown);
  EXPECT_EQ(check.message, c.message);
  EXPECT_TRUE(check.moveOn);
  const int stored[] = {0, p.caps.BMAX, p.caps.NMAX, p.caps.MMAX, p.caps.PMAX};
  EXPECT_EQ(stored[c.row], c.stored);
  EXPECT_EQ(InstallationValueText(p, c.row), c.shown);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, InstallationRowCheck,
    ::testing::Values(
        InstallCase{"BMAX19", 1, "19", "          20", "Enter integer value > 20", 20},
        InstallCase{"BMAX20", 1, "20", "          20", "", 20},
        InstallCase{"BMAXText", 1, "many", "          20", "Enter integer value > 20", 20},
        InstallCase{"NMAX100", 2, "100", "       10000", "Enter integer value > 100", 10000},
        InstallCase{"NMAX101", 2, "         101", "         101", "", 101},
        InstallCase{"MMAX50", 3, "50", "       10000", "Enter integer value > 100", 10000},
        InstallCase{"PMAXNegative", 4, "-5", "           0", "", 0},
        InstallCase{"PMAX1001", 4, "1001", "        1000", "Enter integer value <= 1000", 1000}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(InstallationRowCheck, UserNameIsCutToSixtyCharacters) {
  Problem p;
  const GeneralCheck check = CheckInstallationRow(p, 0, std::string(70, 'u'));
  EXPECT_EQ(p.UserName, std::string(60, 'u'));
  EXPECT_EQ(check.text, p.UserName);
}

}  // namespace
}  // namespace planaq::ui
