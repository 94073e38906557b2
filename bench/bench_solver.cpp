// The coupled product and one conjugate-gradient iteration of the solver, side by side with
// Eigen on the same system (one global SparseMatrix, ConjugateGradient with the diagonal
// preconditioner), and a triad that measures the memory bandwidth of this machine.
//
// Problem: a structured triangle mesh of about N nodes over 2000 m by 1000 m, numbered left to
// right, 1 or 6 layers with aquitards, given heads in layer 1 on the left and right edges,
// wells in every layer and infiltration. Bytes are counted once per array access of a pass
// (reads plus writes, no write-allocate), as the triad is. All times are CPU times.

#include <benchmark/benchmark.h>

#include <Eigen/IterativeLinearSolvers>
#include <Eigen/Sparse>
#include <algorithm>
#include <cmath>
#include <memory>
#include <numeric>
#include <string>
#include <vector>

#include "SolvedRectangle.h"
#include "solver/Assembly.h"
#include "solver/ConjugateGradient.h"
#include "solver/Coupled.h"
#include "solver/FullRows.h"
#include "solver/Pattern.h"
#include "solver/SolveChecks.h"

namespace {

using namespace planaq;

Problem GeneratedProblem(int nodes, int NL) {
  Problem p = bench::RectangleMeshOf(nodes, NL);
  for (int n = 0; n < p.NN; ++n) {
    p.nodes[n].Type = p.nodes[n].X == 0.0 || p.nodes[n].X == 2000.0 ? 2 : 0;
    for (int L = 0; L < kMaxLayers; ++L) {
      p.layers[n].T[L] = 60.0 - 11.0 * L;
      p.layers[n].B[L] = 50.0 - 11.0 * L;
      p.layers[n].F[L] = 65.0 - 0.001 * p.nodes[n].X;
    }
  }
  for (int L = 0; L < kMaxLayers; ++L) {
    p.soils[0].K[L] = 10.0 + L;
    p.soils[0].KA[L] = 0.001;
  }
  p.soils[0].I = 0.001;
  p.NW = std::min(p.caps.BMAX, 6);
  for (int w = 0; w < p.NW; ++w) p.wells[w] = {p.NN / 2 + 37 * w, w % NL, -500.0};
  return p;
}

using EigenMatrix = Eigen::SparseMatrix<double, Eigen::RowMajor>;

// The same coupled system over the unknown heads only, as one symmetric global matrix.
EigenMatrix GlobalMatrix(const Problem& problem, const SparseSystem& s, std::vector<int>& index) {
  const int NN = s.NN, NL = s.NL;
  index.assign(static_cast<std::size_t>(NN) * NL, -1);
  int n = 0;
  for (int i = 0; i < NN; ++i)
    for (int L = 0; L < NL; ++L)
      if (!(problem.nodes[i].Type & (1 << (L + 1)))) index[i * NL + L] = n++;
  // neighbours of each node (both triangles) with their position
  std::vector<std::vector<std::pair<int, int>>> nb(NN);
  for (int i = 0; i < NN; ++i) {
    nb[i].push_back({i, s.rowStart[i]});
    for (int q = s.rowStart[i] + 1; q < s.rowStart[i + 1]; ++q) {
      nb[i].push_back({s.column[q], q});
      nb[s.column[q]].push_back({i, q});
    }
  }
  for (auto& v : nb) std::sort(v.begin(), v.end());
  EigenMatrix M(n, n);
  Eigen::VectorXi perRow(n);
  for (int i = 0; i < NN; ++i)
    for (int L = 0; L < NL; ++L)
      if (index[i * NL + L] >= 0) perRow[index[i * NL + L]] = static_cast<int>(nb[i].size()) * 3;
  M.reserve(perRow);
  for (int i = 0; i < NN; ++i)
    for (int L = 0; L < NL; ++L) {
      const int row = index[i * NL + L];
      if (row < 0) continue;
      for (const auto& [k, q] : nb[i])
        for (int M2 = std::max(0, L - 1); M2 <= std::min(NL - 1, L + 1); ++M2) {
          const int col = index[k * NL + M2];
          if (col < 0) continue;
          const double v = M2 == L ? s.A[q * NL + L] : -s.C[q * (NL - 1) + std::min(L, M2)];
          M.insert(row, col) = v;
        }
    }
  M.makeCompressed();
  return M;
}

struct Fixture {
  int nodes = 0, NL = 0;
  Problem problem;
  SparseSystem system;
  std::vector<double> x, y;
  std::unique_ptr<ConjugateGradient> cg;
  std::vector<double> heads, supply;
  std::vector<unsigned char> iterated;
  std::size_t fullRowEntries = 0;
  EigenMatrix M;
  Eigen::VectorXd ex, ey, eb;

