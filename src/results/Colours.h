#pragma once
// The named colours of the figures, as RGB.

#include "model/Problem.h"

namespace planaq::colours {

constexpr Rgb kBlack{0, 0, 0};
constexpr Rgb kWhite{255, 255, 255};
constexpr Rgb kYellow{255, 255, 0};
constexpr Rgb kRed{255, 0, 0};
constexpr Rgb kNavy{0, 0, 128};
constexpr Rgb kBlue{0, 0, 255};
constexpr Rgb kLime{0, 255, 0};
constexpr Rgb kAqua{0, 255, 255};

}  // namespace planaq::colours
