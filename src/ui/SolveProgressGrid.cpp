#include "ui/SolveProgressGrid.h"

#include "ui/widgets/StringGrid.h"

namespace planaq::ui {

namespace {
enum ProgressRow { kElement = 0, kCycle = 1, kIteration = 2, kLogError = 3 };
}

void SolveProgressGrid::Paint() { grid_.viewport()->repaint(); }

void SolveProgressGrid::BlankUnlessStarted() {
  if (assembled_) return;
  for (const int row : {kElement, kCycle, kIteration, kLogError}) grid_.SetCellText(1, row, "  ");
  Paint();
}

void SolveProgressGrid::Started() {
  // the Element and Log(error) values keep what the last Solve left in them
  grid_.SetCellText(1, kCycle, "  ");
  grid_.SetCellText(1, kIteration, "  ");
  Paint();
}

void SolveProgressGrid::ElementAssembled(int element, int cycle) {
  assembled_ = true;
  grid_.SetCellText(1, kElement, FormatProgressCount(element));
  grid_.SetCellText(1, kCycle, FormatProgressCount(cycle));
  Paint();
}

void SolveProgressGrid::IterationReported(int iteration, double logError) {
  grid_.SetCellText(1, kIteration, FormatProgressCount(iteration));
  grid_.SetCellText(1, kLogError, FormatProgressLogError(logError));
  Paint();
}

}  // namespace planaq::ui
