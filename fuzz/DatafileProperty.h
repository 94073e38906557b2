#pragma once
// What must hold for any input to the datafile reader: it ends, stays inside the tables, a
// file it accepted is written and read back to the same text, and a small accepted problem
// solves without a non-finite head.

#include <cmath>
#include <cstdio>
#include <string>

#include "files/Datafile.h"
#include "solver/Solve.h"

namespace planaq::fuzz {

inline std::FILE* OpenBytes(const std::string& bytes) {
  // fmemopen refuses a size of 0; an empty temporary file stands in for no bytes
  if (bytes.empty()) return std::tmpfile();
  return fmemopen(const_cast<char*>(bytes.data()), bytes.size(), "rb");
}

// Solving is left to small problems, where it takes milliseconds.
constexpr int kLargestSolvedNodes = 200;

inline bool HeadsFinite(const Problem& p) {
  for (int n = 0; n < p.NN; ++n)
    for (int L = 0; L < p.NL; ++L)
      if (!std::isfinite(p.layers[n].F[L]) || !std::isfinite(p.layers[n].Q[L])) return false;
  return true;
}

// Returns an empty string when the property holds, else what went wrong.
inline std::string CheckDatafileBytes(const std::string& bytes) {
  Problem problem;
  problem.StartUp(Capacities{20, 200, 300, 20});
  std::FILE* f = OpenBytes(bytes);
  if (!f) return "";
  const Outcome read = ReadDatafileFrom(problem, f);
  std::fclose(f);
  const Capacities& c = problem.caps;
  if (problem.NN > c.NMAX || problem.NM > c.MMAX || problem.NB > c.BMAX || problem.NW > c.BMAX ||
      problem.NP > c.PMAX || problem.NA > problem.NN)
    return "counts beyond the capacities";
  if (problem.NL < 1 || problem.NL > kMaxLayers) return "layers outside 1..6";
  if (!read.ok) return "";
  const std::string first = FormatDatafile(problem);
  Problem again;
  again.StartUp(Capacities{20, 200, 300, 20});
  std::FILE* g = OpenBytes(first);
  const Outcome reread = ReadDatafileFrom(again, g);
  std::fclose(g);
  if (!reread.ok) return "a written file was refused: " + reread.message;
  if (FormatDatafile(again) != first) return "a written file reads back differently";
  if (problem.NN > kLargestSolvedNodes) return "";
  SolveProgress none;
  SolveProblem(problem, none);
  if (!HeadsFinite(problem)) return "a solve left a head or a supply that is not finite";
  return "";
}

}  // namespace planaq::fuzz
