// Capacities that do not fit are refused before anything is allocated, and a failed
// allocation leaves the problem as it was.

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <regex>
#include <vector>

#include "model/Memory.h"
#include "model/Problem.h"

namespace planaq {
namespace {

constexpr long long kGiB = 1024LL * 1024 * 1024;

long long NumberAfter(const std::string& text, const std::string& label) {
  std::smatch m;
  const std::regex pattern(label + " that fits is ([0-9]+)|" + label + " is ([0-9]+)");
  if (!std::regex_search(text, m, pattern)) return -1;
  return std::stoll(m[1].matched ? m[1].str() : m[2].str());
}

Problem StartedWithData() {
  Problem p;
  EXPECT_EQ(p.StartUp(Capacities{}), "");
  p.nodes[2].X = 123.0;
  p.layers[1].F[0] = 9.5;
  p.NN = 3;
  return p;
}

void ExpectUnchanged(const Problem& p) {
  EXPECT_EQ(p.caps.NMAX, 12000);
  EXPECT_EQ(p.caps.MMAX, 20000);
  EXPECT_EQ(p.nodes.size(), 12000u);
  EXPECT_EQ(p.elements.size(), 20000u);
  EXPECT_EQ(p.nodes[2].X, 123.0);
  EXPECT_EQ(p.layers[1].F[0], 9.5);
}

TEST(Capacity, TooLargeIsRefusedAndTheProblemStays) {
  Problem p = StartedWithData();
  const std::string message = p.Allocate(Capacities{48, 100000000, 200000000, 100}, 16 * kGiB);
  EXPECT_NE(message.find("Capacity too large"), std::string::npos) << message;
  ExpectUnchanged(p);
}

TEST(Capacity, TheLargestNmaxAndMmaxNamedAreTheLargestThatFit) {
  const long long usable = 16 * kGiB;
  const Capacities wanted{48, 100000000, 20000, 100};
  const std::string message = CapacitiesMessage(wanted, usable);
  const long long nmax = NumberAfter(message, "NMAX");
  ASSERT_GT(nmax, 1000000) << message;
  Capacities c = wanted;
  c.NMAX = static_cast<int>(nmax);
  EXPECT_EQ(CapacitiesMessage(c, usable), "");
  c.NMAX += 1;
  EXPECT_NE(CapacitiesMessage(c, usable), "");
  EXPECT_NE(message.find("no MMAX fits beside NMAX = 100000000"), std::string::npos) << message;
}

TEST(Capacity, AFailedAllocationLeavesTheProblemAsItWas) {
  Problem p = StartedWithData();
  p.failNextAllocation = true;
  EXPECT_NE(p.Allocate(Capacities{48, 50000, 90000, 100}), "");
  ExpectUnchanged(p);
  // the hook fails one allocation; new tables read as the element defaults
  EXPECT_EQ(p.Allocate(Capacities{48, 50000, 90000, 100}), "");
  EXPECT_EQ(p.nodes.size(), 50000u);
  EXPECT_EQ(p.elements[89999].Block, 0);
  EXPECT_EQ(p.layers[49999].F[5], 0.0);
  EXPECT_EQ(p.particles[99].Element, -1);
}

TEST(Capacity, UsableMemoryLeavesAMargin) {
  EXPECT_EQ(UsableMemoryBytes(24 * kGiB), 18 * kGiB);
  EXPECT_EQ(UsableMemoryBytes(2 * kGiB), 1 * kGiB);
  EXPECT_EQ(UsableMemoryBytes(kGiB / 2), 0);
  EXPECT_EQ(CapacityRangeMessage("NMAX", 2147483647LL), "");
  EXPECT_NE(CapacityRangeMessage("NMAX", 3000000000LL).find("NMAX = 3000000000"), std::string::npos);
}

// ulimit -v bounds what the program can have, however much memory the machine holds.
TEST(Capacity, TheAddressSpaceLimitBoundsTheMachinesMemory) {
#ifdef __SANITIZE_ADDRESS__
  GTEST_SKIP() << "the address sanitizer holds more address space than the limit set here";
#endif
  const long long physical = UsableMemoryBytes(PhysicalMemoryBytes());
  const pid_t child = fork();
  if (child == 0) {
    const rlimit limit{static_cast<rlim_t>(4 * kGiB), static_cast<rlim_t>(4 * kGiB)};
    const bool set = setrlimit(RLIMIT_AS, &limit) == 0;
    const long long group = ProcessLimitBytes();  // a control group may give less still
    _exit(set && group <= 4 * kGiB &&
                  AvailableMemoryBytes() == std::min(physical, group - group / 4)
              ? 0
              : 1);
  }
  int status = 0;
  waitpid(child, &status, 0);
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
}

TEST(Capacity, MultigridStorageIsCountedPerUnknown) {
  const long long unknowns = 131841LL * 6;
  const long long needed = static_cast<long long>(kMultigridBytesPerUnknown * unknowns);
  EXPECT_EQ(MultigridMemoryMessage(unknowns, needed), "");
  EXPECT_EQ(MultigridMemoryMessage(unknowns, needed / 2),
            "not enough memory: its hierarchy needs about 0.3 GB, and this computer can give "
            "0.1 GB.");
}

TEST(Capacity, ResidentMemoryCountsWhatIsTouched) {
  const long long before = ResidentBytes();
  std::vector<char> held(64 << 20, 1);
  EXPECT_GE(ResidentBytes() - before, 60LL << 20);
  EXPECT_EQ(held[12345], 1);
}

}  // namespace
}  // namespace planaq
