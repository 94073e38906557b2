#pragma once
// The 3D graph: background, the bottom and top surfaces of every layer, wells, the groundwater
// table of the current layer with its contours, and the pathlines in three dimensions. The
// printed 3D page draws the scene and the pathlines with its own frame, writing its texts
// between the two.

#include <optional>
#include <string>

#include "canvas/Canvas.h"
#include "model/Options.h"
#include "model/Problem.h"
#include "results/PendingEvents.h"
#include "results/Projection3D.h"
#include "results/TraceParticles.h"

namespace planaq {

// Background, surfaces in painter's order (deepest layer first), wells, groundwater table and
// contours of layer (0-based) as the options choose. Returns the contour legend when the
// contours were drawn (the window's bar keeps its last legend otherwise).
std::optional<std::string> DrawGraph3DScene(const Problem& problem, int layer,
                                            const Options& options, const Projection3D& projection,
                                            const Frame3D& frame, Canvas& canvas);

// The pathlines in three dimensions: capture within 10 Ls, marks of half-size markHalfSize.
TraceResult TraceGraph3D(Problem& problem, int layer, const Projection3D& projection,
                         int markHalfSize, bool resetAfter, Canvas& canvas, PendingEvents& events,
                         TraceObserver* observer = nullptr);

// The whole screen figure in a client area of the given size; returns the legend when the
// contours were drawn.
std::optional<std::string> DrawGraph3D(Problem& problem, int layer, const Options& options,
                                       int clientWidth, int clientHeight, Canvas& canvas,
                                       PendingEvents& events, TraceObserver* observer = nullptr);

}  // namespace planaq
