#include "results/ContourLevels.h"

#include <cmath>
#include <cstdio>

namespace planaq {

ContourLevelSet ContourLevels(const Problem& problem, int L) {
  ContourLevelSet set;
  if (problem.NN <= 0) return set;
  double fmin = problem.layers[0].F[L];
  double fmax = fmin;
  for (int n = 1; n < problem.NN; ++n) {
    const double f = problem.layers[n].F[L];
    if (f < fmin) fmin = f;
    if (f > fmax) fmax = f;
  }
  if (!std::isfinite(fmin) || !std::isfinite(fmax)) return set;

  const double lo = std::ceil(10.0 * fmin) * 0.1;
  double hi = std::floor(10.0 * fmax) * 0.1;
  double d = (hi - lo) / 20.0;
  d = std::floor(10.0 * d + 0.5) * 0.1;
  if (d < 0.1) d = 0.1;
  const int n = static_cast<int>(std::trunc((hi - lo) / d));
  hi = lo + n * d;

  set.lowest = lo;
  set.highest = hi;
  set.interval = d;
  set.count = n;
  set.tolerance = 0.0001 * d;
  // the running level, as the levels are formed by adding d again and again
  double level = lo;
  for (int k = 0; k <= n; ++k) {
    double c = level;
    if (k == 0)
      c = level + set.tolerance;
    else if (k == n)
      c = level - set.tolerance;
    set.levels.push_back(c);
    level += d;
  }
  return set;
}

std::string ContourLegend(const ContourLevelSet& set) {
  char text[160];
  std::snprintf(text, sizeof text,
                "Minimum Contour : %g m, Maximum Contour : %g m, Contour Interval : %g m",
                set.lowest, set.highest, set.interval);
  return text;
}

namespace {

// Visits the sides in order and joins the first two crossings; interpolate gives the crossing
// point of side (a, b).
template <typename Interpolate>
std::optional<ContourLine> CrossSides(const std::array<double, 3>& f, double c,
                                      Interpolate interpolate) {
  PlanePoint found[3];
  int crossings = 0;
  for (int a = 0; a < 3; ++a) {
    const int b = (a + 1) % 3;
    const double fa = f[a], fb = f[b];
    if (fa == fb) continue;
    const bool crossed = (fa <= c && c < fb) || (fb <= c && c < fa);
    if (crossed) found[crossings++] = interpolate(a, b);
  }
  if (crossings != 2) return std::nullopt;
  return ContourLine{found[0], found[1]};
}

}  // namespace

std::optional<ContourLine> CrossTriangle(const std::array<PlanePoint, 3>& p,
                                         const std::array<double, 3>& f, double c) {
  return CrossSides(f, c, [&](int a, int b) {
    const double r = (c - f[a]) / (f[b] - f[a]);
    return PlanePoint{p[a].x + r * (p[b].x - p[a].x), p[a].y + r * (p[b].y - p[a].y)};
  });
}

std::optional<ContourLine> ContourSegment(const Problem& problem, int L, int e, double c) {
  const Element& el = problem.elements[e];
  std::array<PlanePoint, 3> p;
  std::array<double, 3> f;
  for (int i = 0; i < 3; ++i) {
    const Node& node = problem.nodes[el.Node[i]];
    p[i] = PlanePoint{node.X, node.Y};
    f[i] = problem.layers[el.Node[i]].F[L];
  }
  // x = xa + (c - Fa)(xb - xa)/(Fb - Fa), evaluated in this order
  return CrossSides(f, c, [&](int a, int b) {
    return PlanePoint{p[a].x + (c - f[a]) * (p[b].x - p[a].x) / (f[b] - f[a]),
                      p[a].y + (c - f[a]) * (p[b].y - p[a].y) / (f[b] - f[a])};
  });
}

}  // namespace planaq
