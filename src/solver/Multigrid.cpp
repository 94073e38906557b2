#include "solver/Multigrid.h"

#include <mpi.h>
// clang-format off
#include <HYPRE.h>
#include <HYPRE_parcsr_ls.h>
#include <_hypre_parcsr_mv.h>
// clang-format on

#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <chrono>
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

// The leakage of every node and aquitard summed over the node's row of the pattern: the
// vertical couplings of the lumped matrix.
std::vector<double> LumpedLeakage(const SparseSystem& s) {
  const std::size_t above = static_cast<std::size_t>(s.NL > 1 ? s.NL - 1 : 0);
  std::vector<double> lumped(static_cast<std::size_t>(s.NN) * above, 0.0);
  if (above == 0) return lumped;  // one layer: no aquitard, and no leakage values at all
  for (int i = 0; i < s.NN; ++i)
    for (int pos = s.rowStart[i]; pos < s.rowStart[i + 1]; ++pos) {
      const double* c = &s.C[static_cast<std::size_t>(pos) * above];
      const bool diagonal = pos == s.rowStart[i];
      const std::size_t k = static_cast<std::size_t>(diagonal ? i : s.column[pos]);
      for (std::size_t L = 0; L < above; ++L) {
        lumped[i * above + L] += c[L];
        if (!diagonal) lumped[k * above + L] += c[L];
      }
    }
  return lumped;
}

// The hierarchy is made of the coupled matrix with its leakage lumped: the couplings of a head
// to the neighbours' heads in the layers above and below are moved onto the node's own heads
// there. Row sums and the diagonal stay, the matrix stays symmetric positive definite and
// spectrally close to the coupled one, with half the entries (9 a row against 19 at six
// layers); the iteration itself multiplies by the coupled matrix as it is.
// Its rows are those of the iterated heads, numbered by their order in the node-major vector;
// a head that is given is not a row, its terms are in the residual. Each row holds its diagonal
// first, as the library wants it. put(t, u, a) once for every entry of row t in column u.
template <typename Put>
void ForEachEntry(const SparseSystem& s, const std::vector<HYPRE_BigInt>& row,
                  const std::vector<double>& lumped, Put&& put) {
  const std::size_t NL = static_cast<std::size_t>(s.NL);
  auto couple = [&](std::size_t j, std::size_t k, double a) {
    if (a == 0.0 || row[j] < 0 || row[k] < 0) return;
    put(row[j], row[k], a);
    put(row[k], row[j], a);
  };
  for (std::size_t j = 0; j < row.size(); ++j)
    if (row[j] >= 0)
      put(row[j], row[j], s.A[static_cast<std::size_t>(s.rowStart[j / NL]) * NL + j % NL]);
  for (int i = 0; i < s.NN; ++i)
    for (int pos = s.rowStart[i] + 1; pos < s.rowStart[i + 1]; ++pos)
      for (std::size_t L = 0; L < NL; ++L)
        couple(i * NL + L, s.column[pos] * NL + L, s.A[static_cast<std::size_t>(pos) * NL + L]);
  for (std::size_t i = 0; i < static_cast<std::size_t>(s.NN); ++i)
    for (std::size_t L = 0; L + 1 < NL; ++L)
      couple(i * NL + L, i * NL + L + 1, -lumped[i * (NL - 1) + L]);
}

// The row starts of the matrix of m rows: t's entries are at [start[t], start[t + 1]).
std::vector<HYPRE_Int> RowStarts(const SparseSystem& s, const std::vector<HYPRE_BigInt>& row,
                                 const std::vector<double>& lumped, HYPRE_BigInt m) {
  std::vector<HYPRE_Int> start(static_cast<std::size_t>(m) + 1, 0);
  ForEachEntry(s, row, lumped, [&](HYPRE_BigInt t, HYPRE_BigInt, double) { ++start[t + 1]; });
  for (HYPRE_BigInt t = 0; t < m; ++t) start[t + 1] += start[t];
  return start;
}

hypre_CSRMatrix* Local(hypre_ParCSRMatrix* a) { return hypre_ParCSRMatrixDiag(a); }
HYPRE_BigInt RowsOf(hypre_ParCSRMatrix* a) { return hypre_CSRMatrixNumRows(Local(a)); }

