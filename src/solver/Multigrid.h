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

// The matrix the multigrid hierarchy is made of (the coupled matrix of the iterated heads with
// its leakage lumped), held only in the library's storage, and the hierarchy. An iteration that
// finds the same heads iterated and the same matrix values as the last set-up takes them as
// they are (a confined problem's cycles all have one system); any difference, down to one value
// or one head held at an open top, makes both anew, the old ones freed first. A Solve keeps one
// from cycle to cycle and frees it after the last.
class MultigridHierarchy {
 public:
  // reuse false: a set-up for every iteration, as a check of the reuse.
  explicit MultigridHierarchy(bool reuse = true);
  ~MultigridHierarchy();
  MultigridHierarchy(const MultigridHierarchy&) = delete;
  MultigridHierarchy& operator=(const MultigridHierarchy&) = delete;

  // Frees the matrix and the hierarchy; the next iteration makes them again.
  void Release();
  // The hierarchies set up so far, and their wall-clock seconds.
  int setUps() const;
  double setUpSeconds() const;

  struct Store;
  Store& store() { return *store_; }

 private:
  std::unique_ptr<Store> store_;
};

class MultigridIteration {
 public:
  // iterated[j]: the head x[j] is unknown and its diagonal usable; W the supplies. Without a
  // shared hierarchy the iteration keeps one of its own, freed with it.
  MultigridIteration(const SparseSystem& system, std::vector<double> heads,
                     const std::vector<double>& supply, const std::vector<unsigned char>& iterated,
                     MultigridHierarchy* shared = nullptr);
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
  std::unique_ptr<MultigridHierarchy> own_;
  MultigridHierarchy& hierarchy_;
};

}  // namespace planaq
