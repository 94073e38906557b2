#include "mesh/MeshSearch.h"

#include <cmath>

namespace planaq {

int FindNodeNear(const Problem& p, double x, double y, double eps, int first, int end) {
  int found = -1;
  double best = eps;
  for (int i = first; i < end; ++i) {
    const double d = std::fabs(p.nodes[i].X - x) + std::fabs(p.nodes[i].Y - y);
    if (d < best) {
      best = d;
      found = i;
    }
  }
  return found;
}

int FindElementWithSide(const Problem& p, int a, int b, int skip, int first, int end) {
  for (int e = first; e < end; ++e)
    if (e != skip && HoldsSide(p.elements[e], a, b) && p.HasArea(e)) return e;
  return -1;
}

}  // namespace planaq
