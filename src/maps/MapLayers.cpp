#include "maps/MapLayers.h"

#include <algorithm>
#include <vector>

#include "maps/ExportLevels.h"
#include "maps/MapFeatures.h"
#include "results/ContourLevels.h"

namespace planaq {

namespace {

OGRPoint ShiftedPoint(const LayerTarget& t, double x, double y) {
  return OGRPoint(x + t.options.X0, y + t.options.Y0);
}

int LayerCount(const Problem& problem) { return std::clamp(problem.NL, 1, kMaxLayers); }

}  // namespace

std::string WriteMeshLayer(const Problem& problem, const LayerTarget& t) {
  const MapLayer layer =
      NewLayer(t, "mesh", wkbPolygon, {{"element", OFTInteger}, {"soil", OFTInteger}});
  if (layer.layer == nullptr) return LastGdalError("cannot make the layer mesh");
  for (int e = 0; e < problem.NM; ++e) {
    const Element& el = problem.elements[e];
    OGRLinearRing ring;
    for (int k = 0; k <= 3; ++k) {
      const Node& n = problem.nodes[el.Node[k % 3]];
      ring.addPoint(n.X + t.options.X0, n.Y + t.options.Y0);
    }
    OGRPolygon polygon;
    polygon.addRing(&ring);
    if (!FeatureWriter(layer).Set(0, e + 1).Set(1, el.Block + 1).Write(polygon))
      return LastGdalError("cannot write the layer mesh");
  }
  return {};
}

std::string WriteNodesLayer(const Problem& problem, const LayerTarget& t) {
  FieldList fields{{"node", OFTInteger}, {"type", OFTInteger}};
  const int nl = LayerCount(problem);
  for (int L = 1; L <= nl; ++L)
    for (const char* q : {"B", "T", "F", "Q"}) fields.push_back({q + std::to_string(L), OFTReal});
  const MapLayer layer = NewLayer(t, "nodes", wkbPoint, fields);
  if (layer.layer == nullptr) return LastGdalError("cannot make the layer nodes");
  for (int n = 0; n < problem.NN; ++n) {
    const Node& node = problem.nodes[n];
    const NodeLayers& v = problem.layers[n];
    FeatureWriter feature(layer);
    feature.Set(0, n + 1).Set(1, node.Type);
    for (int L = 0; L < nl; ++L)
      feature.Set(2 + 4 * L, v.B[L])
          .Set(3 + 4 * L, v.T[L])
          .Set(4 + 4 * L, v.F[L])
          .Set(5 + 4 * L, v.Q[L]);
    if (!feature.Write(ShiftedPoint(t, node.X, node.Y)))
      return LastGdalError("cannot write the layer nodes");
  }
  return {};
}

std::string WriteContoursLayer(const Problem& problem, const LayerTarget& t) {
  const MapLayer layer =
      NewLayer(t, "contours", wkbLineString, {{"layer", OFTInteger}, {"level", OFTReal}});
  if (layer.layer == nullptr) return LastGdalError("cannot make the layer contours");
  std::vector<int> layers = t.options.layers;
  if (layers.empty())
    for (int L = 0; L < LayerCount(problem); ++L) layers.push_back(L);
  for (int L : layers) {
    const std::vector<ExportLevel> levels = ExportLevels(problem, L, t.options.interval);
    for (int e = 0; e < problem.NM; ++e)
      for (const ExportLevel& level : levels) {
        const auto segment = ContourSegment(problem, L, e, level.traced);
        if (!segment) continue;
        OGRLineString line;
        line.addPoint(segment->from.x + t.options.X0, segment->from.y + t.options.Y0);
        line.addPoint(segment->to.x + t.options.X0, segment->to.y + t.options.Y0);
        if (!FeatureWriter(layer).Set(0, L + 1).Set(1, level.shown).Write(line))
          return LastGdalError("cannot write the layer contours");
      }
  }
  return {};
}

std::string WriteWellsLayer(const Problem& problem, const LayerTarget& t) {
  const MapLayer layer =
      NewLayer(t, "wells", wkbPoint,
               {{"well", OFTInteger}, {"layer", OFTInteger}, {"Q", OFTReal}, {"F", OFTReal}});
  if (layer.layer == nullptr) return LastGdalError("cannot make the layer wells");
  for (int w = 0; w < problem.NW; ++w) {
    const Well& well = problem.wells[w];
    const Node& node = problem.nodes[well.Node];
    const int L = std::clamp(well.Layer, 0, kMaxLayers - 1);
    FeatureWriter feature(layer);
    feature.Set(0, w + 1)
        .Set(1, well.Layer + 1)
        .Set(2, well.Q)
        .Set(3, problem.layers[well.Node].F[L]);
    if (!feature.Write(ShiftedPoint(t, node.X, node.Y)))
      return LastGdalError("cannot write the layer wells");
  }
  return {};
}

}  // namespace planaq
