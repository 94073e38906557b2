#pragma once
// The two whole-mesh refinements of the mesh window. Both keep the mesh conforming, append
// their elements and nodes, report progress after every divided element, and end with the
// renumbering. A refinement that would not fit into NMAX nodes and MMAX elements is refused
// with the capacity message and leaves the tables exactly as they were, numbering included.

#include "mesh/MeshOutcome.h"
#include "model/Problem.h"

namespace planaq {

// How the refinements search nodes and sides: through indexes (the program) or by the plain
// scans (to prove the indexes give the same mesh).
enum class SearchKind { Indexed, Scan };

// Every element into four at its side midpoints.
MeshOutcome SplitElements4(Problem& problem, const ProgressFn& progress = {},
                           SearchKind kind = SearchKind::Indexed);
// Every element into two, at the midpoint of its longest side or of a side already divided.
MeshOutcome SplitElements2(Problem& problem, const ProgressFn& progress = {},
                           SearchKind kind = SearchKind::Indexed);

// Distance below which two midpoints are one node: 0.00001 sqrt(W H / NN), with W and H the
// extent of the nodes (LX and LY for nodes that span 0..LX and 0..LY).
double CoincidenceTolerance(const Problem& problem);

}  // namespace planaq
