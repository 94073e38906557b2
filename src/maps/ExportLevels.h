#pragma once
// The contour levels of a map export: those of the contour window, or every DH m.

#include <string>
#include <vector>

#include "model/Problem.h"

namespace planaq {

struct ExportLevel {
  double traced = 0.0;  // the level the segments are traced at (the ends moved inward)
  double shown = 0.0;   // the level as the user reads it
};

// More would be an interval mistyped, not a map.
constexpr int kMaxExportLevels = 10000;

// interval 0: the levels of the contour window of layer L; else every multiple of interval
// between the lowest and the highest head, the first and the last moved inward by 1e-4 of the
// interval as the contour window does.
std::vector<ExportLevel> ExportLevels(const Problem& problem, int L, double interval);

// The number of levels every interval m gives in layer L (0 when no head is finite).
long long IntervalLevelCount(const Problem& problem, int L, double interval);

}  // namespace planaq
