#pragma once
// Whether a set of capacities fits in this machine: the bytes its tables and the solver's
// storage need at full capacity, against the physical memory less a margin.

#include <string>

#include "model/Problem.h"

namespace planaq {

// The largest capacity the tables' index type can hold.
constexpr long long kMaxCapacity = 2147483647LL;

// The bytes the capacities need when every table is full and a problem of six layers is
// solved: the problem tables, the solver's storage and the refinement's work arrays.
double EstimateBytes(const Capacities& caps);

long long PhysicalMemoryBytes();
// What the program may take of the physical memory: it leaves a quarter, and at least 1 GiB,
// to the system and the other programs.
long long UsableMemoryBytes(long long physicalBytes);
// The smaller of the address space limit (ulimit -v) and the memory limit of the program's
// control group; 0 when neither is set.
long long ProcessLimitBytes();
// What the program may take of a limit: a quarter stays for its code, libraries and stacks.
long long UsableLimitBytes(long long limitBytes);
// What this machine can give the program: the smaller of the usable physical memory and the
// usable part of a limit set on the process.
long long AvailableMemoryBytes();
// The memory the program holds now (its resident set); 0 where the system does not tell.
long long ResidentBytes();

// Empty when the capacities fit in usableBytes; otherwise the message that names the memory
// needed and the largest NMAX and MMAX that would fit.
std::string CapacitiesMessage(const Capacities& caps, long long usableBytes);
// What a Solve with the algebraic multigrid choice takes beyond the problem's tables, per
// unknown (node and layer): the sparse storage, the matrix of the hierarchy, the hierarchy and
// the work vectors. The peak of the Solve less the memory held before it was 320 bytes on the
// refined six-layer problem of 131,841 nodes and 323 at 525,825 nodes; rounded up for meshes
// that coarsen less well.
constexpr double kMultigridBytesPerUnknown = 340.0;
// Empty when the multigrid storage of so many unknowns fits in usableBytes beside the tables;
// otherwise what it needs and what the machine gives.
std::string MultigridMemoryMessage(long long unknowns, long long usableBytes);
// The message for a capacity beyond the index type; empty when it is within it.
std::string CapacityRangeMessage(const char* name, long long value);

}  // namespace planaq
