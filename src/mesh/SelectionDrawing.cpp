#include "mesh/SelectionDrawing.h"

#include <cmath>

#include "mesh/MeshDrawing.h"

namespace planaq {

namespace {

std::vector<ShapePoint> Outline(const SelectionShape& shape, bool finished) {
  if (shape.kind != ShapeKind::Rectangle || shape.points.size() != 2) {
    std::vector<ShapePoint> line = shape.points;
    if (finished && shape.kind == ShapeKind::Polygon && !line.empty()) line.push_back(line[0]);
    return line;
  }
  const ShapePoint a = shape.points[0], b = shape.points[1];
  return {a, {b.x, a.y}, b, {a.x, b.y}, a};
}

void DrawPath(Canvas& canvas, const MeshMapping& map, const std::vector<ShapePoint>& path) {
  for (std::size_t i = 0; i < path.size(); ++i) {
    const Point at = map.ToPixel(path[i].x, path[i].y);
    if (i == 0)
      canvas.MoveTo(at.x, at.y);
    else
      canvas.LineTo(at.x, at.y);
  }
}

// The band a finished line of half-width w selects in, dotted: each side at w on both hands
// and a circle of w around each corner, so the ends and bends show their round edge.
void DrawBand(Canvas& canvas, const MeshMapping& map, const SelectionShape& shape) {
  constexpr int kCircleSteps = 32;
  const double w = shape.width;
  canvas.SetPenStyle(PenStyle::Dot);
  for (std::size_t i = 1; i < shape.points.size(); ++i) {
    const ShapePoint a = shape.points[i - 1], b = shape.points[i];
    const double length = std::hypot(b.x - a.x, b.y - a.y);
    if (length == 0.0) continue;
    const double nx = -(b.y - a.y) / length * w, ny = (b.x - a.x) / length * w;
    for (const double side : {1.0, -1.0})
      DrawPath(canvas, map,
               {{a.x + side * nx, a.y + side * ny}, {b.x + side * nx, b.y + side * ny}});
  }
  for (const ShapePoint& c : shape.points) {
    std::vector<ShapePoint> circle;
    for (int k = 0; k <= kCircleSteps; ++k) {
      const double t = 2.0 * M_PI * k / kCircleSteps;
      circle.push_back({c.x + w * std::cos(t), c.y + w * std::sin(t)});
    }
    DrawPath(canvas, map, circle);
  }
  canvas.SetPenStyle(PenStyle::Solid);
}

}  // namespace

void DrawSelection(Canvas& canvas, const Problem& p, const MeshMapping& map,
                   const SelectionShape& shape, bool finished, const std::vector<int>& nodes) {
  canvas.SetPenColour(kSelectionLine);
  canvas.SetPenWidth(2);
  canvas.SetBrushColour(kSelectionLine);
  const std::vector<ShapePoint> line = Outline(shape, finished);
  for (std::size_t i = 0; i < line.size(); ++i) {
    const Point at = map.ToPixel(line[i].x, line[i].y);
    if (i == 0)
      canvas.MoveTo(at.x, at.y);
    else
      canvas.LineTo(at.x, at.y);
    // the vertices show where the user clicked
    canvas.FillRect(at.x - 1, at.y - 1, at.x + 2, at.y + 2);
    canvas.MoveTo(at.x, at.y);
  }
  canvas.SetPenWidth(1);
  if (finished && shape.kind == ShapeKind::Polyline && shape.width > 0.0)
    DrawBand(canvas, map, shape);
  canvas.SetBrushColour(kSelectionMark);
  for (int n : nodes) {
    if (n < 0 || n >= p.NN) continue;
    const Point at = map.ToPixel(p.nodes[n].X, p.nodes[n].Y);
    canvas.FillRect(at.x - 2, at.y - 2, at.x + 3, at.y + 3);
  }
  canvas.SetPenColour(kBlack);
}

}  // namespace planaq
