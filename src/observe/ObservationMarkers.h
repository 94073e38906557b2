#pragma once
// The observation points of one layer on the contour figure, on the screen and on paper: a
// circle of the given radius coloured by the sign of the residual (as in the scatter figure),
// grey where the point has no computed head, with the point's name beside it.

#include "canvas/Canvas.h"
#include "observe/ObservedHeads.h"
#include "results/ContourMapping.h"

namespace planaq {

constexpr Rgb kObservationNotUsed{128, 128, 128};

void DrawObservationMarkers(const ObservationSet& set, const std::vector<ObservedHead>& heads,
                            int layer, const ContourMapping& mapping, Canvas& canvas,
                            int radius = 4);

}  // namespace planaq
