#include "solver/Seepage.h"

#include <cmath>

#include "solver/ConjugateGradient.h"
#include "solver/Coupled.h"
#include "solver/Multigrid.h"

namespace planaq {

namespace {

double Diagonal(const SparseSystem& s, std::size_t j) {
  return s.A[static_cast<std::size_t>(s.rowStart[j / s.NL]) * s.NL + j % s.NL];
}

bool InnerFailed(const ConjugateGradient&) { return false; }
bool InnerFailed(const MultigridIteration& it) { return it.failed(); }
const char* InnerFailure(const ConjugateGradient&) { return ""; }
const char* InnerFailure(const MultigridIteration& it) { return it.failure(); }

std::unique_ptr<ConjugateGradient> MakeInner(const SparseSystem& system, std::vector<double> heads,
                                             const std::vector<double>& supply,
                                             const std::vector<unsigned char>& iterated,
                                             MultigridHierarchy*, ConjugateGradient*) {
  return std::make_unique<ConjugateGradient>(system, std::move(heads), supply, iterated);
}
std::unique_ptr<MultigridIteration> MakeInner(const SparseSystem& system, std::vector<double> heads,
                                              const std::vector<double>& supply,
                                              const std::vector<unsigned char>& iterated,
                                              MultigridHierarchy* hierarchy, MultigridIteration*) {
  return std::make_unique<MultigridIteration>(system, std::move(heads), supply, iterated,
                                              hierarchy);
}

}  // namespace

OpenTops OpenTopsOf(const Problem& problem, const std::vector<unsigned char>& iterated) {
  OpenTops tops;
  const std::size_t NL = static_cast<std::size_t>(problem.NL);
  for (int i = 0; i < problem.NN; ++i) {
    const std::size_t j = static_cast<std::size_t>(i) * NL;
    if ((problem.nodes[i].Type & 1) && iterated[j]) {
      tops.index.push_back(j);
      tops.top.push_back(problem.layers[i].T[0]);
    }
  }
  return tops;
}

bool ReviseHeldSet(const SparseSystem& system, const OpenTops& tops, const std::vector<double>& x,
                   const std::vector<double>& ax, const std::vector<double>& supply, double eps,
                   std::vector<unsigned char>& held) {
  bool changed = false;
  for (std::size_t t = 0; t < tops.index.size(); ++t) {
    const std::size_t j = tops.index[t];
    const double d = Diagonal(system, j);
    if (held[t]) {
      // the supply a held head needs beyond its working supply: inflow releases it
      const double r = supply[j] - ax[j];
      if (r < -std::sqrt(eps * d)) {
        held[t] = 0;
        changed = true;
      }
    } else if (x[j] - tops.top[t] > std::sqrt(eps / d)) {
      held[t] = 1;
      changed = true;
    }
  }
  return changed;
}

template <typename Inner>
SeepageIteration<Inner>::SeepageIteration(const SparseSystem& system, std::vector<double> heads,
                                          const std::vector<double>& supply,
                                          const std::vector<unsigned char>& iterated, OpenTops tops,
                                          double eps, MultigridHierarchy* hierarchy)
    : system_(system),
      supply_(supply),
      iterated_(iterated),
      tops_(std::move(tops)),
      eps_(eps),
      hierarchy_(hierarchy) {
  // held from the start: heads above T, and heads at T that would rise from there
  held_.assign(tops_.index.size(), 0);
  bool atTop = false;
  for (std::size_t t = 0; t < held_.size(); ++t) {
    double& x = heads[tops_.index[t]];
    if (x > tops_.top[t]) {
      held_[t] = 1;
      x = tops_.top[t];
    } else if (x == tops_.top[t]) {
      atTop = true;
    }
  }
  if (atTop) {
    std::vector<double> ax;
    ApplyCoupled(system_, heads, ax);
    for (std::size_t t = 0; t < held_.size(); ++t) {
      const std::size_t j = tops_.index[t];
      if (heads[j] == tops_.top[t] && supply_[j] - ax[j] > std::sqrt(eps_ * Diagonal(system_, j)))
        held_[t] = 1;
    }
  }
  Start(std::move(heads));
  if (!(inner_->rho() > eps_)) ReviseWhileConverged();
  restarted_ = false;
}

template <typename Inner>
SeepageIteration<Inner>::~SeepageIteration() = default;

template <typename Inner>
void SeepageIteration<Inner>::Start(std::vector<double> heads) {
  std::vector<unsigned char> iterated = iterated_;
  for (std::size_t t = 0; t < held_.size(); ++t) {
    if (!held_[t]) continue;
    heads[tops_.index[t]] = tops_.top[t];
    iterated[tops_.index[t]] = 0;
  }
  inner_.reset();  // the old iteration's memory goes before the new one takes its own
  inner_ = MakeInner(system_, std::move(heads), supply_, iterated, hierarchy_,
                     static_cast<Inner*>(nullptr));
}

template <typename Inner>
bool SeepageIteration<Inner>::ReviseWhileConverged() {
  bool changed = false;
  std::vector<double> ax;
  while (revisions_ < kMaxSeepageRevisions && !InnerFailed(*inner_)) {
    std::vector<double> x = inner_->heads();
    ApplyCoupled(system_, x, ax);
    if (!ReviseHeldSet(system_, tops_, x, ax, supply_, eps_, held_)) break;
    ++revisions_;
    changed = restarted_ = true;
    Start(std::move(x));
    if (inner_->rho() > eps_) break;
  }
  return changed;
}

template <typename Inner>
bool SeepageIteration<Inner>::Step() {
  const bool stepped = inner_->Step();
  const double r = inner_->rho();
  if (!std::isfinite(r) || InnerFailed(*inner_) || (stepped && r > eps_)) return stepped;
  // converged, or no step is left: the set is looked at
  return ReviseWhileConverged() || stepped;
}

template <typename Inner>
double SeepageIteration<Inner>::rho() const {
  return inner_->rho();
}

template <typename Inner>
bool SeepageIteration<Inner>::failed() const {
  return InnerFailed(*inner_);
}

template <typename Inner>
const char* SeepageIteration<Inner>::failure() const {
  return InnerFailure(*inner_);
}

template <typename Inner>
const std::vector<double>& SeepageIteration<Inner>::heads() {
  return inner_->heads();
}

template <typename Inner>
bool SeepageIteration<Inner>::TakeRestart() {
  const bool restarted = restarted_;
  restarted_ = false;
  return restarted;
}

template class SeepageIteration<ConjugateGradient>;
template class SeepageIteration<MultigridIteration>;

}  // namespace planaq
