#include "solver/Multigrid.h"

#include <mpi.h>
// clang-format off
#include <HYPRE.h>
#include <HYPRE_parcsr_ls.h>
#include <_hypre_parcsr_mv.h>
// clang-format on

#include <sys/wait.h>
#include <unistd.h>

#include <cctype>
#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <limits>
#include <string>

#include "model/Memory.h"
#include "solver/Coupled.h"

namespace planaq {

namespace {

// The folder of this process's session files, made empty and removed when the library ends.
std::string& SessionFolder() {
  static std::string folder;
  return folder;
}

void EndMessagePassing() {
  HYPRE_Finalize();
  int ended = 0;
  MPI_Finalized(&ended);
  if (!ended) MPI_Finalize();
}

void RemoveSessionFolder() {
  std::error_code ignored;  // what cannot be removed stays in the temporary folder
  std::filesystem::remove_all(SessionFolder(), ignored);
}

// Two programs that start the library at the same moment race to make the one session folder
// of the user and one of them fails; a folder of this process's own has no such race.
void OwnSessionFolder() {
  if (std::getenv("OMPI_MCA_orte_tmpdir_base") || !SessionFolder().empty()) return;
  const char* tmp = std::getenv("TMPDIR");
  std::string pattern = std::string(tmp && *tmp ? tmp : "/tmp") + "/planaq-mpi-XXXXXX";
  if (!mkdtemp(pattern.data())) return;  // the library's own folder then, race and all
  SessionFolder() = pattern;
  setenv("OMPI_MCA_orte_tmpdir_base", pattern.c_str(), 1);
  std::atexit(RemoveSessionFolder);  // after the library has ended: registered before it
}

// One process on its own: no launcher and no daemon, only the transport to itself, so that
// nothing is started beside the program and nothing is printed. A setting the user made in the
// environment is kept.
void IsolatedSettings() {
  setenv("OMPI_MCA_ess_singleton_isolated", "1", 0);
  setenv("OMPI_MCA_btl", "self", 0);
  setenv("OMPI_MCA_pml", "ob1", 0);
  OwnSessionFolder();
}

// The first line of the library's own words that says something (not a rule of dashes).
std::string FirstLineOf(const std::string& text) {
  std::size_t at = 0;
  while (at < text.size()) {
    std::size_t end = text.find('\n', at);
    if (end == std::string::npos) end = text.size();
    std::string line = text.substr(at, end - at);
    at = end + 1;
    while (!line.empty() && std::isspace(static_cast<unsigned char>(line.back()))) line.pop_back();
    const auto first = line.find_first_not_of(" \t-*=");
    if (first != std::string::npos && std::isalpha(static_cast<unsigned char>(line[first])))
      return line.substr(line.find_first_not_of(" \t"));
  }
  return "";
}

// Open MPI ends the process when it cannot start, whatever error handler is set; so a child
// process starts it first, and only when that succeeded does the program start it itself.
std::string ProbeMessagePassing() {
  int out[2];
  if (pipe(out) != 0) return std::string("no pipe to a trial process: ") + std::strerror(errno);
  const pid_t child = fork();
  if (child < 0) {
    const int error = errno;
    close(out[0]);
    close(out[1]);
    return std::string("no trial process: ") + std::strerror(error);
  }
  if (child == 0) {
    dup2(out[1], 1);
    dup2(out[1], 2);
    close(out[0]);
    alarm(60);  // a start that hangs ends the trial, and the program goes on
    int provided = 0;
    const bool started =
        MPI_Init_thread(nullptr, nullptr, MPI_THREAD_SERIALIZED, &provided) == MPI_SUCCESS;
    if (started) MPI_Finalize();
    _exit(started ? 0 : 1);
  }
  close(out[1]);
  std::string said;
  char buf[4096];
  ssize_t n = 0;
  while ((n = read(out[0], buf, sizeof buf)) != 0) {
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) break;
    if (said.size() < 65536) said.append(buf, static_cast<std::size_t>(n));
  }
  close(out[0]);
  int status = 0;
  while (waitpid(child, &status, 0) < 0 && errno == EINTR) {
  }
  if (WIFEXITED(status) && WEXITSTATUS(status) == 0) return "";
  const std::string line = FirstLineOf(said);
  if (!line.empty()) return line;
  return WIFSIGNALED(status)
             ? "the message-passing library ended with signal " + std::to_string(WTERMSIG(status))
             : "the message-passing library ended with status " +
                   std::to_string(WEXITSTATUS(status));
}

// Empty once the library runs in this process, with every error returned to the caller.
std::string StartMessagePassing() {
  int started = 0;
  MPI_Initialized(&started);
  if (started) return "";
  IsolatedSettings();
  const std::string probed = ProbeMessagePassing();
  if (!probed.empty()) return probed;
  int provided = 0;
  if (MPI_Init_thread(nullptr, nullptr, MPI_THREAD_SERIALIZED, &provided) != MPI_SUCCESS)
    return "the message-passing library did not start";
  MPI_Comm_set_errhandler(MPI_COMM_WORLD, MPI_ERRORS_RETURN);
  MPI_Comm_set_errhandler(MPI_COMM_SELF, MPI_ERRORS_RETURN);
  std::atexit(EndMessagePassing);
  if (HYPRE_Init() != 0) {
    HYPRE_ClearAllErrors();
    return "the hypre library did not start";
  }
  return "";
}

// The matrix of the iterated heads in whole rows, numbered by their order in the node-major
// vector; a head that is given is not a row, its terms are in the residual.
struct Rows {
  std::vector<HYPRE_Int> count;
  std::vector<HYPRE_BigInt> start, column;
  std::vector<double> value;
};

// f(j, k, a) once for every coupling of two heads of the coupled product (j != k), node-major.
template <typename F>
void ForEachCoupling(const SparseSystem& s, F&& f) {
  const int NL = s.NL;
  const std::size_t nl = static_cast<std::size_t>(NL);
  for (int i = 0; i < s.NN; ++i) {
    const std::size_t ji = static_cast<std::size_t>(i) * nl;
    for (int pos = s.rowStart[i]; pos < s.rowStart[i + 1]; ++pos) {
      const bool diagonal = pos == s.rowStart[i];
      const std::size_t jk = (diagonal ? static_cast<std::size_t>(i) : s.column[pos]) * nl;
      const double* a = &s.A[static_cast<std::size_t>(pos) * nl];
      if (!diagonal)
        for (int L = 0; L < NL; ++L) f(ji + L, jk + L, a[L]);
      if (NL < 2) continue;
      const double* c = &s.C[static_cast<std::size_t>(pos) * (nl - 1)];
      for (int L = 0; L + 1 < NL; ++L) {
        f(ji + L, jk + L + 1, -c[L]);
        if (!diagonal) f(ji + L + 1, jk + L, -c[L]);
      }
    }
  }
}

Rows BuildRows(const SparseSystem& s, const std::vector<HYPRE_BigInt>& row) {
  const std::size_t n = row.size();
  HYPRE_BigInt m = 0;
  for (HYPRE_BigInt r : row) m += r >= 0;
  Rows rows;
  rows.count.assign(static_cast<std::size_t>(m), 1);
  auto used = [&](std::size_t j, std::size_t k, double a) {
    return a != 0.0 && row[j] >= 0 && row[k] >= 0;
  };
  ForEachCoupling(s, [&](std::size_t j, std::size_t k, double a) {
    if (!used(j, k, a)) return;
    ++rows.count[row[j]];
    ++rows.count[row[k]];
  });
  rows.start.assign(static_cast<std::size_t>(m) + 1, 0);
  for (HYPRE_BigInt t = 0; t < m; ++t) rows.start[t + 1] = rows.start[t] + rows.count[t];
  rows.column.resize(rows.start[m]);
  rows.value.resize(rows.start[m]);
  std::vector<HYPRE_BigInt> next(rows.start.begin(), rows.start.end() - 1);
  auto put = [&](HYPRE_BigInt t, HYPRE_BigInt u, double a) {
    rows.column[next[t]] = u;
    rows.value[next[t]++] = a;
  };
  for (std::size_t j = 0; j < n; ++j) {
    if (row[j] < 0) continue;
    const std::size_t i = j / s.NL;
    put(row[j], row[j], s.A[static_cast<std::size_t>(s.rowStart[i]) * s.NL + j % s.NL]);
  }
  ForEachCoupling(s, [&](std::size_t j, std::size_t k, double a) {
    if (!used(j, k, a)) return;
    put(row[j], row[k], a);
    put(row[k], row[j], a);
  });
  return rows;
}

double* Values(HYPRE_ParVector v) { return hypre_VectorData(hypre_ParVectorLocalVector(v)); }

}  // namespace

