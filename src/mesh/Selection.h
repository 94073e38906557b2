#pragma once
// Selections of nodes and elements by a drawn shape: a polygon (nodes inside it or on its
// boundary), a polyline with a half-width (nodes within that distance of the line) or a
// rectangle. Elements are selected by their centroid. What is selected is then assigned to
// through the grid rules (mesh/SelectionAssign.h).

#include <string>
#include <vector>

#include "model/Problem.h"

namespace planaq {

struct ShapePoint {
  double x = 0.0;
  double y = 0.0;
};

enum class ShapeKind { Polygon, Polyline, Rectangle };

// A rectangle is given by two opposite corners; width is the half-width of a polyline's band
// (0: the nodes on the mesh sides the line follows).
struct SelectionShape {
  ShapeKind kind = ShapeKind::Polygon;
  std::vector<ShapePoint> points;
  double width = 0.0;
};

// Node and element numbers (0-based), ascending.
struct Selection {
  std::vector<int> nodes;
  std::vector<int> elements;
};

// Empty when the shape can select: enough points, all finite and inside the problem area, a
// polygon with area that does not cross itself, a finite width of at least 0.
std::string CheckShape(const Problem& problem, const SelectionShape& shape);

// The distance within which a point counts as on a polygon's boundary or on a line of
// width 0: a small part of the mesh spacing (of the mean element), so that rounding in the
// coordinates of midpoints never decides.
double OnLineTolerance(const Problem& problem);

// The nodes and elements the shape selects; the shape must have passed CheckShape.
Selection Select(const Problem& problem, const SelectionShape& shape);

// Distance from (x, y) to the segment a-b, and the part 0..1 of the way from a to b of the
// nearest point.
double SegmentDistance(double x, double y, const ShapePoint& a, const ShapePoint& b,
                       double* along = nullptr);

// The node nearest (x, y), the lowest number of equal distances, if it is within the distance;
// otherwise -1. A corner clicked near a node takes the node's place, so that a line of width 0
// follows the mesh sides the user meant.
int NodeWithin(const Problem& problem, double x, double y, double distance);

// The arc length along the polyline of the point of the line nearest (x, y).
double ArcLengthAt(const std::vector<ShapePoint>& line, double x, double y);
double LineLength(const std::vector<ShapePoint>& line);

}  // namespace planaq
