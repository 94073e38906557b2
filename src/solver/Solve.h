#pragma once
// The Solve command as a core operation. The pattern is built once from the elements; six
// cycles each assemble (Assembly) and iterate (Iteration) on the heads F of the problem in
// place; then the supplies Q and the flow field follow. The sparse storage lives only inside
// SolveProblem. What the user must be told comes back in SolveResult; the main window shows
// it and offers to save, planaq-cli prints it and writes the file.

#include <string>
#include <vector>

#include "model/Problem.h"
#include "solver/Iteration.h"
#include "solver/SolveProgress.h"

namespace planaq {

constexpr int kCycles = 6;

struct SolveResult {
  bool solved = false;  // false: the capacity message, heads unchanged
  std::string message;  // the capacity message when not solved
  bool waterLevelWarning = false;
  std::string note;  // heads that could not be computed and were kept
  std::vector<CycleReport> cycles;
};

SolveResult SolveProblem(Problem& problem, SolveProgress& progress);

extern const char* const kWaterLevelWarning;

}  // namespace planaq
