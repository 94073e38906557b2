#include <cstdio>
#include <cstdlib>

#include "Cli.h"
#include "files/Datafile.h"
#include "files/Installation.h"
#include "model/Windows1252.h"
#include "solver/FlowField.h"

namespace planaq::cli {

Problem StartedProblem() {
  Problem problem;
  const std::string message = ReadInstallation(problem, ".");
  if (!message.empty()) std::fprintf(stderr, "%s\n", message.c_str());
  const std::string failed = problem.StartUp(problem.caps);
  if (!failed.empty()) {
    // without its tables no command can run
    std::fprintf(stderr, "%s\n", failed.c_str());
    std::exit(1);
  }
  return problem;
}

bool OpenDatafile(Problem& problem, const std::string& path) {
  const Outcome read = ReadDatafile(problem, path);
  PrepareFlowField(problem);
  if (!read.ok) std::fprintf(stderr, "%s\n", read.message.c_str());
  return read.ok;
}

bool SaveDatafile(Problem& problem, const std::string& path) {
  const Outcome written = WriteDatafile(problem, path);
  if (!written.ok) std::fprintf(stderr, "%s\n", written.message.c_str());
  return written.ok;
}

int Info(const Args& args) {
  int status = 0;
  if (!FileArgs(args, 1, "info FILE.aqd", status)) return status;
  Problem problem = StartedProblem();
  if (!OpenDatafile(problem, args[0])) return 1;
  // the terminal reads UTF-8
  std::printf("File Name     %s\n", Windows1252ToUtf8(problem.FileName).c_str());
  std::printf("Problem Name  %s\n", Windows1252ToUtf8(problem.ProblemName).c_str());
  std::printf("LX (m)        %15.3f\n", problem.LX);
  std::printf("LY (m)        %15.3f\n", problem.LY);
  std::printf("NA            %12d\n", problem.NA);
  std::printf("NB            %12d\n", problem.NB);
  std::printf("NN            %12d\n", problem.NN);
  std::printf("NM            %12d\n", problem.NM);
  std::printf("NL            %12d\n", problem.NL);
  std::printf("NW            %12d\n", problem.NW);
  std::printf("NP            %12d\n", problem.NP);
  std::printf("TM (d)        %15.3f\n", problem.TM);
  if (problem.waterLevelWarning)
    std::printf("Warning : Water level locally below bottom of aquifer. Results invalid.\n");
  return 0;
}

int New(const Args& args) {
  int status = 0;
  if (!FileArgs(args, 1, "new FILE.aqd", status)) return status;
  Problem problem = StartedProblem();
  return SaveDatafile(problem, args[0]) ? 0 : 1;
}

}  // namespace planaq::cli
