#include "mesh/MeshScale.h"

#include <algorithm>
#include <cmath>

namespace planaq {

NodeExtent ExtentOfNodes(const Problem& p) {
  NodeExtent ext;
  if (p.NN <= 0) return ext;
  double xmin = p.nodes[0].X, xmax = xmin, ymin = p.nodes[0].Y, ymax = ymin;
  for (int i = 1; i < p.NN; ++i) {
    xmin = std::min(xmin, p.nodes[i].X);
    xmax = std::max(xmax, p.nodes[i].X);
    ymin = std::min(ymin, p.nodes[i].Y);
    ymax = std::max(ymax, p.nodes[i].Y);
  }
  ext.xmin = xmin;
  ext.ymin = ymin;
  ext.width = xmax - xmin;
  ext.height = ymax - ymin;
  return ext;
}

double MeshSpacing(const NodeExtent& extent, int NN, double factor) {
  if (NN <= 0) return 0.0;
  double w = extent.width, h = extent.height;
  if (w == 0.0 || h == 0.0) w = h = std::max(w, h);
  return factor * std::sqrt(w * h / NN);
}

}  // namespace planaq
