#include "solver/Solve.h"

#include <chrono>
#include <cmath>
#include <cstdio>

#include "solver/Assembly.h"
#include "solver/FlowField.h"
#include "solver/Pattern.h"
#include "solver/SolveChecks.h"
#include "solver/SparseSystem.h"

namespace planaq {

const char* const kWaterLevelWarning =
    "Warning : Water level locally below bottom of aquifer. Results invalid.";
const char* const kMultigridUnavailableMessage =
    "The algebraic multigrid solver is not available in this build of the program.";

std::string FormatProgressCount(int value) {
  char text[32];
  std::snprintf(text, sizeof text, "%12d", value);
  return text;
}

std::string FormatProgressLogError(double value) {
  char text[64];
  std::snprintf(text, sizeof text, "%12.2f", value);
  return text;
}

namespace {

std::string NoteOfKeptHeads(const std::set<std::pair<int, int>>& kept) {
  if (kept.empty()) return "";
  std::string note = "These heads belong to no element of positive area and were kept:";
  int listed = 0;
  for (const auto& [node, layer] : kept) {
    if (listed == 10) break;
    char line[96];
    std::snprintf(line, sizeof line, "\nNode %d, layer %d", node + 1, layer + 1);
    note += line;
    ++listed;
  }
  if (kept.size() > 10) {
    char more[64];
    std::snprintf(more, sizeof more, "\nand %zu more.", kept.size() - 10);
    note += more;
  }
  return note;
}

}  // namespace

namespace {

std::string KeptHeads(int cycle) {
  return cycle > 1 ? "the heads of cycle " + std::to_string(cycle - 1) + " were kept"
                   : "the heads were left as they were";
}

}  // namespace

std::string LibraryFailureMessage(const std::string& failure, int cycle) {
  return failure + " in cycle " + std::to_string(cycle) + "; " + KeptHeads(cycle) + ".";
}

std::string DivergenceMessage(int cycle) {
  return "The iteration diverged in cycle " + std::to_string(cycle) + " and was stopped; " +
         KeptHeads(cycle) + ". Check the data of the problem.";
}

std::string ConvergenceMessage(int cycle, const CycleReport& report) {
  const double tolerance = std::log10(CycleTolerance(cycle - 1));
  if (!(report.logError > tolerance + 1e-9)) return "";
  char text[320];
  std::snprintf(text, sizeof text,
                "The iteration did not converge in cycle %d: it stopped after %d iterations "
                "with Log(error) %.2f above the tolerance %.2f. The heads of its last iteration "
                "were kept; check the data of the problem.",
                cycle, report.iterations, report.logError, tolerance);
  return text;
}

namespace {

// Seconds since the last call, for the parts of a Solve one after the other.
class Stopwatch {
 public:
  double Lap() {
    const auto now = std::chrono::steady_clock::now();
    const double seconds = std::chrono::duration<double>(now - last_).count();
    last_ = now;
    return seconds;
  }

 private:
  std::chrono::steady_clock::time_point last_ = std::chrono::steady_clock::now();
};

}  // namespace

SolveResult SolveProblem(Problem& problem, SolveProgress& progress, LinearSolver solver) {
  SolveResult result;
  progress.Started();
  if (solver == LinearSolver::Multigrid && !MultigridAvailable()) {
    result.message = kMultigridUnavailableMessage;
    return result;
  }
  const DataCheck check = CheckData(problem);
  result.message = check.refusal;
  if (result.message.empty()) result.message = CheckDetermined(problem);
  if (result.message.empty() && solver == LinearSolver::Multigrid)
    result.message = StartMultigrid(static_cast<long long>(problem.NN) * problem.NL);
  if (!result.message.empty()) return result;
  result.warning = check.warning;
  SparseSystem system;
  Stopwatch watch;
  SolveSeconds& seconds = result.seconds;
  const int built = BuildPattern(problem, system);
  seconds.pattern = watch.Lap();
  if (built < 0) {
    result.message = kPatternCapacityMessage;
    return result;
  }
  system.AllocateValues();
  std::set<std::pair<int, int>> kept;
  MultigridHierarchy hierarchy;  // kept from cycle to cycle while the system stays the same
  for (int cycle = 0; cycle < kCycles; ++cycle) {
    AssembleCycle(problem, system, cycle, progress);
    seconds.assembly += watch.Lap();
    result.cycles.push_back(
        IterateCycle(problem, system, cycle, progress, kept, solver, &hierarchy));
    seconds.iteration += watch.Lap();
    if (result.cycles.back().diverged) {
      const std::string& failure = result.cycles.back().failure;
      result.message = failure.empty() ? DivergenceMessage(cycle + 1)
                                       : LibraryFailureMessage(failure, cycle + 1);
      return result;
    }
  }
  hierarchy.Release();  // before the supplies, the flow field and the datafile take memory
  ComputeSupply(problem, system);
  PrepareFlowField(problem);
  seconds.supplies = watch.Lap();
  seconds.setUp = hierarchy.setUpSeconds();
  seconds.iteration -= seconds.setUp;
  result.solved = true;
  result.notConverged = ConvergenceMessage(kCycles, result.cycles.back());
  result.waterLevelWarning = problem.waterLevelWarning;
  result.note = NoteOfKeptHeads(kept);
  return result;
}

}  // namespace planaq
