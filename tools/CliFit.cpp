#include <csignal>
#include <cstdio>
#include <cstdlib>

#include "Cli.h"
#include "observe/Fit.h"

namespace planaq::cli {

namespace {

constexpr int kBadInput = 2;
constexpr int kInterrupted = 130;

// Ctrl+C asks the fit to end before its next solve; a signal handler can only set a flag.
volatile std::sig_atomic_t interrupted = 0;
extern "C" void OnInterrupt(int) { interrupted = 1; }

struct FitArgs {
  std::string in, observations, out;
  std::vector<std::string> params;
  bool bounded = false;
  double lower = kFitLowestK, upper = kFitHighestK;
  int maxSolves = 200;
};

int Usage() {
  std::fprintf(stderr,
               "usage: planaq-cli fit IN.aqd OBS.csv OUT.aqd --param K:B:L|KA:B:L|I:B ... "
               "[--bounds LO,HI] [--max-solves N]\n");
  return 1;
}

// false with the message printed; the usage is printed by the caller for a missing piece
bool ParseArgs(const Args& args, FitArgs& a, bool& usage) {
  std::vector<std::string> files;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    const bool hasValue = i + 1 < args.size();
    if (arg == "--param" || arg == "--bounds" || arg == "--max-solves") {
      if (!hasValue) return usage = true, false;
      const std::string& value = args[++i];
      if (arg == "--param") {
        a.params.push_back(value);
      } else if (arg == "--bounds") {
        std::string message;
        if (!ParseFitBounds(value, a.lower, a.upper, message)) {
          std::fprintf(stderr, "%s\n", message.c_str());
          return false;
        }
        a.bounded = true;
      } else {
        char* end = nullptr;
        const long n = std::strtol(value.c_str(), &end, 10);
        if (value.empty() || *end != '\0' || n < 1 || n > 1000000) {
          std::fprintf(stderr, "--max-solves %s: give a whole number from 1 to 1000000\n",
                       value.c_str());
          return false;
        }
        a.maxSolves = static_cast<int>(n);
      }
    } else if (arg.rfind("--", 0) == 0) {
      std::fprintf(stderr, "planaq-cli fit: unknown option %s\n", arg.c_str());
      return false;
    } else {
      files.push_back(arg);
    }
  }
  if (files.size() != 3 || a.params.empty()) return usage = true, false;
  a.in = files[0];
  a.observations = files[1];
  a.out = files[2];
  return true;
}

void PrintIteration(const FitIteration& it, const std::vector<FitParameter>& params) {
  std::printf("Iteration %4d  solves %5d  RMS %12.6f ", it.iteration, it.solves, it.weightedRms);
  for (std::size_t j = 0; j < params.size(); ++j)
    std::printf(" %s=%.6g", FitParameterName(params[j]).c_str(), it.values[j]);
  std::printf("\n");
  std::fflush(stdout);
}

void PrintResult(const FitResult& r, const std::vector<FitParameter>& params) {
  std::printf("%s after %d iterations and %d solves\n", r.message.c_str(), r.iterations, r.solves);
  std::printf("%-12s %14s %14s %14s %14s\n", "Parameter", "Start", "Fitted", "95% low", "95% high");
  for (std::size_t j = 0; j < params.size(); ++j) {
    std::printf("%-12s %14.6g %14.6g", FitParameterName(params[j]).c_str(), r.start[j],
                r.values[j]);
    if (r.hasIntervals)
      std::printf(" %14.6g %14.6g\n", r.lower95[j], r.upper95[j]);
    else
      std::printf(" %14s %14s\n", "-", "-");
  }
  std::printf("RMS before   %14.6f m\nRMS after    %14.6f m\n", r.rmsBefore, r.rmsAfter);
  std::printf("Observations used %d\n", r.used);
}

}  // namespace

// Estimates soil properties from observed heads and writes the problem solved with them.
int Fit(const Args& args) {
  FitArgs a;
  bool usage = false;
  if (!ParseArgs(args, a, usage)) return usage ? Usage() : kBadInput;
  ObservationSet set;
  if (!ReadObservationsForCli(a.observations, set)) return kBadInput;
  Problem problem = StartedProblem();
  if (!OpenDatafile(problem, a.in)) return 1;
  std::vector<FitParameter> params;
  for (const std::string& text : a.params) {
    FitParameter p;
    std::string message;
    if (!ParseFitParameter(text, problem, p, message)) {
      std::fprintf(stderr, "%s\n", message.c_str());
      return kBadInput;
    }
    if (a.bounded && p.kind != FitKind::I) {
      p.lower = a.lower;
      p.upper = a.upper;
    }
    for (const FitParameter& q : params) {
      if (FitParameterName(q) == FitParameterName(p)) {
        std::fprintf(stderr, "--param %s is given twice\n", text.c_str());
        return kBadInput;
      }
    }
    params.push_back(p);
  }
  FitOptions options;
  options.maxSolves = a.maxSolves;
  options.cancelled = [] { return interrupted != 0; };
  options.iterated = [&params](const FitIteration& it) { PrintIteration(it, params); };
  interrupted = 0;
  const auto previous = std::signal(SIGINT, OnInterrupt);
  const FitResult r = RunFit(problem, set, params, options);
  std::signal(SIGINT, previous);
  if (r.stop == FitStop::Cancelled || interrupted) {
    std::fprintf(stderr, "Interrupted after %d solves: nothing written\n", r.solves);
    return kInterrupted;
  }
  if (!r.holdsFit) {
    std::fprintf(stderr, "%s\n", r.message.c_str());
    return r.stop == FitStop::BadInput ? kBadInput : 1;
  }
  PrintResult(r, params);
  return SaveDatafile(problem, a.out) ? 0 : 1;
}

}  // namespace planaq::cli
