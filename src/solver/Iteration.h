#pragma once
// The iteration of one cycle on the coupled system of all layers (diagonally preconditioned
// conjugate gradients, or the algebraic multigrid choice), and the supplies of the final heads.

#include <set>
#include <string>
#include <utility>

#include "model/Problem.h"
#include "solver/Multigrid.h"
#include "solver/SolveProgress.h"
#include "solver/SparseSystem.h"

namespace planaq {

struct CycleReport {
  int iterations = 0;
  double logError = 0.0;  // log10 of the last rho, floored at the square of the tolerance
  bool diverged = false;  // rho went beyond bound: the heads of the cycle were not taken
  std::string failure;    // the solver library failed (not the iteration): why
};

// rho may grow to this multiple of its value at the start of a cycle before the cycle is
// taken to diverge.
constexpr double kDivergentGrowth = 1e10;

// Tolerance of a cycle: 1e-4 multiplied by 1e-4 once per cycle number.
double CycleTolerance(int cycle);
// Iteration interval of the progress report: 1, 10 or 100 by the number of nodes.
int IterationReportInterval(int NN);

// Runs the iteration of one cycle on the heads F in place, with the heads of open tops bounded
// by the top of layer 1 (Seepage.h), and sets the water level warning. The leakage is added onto
// the conductances first. A node and layer with an unknown head whose diagonal is zero (it belongs
// to no element of positive area) keeps its head; it is added to kept as (node, layer). When rho
// becomes non-finite or grows beyond kDivergentGrowth times its start, or the heads come out
// non-finite, the cycle stops diverged and the heads (and the warning) stay as they were.
// The multigrid iteration stops the same way, and diverged also when its set-up or a V-cycle
// fails; its progress is reported at every iteration. A hierarchy given is kept for the next
// cycle, which takes it again when its system is the same; without one it is freed at the end.
CycleReport IterateCycle(Problem& problem, SparseSystem& system, int cycle, SolveProgress& progress,
                         std::set<std::pair<int, int>>& kept,
                         LinearSolver solver = LinearSolver::ConjugateGradients,
                         MultigridHierarchy* hierarchy = nullptr);

// Q = the coupled product of the final heads, in every node and layer in use.
void ComputeSupply(Problem& problem, const SparseSystem& system);

}  // namespace planaq
