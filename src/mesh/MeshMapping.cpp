#include "mesh/MeshMapping.h"

#include <cmath>

namespace planaq {

namespace {

int Truncated(double v) {
  // far outside any window; held within int so that the conversion is defined
  if (!(v > -1e9)) return -1000000000;
  if (v > 1e9) return 1000000000;
  return static_cast<int>(v);
}

}  // namespace

Point MeshMapping::ToPixel(double x, double y) const {
  return {Truncated((x - xmin) * s + ox), Truncated(oy - (y - ymin) * s)};
}

MeshMapping ComputeMeshMapping(int W, int H, double LX, double LY) {
  MeshMapping m;
  m.ox = (W - 1) / 20;
  m.my = (H - 1) / 20;
  m.oy = (H - 1) - 25;
  const int uw = (W - 1) - 2 * m.ox;
  const int uh = (H - 1) - m.my - 25;
  double s = uw / LX;
  if (uh / LY < s) s = uh / LY;
  // a window too small for a picture still gets a usable scale
  if (!(s > 0) || !std::isfinite(s)) s = 1e-9;
  m.s = s;
  m.xmin = -(uw / s - LX) * 0.5;
  m.ymin = -(uh / s - LY) * 0.5;
  return m;
}

}  // namespace planaq
