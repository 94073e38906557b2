#include <sys/resource.h>

#include <chrono>
#include <cstdio>

#include "Cli.h"
#include "solver/Solve.h"

namespace planaq::cli {

namespace {

// The seconds of each part of the command and the peak resident memory when it ended, on
// stderr, for the benchmarks: "phase <name> <seconds> s <peak> MB".
class Phases {
 public:
  explicit Phases(bool shown) : shown_(shown) {}
  double Lap() {
    const auto now = std::chrono::steady_clock::now();
    const double seconds = std::chrono::duration<double>(now - last_).count();
    last_ = now;
    return seconds;
  }
  void Show(const char* name, double seconds) const {
    if (!shown_) return;
    struct rusage usage {};
    getrusage(RUSAGE_SELF, &usage);
    std::fprintf(stderr, "phase %s %.3f s %.0f MB\n", name, seconds, usage.ru_maxrss / 1024.0);
  }
  void ShowSolve(const SolveSeconds& s) const {
    Show("pattern", s.pattern);
    Show("assembly", s.assembly);
    Show("set-up", s.setUp);
    Show("cycles", s.iteration);
    Show("supplies", s.supplies);
  }

 private:
  bool shown_;
  std::chrono::steady_clock::time_point last_ = std::chrono::steady_clock::now();
};

}  // namespace

int Solve(const Args& given) {
  // --amg, anywhere: the cycles' linear systems by algebraic multigrid; --phases: the time and
  // memory of each part on stderr
  Args args;
  LinearSolver solver = LinearSolver::ConjugateGradients;
  bool phases = false;
  for (const std::string& a : given) {
    if (a == "--amg")
      solver = LinearSolver::Multigrid;
    else if (a == "--phases")
      phases = true;
    else
      args.push_back(a);
  }
  int status = 0;
  if (!FileArgs(args, 2, "solve [--amg] [--phases] IN.aqd OUT.aqd", status)) return status;
  Phases shown(phases);
  Problem problem = StartedProblem();
  if (!OpenDatafile(problem, args[0])) return 1;
  shown.Show("read", shown.Lap());
  SolveProgress progress;  // the cycles are printed when the solve has ended
  const SolveResult result = SolveProblem(problem, progress, solver);
  shown.Lap();
  if (result.solved) shown.ShowSolve(result.seconds);
  if (!result.warning.empty()) std::fprintf(stderr, "%s\n", result.warning.c_str());
  if (!result.solved) {
    std::fprintf(stderr, "%s\n", result.message.c_str());
    return 1;
  }
  for (std::size_t c = 0; c < result.cycles.size(); ++c)
    std::printf("Cycle%12d  Iteration%12d  Log(error)%12.2f\n", static_cast<int>(c + 1),
                result.cycles[c].iterations, result.cycles[c].logError);
  if (!result.note.empty()) std::printf("%s\n", result.note.c_str());
  if (result.waterLevelWarning) std::printf("%s\n", kWaterLevelWarning);
  if (!SaveDatafile(problem, args[1])) return 1;
  shown.Show("write", shown.Lap());
  if (result.notConverged.empty()) return 0;
  std::fprintf(stderr, "%s\n", result.notConverged.c_str());
  return kExitNotConverged;
}

}  // namespace planaq::cli
