#include <gtest/gtest.h>

#include <random>

#include "solver/Assembly.h"
#include "solver/ConjugateGradient.h"
#include "solver/FullRows.h"
#include "solver/LiteralSolver.h"
#include "solver/Pattern.h"
#include "solver/StripMesh.h"

namespace planaq {
namespace {

// One layer on a shuffled mesh, assembled; every third head is given.
struct OneLayer {
  Problem problem;
  SparseSystem system;
  std::vector<unsigned char> iterated;
  explicit OneLayer(unsigned seed) {
    test::StripLayout layout;
    layout.nx = 12;
    layout.ny = 7;
    layout.randomDiagonals = layout.shuffle = true;
    layout.seed = seed;
    problem = test::StripProblem(layout);
    BuildPattern(problem, system);
    system.AllocateValues();
    SolveProgress none;
    AssembleCycle(problem, system, 0, none);
    iterated.assign(problem.NN, 1);
    for (int n = 0; n < problem.NN; n += 3) iterated[n] = 0;
  }
};

// Each row holds its lower neighbours by increasing node, then the diagonal, then the upper
// neighbours in pattern order. A row that is not iterated is empty; a neighbour that is not
// iterated keeps its entry, as its (zero) term is part of the symmetric sums.
TEST(FullRows, RowsInTheOrderOfTheSymmetricSums) {
  const OneLayer one(7);
  const SparseSystem& s = one.system;
  const FullRows rows = BuildFullRows(s, one.iterated);
  for (int k = 0; k < s.NN; ++k) {
    std::vector<std::pair<int, double>> expected;
    if (one.iterated[k]) {
      for (int i = 0; i < k; ++i)
        for (int pos = s.rowStart[i] + 1; pos < s.rowStart[i + 1]; ++pos)
          if (s.column[pos] == k) expected.push_back({i, s.A[pos]});
      expected.push_back({k, s.A[s.rowStart[k]]});
      for (int pos = s.rowStart[k] + 1; pos < s.rowStart[k + 1]; ++pos)
        expected.push_back({s.column[pos], s.A[pos]});
    }
    std::vector<std::pair<int, double>> actual;
    for (int e = rows.start[k]; e < rows.start[k + 1]; ++e)
      actual.push_back({rows.column[e], rows.value[e]});
    EXPECT_EQ(actual, expected) << "row " << k;
  }
}

// The gathered product equals the literal symmetric product bit for bit where the head is
// iterated, and is zero elsewhere; sigma is the node-order sum of p q.
TEST(FullRows, GatherEqualsTheLiteralProduct) {
  for (unsigned seed : {3u, 4u, 5u}) {
    const OneLayer one(seed);
    const int NN = one.system.NN;
    std::mt19937 rng(seed);
    std::uniform_real_distribution<double> u(0.5, 2.0);
    // p = r / d + 0 p with d = 1 gives p = r exactly; not iterated: d infinite, p = 0
    std::vector<double> x(NN, 0.0), r(NN), p(NN, 0.0), q(NN, -1.0), d(NN);
    for (int n = 0; n < NN; ++n) {
      r[n] = one.iterated[n] ? (n % 2 ? -u(rng) : u(rng)) : 0.0;
      d[n] = one.iterated[n] ? 1.0 : std::numeric_limits<double>::infinity();
    }
    test::LiteralSystem literal = test::LiteralPattern(one.problem);
    for (int pos = 0; pos < one.system.NZ; ++pos) literal.A[pos][0] = one.system.A[pos];
    const test::LayerVectors expected = test::LiteralApply(literal, NN, 1, {r});
    std::vector<int> reach(NN);
    for (int i = 0, highest = 0; i < NN; ++i) {
      highest = std::max(highest, i);
      for (int pos = one.system.rowStart[i] + 1; pos < one.system.rowStart[i + 1]; ++pos)
        highest = std::max(highest, one.system.column[pos]);
      reach[i] = highest;
    }
    const FullRows rows = BuildFullRows(one.system, one.iterated);
    const double sigma = UpdateDirectionAndGather(
        rows, reach, {x.data(), r.data(), p.data(), q.data(), d.data()}, DirectionUpdate{});
    double expectedSigma = 0.0;
    for (int n = 0; n < NN; ++n) {
      ASSERT_EQ(p[n], r[n]) << n;
      const double y = one.iterated[n] ? expected[0][n] : 0.0;
      ASSERT_EQ(q[n], y) << n;
      expectedSigma += r[n] * y;
    }
    EXPECT_EQ(sigma, expectedSigma);
  }
}

}  // namespace
}  // namespace planaq
