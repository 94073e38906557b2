#pragma once
// The cell rules of the Wells grid: one well per row, each row in its own well's layer: the
// node and its coordinates, the layer, the head of the node in that layer, the discharge and
// the switch of the node's Type for that layer. Wells and layers are 0-based here; the grid
// shows them 1-based.

#include <string>

#include "grids/CellValue.h"
#include "model/Problem.h"

namespace planaq {

enum WellsColumn { kWellNode = 0, kWellX, kWellY, kWellLayer, kWellF, kWellQ, kWellFQ };
constexpr int kWellsColumns = 7;
constexpr int kWellsFixedColumns = 3;

// The text of the cell of well in column col.
std::string WellsCellText(const Problem& problem, int col, int well);

// StoreWellCell: leaving the cell of well in column col. The layer is held to 1..NL (and
// stored again by an F or Q entry); F at or below B of the node in that layer becomes
// B + 0.001; Q keeps its sign; the F/Q switch sets or clears the head-given bit of the well's
// layer in its node's Type. A real that a datafile cannot hold is refused.
CellOutcome StoreWellCell(Problem& problem, int col, int well, const std::string& text);

// The text of the window's Help key (Windows-1252).
std::string WellsHelpText();

}  // namespace planaq
