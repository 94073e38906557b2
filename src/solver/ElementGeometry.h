#pragma once
// Shape-function coefficients of a linear triangle in coordinates local to its centroid.

#include "model/Problem.h"

namespace planaq {

struct ElementGeometry {
  double b[3];
  double c[3];
  double det;  // signed, twice the area
};

inline ElementGeometry GeometryOf(const Problem& problem, int e) {
  const Element& el = problem.elements[e];
  const Node& n0 = problem.nodes[el.Node[0]];
  const Node& n1 = problem.nodes[el.Node[1]];
  const Node& n2 = problem.nodes[el.Node[2]];
  const double xc = (n0.X + n1.X + n2.X) / 3.0;
  const double yc = (n0.Y + n1.Y + n2.Y) / 3.0;
  const double x0 = n0.X - xc, x1 = n1.X - xc, x2 = n2.X - xc;
  const double y0 = n0.Y - yc, y1 = n1.Y - yc, y2 = n2.Y - yc;
  ElementGeometry g;
  g.b[0] = y1 - y2;
  g.b[1] = y2 - y0;
  g.b[2] = y0 - y1;
  g.c[0] = x2 - x1;
  g.c[1] = x0 - x2;
  g.c[2] = x1 - x0;
  g.det = x0 * g.b[0] + x1 * g.b[1] + x2 * g.b[2];
  return g;
}

}  // namespace planaq
