#include "maps/TracedPaths.h"

#include "results/ContourFigure.h"
#include "results/DiscardCanvas.h"
#include "results/TraceParticles.h"

namespace planaq {

namespace {

// The client area of the contour window the trace is made for; the time step and the capture
// distance do not depend on its size, and the steps come in model coordinates.
constexpr int kClientWidth = 1024;
constexpr int kClientHeight = 768;

int ShownLayer(int code) { return code >= 0 ? code + 1 : code - 1; }

// Collects the steps; every step knows its particle's step count, so the times follow from
// the time step once the trace has fixed it.
class StretchCollector : public TraceObserver {
 public:
  explicit StretchCollector(int particles) : open_(particles, -1) {}

  void OnStep(const TraceStep& s) override {
    const int layer = ShownLayer(s.layerCode);
    int& index = open_[s.particle];
    if (index < 0 || stretches_[index].layer != layer) {
      // a new layer: the stretch starts where the last one ended
      Stretch next{s.particle, layer, s.step, s.step, {}, {}};
      if (index >= 0) {
        const Stretch& last = stretches_[index];
        next.first = last.last;
        next.x.push_back(last.x.back());
        next.y.push_back(last.y.back());
      }
      stretches_.push_back(next);
      index = static_cast<int>(stretches_.size()) - 1;
    }
    Stretch& open = stretches_[index];
    open.last = s.step;
    open.x.push_back(s.x);
    open.y.push_back(s.y);
    if (s.mark) marks_.push_back({s.particle, s.step, s.x, s.y});
  }

  TracedPaths Result(double dt) {
    TracedPaths paths;
    for (Stretch& s : stretches_) {
      if (s.x.size() < 2) continue;  // a particle that never moved draws no line
      paths.stretches.push_back(
          {s.particle, s.layer, s.first * dt, s.last * dt, std::move(s.x), std::move(s.y)});
    }
    for (const Mark& m : marks_) paths.marks.push_back({m.particle, m.step * dt, m.x, m.y});
    return paths;
  }

 private:
  struct Stretch {
    int particle, layer;
    long long first, last;
    std::vector<double> x, y;
  };
  struct Mark {
    int particle;
    long long step;
    double x, y;
  };
  std::vector<int> open_;  // per particle: its stretch under way, -1 before its start
  std::vector<Stretch> stretches_;
  std::vector<Mark> marks_;
};

}  // namespace

TracedPaths TracePaths(const Problem& problem) {
  if (problem.NP <= 0) return {};
  Problem copy = problem;
  const ContourMapping mapping = ScreenContourMapping(copy, kClientWidth, kClientHeight);
  if (!mapping.valid) return {};
  DiscardCanvas canvas(kClientWidth, kClientHeight);
  NoPendingEvents events;
  StretchCollector collector(copy.NP);
  TraceSettings settings = ScreenContourTraceSettings(mapping, 0);
  settings.observer = &collector;
  const TraceResult r = TraceParticles(copy, ContourPathMapping(mapping), settings, canvas, events);
  // the tracer's own time step, from the mean discharge it stored
  const double dt = 0.01 * settings.lengthScale / copy.meanDischarge;
  TracedPaths paths = collector.Result(dt);
  paths.unfinished = r.unfinished;
  return paths;
}

}  // namespace planaq