struct MultigridIteration::State {
  std::vector<double> x;                  // node-major heads
  std::vector<std::size_t> unknown;       // node-major index of each row
  std::vector<double> r, p, q, dInverse;  // per row
  Rows rows;
  HYPRE_IJMatrix ijMatrix = nullptr;
  HYPRE_IJVector ijRight = nullptr, ijLeft = nullptr;
  HYPRE_ParCSRMatrix matrix = nullptr;
  HYPRE_ParVector right = nullptr, left = nullptr;  // V-cycle: left = M^-1 right
  HYPRE_Solver amg = nullptr;
  double rho = 0.0;  // sum r^2 / d
  double rz = 0.0;   // sum r z, z the preconditioned residual
  bool failed = false;
  const char* failure = "";
  bool prepared = false;
  std::vector<HYPRE_BigInt> row;  // row of each node-major index, -1 where not iterated

  ~State() {
    if (amg) HYPRE_BoomerAMGDestroy(amg);
    if (ijMatrix) HYPRE_IJMatrixDestroy(ijMatrix);
    if (ijRight) HYPRE_IJVectorDestroy(ijRight);
    if (ijLeft) HYPRE_IJVectorDestroy(ijLeft);
  }

  HYPRE_BigInt size() const { return static_cast<HYPRE_BigInt>(unknown.size()); }

