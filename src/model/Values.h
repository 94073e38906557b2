#pragma once
// The one rule for the reals of a problem: every input path stores only values that a datafile
// can hold, so that every problem in memory can be saved and read back.

#include <cmath>

namespace planaq {

// The largest magnitude of a real in a datafile: beyond it a written line would outgrow the
// 99 characters the reader takes at a time.
constexpr double kLargestValue = 1e12;

// The message of an entry whose number is too large or not finite, where the field has none
// of its own for it.
constexpr const char* kValueTooLargeMessage = "Enter real number <= 1e12";

inline bool IsStorable(double v) { return std::isfinite(v) && std::fabs(v) <= kLargestValue; }

// A positive quantity that the file writes with three decimals and reads back as positive.
inline bool IsWritablePositive(double v) { return IsStorable(v) && std::round(v * 1000.0) > 0.0; }

}  // namespace planaq
