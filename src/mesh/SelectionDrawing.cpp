#include "mesh/SelectionDrawing.h"

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
  canvas.SetBrushColour(kSelectionMark);
  for (int n : nodes) {
    if (n < 0 || n >= p.NN) continue;
    const Point at = map.ToPixel(p.nodes[n].X, p.nodes[n].Y);
    canvas.FillRect(at.x - 2, at.y - 2, at.x + 3, at.y + 3);
  }
  canvas.SetPenColour(kBlack);
}

}  // namespace planaq
