#pragma once
// The progress grid of the main window as the sink of a running Solve: every report is
// written into column 1 and painted at once, since Solve gives the event loop no turn.

#include "solver/SolveProgress.h"

namespace planaq::ui {

class StringGrid;

class SolveProgressGrid : public SolveProgress {
 public:
  explicit SolveProgressGrid(StringGrid& grid) : grid_(grid) {}
  void Started() override;
  void ElementAssembled(int element, int cycle) override;
  void IterationReported(int iteration, double logError) override;
  // A Solve refused by its checks shows no numbers of the previous one.
  void BlankUnlessStarted();

 private:
  void Paint();
  StringGrid& grid_;
  bool assembled_ = false;  // the checks passed and the cycles began
};

}  // namespace planaq::ui
