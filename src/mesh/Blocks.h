#pragma once
// The block editor's operations on the main nodes and the blocks. Positions are in metres,
// already converted from pixels by the mesh mapping; every operation clamps them to the area.

#include <string>

#include "mesh/MeshOutcome.h"
#include "model/Problem.h"

namespace planaq {

// Every block becomes one element, the main nodes the only nodes; the wells are dropped.
void ResetMeshToBlocks(Problem& problem);

// The main node nearest to (x, y), the lowest number of equal distances, if it is closer than
// a hundredth of the diagonal of the area; otherwise -1.
int PickMainNode(const Problem& problem, double x, double y);

// Drag Node: main node n follows the mouse.
void MoveMainNode(Problem& problem, int n, double x, double y);

// New Node, mouse move: the node NA that a click would add takes the position, Type 0 and the
// layer values of main node 1. Nothing happens when the node table is full.
void PlacePendingMainNode(Problem& problem, double x, double y);

// New Node, click at (x, y): adds main node NA at the position it holds, with a new block on
// the nearest block side.
MeshOutcome AddMainNodeAndBlock(Problem& problem, double x, double y);

// New Line, released on main node t (or -1) after a press on main node s: adds the block
// (s, t, a node that shares a block with s and one with t).
MeshOutcome AddBlockByLine(Problem& problem, int s, int t);

// A coordinate field's text: the leading decimal number (0 if none) held to 0..limit.
double ReadCoordinateField(const std::string& text, double limit);
// How a coordinate field shows a value: "%10.3f".
std::string FormatCoordinate(double value);

double ClampTo(double value, double limit);

}  // namespace planaq
