#pragma once
// The size of the mesh as its nodes span it, from which the mesh operations take their
// distances: the snap radius of Add Well and the coincidence tolerance of the refinements.
// A mesh whose nodes span 0..LX and 0..LY gives the same doubles as LX and LY would.

#include "model/Problem.h"

namespace planaq {

// The bounding box of nodes 0..NN-1 (all zero without nodes).
struct NodeExtent {
  double xmin = 0.0, ymin = 0.0;
  double width = 0.0, height = 0.0;
};

NodeExtent ExtentOfNodes(const Problem& problem);

// factor sqrt(width height / NN): a fraction of the side of the square that one node would
// have to itself. Nodes on one line parallel to an axis use the length of that line for both
// extents; without nodes, or with all nodes at one point, the result is 0.
double MeshSpacing(const NodeExtent& extent, int NN, double factor);

}  // namespace planaq
