#pragma once
// The cell rules of the Nodes grid: one node per row, the columns of one layer. Nodes and
// layers are 0-based here; the grid shows them 1-based.

#include <string>

#include "grids/CellValue.h"
#include "model/Problem.h"

namespace planaq {

enum NodesColumn { kNodeI = 0, kNodeX, kNodeY, kNodeB, kNodeT, kNodeF, kNodeQ, kNodeFQ, kNodeCO };

// 9 columns in layer 1, 8 in the layers below it (no C/O there)
int NodesColumnCount(int layer);
// column 0 in layer 1; columns 0 to 2 below, so coordinates are edited in layer 1 only
int NodesFixedColumns(int layer);

// The text of the cell of node in column col, as the grid shows it in layer.
std::string NodesCellText(const Problem& problem, int col, int node, int layer);

// Leaving the cell of node in column col in layer: the text is read, held to the column's
// bounds (X to 0..LX, Y to 0..LY, B to T of the layer below or 0, T and F to B), stored, and
// the cell's new text returned. The F/Q and C/O columns change their one bit of Type.
CellOutcome StoreNodesCell(Problem& problem, int col, int node, int layer, const std::string& text);

// The same rules for a value already read: a real for the columns X to Q (one the datafile can
// hold, see IsStorable), a switch for F/Q (head given) and C/O (top open). Selections assign
// through these, so they store exactly what typing the value would.
void StoreNodesValue(Problem& problem, int col, int node, int layer, double value);
void StoreNodesSwitch(Problem& problem, int col, int node, int layer, bool on);

}  // namespace planaq

namespace planaq {
// The text of the window's Help key (Windows-1252).
std::string NodesHelpText();
}  // namespace planaq
