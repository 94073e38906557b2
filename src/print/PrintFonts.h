#pragma once
// The three fonts of every printed page, all black. Sizes are pixels at 96 pixels per inch;
// on paper they keep their size in points.

#include "canvas/Canvas.h"

namespace planaq {

struct PrintFonts {
  Font FontNormal{"Courier New", 11, false, false, Rgb{0, 0, 0}};
  Font FontBold{"MS Sans Serif", 13, true, false, Rgb{0, 0, 0}};
  Font FontSmallBold{"MS Sans Serif", 11, true, false, Rgb{0, 0, 0}};
};

}  // namespace planaq
