#pragma once
// The oblique parallel projection of the 3D graph: lines of constant y run horizontally,
// increasing y moves up and to the right along the viewing angle, z rises stretched by E.

#include "canvas/Canvas.h"
#include "model/Options.h"
#include "model/Problem.h"
#include "results/ContourLevels.h"

namespace planaq {

struct Extents3D {
  double x0 = 0.0, x1 = 0.0, y0 = 0.0, y1 = 0.0;  // over the nodes
  double z0 = 0.0, z1 = 0.0;                      // over B, T and F of every node and layer
};

// With integerXY each node coordinate is truncated toward zero first (the printed page).
Extents3D GraphExtents(const Problem& problem, bool integerXY);

// Where the figure goes on its surface.
struct Frame3D {
  int left = 0;                    // left edge of the available area
  int width = 0;                   // available width Aw
  int height = 0;                  // available height Ah
  int base = 0;                    // base line yb
  bool integerExtents = false;     // the printed page fits truncated x and y extents
  bool outlineBackground = false;  // the printed page outlines its background in black
};

// The screen frame in a client area of the given size: side margins of a twentieth, a
// twentieth above, 25 pixels free below.
Frame3D ScreenFrame3D(int clientWidth, int clientHeight);

struct Projection3D {
  bool valid = false;       // false when the nodes or the area give no finite positive scale
  double c = 0.0, s = 0.0;  // cosine and sine of the viewing angle
  Extents3D extents;
  double Wp = 0.0, Hb = 0.0, Ht = 0.0;  // projected width, base depth and total height
  double lengthScale = 0.0;             // Ls, for the pathlines
  double k = 0.0;                       // device units per metre
  double E = 0.0;                       // vertical exaggeration; 0 when all heights are equal
  double shiftedX0 = 0.0;               // x0' of the horizontal centring
  int left = 0, base = 0;

  // the projected point before truncation
  PlanePoint Exact(double x, double y, double z) const;
  Point Map(double x, double y, double z) const;
};

Projection3D MakeProjection3D(const Problem& problem, const Options& options, const Frame3D& frame);

}  // namespace planaq
