#include "solver/ConjugateGradient.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "model/Problem.h"
#include "solver/Coupled.h"

namespace planaq {

namespace {

constexpr double kInfinity = std::numeric_limits<double>::infinity();
constexpr int kAhead = 64;  // nodes of a block of the direction update

template <int NL>
double UpdateAndApplyLayers(const SparseSystem& s, const int* reach, const double* r,
                            const double* d, double beta, double* p, double* q) {
  constexpr int NC = NL > 1 ? NL - 1 : 1;
  const int* column = s.column.data();
  const int* rowStart = s.rowStart.data();
  const double* A = s.A.data();
  const double* C = s.C.data();
  double sigma[NL] = {};
  int done = 0;  // p is up to date below node done
  for (int i = 0; i < s.NN; ++i) {
    // p = r / d + beta p for every node that row i reaches first; no earlier row has added
    // to its q, which starts from zero here. The update runs ahead in blocks of nodes, so
    // that its divisions are made two at a time.
    if (done <= reach[i]) {
      const int upto = std::min(s.NN, std::max(reach[i] + 1, done + kAhead));
      const std::size_t j0 = static_cast<std::size_t>(done) * NL;
      const std::size_t j1 = static_cast<std::size_t>(upto) * NL;
      for (std::size_t j = j0; j < j1; ++j) {
        p[j] = r[j] / d[j] + beta * p[j];
        q[j] = 0.0;
      }
      done = upto;
    }
    const int start = rowStart[i];
    const int end = rowStart[i + 1];
    const std::size_t ji = static_cast<std::size_t>(i) * NL;
    const double* xi = p + ji;
    double yi[NL];
    {
      const double* a = A + static_cast<std::size_t>(start) * NL;
      const double* c = C + static_cast<std::size_t>(start) * (NL - 1);
      for (int L = 0; L < NL; ++L) {
        double v = a[L] * xi[L];
        if (L > 0) v -= c[(L - 1) % NC] * xi[(L - 1) % NL];
        if (L < NL - 1) v -= c[L % NC] * xi[(L + 1) % NL];
        yi[L] = q[ji + L] + v;
      }
    }
    for (int pos = start + 1; pos < end; ++pos) {
      const std::size_t jk = static_cast<std::size_t>(column[pos]) * NL;
      const double* xk = p + jk;
      double* yk = q + jk;
      const double* a = A + static_cast<std::size_t>(pos) * NL;
      const double* c = C + static_cast<std::size_t>(pos) * (NL - 1);
      for (int L = 0; L < NL; ++L) {
        double v = a[L] * xk[L];
        double w = a[L] * xi[L];
        if (L > 0) {
          v -= c[(L - 1) % NC] * xk[(L - 1) % NL];
          w -= c[(L - 1) % NC] * xi[(L - 1) % NL];
        }
        if (L < NL - 1) {
          v -= c[L % NC] * xk[(L + 1) % NL];
          w -= c[L % NC] * xi[(L + 1) % NL];
        }
        yi[L] += v;
        yk[L] += w;
      }
    }
    // row i is complete: no later row adds to it
    for (int L = 0; L < NL; ++L) {
      const double y = d[ji + L] == kInfinity ? 0.0 : yi[L];
      q[ji + L] = y;
      sigma[L] += xi[L] * y;
    }
  }
  double total = 0.0;
  for (int L = 0; L < NL; ++L) total += sigma[L];
  return total;
}

// x += alpha p, r -= alpha q; returns sum r^2 / d. The terms of a block are computed first
// (the divisions two at a time), then added in node order.
template <int NL>
double UpdateHeadsAndResidual(int NN, double alpha, const double* p, const double* q, double* x,
                              double* r, const double* d) {
  constexpr int kBlock = 64;
  double rho[NL] = {};
  double term[kBlock * NL];
  for (int i0 = 0; i0 < NN; i0 += kBlock) {
    const int nodes = std::min(kBlock, NN - i0);
    const std::size_t j0 = static_cast<std::size_t>(i0) * NL;
    const int n = nodes * NL;
    for (int t = 0; t < n; ++t) {
      const std::size_t j = j0 + t;
      x[j] += alpha * p[j];
      r[j] -= alpha * q[j];
      term[t] = r[j] * r[j] / d[j];
    }
    for (int b = 0; b < nodes; ++b)
      for (int L = 0; L < NL; ++L) rho[L] += term[b * NL + L];
  }
  double total = 0.0;
  for (int L = 0; L < NL; ++L) total += rho[L];
  return total;
}

template <int NL>
double Update(int NN, double alpha, const double* p, double* q, double* x, double* r,
              const double* d) {
  return UpdateHeadsAndResidual<NL>(NN, alpha, p, q, x, r, d);
}

double UpdateHeads(int NL, int NN, double alpha, const double* p, double* q, double* x, double* r,
                   const double* d) {
  switch (NL) {
    case 1:
      return Update<1>(NN, alpha, p, q, x, r, d);
    case 2:
      return Update<2>(NN, alpha, p, q, x, r, d);
    case 3:
      return Update<3>(NN, alpha, p, q, x, r, d);
    case 4:
      return Update<4>(NN, alpha, p, q, x, r, d);
    case 5:
      return Update<5>(NN, alpha, p, q, x, r, d);
    default:
      return Update<6>(NN, alpha, p, q, x, r, d);
  }
}

}  // namespace

double UpdateDirectionAndGather(const FullRows& rows, const std::vector<int>& reach,
                                const double* r, const double* d, double beta, double* p,
                                double* q) {
  const int NN = static_cast<int>(rows.start.size()) - 1;
  const int* start = rows.start.data();
  const int* column = rows.column.data();
  const double* value = rows.value.data();
  double sigma = 0.0;
  int done = 0;  // p is up to date below node done
  for (int i = 0; i < NN; ++i) {
    if (done <= reach[i]) {
      const int upto = std::min(NN, std::max(reach[i] + 1, done + kAhead));
      for (int j = done; j < upto; ++j) p[j] = r[j] / d[j] + beta * p[j];
      done = upto;
    }
    double y = 0.0;
    for (int e = start[i]; e < start[i + 1]; ++e) y += value[e] * p[column[e]];
    q[i] = y;
    sigma += p[i] * y;
  }
  return sigma;
}

double UpdateDirectionAndApply(const SparseSystem& s, const std::vector<int>& reach,
                               const double* r, const double* d, double beta, double* p,
                               double* q) {
  switch (s.NL) {
    case 1:
      return UpdateAndApplyLayers<1>(s, reach.data(), r, d, beta, p, q);
    case 2:
      return UpdateAndApplyLayers<2>(s, reach.data(), r, d, beta, p, q);
    case 3:
      return UpdateAndApplyLayers<3>(s, reach.data(), r, d, beta, p, q);
    case 4:
      return UpdateAndApplyLayers<4>(s, reach.data(), r, d, beta, p, q);
    case 5:
      return UpdateAndApplyLayers<5>(s, reach.data(), r, d, beta, p, q);
    default:
      return UpdateAndApplyLayers<6>(s, reach.data(), r, d, beta, p, q);
  }
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
  // p = r / d + beta p; q = A p; sigma = p q
  const double sigma =
      NL == 1
          ? UpdateDirectionAndGather(rows_, reach_, r_.data(), d_.data(), beta_, p_.data(),
                                     q_.data())
          : UpdateDirectionAndApply(system_, reach_, r_.data(), d_.data(), beta_, p_.data(),
                                    q_.data());
  if (sigma == 0.0 || !std::isfinite(sigma)) return false;
  const double alpha = rho_ / sigma;
  const double rhoNew =
      UpdateHeads(NL, NN, alpha, p_.data(), q_.data(), x_.data(), r_.data(), d_.data());
  beta_ = rhoNew / rho_;
  rho_ = rhoNew;
  return true;
}

}  // namespace planaq
