#pragma once
// The fit of soil properties to observed heads: Levenberg-Marquardt (Eigen's) on the weighted
// residuals sqrt(w) (observed - computed), every evaluation a full Solve of the problem from
// the heads it had when the fit began. The Jacobian is by forward differences.

#include <functional>
#include <string>
#include <vector>

#include "model/Problem.h"
#include "observe/FitParameters.h"
#include "observe/Observations.h"
#include "solver/SolveProgress.h"

namespace planaq {

enum class FitStop { Converged, Refused, Bound, MaxSolves, Cancelled, BadInput };

struct FitIteration {
  int iteration = 0;
  int solves = 0;
  std::vector<double> values;  // the parameters, in m/d
  double weightedRms = 0.0;
};

struct FitOptions {
  int maxSolves = 200;  // solves of the search; the final solve and the intervals' Jacobian
                        // come on top
  std::function<bool()> cancelled;                    // asked before every solve
  std::function<void(const FitIteration&)> iterated;  // after every iteration
  SolveProgress* progress = nullptr;                  // of every solve
};

struct FitResult {
  FitStop stop = FitStop::Converged;
  std::string message;  // why the search stopped
  std::vector<double> start, values;
  bool hasIntervals = false;               // false with fewer observations than parameters + 1
  std::vector<double> lower95, upper95;    // approximate 95 % intervals of the values
  double rmsBefore = 0.0, rmsAfter = 0.0;  // unweighted RMS of the used observations
  double weightedRmsBefore = 0.0, weightedRmsAfter = 0.0;
  int used = 0;
  int solves = 0;
  int iterations = 0;
  // true when the problem holds the best values found with their solved heads (also after a
  // stop at a bound or at the most solves); false: the problem is as it was
  bool holdsFit = false;
};

// BadInput: too few observations in use for the parameters, or a start outside the bounds.
FitResult RunFit(Problem& problem, const ObservationSet& set,
                 const std::vector<FitParameter>& parameters, const FitOptions& options);

}  // namespace planaq
