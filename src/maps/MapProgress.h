#pragma once
// How far a long map task has come, for a progress bar: the words of the part now under way
// and the share of the whole task done before it (0..1). An answer of false stops the task,
// which then leaves nothing behind.

#include <functional>
#include <string>

namespace planaq {

using MapProgress = std::function<bool(const std::string& stage, double done)>;

// Tells the progress, when there is one; false when it asked to stop.
inline bool Going(const MapProgress& progress, const std::string& stage, double done) {
  return !progress || progress(stage, done);
}

}  // namespace planaq
