#include <cstdio>

#include "Cli.h"
#include "solver/Solve.h"
#include "solver/WaterBalance.h"

namespace planaq::cli {

// Solves the problem in memory, as Solve does, and prints its water balance; nothing is
// written.
int Balance(const Args& args) {
  Args files;
  bool csv = false;
  for (const std::string& a : args) {
    if (a == "--csv")
      csv = true;
    else
      files.push_back(a);
  }
  int status = 0;
  if (!FileArgs(files, 1, "balance IN.aqd [--csv]", status)) return status;
  if (StdoutIsInput(files[0])) return 1;
  Problem problem = StartedProblem();
  if (!OpenDatafile(problem, files[0])) return 1;
  SolveProgress progress;
  const SolveResult result = SolveProblem(problem, progress);
  if (!result.warning.empty()) std::fprintf(stderr, "%s\n", result.warning.c_str());
  if (!result.solved) {
    std::fprintf(stderr, "%s\n", result.message.c_str());
    return 1;
  }
  if (result.waterLevelWarning) std::fprintf(stderr, "%s\n", kWaterLevelWarning);
  const WaterBalance balance = ComputeWaterBalance(problem);
  const std::string text = csv ? WaterBalanceCsv(balance) : WaterBalanceText(balance);
  std::fputs(text.c_str(), stdout);
  return 0;
}

}  // namespace planaq::cli
