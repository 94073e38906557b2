// planaq-cli verify: the four test problems of the manual, made, solved and compared with
// their closed forms; one line per test (and the seepage of test 4 under its line), exit 0
// only when every test passes.
//
// planaq-cli examples: the datafiles of the examples folder, solved.

#include <cstdio>

#include "Cli.h"
#include "manual/ExampleProblem.h"
#include "manual/TestProblems.h"
#include "solver/FlowField.h"
#include "solver/Solve.h"

namespace planaq::cli {

int Verify(const Args& args) {
  int status = 0;
  if (!FileArgs(args, 0, "verify", status)) return status;
  std::printf("%-7s %6s %12s %10s  %s\n", "test", "nodes", "error (m)", "tol (m)", "result");
  bool all = true;
  for (const TestOutcome& o : RunTestProblems()) {
    std::printf("%s\n", FormatOutcome(o).c_str());
    if (!FormatSeepage(o).empty()) std::printf("%s\n", FormatSeepage(o).c_str());
    if (!o.solved) std::fprintf(stderr, "%s: %s\n", o.name.c_str(), o.message.c_str());
    all = all && o.Passed();
  }
  return all ? 0 : 1;
}

namespace {

// Solves as the Solve command does and saves the solved problem.
bool SolveAndSave(Problem& problem, const std::string& path) {
  SolveProgress none;
  const SolveResult result = SolveProblem(problem, none);
  if (!result.solved) {
    std::fprintf(stderr, "%s: %s\n", path.c_str(), result.message.c_str());
    return false;
  }
  PrepareFlowField(problem);
  return SaveDatafile(problem, path);
}

}  // namespace

int Examples(const Args& args) {
  int status = 0;
  if (!FileArgs(args, 1, "examples DIR", status)) return status;
  const std::string folder = args[0] + "/";
  bool saved = true;
  for (int t = 1; t <= kTestProblems; ++t) {
    Problem p = MakeTestProblem(t);
    saved = SolveAndSave(p, folder + "Test" + std::to_string(t) + ".aqd") && saved;
  }
  Problem example = MakeExampleProblem();
  return SolveAndSave(example, folder + "Example.aqd") && saved ? 0 : 1;
}

}  // namespace planaq::cli
