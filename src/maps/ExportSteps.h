#pragma once
// The parts of a map export told to its progress one by one, each with its share of the whole
// (a weight, about the features the part writes), and whether the progress asked to stop.

#include <string>

#include "maps/MapProgress.h"

namespace planaq {

class ExportSteps {
 public:
  ExportSteps(const MapProgress& progress, double total) : progress_(progress), total_(total) {}
  // tells the part about to run at the share done before it; false once the progress asked to
  // stop
  bool Next(const std::string& stage, double weight) {
    if (!stopped_) stopped_ = !Going(progress_, stage, total_ > 0.0 ? done_ / total_ : 0.0);
    done_ += weight;
    return !stopped_;
  }
  bool Stopped() const { return stopped_; }

 private:
  const MapProgress& progress_;
  double total_;
  double done_ = 0.0;
  bool stopped_ = false;
};

}  // namespace planaq
