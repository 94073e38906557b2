#include "observe/ElementLocator.h"

#include <algorithm>
#include <cmath>

namespace planaq {

namespace {

struct Box {
  double x0, y0, x1, y1;
};

Box BoxOf(const Problem& p, int e) {
  Box b{1e300, 1e300, -1e300, -1e300};
  for (int n : p.elements[e].Node) {
    b.x0 = std::min(b.x0, p.nodes[n].X);
    b.y0 = std::min(b.y0, p.nodes[n].Y);
    b.x1 = std::max(b.x1, p.nodes[n].X);
    b.y1 = std::max(b.y1, p.nodes[n].Y);
  }
  return b;
}

bool ValidCorners(const Problem& p, int e) {
  for (int n : p.elements[e].Node)
    if (n < 0 || n >= p.NN) return false;
  return true;
}

}  // namespace

int ScanForElement(const Problem& problem, double x, double y) {
  for (int e = 0; e < problem.NM; ++e)
    if (ValidCorners(problem, e) && problem.ElementContaining(x, y, e) == e) return e;
  return -1;
}

ElementLocator::ElementLocator(const Problem& problem) : p_(problem) {
  Box all{1e300, 1e300, -1e300, -1e300};
  for (int e = 0; e < p_.NM; ++e) {
    if (!ValidCorners(p_, e)) continue;
    const Box b = BoxOf(p_, e);
    all = {std::min(all.x0, b.x0), std::min(all.y0, b.y0), std::max(all.x1, b.x1),
           std::max(all.y1, b.y1)};
  }
  if (all.x0 > all.x1) return;  // no element
  // about one element per cell
  const double w = std::max(all.x1 - all.x0, 1e-9), h = std::max(all.y1 - all.y0, 1e-9);
  const double cells = std::max(1, p_.NM);
  nx_ = std::clamp(static_cast<int>(std::sqrt(cells * w / h)), 1, 4096);
  ny_ = std::clamp(static_cast<int>(cells / nx_), 1, 4096);
  // a margin so that a point on the outer edge, within the test's tolerance, finds its cell
  const double mx = 1e-9 * (w + h), my = mx;
  x0_ = all.x0 - mx;
  y0_ = all.y0 - my;
  cellX_ = (w + 2 * mx) / nx_;
  cellY_ = (h + 2 * my) / ny_;
  std::vector<int> count(static_cast<std::size_t>(nx_) * ny_ + 1, 0);
  const auto forEachCell = [&](int e, auto visit) {
    const Box b = BoxOf(p_, e);
    const int i0 = CellOf(b.x0 - mx, x0_, cellX_, nx_), i1 = CellOf(b.x1 + mx, x0_, cellX_, nx_);
    const int j0 = CellOf(b.y0 - my, y0_, cellY_, ny_), j1 = CellOf(b.y1 + my, y0_, cellY_, ny_);
    for (int j = j0; j <= j1; ++j)
      for (int i = i0; i <= i1; ++i) visit(static_cast<std::size_t>(j) * nx_ + i);
  };
  for (int e = 0; e < p_.NM; ++e)
    if (ValidCorners(p_, e)) forEachCell(e, [&](std::size_t c) { ++count[c + 1]; });
  for (std::size_t c = 1; c < count.size(); ++c) count[c] += count[c - 1];
  start_ = count;
  elements_.resize(static_cast<std::size_t>(count.back()));
  for (int e = 0; e < p_.NM; ++e)  // ascending e: every cell's list is sorted
    if (ValidCorners(p_, e)) forEachCell(e, [&](std::size_t c) { elements_[count[c]++] = e; });
}

int ElementLocator::CellOf(double v, double lo, double size, int count) const {
  const double i = std::floor((v - lo) / size);
  return static_cast<int>(std::clamp(i, 0.0, static_cast<double>(count - 1)));
}

int ElementLocator::Find(double x, double y) const {
  if (start_.empty() || !std::isfinite(x) || !std::isfinite(y)) return -1;
  if (x < x0_ || y < y0_ || x > x0_ + nx_ * cellX_ || y > y0_ + ny_ * cellY_) return -1;
  const std::size_t c =
      static_cast<std::size_t>(CellOf(y, y0_, cellY_, ny_)) * nx_ + CellOf(x, x0_, cellX_, nx_);
  for (int k = start_[c]; k < start_[c + 1]; ++k)
    if (p_.ElementContaining(x, y, elements_[k]) == elements_[k]) return elements_[k];
  return -1;
}

}  // namespace planaq