// The matrix in the library's own storage, its only copy; nullptr when it cannot be made.
hypre_ParCSRMatrix* MakeMatrix(const SparseSystem& s, const std::vector<HYPRE_BigInt>& row,
                               const std::vector<double>& lumped, HYPRE_BigInt m) {
  std::vector<HYPRE_Int> start = RowStarts(s, row, lumped, m);
  HYPRE_BigInt range[2] = {0, m};
  hypre_ParCSRMatrix* a = hypre_ParCSRMatrixCreate(MPI_COMM_SELF, m, m, range, range, 0,
                                                   start[static_cast<std::size_t>(m)], 0);
  if (!a) return nullptr;
  hypre_ParCSRMatrixInitialize(a);
  HYPRE_Int* first = hypre_CSRMatrixI(Local(a));
  HYPRE_Int* column = hypre_CSRMatrixJ(Local(a));
  HYPRE_Real* value = hypre_CSRMatrixData(Local(a));
  std::copy(start.begin(), start.end(), first);
  start.pop_back();  // from here the next free place of each row
  ForEachEntry(s, row, lumped, [&](HYPRE_BigInt t, HYPRE_BigInt u, double v) {
    column[start[t]] = static_cast<HYPRE_Int>(u);
    value[start[t]++] = v;
  });
  hypre_ParCSRMatrixSetNumNonzeros(a);
  return a;
}

// Whether the matrix holds exactly the entries the system gives these rows.
bool Holds(hypre_ParCSRMatrix* a, const SparseSystem& s, const std::vector<HYPRE_BigInt>& row,
           const std::vector<double>& lumped) {
  const HYPRE_BigInt m = RowsOf(a);
  const HYPRE_Int* first = hypre_CSRMatrixI(Local(a));
  const HYPRE_Int* column = hypre_CSRMatrixJ(Local(a));
  const HYPRE_Real* value = hypre_CSRMatrixData(Local(a));
  std::vector<HYPRE_Int> next(first, first + m);
  bool same = true;
  ForEachEntry(s, row, lumped, [&](HYPRE_BigInt t, HYPRE_BigInt u, double v) {
    if (!same) return;
    const HYPRE_Int at = next[t]++;
    same = at < first[t + 1] && column[at] == u && value[at] == v;
  });
  for (HYPRE_BigInt t = 0; same && t < m; ++t) same = next[t] == first[t + 1];
  return same;
}

double* Values(HYPRE_ParVector v) { return hypre_VectorData(hypre_ParVectorLocalVector(v)); }

}  // namespace

struct MultigridHierarchy::Store {
  bool reuse = true;
  int setUps = 0;
  double setUpSeconds = 0.0;      // the matrices made and the hierarchies set up
  std::vector<HYPRE_BigInt> row;  // the numbering the matrix was made for
  hypre_ParCSRMatrix* matrix = nullptr;
  HYPRE_Solver amg = nullptr;
  bool failed = false;

  ~Store() { Release(); }

  void Release() {
    if (amg) HYPRE_BoomerAMGDestroy(amg);
    if (matrix) hypre_ParCSRMatrixDestroy(matrix);
    amg = nullptr;
    matrix = nullptr;
    row = {};
  }

  // One V-cycle with symmetric smoothing, so that it is a fit preconditioner for CG. Coarsening
  // and interpolation are those that took the least memory at a like number of iterations on
  // six-layer problems of 130,000 nodes: PMIS coarsening, aggressive on the first level with
  // multipass interpolation there, extended+i interpolation below, truncated to 4 entries per
  // row. The library's default (HMIS throughout) took twice the memory for 5 fewer V-cycles.
  void SetUpMultigrid(HYPRE_ParVector right, HYPRE_ParVector left) {
    HYPRE_BoomerAMGCreate(&amg);
    HYPRE_BoomerAMGSetPrintLevel(amg, 0);
    HYPRE_BoomerAMGSetMaxIter(amg, 1);
    HYPRE_BoomerAMGSetTol(amg, 0.0);
    HYPRE_BoomerAMGSetRelaxType(amg, 6);  // symmetric Gauss-Seidel on the way down and up
    HYPRE_BoomerAMGSetStrongThreshold(amg, 0.25);
    HYPRE_BoomerAMGSetCoarsenType(amg, 8);  // PMIS
    HYPRE_BoomerAMGSetInterpType(amg, 6);   // extended+i
    HYPRE_BoomerAMGSetPMaxElmts(amg, 4);
    HYPRE_BoomerAMGSetAggNumLevels(amg, 1);
    HYPRE_BoomerAMGSetAggInterpType(amg, 4);  // multipass
    ++setUps;
    if (HYPRE_BoomerAMGSetup(amg, reinterpret_cast<HYPRE_ParCSRMatrix>(matrix), right, left) != 0)
      failed = true;
    HYPRE_ClearAllErrors();
  }

