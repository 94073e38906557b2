#pragma once
// The mapping between metres and the pixels of the mesh window (the block editor shares it):
// one scale for both axes, the area centred, 25 pixels kept free below it.

#include "canvas/Canvas.h"

namespace planaq {

struct MeshMapping {
  int ox = 0;      // left margin
  int my = 0;      // top margin
  int oy = 0;      // pixel row of the lower edge of the picture
  double s = 1.0;  // pixels per metre
  double xmin = 0.0, ymin = 0.0;

  // truncated toward zero, never rounded
  Point ToPixel(double x, double y) const;
  double ToX(int px) const { return (px - ox) / s + xmin; }
  double ToY(int py) const { return ymin - (py - oy) / s; }
};

// From the client size in pixels and the size of the area in metres.
MeshMapping ComputeMeshMapping(int width, int height, double LX, double LY);

}  // namespace planaq
