#pragma once
// Well insertion of the mesh window: a click puts a well at a node close by, or at a new node
// in the centre of the element that holds the click, which is then divided around it.

#include "mesh/MeshOutcome.h"
#include "model/Problem.h"

namespace planaq {

// The "Add Well" key: refused with the message when the well table is full.
MeshOutcome CheckWellCapacity(const Problem& problem);

// One click of Add Well mode at (x, y) in metres, followed by the renumbering of nodes and
// elements when a well was added; a refusal leaves the tables as they were. A new well has layer 1 and Q = 0 (edited later in the wells grid).
MeshOutcome AddWellAt(Problem& problem, double x, double y);

// A click closer than this to a node puts the well there: 0.1 sqrt(W H / NN), with W and H
// the extent of the nodes (LX and LY for nodes that span 0..LX and 0..LY).
double SnapRadius(const Problem& problem);

// The insertion alone, without the renumbering.
MeshOutcome InsertWell(Problem& problem, double x, double y);

}  // namespace planaq
