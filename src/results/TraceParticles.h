#pragma once
// The pathline tracer of the figures: all particles advance together, one pass per time step,
// with a time mark every TM days. Each figure gives its own mapping onto its surface.

#include <functional>

#include "canvas/Canvas.h"
#include "model/Problem.h"
#include "results/PendingEvents.h"

namespace planaq {

// At the mean pace (and P R = 1) a particle crosses the diagonal of the mesh in
// 1000 sqrt(NM) passes, about 141 000 with 20 000 elements; this many passes leave a margin of
// seventy for slower particles, longer paths and larger storage factors. Only particles that
// never come to an end (circling or dithering about a sink that is no well) run into it.
constexpr long long kTracePassLimit = 10'000'000;

// A position of a particle onto the drawing surface: (x, y) for the contour figure, (x, y, z)
// projected for the 3D graph.
using PathMapping = std::function<Point(double x, double y, double z)>;

// One step of one particle as it is drawn; step 0 is the start of the pathline.
struct TraceStep {
  int particle = 0;    // 0-based
  long long step = 0;  // steps of this particle so far
  double x = 0.0, y = 0.0, z = 0.0;
  int layerCode = 0;  // the code the step was made in (the start: where it starts)
  bool mark = false;  // a time mark is drawn at (x, y, z)
};

class TraceObserver {
 public:
  virtual ~TraceObserver() = default;
  virtual void OnStep(const TraceStep& step) = 0;
};

struct TraceSettings {
  double lengthScale = 0.0;      // h: the time step is 0.01 h / mean discharge
  double captureDistance = 0.0;  // an extraction well within this (|dx| + |dy|) captures
  int markHalfSize = 1;          // m: marks are squares from -m to +m around the point
  bool resetAfter = true;        // particles back at their starting positions afterwards
  int currentLayer = 0;          // its particles are drawn navy, the others blue
  long long maxPasses = kTracePassLimit;
  TraceObserver* observer = nullptr;
};

struct TraceResult {
  long long passes = 0;
  int traced = 0;            // particles that started in the mesh and in a layer
  int unfinished = 0;        // still under way when the pass limit or the window stopped the trace
  bool interrupted = false;  // the pending-events hook asked to stop
};

// Traces every particle from its starting position to its end (out of the mesh or the layers,
// captured by a well, or standing still), drawing its pathline and marks on the canvas and
// calling the hook after every pass. The mean discharge used is stored in the problem. Once the
// hook has asked to stop, the tracer touches the problem no more (no reset either).
TraceResult TraceParticles(Problem& problem, const PathMapping& mapping,
                           const TraceSettings& settings, Canvas& canvas, PendingEvents& events);

// P R of the aquifer (code >= 0) or P' R' of the aquitard (code < 0) at element e; 0 when the
// element has no block.
double StorageFactor(const Problem& problem, int e, int layerCode);

}  // namespace planaq
