#pragma once
// The program's glyphs: outline drawings on a transparent ground, one per toolbar command and
// the program's emblem (contours around a well). They are drawn here with QPainter on a grid
// of 24 by 24 units, so every size and device-pixel ratio gets its own sharp pixmap.

#include <QIcon>

class QPainter;

namespace planaq::ui {

enum class Glyph {
  Open,
  New,
  Edit,
  Save,
  Print,
  Options,
  Properties,
  Nodes,
  Elements,
  Mesh,
  Wells,
  Particles,
  Solve,
  Contours,
  Graph3D,
  Manual,
  Help,
  Program
};
constexpr int kGlyphCount = static_cast<int>(Glyph::Program) + 1;

// the glyph drawn into the square (0, 0, side, side) of painter
void DrawGlyph(QPainter& painter, Glyph glyph, qreal side);
// an icon with pixmaps from 16 to 256 pixels
QIcon GlyphIcon(Glyph glyph);

}  // namespace planaq::ui