  HYPRE_IJVector MakeVector(HYPRE_ParVector& object) const {
    HYPRE_IJVector v = nullptr;
    HYPRE_IJVectorCreate(MPI_COMM_SELF, 0, size() - 1, &v);
    HYPRE_IJVectorSetObjectType(v, HYPRE_PARCSR);
    HYPRE_IJVectorInitialize(v);
    HYPRE_IJVectorAssemble(v);
    void* o = nullptr;
    HYPRE_IJVectorGetObject(v, &o);
    object = static_cast<HYPRE_ParVector>(o);
    return v;
  }

  void MakeMatrix() {
    const HYPRE_BigInt m = size();
    HYPRE_IJMatrixCreate(MPI_COMM_SELF, 0, m - 1, 0, m - 1, &ijMatrix);
    HYPRE_IJMatrixSetObjectType(ijMatrix, HYPRE_PARCSR);
    std::vector<HYPRE_Int> none(static_cast<std::size_t>(m), 0);
    HYPRE_IJMatrixSetDiagOffdSizes(ijMatrix, rows.count.data(), none.data());
    HYPRE_IJMatrixInitialize(ijMatrix);
    std::vector<HYPRE_BigInt> index(static_cast<std::size_t>(m));
    for (HYPRE_BigInt t = 0; t < m; ++t) index[t] = t;
    HYPRE_IJMatrixSetValues(ijMatrix, static_cast<HYPRE_Int>(m), rows.count.data(), index.data(),
                            rows.column.data(), rows.value.data());
    HYPRE_IJMatrixAssemble(ijMatrix);
    void* o = nullptr;
    HYPRE_IJMatrixGetObject(ijMatrix, &o);
    matrix = static_cast<HYPRE_ParCSRMatrix>(o);
  }

  // Classical coarsening and interpolation as the library chooses them for a scalar elliptic
  // problem; one V-cycle with symmetric smoothing, so that it is a fit preconditioner for CG.
  void SetUpMultigrid() {
    HYPRE_BoomerAMGCreate(&amg);
    HYPRE_BoomerAMGSetPrintLevel(amg, 0);
    HYPRE_BoomerAMGSetMaxIter(amg, 1);
    HYPRE_BoomerAMGSetTol(amg, 0.0);
    HYPRE_BoomerAMGSetRelaxType(amg, 6);  // symmetric Gauss-Seidel on the way down and up
    HYPRE_BoomerAMGSetStrongThreshold(amg, 0.25);
    if (HYPRE_BoomerAMGSetup(amg, matrix, right, left) != 0) {
      failed = true;
      failure = kMultigridSetUpFailed;
    }
    HYPRE_ClearAllErrors();
  }

  // z = M^-1 r into left; false when the V-cycle gives no usable values.
  bool Precondition() {
    std::copy(r.begin(), r.end(), Values(right));
    HYPRE_ParVectorSetConstantValues(left, 0.0);
    const int error = HYPRE_BoomerAMGSolve(amg, matrix, right, left);
    HYPRE_ClearAllErrors();
    if (error != 0 && !HYPRE_CheckError(error, HYPRE_ERROR_CONV)) return false;
    const double* z = Values(left);
    double sum = 0.0;
    for (std::size_t t = 0; t < r.size(); ++t) sum += r[t] * z[t];
    rz = sum;
    return std::isfinite(rz) && rz > 0.0;
  }

