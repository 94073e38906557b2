#pragma once
// Setting one quantity of one layer to a value of its own at each of some nodes, as a map
// gives them. Every value goes through the cell rules of the Nodes grid, so the nodes store
// exactly what typing the values would (B held to T of the layer below, T and F to B).

#include <vector>

#include "model/Problem.h"

namespace planaq {

enum class NodeQuantity { Bottom, Top, Head };

struct NodeValuesOutcome {
  int changed = 0;  // nodes whose data changed
  int left = 0;  // nodes without a value (NaN or one the datafile cannot hold), left as they were
};

// values[i] belongs to nodes[i]; layer is 0-based and within NL.
NodeValuesOutcome AssignNodeValues(Problem& problem, NodeQuantity quantity, int layer,
                                   const std::vector<int>& nodes,
                                   const std::vector<double>& values);

}  // namespace planaq
