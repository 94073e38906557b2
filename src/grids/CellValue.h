#pragma once
// What the cell rules of the data grids share: the outcome of leaving a cell, the reading of
// a typed real and the formatting of a value. The rules themselves (one file per grid) read
// the typed text, hold it to the written limits, store it in the problem and return the text
// the cell shows; the windows only map cells to them.

#include <string>

namespace planaq {

// Leaving a cell: the text the cell shows now, the message to give (empty for none) and
// whether the selection may move on. A refused entry leaves the problem as it was.
struct CellOutcome {
  std::string text;
  std::string message;
  bool moveOn = true;
};

// A typed real: its leading number (0 when it has none), or the message that refuses it. A
// datafile holds reals of magnitude up to kLargestDatafileValue only, so larger values, the
// infinities and "nan" (which a number reader would take) are refused rather than stored.
struct CellReal {
  bool ok = true;
  double value = 0.0;
  std::string message;
};
CellReal ReadCellReal(const std::string& text);

// snprintf of one value with the grid's format
std::string FormatReal(const char* format, double value);
std::string FormatInt(const char* format, int value);

// The refusal of an entry that could not be read: the cell shows the value kept.
CellOutcome Refused(std::string shown, std::string message);

}  // namespace planaq
