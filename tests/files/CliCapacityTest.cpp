// planaq-cli with capacities that do not fit: it says so and goes on with the defaults, and
// when the tables cannot be made it goes on with the capacities it has instead of aborting.

#include <gtest/gtest.h>

#include <sys/wait.h>

#include <cstdio>

#include "support/TempDir.h"

namespace planaq {
namespace {

struct CliRun {
  int status = -1;
  std::string err;
};

CliRun RunCli(const test::TempDir& dir, const std::string& prefix, const std::string& arguments) {
  const std::string command = "cd '" + dir.path() + "' && " + prefix + " '" PLANAQ_CLI "' " +
                              arguments + " 2>err.txt";
  CliRun run;
  const int raw = std::system(command.c_str());
  run.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : 128 + WTERMSIG(raw);
  run.err = test::ReadFile(dir.File("err.txt"));
  return run;
}

TEST(CliCapacity, TooLargeCapacitiesAreReadAsTheDefaultsWithANote) {
  for (const char* nmax : {"100000000", "3000000000"}) {
    test::TempDir dir;
    dir.Write("PLANAQ.txt", std::string("Me,\n48, ") + nmax + ", 20000, 100,\n");
    const CliRun run = RunCli(dir, "", "new out.aqd");
    EXPECT_EQ(run.status, 0) << nmax << ": " << run.err;
    EXPECT_NE(run.err.find("The default capacities are used."), std::string::npos) << run.err;
    EXPECT_NE(test::ReadFile(dir.File("out.aqd")).find("Default Datafile"), std::string::npos);
  }
}

#if !defined(__SANITIZE_ADDRESS__) && !defined(PLANAQ_SANITIZE)
TEST(CliCapacity, CapacitiesBeyondTheAddressSpaceLimitLeaveTheDefaults) {
  // ulimit -v counts as what the machine gives, so the capacities are refused before the
  // tables are made.
  test::TempDir dir;
  dir.Write("PLANAQ.txt", "Me,\n48, 2000000, 4200000, 100,\n");
  const CliRun run = RunCli(dir, "ulimit -v 300000;", "new out.aqd");
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_NE(run.err.find("this computer can give 0.2 GB"), std::string::npos) << run.err;
  EXPECT_NE(run.err.find("The default capacities are used."), std::string::npos) << run.err;
  EXPECT_NE(test::ReadFile(dir.File("out.aqd")).find("Default Datafile"), std::string::npos);
}
#endif

}  // namespace
}  // namespace planaq
