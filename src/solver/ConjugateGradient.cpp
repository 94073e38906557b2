#include "solver/ConjugateGradient.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "model/Problem.h"
#include "solver/Coupled.h"
#include "solver/LayerCount.h"
#include "solver/RowProduct.h"

namespace planaq {

namespace {

constexpr double kInfinity = std::numeric_limits<double>::infinity();
constexpr int kAhead = 64;  // nodes of a block of the direction update

// p = r / d + beta p on [j0, j1). When the heads still owe the step along the old direction,
// x += alpha p is taken first, so that p is read once for both.
inline void AdvanceDirection(const IterationVectors& v, const DirectionUpdate& u, std::size_t j0,
                             std::size_t j1) {
  if (u.headsOweStep) {
    for (std::size_t j = j0; j < j1; ++j) {
      v.x[j] += u.alpha * v.p[j];
      v.p[j] = v.r[j] / v.d[j] + u.beta * v.p[j];
    }
  } else {
    for (std::size_t j = j0; j < j1; ++j) v.p[j] = v.r[j] / v.d[j] + u.beta * v.p[j];
  }
}

// The fused pass: p brought up to date for every node that row i reaches first (no earlier
// row has added to its q, which starts from zero here), then row i of q = A p. The update runs
// ahead in blocks of nodes, so that its divisions are made two at a time.
template <int NL>
double UpdateAndApplyLayers(const SparseSystem& s, const int* reach, const IterationVectors& v,
                            const DirectionUpdate& u) {
  const SystemView view(s);
  const int NN = s.NN;
  const double* d = v.d;
  double* p = v.p;
  double* q = v.q;
  double sigma[NL] = {};
  int done = 0;  // p is up to date below node done
  for (int i = 0; i < NN; ++i) {
    if (done <= reach[i]) {
      const int upto = std::min(NN, std::max(reach[i] + 1, done + kAhead));
      const std::size_t j0 = static_cast<std::size_t>(done) * NL;
      const std::size_t j1 = static_cast<std::size_t>(upto) * NL;
      AdvanceDirection(v, u, j0, j1);
      std::fill(q + j0, q + j1, 0.0);
      done = upto;
    }
    double yi[NL];
    AddRow<NL>(view, i, p, q, yi);
    // row i is complete: no later row adds to it
    const std::size_t ji = static_cast<std::size_t>(i) * NL;
    for (int L = 0; L < NL; ++L) {
      const double y = d[ji + L] == kInfinity ? 0.0 : yi[L];
      q[ji + L] = y;
      sigma[L] += p[ji + L] * y;
    }
  }
  double total = 0.0;
  for (int L = 0; L < NL; ++L) total += sigma[L];
  return total;
}

// The sum of one row, term by term in its order; rows of the usual lengths are written out.
template <int N>
double GatherFixed(const int* column, const double* value, const double* p) {
  double y = 0.0;
  for (int e = 0; e < N; ++e) y += value[e] * p[column[e]];
  return y;
}

double GatherRow(const int* column, const double* value, int n, const double* p) {
  switch (n) {
    case 5:
      return GatherFixed<5>(column, value, p);
    case 6:
      return GatherFixed<6>(column, value, p);
    case 7:
      return GatherFixed<7>(column, value, p);
    case 8:
      return GatherFixed<8>(column, value, p);
    default: {
      double y = 0.0;
      for (int e = 0; e < n; ++e) y += value[e] * p[column[e]];
      return y;
    }
  }
}

// r -= alpha q; returns sum r^2 / d. The terms of a block are computed first (the divisions
// two at a time), then added in node order.
template <int NL>
double UpdateResidualLayers(int NN, double alpha, const IterationVectors& v) {
  constexpr int kBlock = 64;
  double rho[NL] = {};
  double term[kBlock * NL];
  for (int i0 = 0; i0 < NN; i0 += kBlock) {
    const int nodes = std::min(kBlock, NN - i0);
    const std::size_t j0 = static_cast<std::size_t>(i0) * NL;
    const int n = nodes * NL;
    for (int t = 0; t < n; ++t) {
      const std::size_t j = j0 + t;
      v.r[j] -= alpha * v.q[j];
      term[t] = v.r[j] * v.r[j] / v.d[j];
    }
    for (int b = 0; b < nodes; ++b)
      for (int L = 0; L < NL; ++L) rho[L] += term[b * NL + L];
  }
  double total = 0.0;
  for (int L = 0; L < NL; ++L) total += rho[L];
  return total;
}

double UpdateResidual(int NL, int NN, double alpha, const IterationVectors& v) {
  return WithLayerCount(
      NL, [&](auto layers) { return UpdateResidualLayers<decltype(layers)::value>(NN, alpha, v); });
}

}  // namespace

double UpdateDirectionAndGather(const FullRows& rows, const std::vector<int>& reach,
                                const IterationVectors& v, const DirectionUpdate& u) {
  const int NN = static_cast<int>(rows.start.size()) - 1;
  const int* start = rows.start.data();
  const int* column = rows.column.data();
  const double* value = rows.value.data();
  double sigma = 0.0;
  int done = 0;  // p is up to date below node done
  for (int i = 0; i < NN; ++i) {
    if (done <= reach[i]) {
      const int upto = std::min(NN, std::max(reach[i] + 1, done + kAhead));
      AdvanceDirection(v, u, done, upto);
      done = upto;
    }
    const double y = GatherRow(column + start[i], value + start[i], start[i + 1] - start[i], v.p);
    v.q[i] = y;
    sigma += v.p[i] * y;
  }
  return sigma;
}

double UpdateDirectionAndApply(const SparseSystem& s, const std::vector<int>& reach,
                               const IterationVectors& v, const DirectionUpdate& u) {
  return WithLayerCount(s.NL, [&](auto layers) {
    return UpdateAndApplyLayers<decltype(layers)::value>(s, reach.data(), v, u);
  });
}

ConjugateGradient::ConjugateGradient(const SparseSystem& system, std::vector<double> heads,
                                     const std::vector<double>& supply,
                                     const std::vector<unsigned char>& iterated)
    : system_(system), x_(std::move(heads)) {
  const int NN = system.NN, NL = system.NL;
  const std::size_t n = static_cast<std::size_t>(NN) * NL;
  p_.assign(n, 0.0);
  q_.assign(n, 0.0);
  d_.assign(n, kInfinity);
  reach_.assign(NN, 0);
  int highest = 0;
  for (int i = 0; i < NN; ++i) {
    highest = std::max(highest, i);
    for (int pos = system.rowStart[i] + 1; pos < system.rowStart[i + 1]; ++pos)
      highest = std::max(highest, system.column[pos]);
    reach_[i] = highest;
  }
  // r = W - A F where the head is iterated; rho = sum r (r / d)
  ApplyCoupled(system, x_, r_);
  double rho[kMaxLayers] = {};
  for (int i = 0; i < NN; ++i) {
    for (int L = 0; L < NL; ++L) {
      const std::size_t j = static_cast<std::size_t>(i) * NL + L;
      if (!iterated[j]) {
        r_[j] = 0.0;
        continue;
      }
      d_[j] = system.A[static_cast<std::size_t>(system.rowStart[i]) * NL + L];
      r_[j] = supply[j] - r_[j];
      rho[L] += r_[j] * (r_[j] / d_[j]);
    }
  }
  for (int L = 0; L < NL; ++L) rho_ += rho[L];
  if (NL == 1) rows_ = BuildFullRows(system, iterated);
}

bool ConjugateGradient::Step() {
  const int NN = system_.NN, NL = system_.NL;
  const IterationVectors v{x_.data(), r_.data(), p_.data(), q_.data(), d_.data()};
  // p = r / d + beta p (the heads taking their pending step first); q = A p; sigma = p q
  const double sigma = NL == 1 ? UpdateDirectionAndGather(rows_, reach_, v, update_)
                               : UpdateDirectionAndApply(system_, reach_, v, update_);
  update_.headsOweStep = false;
  if (sigma == 0.0 || !std::isfinite(sigma)) return false;
  update_.alpha = rho_ / sigma;
  update_.headsOweStep = true;
  const double rhoNew = UpdateResidual(NL, NN, update_.alpha, v);
  update_.beta = rhoNew / rho_;
  rho_ = rhoNew;
  return true;
}

const std::vector<double>& ConjugateGradient::heads() {
  if (update_.headsOweStep) {
    for (std::size_t j = 0; j < x_.size(); ++j) x_[j] += update_.alpha * p_[j];
    update_.headsOweStep = false;
  }
  return x_;
}

}  // namespace planaq
