#include "results/Projection3D.h"

#include <cmath>

#include "results/DeviceCoordinate.h"

namespace planaq {

Extents3D GraphExtents(const Problem& problem, bool integerXY) {
  Extents3D x;
  for (int n = 0; n < problem.NN; ++n) {
    const double nx = integerXY ? std::trunc(problem.nodes[n].X) : problem.nodes[n].X;
    const double ny = integerXY ? std::trunc(problem.nodes[n].Y) : problem.nodes[n].Y;
    const NodeLayers& l = problem.layers[n];
    if (n == 0) {
      x.x0 = x.x1 = nx;
      x.y0 = x.y1 = ny;
      x.z0 = x.z1 = l.B[0];
    }
    x.x0 = std::fmin(x.x0, nx);
    x.x1 = std::fmax(x.x1, nx);
    x.y0 = std::fmin(x.y0, ny);
    x.y1 = std::fmax(x.y1, ny);
    for (int L = 0; L < problem.NL; ++L)
      for (double z : {l.B[L], l.T[L], l.F[L]}) {
        x.z0 = std::fmin(x.z0, z);
        x.z1 = std::fmax(x.z1, z);
      }
  }
  return x;
}

Frame3D ScreenFrame3D(int clientWidth, int clientHeight) {
  const int cw = clientWidth - 1;
  const int ch = clientHeight - 1;
  Frame3D f;
  const int mx = cw / 20;
  f.left = mx;
  f.width = cw - 2 * mx;
  f.height = ch - ch / 20 - 25;
  f.base = ch - 25;
  return f;
}

PlanePoint Projection3D::Exact(double x, double y, double z) const {
  return PlanePoint{left + k * ((x - shiftedX0) + (y - extents.y0) * c),
                    base - k * ((z - extents.z0) * E + (y - extents.y0) * s)};
}

Point Projection3D::Map(double x, double y, double z) const {
  const PlanePoint p = Exact(x, y, z);
  return Point{DeviceCoordinate(p.x), DeviceCoordinate(p.y)};
}

Projection3D MakeProjection3D(const Problem& problem, const Options& options,
                              const Frame3D& frame) {
  Projection3D p;
  p.left = frame.left;
  p.base = frame.base;
  const double pi = 4.0 * std::atan(1.0);
  const double a = options.ViewingAngleDegrees();
  p.c = std::cos(a * pi / 180.0);
  p.s = std::sin(a * pi / 180.0);
  if (problem.NN <= 0) return p;

  const Extents3D& x = p.extents = GraphExtents(problem, frame.integerExtents);
  p.Wp = (x.x1 - x.x0) + (x.y1 - x.y0) * p.c;
  p.Hb = (x.y1 - x.y0) * p.s;
  p.lengthScale = problem.NM > 0 ? 0.1 * std::sqrt((p.Wp * p.Wp + p.Hb * p.Hb) / problem.NM) : 0.0;

  // the base never takes more than half the available height; a zero base depth (all nodes
  // on one line of y) leaves the width to set the scale
  const double kw = p.Wp > 0.0 ? frame.width / p.Wp : INFINITY;
  const double kh = p.Hb > 0.0 ? frame.height / (2.0 * p.Hb) : INFINITY;
  p.k = std::fmin(kw, kh);
  if (!std::isfinite(p.k) || p.k <= 0.0) {
    p.k = 0.0;
    return p;
  }
  // the heights fill the rest of the available height; all of them equal: a flat figure
  const double range = x.z1 - x.z0;
  p.E = range > 0.0 ? (frame.height / p.k - p.Hb) / range : 0.0;
  if (!std::isfinite(p.E)) p.E = 0.0;
  p.Ht = p.Hb + p.E * range;
  p.shiftedX0 = x.x0 - (frame.width / p.k - p.Wp) / 2.0;
  p.valid = std::isfinite(p.Ht) && std::isfinite(p.shiftedX0);
  return p;
}

}  // namespace planaq
