#pragma once
// The open top of layer 1 as a drain. Where the top is open and the head of layer 1 unknown,
// the head stays at or below T; where it stands at T the node may only lose water (its
// computed supply falls short of its working supply by the seepage), elsewhere it takes its
// working supply as any node.
//
// Each cycle's system is solved with this bound by an active-set loop around an iteration
// (the diagonal conjugate gradients or the multigrid one, unchanged): the nodes held at T are
// iterated as given heads; when the iteration has converged, a held node whose residual turns
// to inflow is released and a free node whose head rises above T is held, and the iteration
// starts again from the heads reached, until the set stays as it is. While nothing is held
// and no head rises above T, this is the plain iteration, step for step.

#include <cstddef>
#include <memory>
#include <vector>

#include "model/Problem.h"
#include "solver/Multigrid.h"
#include "solver/SparseSystem.h"

namespace planaq {

// The open tops over iterated heads of layer 1: node-major index (i * NL) and T of each.
struct OpenTops {
  std::vector<std::size_t> index;
  std::vector<double> top;
  bool empty() const { return index.empty(); }
};

OpenTops OpenTopsOf(const Problem& problem, const std::vector<unsigned char>& iterated);

// What the iteration leaves within its error is not a change of the set: a held node is
// released when r < -sqrt(eps d), a free one held when its head exceeds T by sqrt(eps / d),
// d the diagonal, r = W - A x the residual (rho = sum r^2 / d <= eps bounds both).
// held[t] belongs to tops.index[t]; returns whether anything changed. x is the heads; ax the
// product A x.
bool ReviseHeldSet(const SparseSystem& system, const OpenTops& tops, const std::vector<double>& x,
                   const std::vector<double>& ax, const std::vector<double>& supply, double eps,
                   std::vector<unsigned char>& held);

// The loop around Inner (ConjugateGradient or MultigridIteration), stepped as they are.
template <typename Inner>
class SeepageIteration {
 public:
  SeepageIteration(const SparseSystem& system, std::vector<double> heads,
                   const std::vector<double>& supply, const std::vector<unsigned char>& iterated,
                   OpenTops tops, double eps, MultigridHierarchy* hierarchy = nullptr);
  ~SeepageIteration();

  // One step of the iteration; when it has converged (or can make no step), one or more
  // revisions of the held set, the iteration starting afresh after each change.
  bool Step();
  double rho() const;
  bool failed() const;
  const char* failure() const;
  const std::vector<double>& heads();
  // Whether the iteration started afresh since the last call: its rho is a new start.
  bool TakeRestart();
  int revisions() const { return revisions_; }

 private:
  void Start(std::vector<double> heads);
  // Revises the set while the iteration stands converged; true when it changed.
  bool ReviseWhileConverged();

  const SparseSystem& system_;
  std::vector<double> supply_;
  std::vector<unsigned char> iterated_;
  OpenTops tops_;
  double eps_;
  MultigridHierarchy* hierarchy_;  // shared by the multigrid iterations of a Solve
  std::vector<unsigned char> held_;
  std::unique_ptr<Inner> inner_;
  bool restarted_ = false;
  int revisions_ = 0;
};

// Revisions of the held set in one cycle beyond which the set is taken as it stands.
constexpr int kMaxSeepageRevisions = 200;

}  // namespace planaq
