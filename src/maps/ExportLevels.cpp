#include "maps/ExportLevels.h"

#include <cmath>

#include "results/ContourLevels.h"

namespace planaq {

namespace {

bool HeadRange(const Problem& problem, int L, double& lo, double& hi) {
  if (problem.NN <= 0) return false;
  lo = hi = problem.layers[0].F[L];
  for (int n = 1; n < problem.NN; ++n) {
    lo = std::fmin(lo, problem.layers[n].F[L]);
    hi = std::fmax(hi, problem.layers[n].F[L]);
  }
  return std::isfinite(lo) && std::isfinite(hi);
}

std::vector<ExportLevel> WindowLevels(const Problem& problem, int L) {
  const ContourLevelSet set = ContourLevels(problem, L);
  std::vector<ExportLevel> out;
  // the shown level is the running sum the window forms before it moves the ends inward
  double level = set.lowest;
  for (double c : set.levels) {
    out.push_back({c, level});
    level += set.interval;
  }
  return out;
}

}  // namespace

long long IntervalLevelCount(const Problem& problem, int L, double interval) {
  double lo = 0.0, hi = 0.0;
  if (!(interval > 0.0) || !HeadRange(problem, L, lo, hi)) return 0;
  const double count = std::floor(hi / interval) - std::ceil(lo / interval) + 1.0;
  return count > 1e15 ? static_cast<long long>(1e15) : static_cast<long long>(count);
}

std::vector<ExportLevel> ExportLevels(const Problem& problem, int L, double interval) {
  if (interval <= 0.0) return WindowLevels(problem, L);
  const long long count = IntervalLevelCount(problem, L, interval);
  std::vector<ExportLevel> out;
  if (count <= 0 || count > kMaxExportLevels) return out;
  double lo = 0.0, hi = 0.0;
  HeadRange(problem, L, lo, hi);
  const double first = std::ceil(lo / interval);
  const double tolerance = 0.0001 * interval;
  for (long long k = 0; k < count; ++k) {
    const double shown = (first + static_cast<double>(k)) * interval;
    double traced = shown;
    if (k == 0) traced += tolerance;
    if (k == count - 1 && count > 1) traced -= tolerance;
    out.push_back({traced, shown});
  }
  return out;
}

}  // namespace planaq
