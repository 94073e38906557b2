#include "solver/Iteration.h"

#include <cmath>
#include <vector>

#include "solver/Coupled.h"

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

// The sums over all layers and nodes are made per layer in node order, then over the layers.
template <typename Term>
double SumOverLayers(int NN, int NL, Term term) {
  double s[kMaxLayers] = {};
  for (int i = 0; i < NN; ++i)
    for (int L = 0; L < NL; ++L) s[L] += term(static_cast<std::size_t>(i) * NL + L);
  double total = 0.0;
  for (int L = 0; L < NL; ++L) total += s[L];
  return total;
}

void LowerOpenTops(Problem& problem) {
  for (int i = 0; i < problem.NN; ++i) {
    const int type = problem.nodes[i].Type;
    NodeLayers& nl = problem.layers[i];
    if ((type & 1) && !(type & 2) && nl.F[0] > nl.T[0]) nl.F[0] = nl.T[0];
  }
}

bool WaterBelowBottom(const Problem& problem) {
  for (int i = 0; i < problem.NN; ++i)
    if (problem.layers[i].F[0] < problem.layers[i].B[0]) return true;
  return false;
}

}  // namespace

CycleReport IterateCycle(Problem& problem, SparseSystem& system, int cycle, SolveProgress& progress,
                         std::set<std::pair<int, int>>& kept) {
  const int NN = problem.NN, NL = problem.NL;
  const std::size_t n = static_cast<std::size_t>(NN) * NL;
  problem.waterLevelWarning = false;
  const double eps = CycleTolerance(cycle);
  const long long limit = 2LL * NN * NL;
  const int interval = IterationReportInterval(NN);

  AddLeakageToConductance(system);

  // free[j]: the head of node and layer j is iterated; d is the preconditioner
  std::vector<double> x = HeadsOf(problem);
  std::vector<double> d(n), r, p(n, 0.0), q;
  std::vector<unsigned char> free(n, 0);
  for (int i = 0; i < NN; ++i) {
    for (int L = 0; L < NL; ++L) {
      const std::size_t j = static_cast<std::size_t>(i) * NL + L;
      d[j] = system.A[static_cast<std::size_t>(system.rowStart[i]) * NL + L];
      if (problem.nodes[i].Type & (1 << (L + 1))) continue;
      if (d[j] == 0.0 || !std::isfinite(d[j])) {
        kept.insert({i, L});
        continue;
      }
      free[j] = 1;
    }
  }

  // r = W - A F, p = r / d where the head is unknown
  ApplyCoupled(system, x, r);
  for (int i = 0; i < NN; ++i) {
    for (int L = 0; L < NL; ++L) {
      const std::size_t j = static_cast<std::size_t>(i) * NL + L;
      if (free[j]) {
        r[j] = problem.layers[i].W[L] - r[j];
        p[j] = r[j] / d[j];
      } else {
        r[j] = 0.0;
      }
    }
  }
  double rho = SumOverLayers(NN, NL, [&](std::size_t j) { return r[j] * p[j]; });

  CycleReport report;
  long long count = 0;
  int refresh = 0;
  auto reportProgress = [&]() {
    if (rho < eps * eps) rho = eps * eps;
    report.iterations = static_cast<int>(count);
    report.logError = std::log10(rho);
    progress.IterationReported(report.iterations, report.logError);
  };
  while (count <= limit && rho > eps) {
    ApplyCoupled(system, p, q);  // q = A p
    const double sigma = SumOverLayers(NN, NL, [&](std::size_t j) { return p[j] * q[j]; });
    if (sigma == 0.0 || !std::isfinite(sigma)) break;  // p has no effect: nothing to gain
    const double alpha = rho / sigma;
    for (std::size_t j = 0; j < n; ++j) {
      if (!free[j]) continue;
      x[j] += alpha * p[j];
      r[j] -= alpha * q[j];
    }
    const double rhoNew =
        SumOverLayers(NN, NL, [&](std::size_t j) { return free[j] ? r[j] * r[j] / d[j] : 0.0; });
    const double beta = rhoNew / rho;
    for (std::size_t j = 0; j < n; ++j) p[j] = free[j] ? r[j] / d[j] + beta * p[j] : 0.0;
    rho = rhoNew;
    ++count;
    if (++refresh == interval || count > limit || rho <= eps) {
      refresh = 0;
      reportProgress();
    }
  }
  reportProgress();

  for (int i = 0; i < NN; ++i)
    for (int L = 0; L < NL; ++L) problem.layers[i].F[L] = x[static_cast<std::size_t>(i) * NL + L];
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
