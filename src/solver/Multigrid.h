#pragma once
// Conjugate gradients preconditioned by one V-cycle of algebraic multigrid (BoomerAMG of the
// hypre library), on the same coupled system, heads and supplies as the diagonal iteration and
// stepped the same way. Its rho is the diagonal iteration's error measure, sum r^2 / d over the
// iterated heads, so that a cycle ends on the same criterion whichever iteration runs it.
//
// The library runs in one process. Its message-passing layer is started the first time an
// iteration is made and ended when the program exits; a user never sees it.

#include <memory>
#include <string>
#include <vector>

#include "solver/SparseSystem.h"

namespace planaq {

// How each cycle's linear system is solved.
enum class LinearSolver { ConjugateGradients, Multigrid };

// Whether this build has the multigrid iteration; without it, a Multigrid choice is refused.
bool MultigridAvailable();

constexpr const char* kMultigridStartFailed = "The algebraic multigrid solver could not start: ";
constexpr const char* kMultigridSetUpFailed =
    "The algebraic multigrid solver could not set up its hierarchy";
// Before the first cycle: empty when the memory holds the hierarchy of so many unknowns (nodes
// times layers) and the message-passing layer runs; otherwise kMultigridStartFailed and the
// cause. The program itself goes on either way.
std::string StartMultigrid(long long unknowns);

class MultigridIteration {
 public:
  // iterated[j]: the head x[j] is unknown and its diagonal usable; W the supplies.
  MultigridIteration(const SparseSystem& system, std::vector<double> heads,
                     const std::vector<double>& supply, const std::vector<unsigned char>& iterated);
  ~MultigridIteration();
  MultigridIteration(const MultigridIteration&) = delete;
  MultigridIteration& operator=(const MultigridIteration&) = delete;

  // One iteration; false, with the heads unchanged, when it can make no step.
  bool Step();
  double rho() const;
  // The set-up or a V-cycle gave values that are not finite, or the system is not positive
  // definite: the heads are not to be taken.
  bool failed() const;
  // Why the library failed when it did, rather than the iteration diverging; empty otherwise.
  const char* failure() const;
  // The heads after the steps made so far.
  const std::vector<double>& heads();

 private:
  struct State;
  const SparseSystem& system_;
  std::unique_ptr<State> state_;
};

}  // namespace planaq
