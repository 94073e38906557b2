#pragma once
// The pattern of the sparse storage, built once per Solve from the element table.

#include "model/Problem.h"
#include "solver/SparseSystem.h"

namespace planaq {

// Builds the column list and the row starts (also into the node table) and returns NZ, or -1
// when the pattern needs more than the capacity of the system; then nothing beyond the
// capacity is kept. Elements without a valid block take no part.
int BuildPattern(Problem& problem, SparseSystem& system);

// Position of the pair (i, k) in the row of node i, or -1 (always -1 for k < i).
int FindPosition(const SparseSystem& system, int i, int k);

extern const char* const kPatternCapacityMessage;

}  // namespace planaq