  // The matrix and hierarchy of these rows, kept when they are those of the last set-up; false
  // when the set-up failed.
  bool Ready(const SparseSystem& s, const std::vector<HYPRE_BigInt>& rows, HYPRE_BigInt m,
             HYPRE_ParVector right, HYPRE_ParVector left) {
    const std::vector<double> lumped = LumpedLeakage(s);
    if (reuse && amg && !failed && row == rows && Holds(matrix, s, rows, lumped)) return true;
    const auto started = std::chrono::steady_clock::now();
    Release();  // the old storage goes before the new one takes its own
    failed = false;
    matrix = MakeMatrix(s, rows, lumped, m);
    if (!matrix) return !(failed = true);
    row = rows;
    SetUpMultigrid(right, left);
    setUpSeconds +=
        std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
    return !failed;
  }
};

MultigridHierarchy::MultigridHierarchy(bool reuse) : store_(std::make_unique<Store>()) {
  store_->reuse = reuse;
}
MultigridHierarchy::~MultigridHierarchy() = default;
void MultigridHierarchy::Release() { store_->Release(); }
int MultigridHierarchy::setUps() const { return store_->setUps; }
double MultigridHierarchy::setUpSeconds() const { return store_->setUpSeconds; }

struct MultigridIteration::State {
  std::vector<double> x;                  // node-major heads
  std::vector<std::size_t> unknown;       // node-major index of each row
  std::vector<double> r, p, q, dInverse;  // per row
  std::vector<double> pAll, qAll;         // node-major p and A p
  HYPRE_IJVector ijRight = nullptr, ijLeft = nullptr;
  HYPRE_ParVector right = nullptr, left = nullptr;  // V-cycle: left = M^-1 right
  MultigridHierarchy::Store* hierarchy = nullptr;
  double rho = 0.0;  // sum r^2 / d
  double rz = 0.0;   // sum r z, z the preconditioned residual
  bool failed = false;
  const char* failure = "";
  bool prepared = false;
  std::vector<HYPRE_BigInt> row;  // row of each node-major index, -1 where not iterated

  ~State() {
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

  // z = M^-1 r into left; false when the V-cycle gives no usable values.
  bool Precondition() {
    std::copy(r.begin(), r.end(), Values(right));
    HYPRE_ParVectorSetConstantValues(left, 0.0);
    const int error = HYPRE_BoomerAMGSolve(
        hierarchy->amg, reinterpret_cast<HYPRE_ParCSRMatrix>(hierarchy->matrix), right, left);
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
  void Prepare(const SparseSystem& system, MultigridHierarchy::Store& shared) {
    prepared = true;
    if (unknown.empty() || failed || rho == 0.0) return;
    if (!StartMessagePassing().empty()) {
      failed = true;  // Solve asks StartMultigrid first and says why
      return;
    }
    ijRight = MakeVector(right);
    ijLeft = MakeVector(left);
    hierarchy = &shared;
    if (!shared.Ready(system, row, size(), right, left)) {
      failed = true;
      failure = kMultigridSetUpFailed;
      return;
    }
    q.assign(r.size(), 0.0);
    pAll.assign(x.size(), 0.0);
    if (!Precondition()) {
      failed = true;
      return;
    }
    const double* z = Values(left);
    p.assign(z, z + r.size());
  }

  // q = A p on the rows, by the coupled product on the system's own storage; the given heads
  // have no direction.
  void Apply(const SparseSystem& system) {
    for (std::size_t t = 0; t < p.size(); ++t) pAll[unknown[t]] = p[t];
    ApplyCoupled(system, pAll, qAll);
    for (std::size_t t = 0; t < p.size(); ++t) q[t] = qAll[unknown[t]];
  }
};

bool MultigridAvailable() { return true; }

std::string StartMultigrid(long long unknowns) {
  // what the tables and the rest already hold is not there for the Solve
  const long long free = std::max(AvailableMemoryBytes() - ResidentBytes(), 0LL);
  std::string cause = MultigridMemoryMessage(unknowns, free);
  if (cause.empty()) cause = StartMessagePassing();
  return cause.empty() ? cause : kMultigridStartFailed + cause;
}

MultigridIteration::MultigridIteration(const SparseSystem& system, std::vector<double> heads,
                                       const std::vector<double>& supply,
                                       const std::vector<unsigned char>& iterated,
                                       MultigridHierarchy* shared)
    : system_(system),
      state_(std::make_unique<State>()),
      own_(shared ? nullptr : std::make_unique<MultigridHierarchy>()),
      hierarchy_(shared ? *shared : *own_) {
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
  if (!s.prepared) s.Prepare(system_, hierarchy_.store());
  if (s.failed || s.p.empty()) return false;
  s.Apply(system_);
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
