#pragma once
// Setting the data of a selection at once: heads, bottoms, tops, switches, an extra supply
// spread over the nodes and the soil of elements, in one layer or in all. Every value goes
// through the cell rules of the Nodes and Elements grids, so an assignment stores exactly what
// typing the same values into those grids would store (B, T, F, Q, F/Q, C/O in that column
// order, layer after layer).

#include <optional>
#include <string>
#include <vector>

#include "mesh/Selection.h"
#include "model/Problem.h"

namespace planaq {

struct HeadAlongLine {
  double from = 0.0;  // at the line's first point
  double to = 0.0;    // at its last point
};

struct Assignment {
  int layer = 0;  // 0-based; kAllLayers for every layer 1..NL
  static constexpr int kAllLayers = -1;
  std::optional<double> givenHead;          // F given (F/Q = F) with this head
  std::optional<HeadAlongLine> headAlong;   // F given, interpolated along a polyline
  bool givenSupply = false;                 // F/Q = Q
  std::optional<double> head, bottom, top;  // F, B, T
  std::optional<bool> topOpen;              // C/O (a switch of layer 1)
  std::optional<double> extraSupply;        // total m3/d added to Q, spread by share
  std::optional<int> soil;                  // 1-based soil of the selected elements
  bool Empty() const;
};

struct AssignOutcome {
  std::string message;  // empty when the assignment was made
  int nodesSelected = 0, elementsSelected = 0;
  int nodesChanged = 0, elementsChanged = 0;
  bool Changed() const { return nodesChanged + elementsChanged > 0; }
};

// Empty when the assignment can be made on the problem with this shape: a layer within NL, a
// soil within 1..NB, values a datafile can hold, one head at most and no contradicting switch.
std::string CheckAssignment(const Problem& problem, const SelectionShape& shape,
                            const Assignment& assignment);

// The share (summing to 1) of each selected node of the extra supply: for a polyline the part
// of the line's length nearer to the node than to the next selected nodes along it, for a
// polygon or rectangle a third of the area of each selected element the node is a corner of;
// equal shares where no element gives area.
std::vector<double> SupplyShares(const Problem& problem, const SelectionShape& shape,
                                 const Selection& selection);

// Checks the assignment, then stores it in the selected nodes and elements. Nothing changes
// when the message is not empty.
AssignOutcome AssignSelection(Problem& problem, const SelectionShape& shape,
                              const Selection& selection, const Assignment& assignment);

}  // namespace planaq
