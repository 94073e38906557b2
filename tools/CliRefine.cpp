// planaq-cli refine: the mesh window's operations on a datafile, in the order given.

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "Cli.h"
#include "mesh/Blocks.h"
#include "mesh/Split.h"
#include "mesh/Wells.h"
#include "model/Values.h"

namespace planaq::cli {

namespace {

struct Step {
  enum Kind { Split4, Split2, Well } kind;
  int times = 1;
  double x = 0, y = 0;
};

struct RefineArgs {
  std::string in, out;
  bool resetBlocks = false;
  std::vector<Step> steps;
};

bool WholeNumber(const std::string& text, int& value) {
  char* end = nullptr;
  errno = 0;
  const long v = std::strtol(text.c_str(), &end, 10);
  if (text.empty() || *end != '\0' || errno != 0 || v < 0 || v > 1000) return false;
  value = static_cast<int>(v);
  return true;
}

bool Coordinates(const std::string& text, double& x, double& y) {
  const auto comma = text.find(',');
  if (comma == std::string::npos) return false;
  const std::string xs = text.substr(0, comma), ys = text.substr(comma + 1);
  char* end = nullptr;
  x = std::strtod(xs.c_str(), &end);
  if (xs.empty() || *end != '\0') return false;
  y = std::strtod(ys.c_str(), &end);
  // "nan", "inf" and 1e400 are no place in the problem
  return !ys.empty() && *end == '\0' && IsStorable(x) && IsStorable(y);
}

bool Parse(const Args& args, RefineArgs& r) {
  std::vector<std::string> files;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    const bool hasValue = i + 1 < args.size();
    if (a == "--reset-blocks") {
      r.resetBlocks = true;
    } else if (a == "--split4" || a == "--split2") {
      Step s{a == "--split4" ? Step::Split4 : Step::Split2};
      if (!hasValue || !WholeNumber(args[++i], s.times)) {
        std::fprintf(stderr, "planaq-cli refine: %s needs a count from 0 to 1000\n", a.c_str());
        return false;
      }
      r.steps.push_back(s);
    } else if (a == "--well") {
      Step s{Step::Well};
      if (!hasValue || !Coordinates(args[++i], s.x, s.y)) {
        std::fprintf(stderr, "planaq-cli refine: --well needs X,Y in metres, finite and at most 1e12 in magnitude\n");
        return false;
      }
      r.steps.push_back(s);
    } else if (IsOption(a)) {
      std::fprintf(stderr, "planaq-cli refine: unknown option '%s'\n", a.c_str());
      return false;
    } else {
      files.push_back(a);
    }
  }
  if (files.size() != 2) {
    std::fprintf(stderr,
                 "usage: planaq-cli refine IN.aqd OUT.aqd [--reset-blocks] [--split4 N] "
                 "[--split2 N] [--well X,Y]...\n");
    return false;
  }
  r.in = files[0];
  r.out = files[1];
  return true;
}

// the last progress text, as the mesh window's label keeps it
bool RunSplits(Problem& problem, const Step& step) {
  std::string last;
  const ProgressFn keepLast = [&](const std::string& text) { last = text; };
  for (int i = 0; i < step.times; ++i) {
    const MeshOutcome out = step.kind == Step::Split4 ? SplitElements4(problem, keepLast)
                                                      : SplitElements2(problem, keepLast);
    if (!out.Changed()) {
      std::fprintf(stderr, "%s\n", out.message.c_str());
      return false;
    }
    std::printf("%s\n", last.c_str());
  }
  return true;
}

bool RunWell(Problem& problem, const Step& step) {
  MeshOutcome out = CheckWellCapacity(problem);
  if (out.Changed()) out = AddWellAt(problem, step.x, step.y);
  if (!out.Changed()) {
    std::fprintf(stderr, "%s\n", out.message.c_str());
    return false;
  }
  std::printf("Well %d : node %d\n", problem.NW, problem.wells[problem.NW - 1].Node + 1);
  return true;
}

}  // namespace

int Refine(const Args& args) {
  RefineArgs r;
  if (!Parse(args, r)) return kExitMisuse;
  Problem problem = StartedProblem();
  if (!OpenDatafile(problem, r.in)) return 1;
  if (r.resetBlocks) ResetMeshToBlocks(problem);
  for (const Step& step : r.steps) {
    const bool done = step.kind == Step::Well ? RunWell(problem, step) : RunSplits(problem, step);
    if (!done) return 1;  // nothing is written after a refusal
  }
  // as when the mesh window closes
  problem.previous.NN = problem.NN;
  problem.previous.NM = problem.NM;
  return SaveDatafile(problem, r.out) ? 0 : 1;
}

}  // namespace planaq::cli
