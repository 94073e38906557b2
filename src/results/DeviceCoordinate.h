#pragma once
// World coordinates become device coordinates by truncation toward zero, never by rounding.

#include <cmath>

namespace planaq {

// Truncates toward zero; values beyond the reach of any device (or not finite) are held to a
// range that an int and every canvas can take, so a degenerate figure cannot overflow.
inline int DeviceCoordinate(double v) {
  constexpr double kReach = 1.0e8;
  if (std::isnan(v)) return 0;
  if (v > kReach) v = kReach;
  if (v < -kReach) v = -kReach;
  return static_cast<int>(std::trunc(v));
}

}  // namespace planaq
