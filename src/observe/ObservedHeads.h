#pragma once
// Heads computed at the observation points and what they tell: the residuals and their
// statistics.

#include <string>
#include <vector>

#include "model/Problem.h"
#include "observe/Observations.h"

namespace planaq {

enum class ObservationStatus { Used, Outside, LayerBeyondNL, NotFinite };

struct ObservedHead {
  ObservationStatus status = ObservationStatus::Used;
  int element = -1;
  double computed = 0.0;  // meaningful when used
  double residual = 0.0;  // observed - computed, when used
  bool used() const { return status == ObservationStatus::Used; }
};

struct ObservationStatistics {
  int used = 0;
  double mean = 0.0;          // mean residual
  double meanAbsolute = 0.0;  // mean of |r|
  double rms = 0.0;           // sqrt(mean of r^2)
  double weightedRms = 0.0;   // sqrt(sum w r^2 / sum w); 0 when every weight is 0
  double rmsOverRange = 0.0;  // rms / (largest - smallest observed head used)
  bool hasRange = false;      // false when the used heads are all the same
  double largest = 0.0;       // the residual of the largest magnitude, signed
  std::string largestName;    // its observation; empty when none is used
};

// The linear interpolation of the heads F of layer in element e at (x, y).
double InterpolateHead(const Problem& problem, int e, int layer, double x, double y);

// One entry per observation. Points outside the mesh, in a layer beyond NL, and points whose
// interpolated head is not finite are not used.
std::vector<ObservedHead> ComputeObservedHeads(const Problem& problem, const ObservationSet& set);

ObservationStatistics ComputeStatistics(const ObservationSet& set,
                                        const std::vector<ObservedHead>& heads);

// The text of a status that keeps a point out: "" for a used one.
std::string StatusText(ObservationStatus status);

}  // namespace planaq
