#pragma once
// The product of the coupled system of all layers with a node-major vector x (x[i * NL + L]):
// y_L(i) = sum_k A'_L(i,k) x_L(k) - C_(L-1)(i,k) x_(L-1)(k) - C_L(i,k) x_(L+1)(k).

#include <vector>

#include "solver/SparseSystem.h"

namespace planaq {

// y is resized to NN * NL. Every position adds, per layer, one value to row i and (off the
// diagonal) one to row k, in pattern order, so the sums of a layer always have the same order.
void ApplyCoupled(const SparseSystem& system, const std::vector<double>& x, std::vector<double>& y);

// Adds the leakage onto the diagonal blocks: A_0 += C_0, A_L += C_L + C_(L-1), A_(NL-1) +=
// C_(NL-2).
void AddLeakageToConductance(SparseSystem& system);

}  // namespace planaq
