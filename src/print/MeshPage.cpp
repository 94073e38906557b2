#include "print/MeshPage.h"

#include <algorithm>
#include <limits>

namespace planaq {

Point MeshPageMapping::Map(double x, double y) const {
  return Point{static_cast<int>(left + k * (x - x0)), static_cast<int>(bottom - k * (y - y0))};
}

MeshPageMapping MeshPageMappingOf(const Problem& p, const DrawingBox& box) {
  const int marginX = box.width / 25;
  const int marginY = box.height / 25;
  const int aw = box.width - 2 * marginX;
  const int ah = box.height - 2 * marginY;
  double x0 = p.nodes[0].X, x1 = x0, y0 = p.nodes[0].Y, y1 = y0;
  for (int n = 1; n < p.NN; ++n) {
    x0 = std::min(x0, p.nodes[n].X);
    x1 = std::max(x1, p.nodes[n].X);
    y0 = std::min(y0, p.nodes[n].Y);
    y1 = std::max(y1, p.nodes[n].Y);
  }
  const double dx = x1 - x0, dy = y1 - y0;
  constexpr double kNone = std::numeric_limits<double>::infinity();
  // nodes on one line: the scale across the line serves alone
  double k = std::min(dx > 0.0 ? aw / dx : kNone, dy > 0.0 ? ah / dy : kNone);
  MeshPageMapping m;
  m.left = box.left + marginX;
  m.bottom = box.top + marginY + ah;
  if (k == kNone) {
    // every node on one point: it stands in the middle of the drawing area
    m.k = 1.0;
    m.x0 = x0 - aw / 2.0;
    m.y0 = y0 - ah / 2.0;
  } else if (k > 0.0) {
    m.k = k;
    m.x0 = x0 - (aw / k - dx) / 2.0;
    m.y0 = y0 - (ah / k - dy) / 2.0;
  } else {
    // a box of no size: the whole mesh collapses to its corner
    m.k = 0.0;
    m.x0 = x0;
    m.y0 = y0;
  }
  return m;
}

void PrintMeshPage(const Problem& p, const Options& options, PrintJob& job) {
  BeginGraphicsPage(p, job, "Mesh of Finite Elements");
  if (p.NN < 1) return;
  PrinterCanvas& canvas = job.canvas;
  canvas.SetPenStyle(PenStyle::Solid);
  canvas.SetPenColour(Rgb{0, 0, 0});
  canvas.SetBrushColour(Rgb{255, 255, 255});
  const MeshPageMapping m =
      MeshPageMappingOf(p, DrawingBoxOf(canvas.Width(), canvas.Height(), options));
  for (int e = 0; e < p.NM; ++e) {
    const Element& element = p.elements[e];
    canvas.Polygon({m.Map(p.nodes[element.Node[0]].X, p.nodes[element.Node[0]].Y),
                    m.Map(p.nodes[element.Node[1]].X, p.nodes[element.Node[1]].Y),
                    m.Map(p.nodes[element.Node[2]].X, p.nodes[element.Node[2]].Y)});
  }
}

}  // namespace planaq
