#pragma once
// The General Grid: its labels, the text of every row from the problem, and the check of an
// editable row when the selection leaves it.

#include <string>

#include "model/Problem.h"

namespace planaq::ui {

constexpr int kGeneralRows = 12;
constexpr int kFirstGeneralEditRow = 6;
enum GeneralRow {
  kRowFileName = 0, kRowNA, kRowNB, kRowNW, kRowNN, kRowNM,
  kRowProblemName, kRowLX, kRowLY, kRowNL, kRowNP, kRowTM
};

const char* GeneralLabel(int row);
std::string GeneralValueText(const Problem& problem, int row);

// The outcome of leaving an editable row: the text to write back, the message (empty for
// none) and whether the selection may move on. The value is already stored in the problem
// where the rule stores it.
struct GeneralCheck {
  std::string text;
  std::string message;
  bool moveOn = true;
  bool kept = false;  // nothing changed: the entry could not be held
};
GeneralCheck CheckGeneralRow(Problem& problem, int row, const std::string& text);
// A name with a comma would be cut at it when its file is read again.
constexpr const char* kNameCommaMessage = "A name cannot hold a comma";

// The five rows of the Installation Grid.
constexpr int kInstallationRows = 5;
const char* InstallationLabel(int row);
std::string InstallationValueText(const Problem& problem, int row);
// Stores the checked value of the row into the problem's installation data.
GeneralCheck CheckInstallationRow(Problem& problem, int row, const std::string& text);

}  // namespace planaq::ui
