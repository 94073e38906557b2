#include "results/TraceParticles.h"

#include <cmath>
#include <vector>

#include "results/Colours.h"
#include "solver/FlowField.h"

namespace planaq {

double StorageFactor(const Problem& problem, int e, int layerCode) {
  if (!problem.HasValidBlock(e)) return 0.0;
  const int soil = problem.blocks[problem.elements[e].Block].Soil;
  if (soil < 0 || soil >= static_cast<int>(problem.soils.size())) return 0.0;
  const Soil& s = problem.soils[soil];
  if (layerCode >= 0) return s.P[layerCode] * s.R[layerCode];
  return s.PA[-layerCode] * s.RA[-layerCode];
}

namespace {

double MeanBottom(const Problem& problem, int e, int L) {
  const Element& el = problem.elements[e];
  double sum = 0.0;
  for (int n : el.Node) sum += problem.layers[n].B[L];
  return sum / 3.0;
}

struct Position {
  double x, y, z;
  bool operator==(const Position& o) const { return x == o.x && y == o.y && z == o.z; }
};

// The last extraction well of the particle's layer within the capture distance, or -1.
int CapturingWell(const Problem& problem, int layerCode, const Position& at, double distance) {
  int found = -1;
  for (int w = 0; w < problem.NW; ++w) {
    const Well& well = problem.wells[w];
    if (well.Q >= 0.0 || well.Layer != layerCode) continue;
    if (well.Node < 0 || well.Node >= problem.NN) continue;
    const Node& node = problem.nodes[well.Node];
    if (std::fabs(node.X - at.x) + std::fabs(node.Y - at.y) < distance) found = w;
  }
  return found;
}

void DrawMark(Canvas& canvas, Point p, int m) {
  canvas.MoveTo(p.x - m, p.y - m);
  canvas.LineTo(p.x + m, p.y - m);
  canvas.LineTo(p.x + m, p.y + m);
  canvas.LineTo(p.x - m, p.y + m);
  canvas.LineTo(p.x - m, p.y - m);
}

class Tracer {
 public:
  Tracer(Problem& problem, const PathMapping& mapping, const TraceSettings& settings,
         Canvas& canvas)
      : problem_(problem),
        mapping_(mapping),
        settings_(settings),
        canvas_(canvas),
        steps_(problem.NP, 0) {}

  // Locates every particle; returns how many are under way.
  int Start() {
    int active = 0;
    for (int i = 0; i < problem_.NP; ++i) {
      UpdateParticle(problem_, i);
      const Particle& p = problem_.particles[i];
      if (p.Element < 0) continue;
      ++active;
      Report(i, Position{p.X, p.Y, p.Z}, p.LayerCode, false);
    }
    return active;
  }

  // One step of particle i; false when the particle has ended.
  bool Step(int i, double dt, bool markStep) {
    Particle& p = problem_.particles[i];
    UpdateParticle(problem_, i);
    if (p.Element < 0) return false;
    const int v = p.LayerCode;
    const int e = p.Element;
    canvas_.SetPenColour(v == settings_.currentLayer ? colours::kNavy : colours::kBlue);
    const double nR = StorageFactor(problem_, e, v);
    // no porosity gives no defined velocity: the particle ends where it stands
    if (!(nR > 0.0) || !std::isfinite(nR)) return false;

    const Position old{p.X, p.Y, p.Z};
    Position next{p.X + p.qx * dt / nR, p.Y + p.qy * dt / nR, p.Z + p.w * dt / nR};
    if (!std::isfinite(next.x) || !std::isfinite(next.y) || !std::isfinite(next.z)) return false;
    // the base of the deepest aquifer is impermeable
    if (v == problem_.NL - 1 && next.z < MeanBottom(problem_, e, v)) next.z = old.z;
    bool ended = false;
    const int well = CapturingWell(problem_, v, next, settings_.captureDistance);
    if (well >= 0) {
      const Node& node = problem_.nodes[problem_.wells[well].Node];
      next = Position{node.X, node.Y, old.z};
      ended = true;
    }

    const Point from = mapping_(old.x, old.y, old.z);
    const Point to = mapping_(next.x, next.y, next.z);
    canvas_.MoveTo(from.x, from.y);
    canvas_.LineTo(to.x, to.y);

    // a particle that did not move keeps its element, layer and velocity: it never would
    if (next == old) ended = true;
    p.X = next.x;
    p.Y = next.y;
    p.Z = next.z;
    UpdateParticle(problem_, i);
    if (p.Element < 0) ended = true;
    if (markStep) DrawMark(canvas_, to, settings_.markHalfSize);
    ++steps_[i];
    Report(i, next, v, markStep);
    return !ended;
  }

 private:
  void Report(int i, const Position& at, int code, bool mark) {
    if (settings_.observer == nullptr) return;
    settings_.observer->OnStep(TraceStep{i, steps_[i], at.x, at.y, at.z, code, mark});
  }

  Problem& problem_;
  const PathMapping& mapping_;
  const TraceSettings& settings_;
  Canvas& canvas_;
  std::vector<long long> steps_;
};

}  // namespace

TraceResult TraceParticles(Problem& problem, const PathMapping& mapping,
                           const TraceSettings& settings, Canvas& canvas, PendingEvents& events) {
  TraceResult result;
  InitParticles(problem);
  double mean = MeanDischarge(problem);
  if (!(mean >= 1e-6)) mean = 1e-6;
  problem.meanDischarge = mean;
  const double dt = 0.01 * settings.lengthScale / mean;

  Tracer tracer(problem, mapping, settings, canvas);
  int active = tracer.Start();
  result.traced = active;
  double t = 0.0;   // time since the last mark
  long long j = 0;  // passes since the last mark
  while (active > 0 && result.passes < settings.maxPasses) {
    for (int i = 0; i < problem.NP; ++i) {
      Particle& p = problem.particles[i];
      if (p.Element < 0) continue;
      if (!tracer.Step(i, dt, j == 0)) {
        p.Element = -1;
        --active;
      }
    }
    ++result.passes;
    t += dt;
    ++j;
    if (t >= problem.TM) {
      t = 0.0;
      j = 0;
    }
    if (!events.Process()) {
      result.interrupted = true;
      break;
    }
  }
  result.unfinished = active;
  // a trace stopped by the hook leaves the problem alone: it may have changed meanwhile, and
  // the next trace starts from the initial positions anyway
  if (settings.resetAfter && !result.interrupted) InitParticles(problem);
  return result;
}

}  // namespace planaq