  // The multigrid hierarchy and the first direction, made when the first step is asked for:
  // a cycle that starts converged needs none.
  void Prepare(const SparseSystem& system) {
    prepared = true;
    if (unknown.empty() || failed || rho == 0.0) return;
    if (!StartMessagePassing().empty()) {
      failed = true;  // Solve asks StartMultigrid first and says why
      return;
    }
    rows = BuildRows(system, row);
    MakeMatrix();
    ijRight = MakeVector(right);
    ijLeft = MakeVector(left);
    SetUpMultigrid();
    q.assign(r.size(), 0.0);
    if (failed || !Precondition()) {
      failed = true;
      return;
    }
    const double* z = Values(left);
    p.assign(z, z + r.size());
  }

  // q = A p on the rows
  void Apply() {
    for (std::size_t t = 0; t < p.size(); ++t) {
      double y = 0.0;
      for (HYPRE_BigInt e = rows.start[t]; e < rows.start[t + 1]; ++e)
        y += rows.value[e] * p[rows.column[e]];
      q[t] = y;
    }
  }
};

bool MultigridAvailable() { return true; }

std::string StartMultigrid(long long unknowns) {
  std::string cause = MultigridMemoryMessage(unknowns, AvailableMemoryBytes());
  if (cause.empty()) cause = StartMessagePassing();
  return cause.empty() ? cause : kMultigridStartFailed + cause;
}

MultigridIteration::MultigridIteration(const SparseSystem& system, std::vector<double> heads,
                                       const std::vector<double>& supply,
                                       const std::vector<unsigned char>& iterated)
    : system_(system), state_(std::make_unique<State>()) {
  State& s = *state_;
  s.x = std::move(heads);
  const int NL = system.NL;
  std::vector<HYPRE_BigInt> row(iterated.size(), -1);
  std::vector<double> ax;
  ApplyCoupled(system, s.x, ax);
  for (std::size_t j = 0; j < iterated.size(); ++j) {
    if (!iterated[j]) continue;
    row[j] = s.size();
    s.unknown.push_back(j);
    const double d = system.A[static_cast<std::size_t>(system.rowStart[j / NL]) * NL + j % NL];
    if (!(d > 0.0)) s.failed = true;  // not positive definite
    s.dInverse.push_back(1.0 / d);
    const double r = supply[j] - ax[j];
    s.r.push_back(r);
    s.rho += r * r / d;
  }
  s.failed = s.failed || !std::isfinite(s.rho);
  s.row = std::move(row);
}

MultigridIteration::~MultigridIteration() = default;

bool MultigridIteration::Step() {
  State& s = *state_;
  if (!s.prepared) s.Prepare(system_);
  if (s.failed || s.p.empty()) return false;
  s.Apply();
  double sigma = 0.0;
  for (std::size_t t = 0; t < s.p.size(); ++t) sigma += s.p[t] * s.q[t];
  if (sigma == 0.0) return false;
  if (!std::isfinite(sigma) || sigma < 0.0) {
    s.failed = true;
    return false;
  }
  const double alpha = s.rz / sigma;
  double rho = 0.0;
  for (std::size_t t = 0; t < s.p.size(); ++t) {
    s.x[s.unknown[t]] += alpha * s.p[t];
    s.r[t] -= alpha * s.q[t];
    rho += s.r[t] * s.r[t] * s.dInverse[t];
  }
  s.rho = rho;
  const double rzOld = s.rz;
  if (!std::isfinite(rho)) {
    s.failed = true;
    return true;
  }
  if (rho == 0.0) {
    s.p.clear();  // solved exactly: no further step
    return true;
  }
  if (!s.Precondition()) {
    s.failed = true;
    return true;
  }
  const double beta = s.rz / rzOld;
  const double* z = Values(s.left);
  for (std::size_t t = 0; t < s.p.size(); ++t) s.p[t] = z[t] + beta * s.p[t];
  return true;
}

double MultigridIteration::rho() const { return state_->rho; }
bool MultigridIteration::failed() const { return state_->failed; }
const char* MultigridIteration::failure() const { return state_->failure; }
const std::vector<double>& MultigridIteration::heads() { return state_->x; }

}  // namespace planaq
