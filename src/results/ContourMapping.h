#pragma once
// The mapping of world coordinates onto the contour figure: equal scales in x and y, y upward,
// centred in the drawing area, device coordinates truncated toward zero.

#include "canvas/Canvas.h"
#include "model/Problem.h"

namespace planaq {

struct ContourMapping {
  bool valid = false;  // false when the nodes give no finite positive scale
  double k = 0.0;      // device units per metre
  int left = 0;        // mx on the screen, the box's left plus its margin on paper
  int base = 0;        // the base line y0
  double xmin = 0.0;   // the integer node extents, xmin and ymin after centring
  double ymin = 0.0;
  double dx = 0.0;
  double dy = 0.0;
  double lengthScale = 0.0;  // h = 0.1 sqrt((dx^2 + dy^2) / NM), for the pathlines

  // X = trunc((x - xmin) k + left), Y = trunc(base - (y - ymin) k)
  Point Map(double x, double y) const;
};

// Fits the integer node extents into a drawing area of width DW and height DH whose left edge
// is left and whose base line is base.
ContourMapping MakeContourMapping(const Problem& problem, int left, int DW, int DH, int base);

// The mapping of the screen figure in a client area of the given size: margins of a twentieth,
// 25 pixels kept free below the drawing.
ContourMapping ScreenContourMapping(const Problem& problem, int clientWidth, int clientHeight);

struct DeviceRect {
  int left = 0, top = 0, right = 0, bottom = 0;
};

// The world rectangle (0, 0)..(dx, dy) on the device, the problem area of the screen figure.
DeviceRect ProblemAreaRectangle(const ContourMapping& m);

}  // namespace planaq
