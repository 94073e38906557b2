#include "mesh/NodeValuesAssign.h"

#include "grids/NodesGrid.h"
#include "model/Values.h"

namespace planaq {

namespace {

int ColumnOf(NodeQuantity q) {
  switch (q) {
    case NodeQuantity::Bottom:
      return kNodeB;
    case NodeQuantity::Top:
      return kNodeT;
    case NodeQuantity::Head:
      break;
  }
  return kNodeF;
}

bool SameLayers(const NodeLayers& a, const NodeLayers& b) {
  return a.B == b.B && a.T == b.T && a.F == b.F && a.Q == b.Q;
}

}  // namespace

NodeValuesOutcome AssignNodeValues(Problem& p, NodeQuantity quantity, int layer,
                                   const std::vector<int>& nodes,
                                   const std::vector<double>& values) {
  NodeValuesOutcome out;
  const int column = ColumnOf(quantity);
  for (std::size_t i = 0; i < nodes.size() && i < values.size(); ++i) {
    if (!IsStorable(values[i])) {
      ++out.left;
      continue;
    }
    const NodeLayers before = p.layers[nodes[i]];
    StoreNodesValue(p, column, nodes[i], layer, values[i]);
    if (!SameLayers(before, p.layers[nodes[i]])) ++out.changed;
  }
  return out;
}

}  // namespace planaq
