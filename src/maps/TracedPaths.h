#pragma once
// The pathlines of the particles as the contour window traces them, cut into stretches of one
// layer each, and their time marks, in model coordinates.

#include <vector>

#include "model/Problem.h"

namespace planaq {

struct PathStretch {
  int particle = 0;        // 0-based
  int layer = 1;           // L in aquifer L, -L in the aquitard above aquifer L (1-based)
  double startTime = 0.0;  // travel time at its ends (days)
  double endTime = 0.0;
  std::vector<double> x, y;  // at least two points
};

struct PathMark {
  int particle = 0;   // 0-based
  double time = 0.0;  // days
  double x = 0.0, y = 0.0;
};

struct TracedPaths {
  std::vector<PathStretch> stretches;
  std::vector<PathMark> marks;
  int unfinished = 0;  // still under way at the trace's pass limit
};

// Traces a copy of the problem; the problem itself is left as it is.
TracedPaths TracePaths(const Problem& problem);

}  // namespace planaq
