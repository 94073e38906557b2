// planaq-cli given what it cannot take: a wrong command line is refused with the usage and
// exit status 2, never read as a file name; --help is an answer on standard output.

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/wait.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>

#include "support/TempDir.h"

namespace planaq {
namespace {

struct CliRun {
  int status = -1;
  std::string out, err;
};

CliRun RunCli(const test::TempDir& dir, const std::string& arguments, const char* to = "out.txt") {
  const std::string command =
      "cd '" + dir.path() + "' && '" PLANAQ_CLI "' " + arguments + " > " + to + " 2> err.txt";
  const int raw = std::system(command.c_str());
  CliRun run;
  run.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : 128 + WTERMSIG(raw);
  run.out = test::ReadFile(dir.File("out.txt"));
  run.err = test::ReadFile(dir.File("err.txt"));
  return run;
}

struct Misuse {
  const char* name;
  const char* arguments;
  const char* usage;  // the usage line that stderr must show
};

class CliMisuse : public testing::TestWithParam<Misuse> {};

TEST_P(CliMisuse, RefusedWithTheUsageAndNoFileMade) {
  test::TempDir dir;
  ASSERT_EQ(RunCli(dir, "new a.aqd").status, 0);
  const CliRun run = RunCli(dir, GetParam().arguments);
  EXPECT_EQ(run.status, 2) << run.err;
  EXPECT_NE(run.err.find(GetParam().usage), std::string::npos) << run.err;
  EXPECT_EQ(run.out, "");
  std::vector<std::string> made;
  for (const auto& e : std::filesystem::directory_iterator(dir.path()))
    made.push_back(e.path().filename());
  std::sort(made.begin(), made.end());
  EXPECT_EQ(made, (std::vector<std::string>{"a.aqd", "err.txt", "out.txt"}));
}

const Misuse kMisuses[] = {
    {"NoCommand", "", "usage: planaq-cli COMMAND ARGS"},
    {"UnknownCommand", "frobnicate a.aqd", "usage: planaq-cli COMMAND ARGS"},
    {"SolveFlagAfterFiles", "solve a.aqd --verbose", "usage: planaq-cli solve"},
    {"SolveFlagBeforeFiles", "solve --fast a.aqd b.aqd", "usage: planaq-cli solve"},
    {"SolveThreeFiles", "solve a.aqd b.aqd c.aqd", "usage: planaq-cli solve"},
    {"InfoStray", "info a.aqd b.aqd", "usage: planaq-cli info"},
    {"InfoFlag", "info -v", "usage: planaq-cli info"},
    {"NewNothing", "new", "usage: planaq-cli new"},
    {"BalanceFlag", "balance a.aqd --tsv", "usage: planaq-cli balance"},
    {"TraceLayerWithoutValue", "trace a.aqd --layer", "usage: planaq-cli trace"},
    {"ContoursStray", "contours a.aqd b.aqd", "usage: planaq-cli contours"},
    {"VerifyStray", "verify b.aqd", "usage: planaq-cli verify"},
    {"ExamplesFlag", "examples --all", "usage: planaq-cli examples"},
    {"ManualTwo", "manual b.pdf c.pdf", "usage: planaq-cli manual"},
    {"PrintFlag", "print a.aqd b.pdf --bogus", "usage: planaq-cli print"},
    {"RefineFlag", "refine a.aqd b.aqd --split8 1", "unknown option '--split8'"},
};

INSTANTIATE_TEST_SUITE_P(Cli, CliMisuse, testing::ValuesIn(kMisuses),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(CliHelp, GoesToStandardOutputWithExitZero) {
  test::TempDir dir;
  for (const char* help : {"--help", "-h"}) {
    const CliRun run = RunCli(dir, help);
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out.rfind("usage: planaq-cli COMMAND ARGS\n", 0), 0u) << run.out;
    EXPECT_EQ(run.err, "");
  }
  const CliRun solve = RunCli(dir, "solve --help");
  EXPECT_EQ(solve.status, 0);
  EXPECT_EQ(solve.out.rfind("usage: planaq-cli solve", 0), 0u) << solve.out;
}

TEST(CliOutput, AStandardOutputThatCannotBeWrittenFails) {
  test::TempDir dir;
  ASSERT_EQ(RunCli(dir, "new a.aqd").status, 0);
  for (const char* command : {"info a.aqd", "--help", "balance a.aqd --csv", "trace a.aqd"}) {
    const CliRun run = RunCli(dir, command, "/dev/full");
    EXPECT_EQ(run.status, 1) << command;
    EXPECT_NE(run.err.find("cannot write the standard output: No space left on device"),
              std::string::npos)
        << command << ": " << run.err;
  }
}

TEST(CliOutput, ADeviceIsNeverReplaced) {
  test::TempDir dir;
  const std::string node = dir.File("null");
  ASSERT_EQ(mknod(node.c_str(), S_IFCHR | 0666, makedev(1, 3)), 0);
  const CliRun run = RunCli(dir, "new null");
  EXPECT_EQ(run.status, 1);
  EXPECT_NE(run.err.find("null is not a regular file"), std::string::npos) << run.err;
  struct stat st {};
  ASSERT_EQ(lstat(node.c_str(), &st), 0);
  EXPECT_TRUE(S_ISCHR(st.st_mode));
}

}  // namespace
}  // namespace planaq
