#pragma once
// The contour levels of the head of one layer and the contour segment of one element.

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "model/Problem.h"

namespace planaq {

struct ContourLevelSet {
  double lowest = 0.0;     // lo, a multiple of 0.1 m
  double highest = 0.0;    // lo + n d
  double interval = 0.1;   // d, at least 0.1 m
  int count = -1;          // n, the number of intervals; below 0 no level is drawn
  double tolerance = 0.0;  // the first and the last level move inward by this much
  // the n + 1 levels, with the first raised and the last lowered by the tolerance
  std::vector<double> levels;
};

// About twenty levels at multiples of 0.1 m between the lowest and the highest head of layer L.
ContourLevelSet ContourLevels(const Problem& problem, int L);

// "Minimum Contour : %g m, Maximum Contour : %g m, Contour Interval : %g m"
std::string ContourLegend(const ContourLevelSet& set);

struct PlanePoint {
  double x = 0.0;
  double y = 0.0;
};

struct ContourLine {
  PlanePoint from;
  PlanePoint to;
};

// Where level c crosses the triangle with corners p and heads f: the sides are visited
// (0,1), (1,2), (2,0); a side is crossed when c lies in [fa, fb) or [fb, fa). A line only
// when exactly two sides are crossed, from the first crossing to the second. The crossing
// point is the corner a moved toward b by (c - fa)/(fb - fa) (the 3D graph crosses its
// projected corners so).
std::optional<ContourLine> CrossTriangle(const std::array<PlanePoint, 3>& p,
                                         const std::array<double, 3>& f, double c);

// The contour segment of element e at level c, in world coordinates, with the heads of layer L.
std::optional<ContourLine> ContourSegment(const Problem& problem, int L, int e, double c);

}  // namespace planaq
