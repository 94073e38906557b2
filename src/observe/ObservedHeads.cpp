#include "observe/ObservedHeads.h"

#include <algorithm>
#include <cmath>

#include "observe/ElementLocator.h"

namespace planaq {

double InterpolateHead(const Problem& p, int e, int layer, double x, double y) {
  const auto& n = p.elements[e].Node;
  const Node &a = p.nodes[n[0]], &b = p.nodes[n[1]], &c = p.nodes[n[2]];
  // barycentric weights: areas of the sub-triangles over the area of the element
  const double det = (b.X - a.X) * (c.Y - a.Y) - (c.X - a.X) * (b.Y - a.Y);
  const double wb = ((x - a.X) * (c.Y - a.Y) - (c.X - a.X) * (y - a.Y)) / det;
  const double wc = ((b.X - a.X) * (y - a.Y) - (x - a.X) * (b.Y - a.Y)) / det;
  const double wa = 1.0 - wb - wc;
  return wa * p.layers[n[0]].F[layer] + wb * p.layers[n[1]].F[layer] + wc * p.layers[n[2]].F[layer];
}

std::vector<ObservedHead> ComputeObservedHeads(const Problem& problem, const ObservationSet& set) {
  std::vector<ObservedHead> heads(set.points.size());
  if (set.empty()) return heads;
  const ElementLocator locator(problem);
  for (std::size_t i = 0; i < heads.size(); ++i) {
    const Observation& o = set.points[i];
    ObservedHead& h = heads[i];
    if (o.layer < 0 || o.layer >= problem.NL) {
      h.status = ObservationStatus::LayerBeyondNL;
      continue;
    }
    h.element = locator.Find(o.X, o.Y);
    if (h.element < 0) {
      h.status = ObservationStatus::Outside;
      continue;
    }
    h.computed = InterpolateHead(problem, h.element, o.layer, o.X, o.Y);
    if (!std::isfinite(h.computed) || !std::isfinite(o.head)) {
      h.status = ObservationStatus::NotFinite;
      continue;
    }
    h.residual = o.head - h.computed;
  }
  return heads;
}

ObservationStatistics ComputeStatistics(const ObservationSet& set,
                                        const std::vector<ObservedHead>& heads) {
  ObservationStatistics s;
  double sum = 0.0, sumAbs = 0.0, sumSq = 0.0, sumWSq = 0.0, sumW = 0.0;
  double lo = 0.0, hi = 0.0;
  for (std::size_t i = 0; i < heads.size() && i < set.points.size(); ++i) {
    if (!heads[i].used()) continue;
    const double r = heads[i].residual, w = set.points[i].weight, obs = set.points[i].head;
    if (s.used == 0) lo = hi = obs;
    lo = std::min(lo, obs);
    hi = std::max(hi, obs);
    ++s.used;
    sum += r;
    sumAbs += std::fabs(r);
    sumSq += r * r;
    sumWSq += w * r * r;
    sumW += w;
    if (s.largestName.empty() || std::fabs(r) > std::fabs(s.largest)) {
      s.largest = r;
      s.largestName = set.points[i].name;
    }
  }
  if (s.used == 0) return s;
  s.mean = sum / s.used;
  s.meanAbsolute = sumAbs / s.used;
  s.rms = std::sqrt(sumSq / s.used);
  s.weightedRms = sumW > 0.0 ? std::sqrt(sumWSq / sumW) : 0.0;
  s.hasRange = hi > lo;
  s.rmsOverRange = s.hasRange ? s.rms / (hi - lo) : 0.0;
  return s;
}

std::string StatusText(ObservationStatus status) {
  switch (status) {
    case ObservationStatus::Used:
      return "";
    case ObservationStatus::Outside:
      return "outside the mesh";
    case ObservationStatus::LayerBeyondNL:
      return "layer beyond NL";
    case ObservationStatus::NotFinite:
      return "head not finite";
  }
  return "";
}

}  // namespace planaq
