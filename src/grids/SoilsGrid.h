#pragma once
// The cell rules of the Block Properties grid: one soil entry per row, the properties of one
// layer in the columns. Entries and layers are 0-based here; the grid shows them 1-based.

#include <string>

#include "grids/CellValue.h"
#include "model/Problem.h"

namespace planaq {

// 5 columns in layer 1 (K, P, R, I), 7 below it (K', P', R', K, P, R)
int SoilsColumnCount(int layer);

// The text of the cell of entry in column col, as the grid shows it in layer.
std::string SoilsCellText(const Problem& problem, int col, int entry, int layer);

// FillSoilsGrid's clamp: the values of the layer's columns held to their limits, for every
// entry the grid shows (I is never clamped).
void ClampSoils(Problem& problem, int layer);

// The warning of a large infiltration is given once per activation of the window.
struct InfiltrationWarning {
  bool armed = true;
};

// StoreSoilsCell: the text read, held to the column's limits, stored in entry and layer, and
// the cell's new text returned; an infiltration above 1 gives the warning while it is armed.
CellOutcome StoreSoilsCell(Problem& problem, int col, int entry, int layer, const std::string& text,
                           InfiltrationWarning& warning);

}  // namespace planaq

namespace planaq {
// The text of the window's Help key (Windows-1252); the layers below the first are explained
// only when the problem has them.
std::string SoilsHelpText(int NL);
}  // namespace planaq
