#pragma once
// The diagonally preconditioned conjugate-gradient iteration on the coupled system of all
// layers, configured once per cycle and then stepped. Vectors are node-major (j = i * NL + L).
// A node and layer that is not iterated (given head, or zero diagonal) keeps r = p = q = 0;
// its preconditioner is stored as infinity so that r / d is zero there without a test.

#include <vector>

#include "solver/FullRows.h"
#include "solver/SparseSystem.h"

namespace planaq {

class ConjugateGradient {
 public:
  // iterated[j]: the head x[j] is unknown and its diagonal usable; W the supplies.
  ConjugateGradient(const SparseSystem& system, std::vector<double> heads,
                    const std::vector<double>& supply, const std::vector<unsigned char>& iterated);

  // One iteration; false, with the heads unchanged, when the search direction has no effect.
  bool Step();

  double rho() const { return rho_; }
  const std::vector<double>& heads() const { return x_; }

 private:
  const SparseSystem& system_;
  std::vector<double> x_, r_, p_, q_, d_;
  std::vector<int> reach_;  // highest node that the rows up to i refer to
  FullRows rows_;           // one layer only: the whole rows, for a gathering product
  double rho_ = 0.0;
  double beta_ = 0.0;  // of the previous step; p is brought up to date inside the product
};

// Per-layer sums of the fused product: p = r / d + beta p ahead of the rows, q = A p (zero where
// not iterated), and sigma = sum of p q, summed per layer in node order and then over layers.
double UpdateDirectionAndApply(const SparseSystem& system, const std::vector<int>& reach,
                               const double* r, const double* d, double beta, double* p, double* q);

// The same for one layer on its whole rows: each q is gathered from its own row.
double UpdateDirectionAndGather(const FullRows& rows, const std::vector<int>& reach,
                                const double* r, const double* d, double beta, double* p,
                                double* q);

}  // namespace planaq
