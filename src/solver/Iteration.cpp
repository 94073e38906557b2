#include "solver/Iteration.h"

#include <cmath>
#include <vector>

#include "solver/ConjugateGradient.h"
#include "solver/Coupled.h"
#include "solver/Multigrid.h"
#include "solver/Seepage.h"

namespace planaq {

double CycleTolerance(int cycle) {
  double eps = 0.0001;
  for (int c = 0; c < cycle; ++c) eps *= 0.0001;
  return eps;
}

int IterationReportInterval(int NN) {
  if (NN > 100000) return 100;
  if (NN > 1000) return 10;
  return 1;
}

namespace {

std::vector<double> HeadsOf(const Problem& problem) {
  const int NL = problem.NL;
  std::vector<double> x(static_cast<std::size_t>(problem.NN) * NL);
  for (int i = 0; i < problem.NN; ++i)
    for (int L = 0; L < NL; ++L) x[static_cast<std::size_t>(i) * NL + L] = problem.layers[i].F[L];
  return x;
}

// The bound of the open tops holds within the iteration's error; what is left above T by that
// error, or by a cycle that ended at its iteration limit, is taken off here.
void LowerOpenTops(Problem& problem) {
  for (int i = 0; i < problem.NN; ++i) {
    const int type = problem.nodes[i].Type;
    NodeLayers& nl = problem.layers[i];
    if ((type & 1) && !(type & 2) && nl.F[0] > nl.T[0]) nl.F[0] = nl.T[0];
  }
}

bool AllFinite(const std::vector<double>& x) {
  for (double v : x)
    if (!std::isfinite(v)) return false;
  return true;
}

const char* Failure(const ConjugateGradient&) { return ""; }
template <typename Inner>
const char* Failure(const Inner& it) {
  return it.failure();
}

bool Failed(const ConjugateGradient&) { return false; }
bool Failed(const MultigridIteration& it) { return it.failed(); }
template <typename Inner>
bool Failed(const SeepageIteration<Inner>& it) {
  return it.failed();
}

// A revision of the held set starts the iteration afresh: its rho is a new start.
bool TakeRestart(const ConjugateGradient&) { return false; }
bool TakeRestart(const MultigridIteration&) { return false; }
template <typename Inner>
bool TakeRestart(SeepageIteration<Inner>& it) {
  return it.TakeRestart();
}

bool WaterBelowBottom(const Problem& problem) {
  for (int i = 0; i < problem.NN; ++i)
    if (problem.layers[i].F[0] < problem.layers[i].B[0]) return true;
  return false;
}

// The iteration of one cycle, the same steps, stop and report whichever iteration it is.
template <typename Iteration>
CycleReport RunIteration(Iteration& it, double eps, long long limit, int interval,
                         SolveProgress& progress) {
  CycleReport report;
  long long count = 0;
  int refresh = 0;
  double rho = it.rho();
  double divergent = kDivergentGrowth * rho;
  report.diverged = !std::isfinite(rho);
  auto reportProgress = [&]() {
    if (rho < eps * eps) rho = eps * eps;
    report.iterations = static_cast<int>(count);
    report.logError = std::log10(rho);
    progress.IterationReported(report.iterations, report.logError);
  };
  while (!report.diverged && count <= limit && rho > eps) {
    if (!it.Step()) break;
    rho = it.rho();
    ++count;
    if (TakeRestart(it)) divergent = kDivergentGrowth * rho;
    if (!std::isfinite(rho) || rho > divergent) {
      report.diverged = true;
      break;
    }
    if (++refresh == interval || count > limit || rho <= eps) {
      refresh = 0;
      reportProgress();
    }
  }
  if (std::isfinite(rho)) reportProgress();
  report.iterations = static_cast<int>(count);
  return report;
}

}  // namespace

CycleReport IterateCycle(Problem& problem, SparseSystem& system, int cycle, SolveProgress& progress,
                         std::set<std::pair<int, int>>& kept, LinearSolver solver,
                         MultigridHierarchy* hierarchy) {
  const int NN = problem.NN, NL = problem.NL;
  const std::size_t n = static_cast<std::size_t>(NN) * NL;
  const bool warnedBefore = problem.waterLevelWarning;
  problem.waterLevelWarning = false;
  const double eps = CycleTolerance(cycle);
  const long long limit = 2LL * NN * NL;

  AddLeakageToConductance(system);

  // iterated[j]: the head of node and layer j is unknown and its diagonal usable
  std::vector<unsigned char> iterated(n, 0);
  std::vector<double> supply(n);
  for (int i = 0; i < NN; ++i) {
    for (int L = 0; L < NL; ++L) {
      const std::size_t j = static_cast<std::size_t>(i) * NL + L;
      supply[j] = problem.layers[i].W[L];
      if (problem.nodes[i].Type & (1 << (L + 1))) continue;
      const double d = system.A[static_cast<std::size_t>(system.rowStart[i]) * NL + L];
      if (d == 0.0 || !std::isfinite(d)) {
        kept.insert({i, L});
        continue;
      }
      iterated[j] = 1;
    }
  }
  CycleReport report;
  auto finish = [&](auto& it, int interval) {
    report = RunIteration(it, eps, limit, interval, progress);
    const std::vector<double>& x = it.heads();
    if (!report.diverged) report.diverged = Failed(it) || !AllFinite(x);
    if (report.diverged) {
      report.failure = Failure(it);
      return;
    }
    for (int i = 0; i < NN; ++i)
      for (int L = 0; L < NL; ++L) problem.layers[i].F[L] = x[static_cast<std::size_t>(i) * NL + L];
  };
  // each multigrid iteration does the work of many diagonal ones: every one is shown
  const int interval = solver == LinearSolver::Multigrid ? 1 : IterationReportInterval(NN);
  OpenTops tops = OpenTopsOf(problem, iterated);
  if (solver == LinearSolver::Multigrid && tops.empty()) {
    MultigridIteration it(system, HeadsOf(problem), supply, iterated, hierarchy);
    finish(it, interval);
  } else if (solver == LinearSolver::Multigrid) {
    SeepageIteration<MultigridIteration> it(system, HeadsOf(problem), supply, iterated,
                                            std::move(tops), eps, hierarchy);
    finish(it, interval);
  } else if (tops.empty()) {
    ConjugateGradient it(system, HeadsOf(problem), supply, iterated);
    finish(it, interval);
  } else {
    SeepageIteration<ConjugateGradient> it(system, HeadsOf(problem), supply, iterated,
                                           std::move(tops), eps);
    finish(it, interval);
  }
  if (report.diverged) {
    problem.waterLevelWarning = warnedBefore;
    return report;
  }
  LowerOpenTops(problem);
  problem.waterLevelWarning = WaterBelowBottom(problem);
  return report;
}

void ComputeSupply(Problem& problem, const SparseSystem& system) {
  const int NL = problem.NL;
  std::vector<double> y;
  ApplyCoupled(system, HeadsOf(problem), y);
  for (int i = 0; i < problem.NN; ++i)
    for (int L = 0; L < NL; ++L) problem.layers[i].Q[L] = y[static_cast<std::size_t>(i) * NL + L];
}

}  // namespace planaq
