#pragma once
// Left-to-right renumbering of the nodes after the main nodes, and of all elements, after
// every change of the mesh. The main nodes keep their numbers, so the blocks stay valid.

#include <vector>

#include "model/Problem.h"

namespace planaq {

// Sort key of a node: grows with x, y only breaks near-ties.
inline double NodeSortKey(const Node& n) { return 0.001 * n.Y + n.X; }

// Ascending heapsort of key[0..n-1], moving carry with every key. Equal keys end where this
// particular heapsort puts them, which fixes the numbering of such nodes and elements.
void HeapSort(double* key, int* carry, int n);

// Reorders nodes NA..NN-1 by their keys and remaps the elements and wells. Returns false, with
// the problem unchanged, when the work arrays cannot be had.
bool RenumberNodes(Problem& problem);
// Reorders elements 0..NM-1 by the smallest key of their nodes; run after RenumberNodes.
bool RenumberElements(Problem& problem);

}  // namespace planaq
