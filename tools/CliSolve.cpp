#include <cstdio>

#include "Cli.h"
#include "solver/Solve.h"

namespace planaq::cli {

int Solve(const Args& given) {
  // --amg, anywhere: the cycles' linear systems by algebraic multigrid
  Args args;
  LinearSolver solver = LinearSolver::ConjugateGradients;
  for (const std::string& a : given) {
    if (a == "--amg")
      solver = LinearSolver::Multigrid;
    else
      args.push_back(a);
  }
  int status = 0;
  if (!FileArgs(args, 2, "solve [--amg] IN.aqd OUT.aqd", status)) return status;
  Problem problem = StartedProblem();
  if (!OpenDatafile(problem, args[0])) return 1;
  SolveProgress progress;  // the cycles are printed when the solve has ended
  const SolveResult result = SolveProblem(problem, progress, solver);
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
  if (result.notConverged.empty()) return 0;
  std::fprintf(stderr, "%s\n", result.notConverged.c_str());
  return kExitNotConverged;
}

}  // namespace planaq::cli
