#include "solver/Coupled.h"

#include <algorithm>

namespace planaq {

namespace {

// The layer count is a template argument so that the layer loops unroll and the values of a
// position stay in registers.
template <int NL>
void ApplyLayers(const SparseSystem& s, const double* x, double* y) {
  constexpr int NC = NL > 1 ? NL - 1 : 1;
  const int* column = s.column.data();
  const double* A = s.A.data();
  const double* C = s.C.data();
  for (int i = 0; i < s.NN; ++i) {
    const int start = s.rowStart[i];
    const int end = s.rowStart[i + 1];
    const double* xi = x + static_cast<std::size_t>(i) * NL;
    double yi[NL];
    for (int L = 0; L < NL; ++L) yi[L] = y[static_cast<std::size_t>(i) * NL + L];
    {
      const double* a = A + static_cast<std::size_t>(start) * NL;
      const double* c = C + static_cast<std::size_t>(start) * (NL - 1);
      for (int L = 0; L < NL; ++L) {
        double v = a[L] * xi[L];
        if (L > 0) v -= c[(L - 1) % NC] * xi[(L - 1) % NL];
        if (L < NL - 1) v -= c[L % NC] * xi[(L + 1) % NL];
        yi[L] += v;
      }
    }
    for (int p = start + 1; p < end; ++p) {
      const int k = column[p];
      const double* xk = x + static_cast<std::size_t>(k) * NL;
      double* yk = y + static_cast<std::size_t>(k) * NL;
      const double* a = A + static_cast<std::size_t>(p) * NL;
      const double* c = C + static_cast<std::size_t>(p) * (NL - 1);
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
    for (int L = 0; L < NL; ++L) y[static_cast<std::size_t>(i) * NL + L] = yi[L];
  }
}

}  // namespace

void ApplyCoupled(const SparseSystem& system, const std::vector<double>& x,
                  std::vector<double>& y) {
  y.assign(static_cast<std::size_t>(system.NN) * system.NL, 0.0);
  switch (system.NL) {
    case 1:
      ApplyLayers<1>(system, x.data(), y.data());
      break;
    case 2:
      ApplyLayers<2>(system, x.data(), y.data());
      break;
    case 3:
      ApplyLayers<3>(system, x.data(), y.data());
      break;
    case 4:
      ApplyLayers<4>(system, x.data(), y.data());
      break;
    case 5:
      ApplyLayers<5>(system, x.data(), y.data());
      break;
    default:
      ApplyLayers<6>(system, x.data(), y.data());
      break;
  }
}

void AddLeakageToConductance(SparseSystem& system) {
  const int NL = system.NL;
  if (NL < 2) return;
  for (int p = 0; p < system.NZ; ++p) {
    double* a = &system.A[static_cast<std::size_t>(p) * NL];
    const double* c = &system.C[static_cast<std::size_t>(p) * (NL - 1)];
    a[0] += c[0];
    for (int L = 1; L < NL - 1; ++L) a[L] += c[L] + c[L - 1];
    a[NL - 1] += c[NL - 2];
  }
}

}  // namespace planaq
