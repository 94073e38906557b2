#pragma once
// What a running Solve reports: the progress grid of the main window repaints from it, the
// command-line tool prints it. Values are the ones the grid shows (element and cycle 1-based).

#include <string>

namespace planaq {

class SolveProgress {
 public:
  virtual ~SolveProgress() = default;
  // Solve has started: the Cycle and Iteration values are blank.
  virtual void Started() {}
  virtual void ElementAssembled(int /*element*/, int /*cycle*/) {}
  virtual void IterationReported(int /*iteration*/, double /*logError*/) {}
};

// The texts of the progress grid values.
std::string FormatProgressCount(int value);        // "%12d"
std::string FormatProgressLogError(double value);  // "%12.2f"

}  // namespace planaq
