#include "mesh/Selection.h"

#include <algorithm>
#include <cmath>

#include "model/Values.h"

namespace planaq {

namespace {

// The segments of a shape bucketed by horizontal slabs of its bounding box, widened by a
// margin, so that a point meets only the few segments near its own y. A 100-vertex polygon
// over a million nodes then costs a few segment tests per node instead of a hundred.
class SegmentSlabs {
 public:
  SegmentSlabs(const std::vector<ShapePoint>& points, bool closed, double margin)
      : points_(points) {
    const int n = static_cast<int>(points.size());
    const int segments = closed ? n : n - 1;
    x0_ = x1_ = points[0].x;
    y0_ = y1_ = points[0].y;
    for (const ShapePoint& p : points) {
      x0_ = std::min(x0_, p.x);
      x1_ = std::max(x1_, p.x);
      y0_ = std::min(y0_, p.y);
      y1_ = std::max(y1_, p.y);
    }
    x0_ -= margin;
    x1_ += margin;
    y0_ -= margin;
    y1_ += margin;
    count_ = std::max(1, segments);
    height_ = (y1_ - y0_) / count_;
    slabs_.resize(count_);
    for (int s = 0; s < segments; ++s) {
      const ShapePoint& a = points[s];
      const ShapePoint& b = points[(s + 1) % n];
      const int lo = Slab(std::min(a.y, b.y) - margin);
      const int hi = Slab(std::max(a.y, b.y) + margin);
      for (int k = lo; k <= hi; ++k) slabs_[k].push_back(s);
    }
  }

  bool InBox(double x, double y) const { return x >= x0_ && x <= x1_ && y >= y0_ && y <= y1_; }
  const std::vector<int>& Near(double y) const { return slabs_[Slab(y)]; }
  const ShapePoint& Start(int s) const { return points_[s]; }
  const ShapePoint& End(int s) const { return points_[(s + 1) % points_.size()]; }

 private:
  int Slab(double y) const {
    if (!(height_ > 0.0)) return 0;
    return std::clamp(static_cast<int>((y - y0_) / height_), 0, count_ - 1);
  }

