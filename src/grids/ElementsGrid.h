#pragma once
// The cell rules of the Elements grid: one element per row, its three node numbers and its
// block. Elements are 0-based here; the grid shows them and their nodes and blocks 1-based.

#include <string>

#include "grids/CellValue.h"
#include "model/Problem.h"

namespace planaq {

enum ElementsColumn { kElementJ = 0, kElementNode1, kElementNode2, kElementNode3, kElementSoil };
constexpr int kElementsColumns = 5;

// The text of the cell of element in column col.
std::string ElementsCellText(const Problem& problem, int col, int element);

// Leaving the cell of element in column col: the leading integer of the text, held to 1..NN
// for a node and to 1..NB for the soil, stored and shown again. Nothing is refused.
CellOutcome StoreElementsCell(Problem& problem, int col, int element, const std::string& text);
// the same rule for a number already read (1-based, as typed)
void StoreElementsValue(Problem& problem, int col, int element, int value);

// The text of the window's Help key.
std::string ElementsHelpText();

}  // namespace planaq
