#pragma once
// Finds the element that holds a point without scanning every element: the elements are
// sorted into the cells of a grid over their bounding boxes. The answer is the one a scan
// from element 0 gives (the lowest-numbered element that holds the point), so a point on a
// shared side goes to the same element either way.

#include <vector>

#include "model/Problem.h"

namespace planaq {

class ElementLocator {
 public:
  explicit ElementLocator(const Problem& problem);
  // -1 when no element holds (x, y)
  int Find(double x, double y) const;

 private:
  int CellOf(double v, double lo, double size, int count) const;

  const Problem& p_;
  double x0_ = 0.0, y0_ = 0.0, cellX_ = 1.0, cellY_ = 1.0;
  int nx_ = 1, ny_ = 1;
  std::vector<int> start_;     // per cell: first entry in elements_
  std::vector<int> elements_;  // elements per cell, in ascending order
};

// The plain scan that defines the result.
int ScanForElement(const Problem& problem, double x, double y);

}  // namespace planaq
