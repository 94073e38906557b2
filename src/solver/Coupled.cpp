#include "solver/Coupled.h"

#include <algorithm>

#include "solver/LayerCount.h"
#include "solver/RowProduct.h"

namespace planaq {

namespace {

template <int NL>
void ApplyLayers(const SparseSystem& s, const double* x, double* y) {
  const SystemView view(s);
  for (int i = 0; i < s.NN; ++i) {
    double yi[NL];
    AddRow<NL>(view, i, x, y, yi);
    for (int L = 0; L < NL; ++L) y[static_cast<std::size_t>(i) * NL + L] = yi[L];
  }
}

}  // namespace

void ApplyCoupled(const SparseSystem& system, const std::vector<double>& x,
                  std::vector<double>& y) {
  y.assign(static_cast<std::size_t>(system.NN) * system.NL, 0.0);
  WithLayerCount(system.NL, [&](auto layers) {
    ApplyLayers<decltype(layers)::value>(system, x.data(), y.data());
  });
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
