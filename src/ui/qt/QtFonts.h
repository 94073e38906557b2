#pragma once
// The program's font faces on this system: Courier New is drawn in Liberation Mono, Arial and
// MS Sans Serif in Liberation Sans (the same metrics), DejaVu when those are missing.

#include <QFont>

#include "canvas/Canvas.h"

namespace planaq {

// On the screen a font has its size in pixels at 96 pixels per inch; on paper it keeps that
// size in points, whatever the printer's resolution.
QFont QtFontFor(const Font& font, bool onPaper);

}  // namespace planaq
