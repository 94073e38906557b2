#pragma once
// The contour figure of one layer: the problem area, the elements, red contours of the head
// and the pathlines of the particles. The printed contour page draws the same pieces with the
// mapping of its box.

#include <functional>
#include <string>

#include "canvas/Canvas.h"
#include "model/Problem.h"
#include "results/ContourLevels.h"
#include "results/ContourMapping.h"
#include "results/PendingEvents.h"
#include "results/TraceParticles.h"

namespace planaq {

// Every element as a triangle outlined yellow and filled white, in element order.
void DrawElements(const Problem& problem, const ContourMapping& mapping, Canvas& canvas);

// Calls visit(e, level, line) for every element in element order and, inside, every level.
void ForEachContourSegment(
    const Problem& problem, int layer, const ContourLevelSet& set,
    const std::function<void(int e, double level, const ContourLine& line)>& visit);

// The contour segments with the current pen.
void DrawContourLines(const Problem& problem, int layer, const ContourLevelSet& set,
                      const ContourMapping& mapping, Canvas& canvas);

// A position of a particle onto the contour figure (its elevation plays no part).
PathMapping ContourPathMapping(const ContourMapping& mapping);

// The tracing of the screen figure: capture within h, marks of 3 x 3 pixels, reset after.
TraceSettings ScreenContourTraceSettings(const ContourMapping& mapping, int layer);

// The whole screen figure of layer (0-based) in a client area of the given size, in its order:
// problem area, elements, contours, pathlines. Returns the legend for the window's bar.
std::string DrawContourFigure(Problem& problem, int layer, int clientWidth, int clientHeight,
                              Canvas& canvas, PendingEvents& events,
                              TraceObserver* observer = nullptr);

}  // namespace planaq