  Fixture(int n, int layers) : nodes(n), NL(layers), problem(GeneratedProblem(n, layers)) {
    BuildPattern(problem, system);
    system.AllocateValues();
    SolveProgress none;
    AssembleCycle(problem, system, 0, none);
    AddLeakageToConductance(system);
    const std::size_t size = static_cast<std::size_t>(system.NN) * NL;
    x.resize(size);
    for (std::size_t j = 0; j < size; ++j) x[j] = 1.0 + 1e-3 * static_cast<double>(j % 97);
    heads.resize(size);
    supply.resize(size);
    iterated.resize(size);
    for (int i = 0; i < system.NN; ++i)
      for (int L = 0; L < NL; ++L) {
        heads[i * NL + L] = problem.layers[i].F[L];
        supply[i * NL + L] = problem.layers[i].W[L];
        iterated[i * NL + L] = !(problem.nodes[i].Type & (1 << (L + 1)));
      }
    RestartIteration();
    fullRowEntries = BuildFullRows(system, iterated).column.size();
    std::vector<int> index;
    M = GlobalMatrix(problem, system, index);
    ex = Eigen::VectorXd::Constant(M.rows(), 1.0);
    eb = Eigen::VectorXd::Zero(M.rows());
    for (std::size_t j = 0; j < size; ++j)
      if (index[j] >= 0) eb[index[j]] = supply[j] + 1e-3 * static_cast<double>(j % 89);
  }
  void RestartIteration() {
    cg = std::make_unique<ConjugateGradient>(system, heads, supply, iterated);
  }

