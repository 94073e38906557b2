#pragma once
// The one-layer matrix with every row written out whole, so that a row's product is a plain
// gather with no additions into other rows. Each row keeps the order in which the symmetric
// product adds to it: its lower neighbours by increasing node, the diagonal, then its upper
// neighbours in pattern order. The sums, and so the heads, are those of the symmetric product.

#include <vector>

#include "solver/SparseSystem.h"

namespace planaq {

struct FullRows {
  std::vector<int> start;   // NN + 1 entries
  std::vector<int> column;  // the node of each entry
  std::vector<double> value;
};

// A row whose head is not iterated is left empty, so its product is zero.
FullRows BuildFullRows(const SparseSystem& oneLayer, const std::vector<unsigned char>& iterated);

}  // namespace planaq
