#pragma once
// A fingerprint of what a datafile holds of the problem: the names, the general data and the
// used part of every table. Two problems that would be saved differently have different
// fingerprints (but for a collision of 64-bit hashes); the solver's working values, the
// tracing state and the capacity beyond the counts take no part. It reads the tables once,
// without formatting them, so it can be taken after every command even for large problems.

#include <cstdint>

#include "model/Problem.h"

namespace planaq {

std::uint64_t DatafileFingerprint(const Problem& problem);

}  // namespace planaq
