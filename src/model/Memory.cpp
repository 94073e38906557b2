#include "model/Memory.h"

#include <sys/resource.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>

namespace planaq {
namespace {

constexpr double kGiB = 1024.0 * 1024.0 * 1024.0;
constexpr double kLayers = kMaxLayers;

// The solver keeps five pattern positions per node: a column index, a conductance per layer
// and a leakage per aquitard, and for one layer the rows written out whole.
constexpr double kPatternBytesPerNode = 5.0 * (4 + 8 * kLayers + 8 * (kLayers - 1)) + 2 * 5 * 12;
// Node-major vectors of the iteration: heads, residual, direction, product, diagonal, supply,
// the previous heads and the product's scratch, plus the per-node row starts and flags.
constexpr double kIterationBytesPerNode = 8 * 8 * kLayers + 3 * 4 + 1;
// Renumbering keys and orders, the node hash and the element lists of the pattern build.
constexpr double kWorkBytesPerNode = 8 + 4 + 4 + 32;
constexpr double kWorkBytesPerElement = 3 * 4 + 8 + 4 + sizeof(Element);

double NodeBytes() {
  return sizeof(Node) + sizeof(NodeLayers) + kPatternBytesPerNode + kIterationBytesPerNode +
         kWorkBytesPerNode;
}
double ElementBytes() { return sizeof(Element) + kWorkBytesPerElement; }
double BlockBytes() { return sizeof(Block) + sizeof(Soil) + sizeof(int) + sizeof(Well); }
double ParticleBytes() { return sizeof(Particle); }

double OtherBytes(const Capacities& c, bool withNodes, bool withElements) {
  return (withNodes ? c.NMAX * NodeBytes() : 0.0) + (withElements ? c.MMAX * ElementBytes() : 0.0) +
         c.BMAX * BlockBytes() + c.PMAX * ParticleBytes();
}

long long LargestFitting(double usable, double others, double perUnit) {
  const double n = (usable - others) / perUnit;
  return n < 1.0 ? 0 : static_cast<long long>(std::min(n, static_cast<double>(kMaxCapacity)));
}

std::string Gigabytes(double bytes) {
  char buf[32];
  std::snprintf(buf, sizeof buf, "%.1f GB", bytes / kGiB);
  return buf;
}

// The memory limit of the control group the program runs in (version 2, then version 1); 0 when
// there is none.
long long ControlGroupLimit() {
  for (const char* path :
       {"/sys/fs/cgroup/memory.max", "/sys/fs/cgroup/memory/memory.limit_in_bytes"}) {
    std::FILE* f = std::fopen(path, "r");
    if (!f) continue;
    long long value = 0;
    const bool read = std::fscanf(f, "%lld", &value) == 1;  // "max" reads as no number
    std::fclose(f);
    // version 1 writes "no limit" as a huge page-aligned number
    if (read && value > 0 && value < (1LL << 60)) return value;
  }
  return 0;
}

}  // namespace

double EstimateBytes(const Capacities& caps) { return OtherBytes(caps, true, true); }

long long PhysicalMemoryBytes() {
  const long pages = sysconf(_SC_PHYS_PAGES);
  const long pageSize = sysconf(_SC_PAGE_SIZE);
  if (pages <= 0 || pageSize <= 0) return static_cast<long long>(4 * kGiB);
  return static_cast<long long>(pages) * pageSize;
}

long long ProcessLimitBytes() {
  long long bytes = ControlGroupLimit();
  struct rlimit limit {};
  if (getrlimit(RLIMIT_AS, &limit) == 0 && limit.rlim_cur != RLIM_INFINITY) {
    const long long as = static_cast<long long>(limit.rlim_cur);
    bytes = bytes > 0 ? std::min(bytes, as) : as;
  }
  return bytes;
}

long long UsableLimitBytes(long long limitBytes) { return limitBytes - limitBytes / 4; }

long long AvailableMemoryBytes() {
  const long long usable = UsableMemoryBytes(PhysicalMemoryBytes());
  const long long limit = ProcessLimitBytes();
  return limit > 0 ? std::min(usable, UsableLimitBytes(limit)) : usable;
}

long long ResidentBytes() {
  std::FILE* f = std::fopen("/proc/self/statm", "r");
  if (!f) return 0;
  long long pages = 0, resident = 0;
  const bool read = std::fscanf(f, "%lld %lld", &pages, &resident) == 2;
  std::fclose(f);
  const long pageSize = sysconf(_SC_PAGE_SIZE);
  return read && pageSize > 0 ? resident * pageSize : 0;
}

std::string MultigridMemoryMessage(long long unknowns, long long usableBytes) {
  const double needed = kMultigridBytesPerUnknown * static_cast<double>(unknowns);
  const double usable = static_cast<double>(usableBytes);
  if (needed <= usable) return "";
  return "not enough memory: its hierarchy needs about " + Gigabytes(needed) +
         ", and this computer can give " + Gigabytes(usable) + ".";
}

long long UsableMemoryBytes(long long physicalBytes) {
  const long long margin = std::max(physicalBytes / 4, static_cast<long long>(kGiB));
  return std::max(physicalBytes - margin, 0LL);
}

std::string CapacitiesMessage(const Capacities& caps, long long usableBytes) {
  const double needed = EstimateBytes(caps);
  const double usable = static_cast<double>(usableBytes);
  if (needed <= usable) return "";
  const long long nmax = LargestFitting(usable, OtherBytes(caps, false, true), NodeBytes());
  const long long mmax = LargestFitting(usable, OtherBytes(caps, true, false), ElementBytes());
  const std::string largestNmax =
      nmax > 0 ? "the largest NMAX that fits is " + std::to_string(nmax) : "no NMAX fits";
  const std::string largestMmax = mmax > 0
                                      ? "the largest MMAX is " + std::to_string(mmax)
                                      : "no MMAX fits beside NMAX = " + std::to_string(caps.NMAX);
  return "Capacity too large\n\nThe capacities need about " + Gigabytes(needed) +
         " of memory, and this computer can give " + Gigabytes(usable) +
         ".\n\nWith the other capacities as they are, " + largestNmax + " and " + largestMmax +
         ".";
}

std::string CapacityRangeMessage(const char* name, long long value) {
  if (value <= kMaxCapacity) return "";
  char buf[160];
  std::snprintf(buf, sizeof buf, "Capacity too large\n\n%s = %lld is more than %lld.", name,
                value, kMaxCapacity);
  return buf;
}

}  // namespace planaq
