#pragma once
// The figure of observed against computed heads: equal scales on both axes, the 1:1 line,
// a point per observation used, blue where the observed head lies above the computed one and
// orange where it lies below, and the statistics as the caption. The screen window and the
// printed page draw the same figure in their own rectangle.

#include "canvas/Canvas.h"
#include "observe/ObservedHeads.h"

namespace planaq {

struct ScatterBox {
  int left = 0, top = 0, width = 0, height = 0;
  int pointSize = 7;  // pixels of a point's circle
  Font font{"Arial", 11, false, false, Rgb{0, 0, 0}};
};

constexpr Rgb kObservedAbove{0, 0, 255};    // residual > 0
constexpr Rgb kObservedBelow{255, 128, 0};  // residual < 0
constexpr Rgb kObservedOn{0, 160, 0};       // residual 0

Rgb ResidualColour(double residual);

// The heads' range on both axes, widened a little and to whole steps of the ticks.
struct ScatterScale {
  double lo = 0.0, hi = 1.0, step = 0.2;
};
ScatterScale MakeScatterScale(const ObservationSet& set, const std::vector<ObservedHead>& heads);

void DrawScatterFigure(const ObservationSet& set, const std::vector<ObservedHead>& heads,
                       const ScatterBox& box, Canvas& canvas);

}  // namespace planaq
