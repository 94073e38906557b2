#include <cstdio>

#include "Cli.h"
#include "observe/ObservationText.h"
#include "observe/ObservedHeads.h"
#include "solver/Solve.h"

namespace planaq::cli {

namespace {

constexpr int kBadInput = 2;

bool SolveForObservations(Problem& problem) {
  SolveProgress progress;
  const SolveResult result = SolveProblem(problem, progress);
  if (!result.warning.empty()) std::fprintf(stderr, "%s\n", result.warning.c_str());
  if (!result.solved) {
    std::fprintf(stderr, "%s\n", result.message.c_str());
    return false;
  }
  if (result.waterLevelWarning) std::fprintf(stderr, "%s\n", kWaterLevelWarning);
  return true;
}

}  // namespace

bool ReadObservationsForCli(const std::string& path, ObservationSet& set) {
  const ObservationRead read = ReadObservationsFile(path);
  if (!read.ok) {
    std::fprintf(stderr, "%s\n", read.message.c_str());
    return false;
  }
  if (read.set.empty()) {
    std::fprintf(stderr, "Observations: %s holds no observation\n", path.c_str());
    return false;
  }
  set = read.set;
  return true;
}

// The heads at the observations, of the problem solved now or (--solved) as the file has them.
int Observe(const Args& given) {
  Args args;
  bool csv = false, solved = false;
  for (const std::string& a : given) {
    if (a == "--csv")
      csv = true;
    else if (a == "--solved")
      solved = true;
    else
      args.push_back(a);
  }
  if (args.size() != 2) {
    std::fprintf(stderr, "usage: planaq-cli observe IN.aqd OBS.csv [--csv] [--solved]\n");
    return 1;
  }
  ObservationSet set;
  if (!ReadObservationsForCli(args[1], set)) return kBadInput;
  Problem problem = StartedProblem();
  if (!OpenDatafile(problem, args[0])) return 1;
  if (!solved && !SolveForObservations(problem)) return 1;
  const std::vector<ObservedHead> heads = ComputeObservedHeads(problem, set);
  if (csv) {
    std::fputs(ObservationsCsv(set, heads).c_str(), stdout);
    for (const auto& [label, value] : StatisticsLines(ComputeStatistics(set, heads)))
      std::fprintf(stderr, "%-28s %s\n", label.c_str(), value.c_str());
  } else {
    std::fputs(ObservationsText(set, heads).c_str(), stdout);
  }
  return 0;
}

}  // namespace planaq::cli
