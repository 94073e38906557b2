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

// Wall-clock seconds of the parts of a Solve; setUp is the multigrid's hierarchies, iteration
// the cycles' iterations without them.
struct SolveSeconds {
  double pattern = 0.0, assembly = 0.0, setUp = 0.0, iteration = 0.0, supplies = 0.0;
};

struct SolveResult {
  bool solved = false;  // false: the message says why; nothing is to be saved
  std::string message;  // when not solved: the refusal, the capacity or the divergence message
  std::string warning;  // data that was solved but should be looked at
  bool waterLevelWarning = false;
  std::string note;  // heads that could not be computed and were kept
  // Solved, but the last cycle ended without reaching its tolerance: what the user must know
  // before the heads are taken (empty when it converged).
  std::string notConverged;
  std::vector<CycleReport> cycles;
  SolveSeconds seconds;
};

// Data that cannot be solved, parts without a given head and a pattern beyond the capacity
// are refused before the first cycle, with the heads unchanged. A cycle that diverges ends the
// Solve with the heads of the cycle before it (the starting heads in the first cycle).
// The solver is that of every cycle's linear system; a multigrid choice in a build without it
// is refused with kMultigridUnavailableMessage.
SolveResult SolveProblem(Problem& problem, SolveProgress& progress,
                         LinearSolver solver = LinearSolver::ConjugateGradients);

// The message of a Solve whose iteration diverged in cycle (1-based).
std::string DivergenceMessage(int cycle);
// The solver library failed in cycle (1-based), not the iteration: why, and which heads stay.
std::string LibraryFailureMessage(const std::string& failure, int cycle);
// The message of a last cycle that stopped short of its tolerance, or "" when it reached it.
std::string ConvergenceMessage(int cycle, const CycleReport& report);

extern const char* const kWaterLevelWarning;
extern const char* const kMultigridUnavailableMessage;

}  // namespace planaq
