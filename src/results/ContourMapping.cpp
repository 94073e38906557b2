#include "results/ContourMapping.h"

#include <cmath>

#include "results/DeviceCoordinate.h"

namespace planaq {

Point ContourMapping::Map(double x, double y) const {
  return Point{DeviceCoordinate((x - xmin) * k + left), DeviceCoordinate(base - (y - ymin) * k)};
}

ContourMapping MakeContourMapping(const Problem& problem, int left, int DW, int DH, int base) {
  ContourMapping m;
  m.left = left;
  m.base = base;
  if (problem.NN <= 0 || problem.NM <= 0) return m;
  double xlo = problem.nodes[0].X, xhi = xlo, ylo = problem.nodes[0].Y, yhi = ylo;
  for (int n = 1; n < problem.NN; ++n) {
    const Node& node = problem.nodes[n];
    xlo = std::fmin(xlo, node.X);
    xhi = std::fmax(xhi, node.X);
    ylo = std::fmin(ylo, node.Y);
    yhi = std::fmax(yhi, node.Y);
  }
  const double xmin = std::trunc(xlo), xmax = std::trunc(xhi);
  const double ymin = std::trunc(ylo), ymax = std::trunc(yhi);
  m.dx = xmax - xmin;
  m.dy = ymax - ymin;
  m.lengthScale = 0.1 * std::sqrt((m.dx * m.dx + m.dy * m.dy) / problem.NM);
  // a zero extent in one direction leaves the other to set the scale
  const double kx = m.dx > 0.0 ? DW / m.dx : INFINITY;
  const double ky = m.dy > 0.0 ? DH / m.dy : INFINITY;
  m.k = std::fmin(kx, ky);
  if (!std::isfinite(m.k) || m.k <= 0.0) {
    m.k = 0.0;
    return m;
  }
  m.xmin = std::trunc(xmin - (DW / m.k - m.dx) * 0.5);
  m.ymin = std::trunc(ymin - (DH / m.k - m.dy) * 0.5);
  m.valid = true;
  return m;
}

ContourMapping ScreenContourMapping(const Problem& problem, int clientWidth, int clientHeight) {
  const int W = clientWidth - 1;
  const int H = clientHeight - 1;
  const int mx = W / 20;
  const int my = H / 20;
  const int DW = W - 2 * mx;
  const int DH = H - my - 25;
  return MakeContourMapping(problem, mx, DW, DH, H - 25);
}

DeviceRect ProblemAreaRectangle(const ContourMapping& m) {
  DeviceRect r;
  r.left = DeviceCoordinate(m.left - m.xmin * m.k);
  r.right = DeviceCoordinate(r.left + m.dx * m.k);
  r.bottom = DeviceCoordinate(m.ymin * m.k + m.base);
  r.top = DeviceCoordinate(r.bottom - m.dy * m.k);
  return r;
}

}  // namespace planaq