  const std::vector<ShapePoint>& points_;
  double x0_, x1_, y0_, y1_, height_ = 0.0;
  int count_ = 1;
  std::vector<std::vector<int>> slabs_;
};

// squared distance to a segment, without the square root of SegmentDistance
double SquaredDistance(double x, double y, const ShapePoint& a, const ShapePoint& b) {
  const double dx = b.x - a.x, dy = b.y - a.y;
  const double length2 = dx * dx + dy * dy;
  const double t =
      length2 > 0.0 ? std::clamp(((x - a.x) * dx + (y - a.y) * dy) / length2, 0.0, 1.0) : 0.0;
  const double ex = x - (a.x + t * dx), ey = y - (a.y + t * dy);
  return ex * ex + ey * ey;
}

bool OutsideBox(double x, double y, const ShapePoint& a, const ShapePoint& b, double margin) {
  return x < std::min(a.x, b.x) - margin || x > std::max(a.x, b.x) + margin ||
         y < std::min(a.y, b.y) - margin || y > std::max(a.y, b.y) + margin;
}

bool WithinSegments(const SegmentSlabs& slabs, double x, double y, double distance) {
  for (int s : slabs.Near(y)) {
    const ShapePoint& a = slabs.Start(s);
    const ShapePoint& b = slabs.End(s);
    if (OutsideBox(x, y, a, b, distance)) continue;
    if (std::sqrt(SquaredDistance(x, y, a, b)) <= distance) return true;
  }
  return false;
}

// inside or on the boundary (within tolerance); even-odd crossings of a ray to the right
bool InPolygon(const SegmentSlabs& slabs, double x, double y, double tolerance) {
  if (!slabs.InBox(x, y)) return false;
  bool inside = false;
  for (int s : slabs.Near(y)) {
    const ShapePoint& a = slabs.Start(s);
    const ShapePoint& b = slabs.End(s);
    if (!OutsideBox(x, y, a, b, tolerance) && std::sqrt(SquaredDistance(x, y, a, b)) <= tolerance)
      return true;
    if ((a.y > y) != (b.y > y) && x < a.x + (y - a.y) * (b.x - a.x) / (b.y - a.y)) inside = !inside;
  }
  return inside;
}

bool NearLine(const SegmentSlabs& slabs, double x, double y, double distance) {
  return slabs.InBox(x, y) && WithinSegments(slabs, x, y, distance);
}

double Cross(const ShapePoint& o, const ShapePoint& a, const ShapePoint& b) {
  return (a.x - o.x) * (b.y - o.y) - (a.y - o.y) * (b.x - o.x);
}

bool OnSegment(const ShapePoint& a, const ShapePoint& b, const ShapePoint& p) {
  return std::min(a.x, b.x) <= p.x && p.x <= std::max(a.x, b.x) && std::min(a.y, b.y) <= p.y &&
         p.y <= std::max(a.y, b.y);
}

// closed segments a-b and c-d share a point
bool SegmentsMeet(const ShapePoint& a, const ShapePoint& b, const ShapePoint& c,
                  const ShapePoint& d) {
  const double d1 = Cross(c, d, a), d2 = Cross(c, d, b), d3 = Cross(a, b, c), d4 = Cross(a, b, d);
  if (((d1 > 0 && d2 < 0) || (d1 < 0 && d2 > 0)) && ((d3 > 0 && d4 < 0) || (d3 < 0 && d4 > 0)))
    return true;
  return (d1 == 0 && OnSegment(c, d, a)) || (d2 == 0 && OnSegment(c, d, b)) ||
         (d3 == 0 && OnSegment(a, b, c)) || (d4 == 0 && OnSegment(a, b, d));
}

bool CrossesItself(const std::vector<ShapePoint>& p) {
  const int n = static_cast<int>(p.size());
  for (int i = 0; i < n; ++i)
    for (int j = i + 1; j < n; ++j) {
      // neighbouring sides share their common corner and nothing else
      if (j == i + 1 || (i == 0 && j == n - 1)) continue;
      if (SegmentsMeet(p[i], p[(i + 1) % n], p[j], p[(j + 1) % n])) return true;
    }
  return false;
}

double PolygonArea(const std::vector<ShapePoint>& p) {
  double twice = 0.0;
  for (std::size_t i = 0; i < p.size(); ++i) {
    const ShapePoint& a = p[i];
    const ShapePoint& b = p[(i + 1) % p.size()];
    twice += a.x * b.y - b.x * a.y;
  }
  return 0.5 * twice;
}

ShapePoint Centroid(const Problem& p, int e) {
  const auto& n = p.elements[e].Node;
  return {(p.nodes[n[0]].X + p.nodes[n[1]].X + p.nodes[n[2]].X) / 3.0,
          (p.nodes[n[0]].Y + p.nodes[n[1]].Y + p.nodes[n[2]].Y) / 3.0};
}

template <class Inside>
Selection SelectBy(const Problem& p, Inside inside) {
  Selection s;
  for (int i = 0; i < p.NN; ++i)
    if (inside(p.nodes[i].X, p.nodes[i].Y)) s.nodes.push_back(i);
  for (int e = 0; e < p.NM; ++e) {
    const ShapePoint c = Centroid(p, e);
    if (inside(c.x, c.y)) s.elements.push_back(e);
  }
  return s;
}

}  // namespace

double SegmentDistance(double x, double y, const ShapePoint& a, const ShapePoint& b,
                       double* along) {
  const double dx = b.x - a.x, dy = b.y - a.y;
  const double length2 = dx * dx + dy * dy;
  double t = length2 > 0.0 ? ((x - a.x) * dx + (y - a.y) * dy) / length2 : 0.0;
  t = std::clamp(t, 0.0, 1.0);
  if (along) *along = t;
  return std::hypot(x - (a.x + t * dx), y - (a.y + t * dy));
}

double LineLength(const std::vector<ShapePoint>& line) {
  double length = 0.0;
  for (std::size_t i = 1; i < line.size(); ++i)
    length += std::hypot(line[i].x - line[i - 1].x, line[i].y - line[i - 1].y);
  return length;
}

double ArcLengthAt(const std::vector<ShapePoint>& line, double x, double y) {
  double best = HUGE_VAL, at = 0.0, start = 0.0;
  for (std::size_t i = 1; i < line.size(); ++i) {
    double t = 0.0;
    const double d = SegmentDistance(x, y, line[i - 1], line[i], &t);
    const double length = std::hypot(line[i].x - line[i - 1].x, line[i].y - line[i - 1].y);
    if (d < best) {
      best = d;
      at = start + t * length;
    }
    start += length;
  }
  return at;
}

double OnLineTolerance(const Problem& p) {
  double area = 0.0;
  for (int e = 0; e < p.NM; ++e) {
    const auto& n = p.elements[e].Node;
    const Node &a = p.nodes[n[0]], &b = p.nodes[n[1]], &c = p.nodes[n[2]];
    area += 0.5 * std::fabs((b.X - a.X) * (c.Y - a.Y) - (c.X - a.X) * (b.Y - a.Y));
  }
  // the leg of a right isosceles triangle of the mean element's area
  const double spacing = p.NM > 0 ? std::sqrt(2.0 * area / p.NM) : std::max(p.LX, p.LY);
  return 0.01 * spacing;
}

std::string CheckShape(const Problem& p, const SelectionShape& shape) {
  const std::size_t least = shape.kind == ShapeKind::Polygon ? 3 : 2;
  if (shape.points.size() < least)
    return shape.kind == ShapeKind::Polygon    ? "A polygon needs at least 3 points."
           : shape.kind == ShapeKind::Polyline ? "A line needs at least 2 points."
                                               : "A rectangle needs 2 corners.";
  for (const ShapePoint& pt : shape.points) {
    if (!IsStorable(pt.x) || !IsStorable(pt.y)) return "A coordinate is not a finite number.";
    if (pt.x < 0.0 || pt.x > p.LX || pt.y < 0.0 || pt.y > p.LY)
      return "A point lies outside the area (0..LX, 0..LY).";
  }
  if (shape.kind == ShapeKind::Rectangle && shape.points.size() != 2)
    return "A rectangle needs 2 corners.";
  if (shape.kind == ShapeKind::Polyline && (!IsStorable(shape.width) || shape.width < 0.0))
    return "The width must be a finite number of at least 0.";
  if (shape.kind == ShapeKind::Polygon) {
    if (CrossesItself(shape.points)) return "The polygon crosses itself.";
    if (PolygonArea(shape.points) == 0.0) return "The polygon has no area.";
  }
  return {};
}

Selection Select(const Problem& p, const SelectionShape& shape) {
  const double tolerance = OnLineTolerance(p);
  if (shape.kind == ShapeKind::Rectangle) {
    const ShapePoint& a = shape.points[0];
    const ShapePoint& b = shape.points[1];
    const double x0 = std::min(a.x, b.x), x1 = std::max(a.x, b.x);
    const double y0 = std::min(a.y, b.y), y1 = std::max(a.y, b.y);
    return SelectBy(p,
                    [&](double x, double y) { return x >= x0 && x <= x1 && y >= y0 && y <= y1; });
  }
  if (shape.kind == ShapeKind::Polygon) {
    const SegmentSlabs slabs(shape.points, true, tolerance);
    return SelectBy(p, [&](double x, double y) { return InPolygon(slabs, x, y, tolerance); });
  }
  const double distance = shape.width > 0.0 ? shape.width : tolerance;
  const SegmentSlabs slabs(shape.points, false, distance);
  return SelectBy(p, [&](double x, double y) { return NearLine(slabs, x, y, distance); });
}

int NodeWithin(const Problem& problem, double x, double y, double distance) {
  int nearest = -1;
  double best = distance * distance;
  for (int n = 0; n < problem.NN; ++n) {
    const double dx = problem.nodes[n].X - x, dy = problem.nodes[n].Y - y;
    const double d = dx * dx + dy * dy;
    if (d < best || (d == best && nearest < 0)) best = d, nearest = n;
  }
  return nearest;
}

}  // namespace planaq
