#pragma once
// The diagonally preconditioned conjugate-gradient iteration on the coupled system of all
// layers, configured once per cycle and then stepped. Vectors are node-major (j = i * NL + L).
// A node and layer that is not iterated (given head, or zero diagonal) keeps r = p = q = 0;
// its preconditioner is stored as infinity so that r / d is zero there without a test.
//
// The step of the heads along a direction, x += alpha p, is taken when the next direction is
// made, in the same pass that reads p, and at the latest when the heads are asked for.

#include <vector>

#include "solver/FullRows.h"
#include "solver/SparseSystem.h"

namespace planaq {

struct IterationVectors {
  double* x;
  double* r;
  double* p;
  double* q;
  const double* d;
};

// How the next direction is made from r: p = r / d + beta p, after x += alpha p when the heads
// still owe that step.
struct DirectionUpdate {
  double alpha = 0.0;
  double beta = 0.0;
  bool headsOweStep = false;
};

class ConjugateGradient {
 public:
  // iterated[j]: the head x[j] is unknown and its diagonal usable; W the supplies.
  ConjugateGradient(const SparseSystem& system, std::vector<double> heads,
                    const std::vector<double>& supply, const std::vector<unsigned char>& iterated);

  // One iteration; false, with the heads unchanged, when the search direction has no effect.
  bool Step();

  double rho() const { return rho_; }
  // The heads after the steps made so far.
  const std::vector<double>& heads();

 private:
  const SparseSystem& system_;
  std::vector<double> x_, r_, p_, q_, d_;
  std::vector<int> reach_;  // highest node that the rows up to i refer to
  FullRows rows_;           // one layer only: the whole rows, for a gathering product
  double rho_ = 0.0;
  DirectionUpdate update_;
};

// The fused pass: the direction brought up to date just ahead of the rows, q = A p (zero where
// not iterated), and sigma = sum of p q, summed per layer in node order and then over layers.
double UpdateDirectionAndApply(const SparseSystem& system, const std::vector<int>& reach,
                               const IterationVectors& v, const DirectionUpdate& u);

// The same for one layer on its whole rows: each q is gathered from its own row.
double UpdateDirectionAndGather(const FullRows& rows, const std::vector<int>& reach,
                                const IterationVectors& v, const DirectionUpdate& u);

}  // namespace planaq