  // bytes of one pass, counted per array access
  double OurApplyBytes() const {
    const double nz = system.NZ, nn = system.NN;
    return nz * (4 + 8.0 * NL + 8.0 * (NL - 1)) + nn * 4 + 4 * nn * 8.0 * NL;
  }
  // Pass one reads r, d, p, x and writes p, x, q; pass two reads q, r, d and writes r. One
  // layer reads its matrix as whole rows (an index and a value per entry), more layers the
  // shared pattern with every layer's values.
  double OurIterationBytes() const {
    const double nn = system.NN;
    const double vectors = 11 * nn * 8.0 * NL + nn * 8;  // and rowStart, reach
    if (NL == 1) return static_cast<double>(fullRowEntries) * 12 + vectors;
    return system.NZ * (4 + 8.0 * NL + 8.0 * (NL - 1)) + vectors;
  }
  double EigenApplyBytes() const { return 12.0 * M.nonZeros() + 4.0 * M.rows() + 16.0 * M.rows(); }
  double EigenIterationBytes() const {
    return 12.0 * M.nonZeros() + 4.0 * M.rows() + 19 * 8.0 * M.rows();
  }
};

Fixture& FixtureFor(int nodes, int NL) {
  static std::unique_ptr<Fixture> current;
  if (!current || current->nodes != nodes || current->NL != NL) {
    current.reset();
    current = std::make_unique<Fixture>(nodes, NL);
  }
  return *current;
}

void Describe(benchmark::State& state, const Fixture& f, double bytes) {
  state.SetBytesProcessed(static_cast<int64_t>(bytes * static_cast<double>(state.iterations())));
  state.counters["nodes"] = f.system.NN;
  state.counters["NZ"] = f.system.NZ;
  state.counters["bytes/iter"] = bytes;
}

void OurApply(benchmark::State& state, int nodes, int NL) {
  Fixture& f = FixtureFor(nodes, NL);
  for (auto _ : state) {
    ApplyCoupled(f.system, f.x, f.y);
    benchmark::DoNotOptimize(f.y.data());
  }
  Describe(state, f, f.OurApplyBytes());
}

void EigenApply(benchmark::State& state, int nodes, int NL) {
  Fixture& f = FixtureFor(nodes, NL);
  for (auto _ : state) {
    f.ey.noalias() = f.M * f.ex;
    benchmark::DoNotOptimize(f.ey.data());
  }
  Describe(state, f, f.EigenApplyBytes());
  state.counters["nnz"] = static_cast<double>(f.M.nonZeros());
}

// Both iterations restart every kRestart steps (outside the timing), so that they are timed on
// vectors of ordinary size and not on converged, denormal ones.
constexpr int kRestart = 50;

void OurIteration(benchmark::State& state, int nodes, int NL) {
  Fixture& f = FixtureFor(nodes, NL);
  int steps = 0;
  for (auto _ : state) {
    if (++steps == kRestart) {
      state.PauseTiming();
      f.RestartIteration();
      steps = 0;
      state.ResumeTiming();
    }
    benchmark::DoNotOptimize(f.cg->Step());
  }
  Describe(state, f, f.OurIterationBytes());
}

// One iteration of Eigen's ConjugateGradient, its loop body as Eigen 3.4 writes it, on
// Eigen's own product and vector kernels, so that it is timed per iteration as ours is.
struct EigenIterationState {
  Eigen::VectorXd x, residual, p, z, tmp, invdiag;
  double absNew = 0.0;
  explicit EigenIterationState(const EigenMatrix& M, const Eigen::VectorXd& b) {
    invdiag = M.diagonal().cwiseInverse();
    x = Eigen::VectorXd::Zero(M.rows());
    residual = b - M * x;
    p = invdiag.cwiseProduct(residual);
    absNew = residual.dot(p);
    z.resize(M.rows());
    tmp.resize(M.rows());
  }
  void Step(const EigenMatrix& M) {
    tmp.noalias() = M * p;
    const double alpha = absNew / p.dot(tmp);
    x += alpha * p;
    residual -= alpha * tmp;
    benchmark::DoNotOptimize(residual.squaredNorm());
    z = invdiag.cwiseProduct(residual);
    const double absOld = absNew;
    absNew = residual.dot(z);
    p = z + (absNew / absOld) * p;
  }
};

void EigenIteration(benchmark::State& state, int nodes, int NL) {
  Fixture& f = FixtureFor(nodes, NL);
  auto cg = std::make_unique<EigenIterationState>(f.M, f.eb);
  int steps = 0;
  for (auto _ : state) {
    if (++steps == kRestart) {
      state.PauseTiming();
      cg = std::make_unique<EigenIterationState>(f.M, f.eb);
      steps = 0;
      state.ResumeTiming();
    }
    cg->Step(f.M);
  }
  Describe(state, f, f.EigenIterationBytes());
}

// Eigen's ConjugateGradient itself for a fixed number of iterations, divided by that number:
// its set-up (one product and the preconditioner) is included once.
void EigenSolve(benchmark::State& state, int nodes, int NL) {
  Fixture& f = FixtureFor(nodes, NL);
  Eigen::ConjugateGradient<EigenMatrix, Eigen::Lower | Eigen::Upper,
                           Eigen::DiagonalPreconditioner<double>>
      solver;
  solver.compute(f.M);
  solver.setTolerance(1e-300);
  const int iterations = 20;
  solver.setMaxIterations(iterations);
  for (auto _ : state) {
    Eigen::VectorXd sol = solver.solve(f.eb);
    benchmark::DoNotOptimize(sol.data());
  }
  Describe(state, f, f.EigenIterationBytes() * iterations);
  state.counters["iterations"] = static_cast<double>(solver.iterations());
}

// The pattern from the node-to-element list: its cost grows with the positions.
void Pattern(benchmark::State& state, int nodes) {
  Problem problem = GeneratedProblem(nodes, 1);
  SparseSystem system;
  for (auto _ : state) benchmark::DoNotOptimize(BuildPattern(problem, system));
  state.counters["nodes"] = problem.NN;
  state.counters["ns/position"] = benchmark::Counter(
      static_cast<double>(system.NZ) * 1e-9 * static_cast<double>(state.iterations()),
      benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

// The check of the parts without a given head, run before the pattern is built: a union-find
// over every node and layer, joined element by element. Compare with BuildPattern at NL 1.
void Determined(benchmark::State& state, int nodes, int NL) {
  Problem problem = GeneratedProblem(nodes, NL);
  for (auto _ : state) benchmark::DoNotOptimize(CheckDetermined(problem));
  state.counters["nodes"] = problem.NN;
}

void Triad(benchmark::State& state) {
  const std::size_t n = 1 << 23;  // 3 arrays of 64 MB
  std::vector<double> a(n, 0.0), b(n, 1.0), c(n, 2.0);
  for (auto _ : state) {
    for (std::size_t i = 0; i < n; ++i) a[i] = b[i] + 3.0 * c[i];
    benchmark::DoNotOptimize(a.data());
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * 24.0 * n));
}

void Register() {
  benchmark::RegisterBenchmark("Triad", Triad)->Unit(benchmark::kMillisecond);
  for (int nodes : {10000, 100000, 1000000})
    benchmark::RegisterBenchmark(("BuildPattern/" + std::to_string(nodes)).c_str(), Pattern, nodes)
        ->Unit(benchmark::kMillisecond)
        ->MinTime(0.3);
  for (int nodes : {10000, 100000, 1000000})
    for (int NL : {1, 6})
      benchmark::RegisterBenchmark(
          ("CheckDetermined/" + std::to_string(nodes) + "/NL" + std::to_string(NL)).c_str(),
          Determined, nodes, NL)
          ->Unit(benchmark::kMillisecond)
          ->MinTime(0.3);
  for (int nodes : {10000, 100000, 1000000})
    for (int NL : {1, 6}) {
      const std::string tag = "/" + std::to_string(nodes) + "/NL" + std::to_string(NL);
      benchmark::RegisterBenchmark(("OurApply" + tag).c_str(), OurApply, nodes, NL)
          ->Unit(benchmark::kMillisecond)
          ->MinTime(0.3);
      benchmark::RegisterBenchmark(("EigenApply" + tag).c_str(), EigenApply, nodes, NL)
          ->Unit(benchmark::kMillisecond)
          ->MinTime(0.3);
      benchmark::RegisterBenchmark(("OurIteration" + tag).c_str(), OurIteration, nodes, NL)
          ->Unit(benchmark::kMillisecond)
          ->MinTime(0.3);
      benchmark::RegisterBenchmark(("EigenIteration" + tag).c_str(), EigenIteration, nodes, NL)
          ->Unit(benchmark::kMillisecond)
          ->MinTime(0.3);
      benchmark::RegisterBenchmark(("EigenSolve20" + tag).c_str(), EigenSolve, nodes, NL)
          ->Unit(benchmark::kMillisecond)
          ->MinTime(0.3);
    }
}

}  // namespace

int main(int argc, char** argv) {
  Register();
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
