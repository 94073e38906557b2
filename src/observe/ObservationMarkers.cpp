#include "observe/ObservationMarkers.h"

#include "model/Windows1252.h"
#include "observe/ScatterFigure.h"

namespace planaq {

void DrawObservationMarkers(const ObservationSet& set, const std::vector<ObservedHead>& heads,
                            int layer, const ContourMapping& mapping, Canvas& canvas, int radius) {
  if (!mapping.valid) return;
  canvas.SetPenMode(PenMode::Copy);
  canvas.SetPenStyle(PenStyle::Solid);
  canvas.SetPenWidth(1);
  canvas.SetFont(Font{"Arial", 11, false, false, Rgb{0, 0, 0}});
  for (std::size_t i = 0; i < set.points.size() && i < heads.size(); ++i) {
    const Observation& o = set.points[i];
    if (o.layer != layer || heads[i].status == ObservationStatus::Outside) continue;
    const Point p = mapping.Map(o.X, o.Y);
    const Rgb colour = heads[i].used() ? ResidualColour(heads[i].residual) : kObservationNotUsed;
    canvas.SetPenColour(Rgb{0, 0, 0});
    canvas.SetBrushColour(colour);
    canvas.Ellipse(p.x - radius, p.y - radius, p.x + radius + 1, p.y + radius + 1);
    canvas.SetBrushColour(Rgb{255, 255, 255});
    const int gap = radius + (radius + 1) / 2;
    canvas.TextOut(p.x + gap, p.y - gap, Utf8ToWindows1252(o.name));  // the canvas takes 1252
  }
}

}  // namespace planaq
