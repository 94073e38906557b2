#include "maps/MapLayers.h"

#include <gdal_priv.h>
#include <ogrsf_frmts.h>

#include <algorithm>
#include <utility>
#include <vector>

#include "maps/ExportLevels.h"
#include "results/ContourLevels.h"

namespace planaq {

namespace {

using FieldList = std::vector<std::pair<std::string, OGRFieldType>>;

std::string LastGdalError(const char* what) {
  const char* msg = CPLGetLastErrorMsg();
  return std::string(what) + (msg && *msg ? std::string(": ") + msg : std::string());
}

OGRLayer* NewLayer(const LayerTarget& t, const char* name, OGRwkbGeometryType type,
                   const FieldList& fields) {
  OGRLayer* layer = t.dataset.CreateLayer(name, t.srs, type, nullptr);
  if (layer == nullptr) return nullptr;
  for (const auto& [fieldName, fieldType] : fields) {
    OGRFieldDefn defn(fieldName.c_str(), fieldType);
    if (layer->CreateField(&defn) != OGRERR_NONE) return nullptr;
  }
  return layer;
}

OGRPoint ShiftedPoint(const LayerTarget& t, double x, double y) {
  return OGRPoint(x + t.options.X0, y + t.options.Y0);
}

// Takes the geometry and the fields in their order; false when GDAL refused the feature.
class FeatureWriter {
 public:
  explicit FeatureWriter(OGRLayer& layer) : layer_(layer), feature_(layer.GetLayerDefn()) {}
  FeatureWriter& Set(int field, int value) {
    feature_.SetField(field, value);
    return *this;
  }
  FeatureWriter& Set(int field, double value) {
    feature_.SetField(field, value);
    return *this;
  }
  bool Write(const OGRGeometry& geometry) {
    feature_.SetGeometry(&geometry);
    feature_.SetFID(OGRNullFID);
    return layer_.CreateFeature(&feature_) == OGRERR_NONE;
  }

 private:
  OGRLayer& layer_;
  OGRFeature feature_;
};

int LayerCount(const Problem& problem) { return std::clamp(problem.NL, 1, kMaxLayers); }

}  // namespace

std::string WriteMeshLayer(const Problem& problem, const LayerTarget& t) {
  OGRLayer* layer =
      NewLayer(t, "mesh", wkbPolygon, {{"element", OFTInteger}, {"soil", OFTInteger}});
  if (layer == nullptr) return LastGdalError("cannot make the layer mesh");
  for (int e = 0; e < problem.NM; ++e) {
    const Element& el = problem.elements[e];
    OGRLinearRing ring;
    for (int k = 0; k <= 3; ++k) {
      const Node& n = problem.nodes[el.Node[k % 3]];
      ring.addPoint(n.X + t.options.X0, n.Y + t.options.Y0);
    }
    OGRPolygon polygon;
    polygon.addRing(&ring);
    if (!FeatureWriter(*layer).Set(0, e + 1).Set(1, el.Block + 1).Write(polygon))
      return LastGdalError("cannot write the layer mesh");
  }
  return {};
}

std::string WriteNodesLayer(const Problem& problem, const LayerTarget& t) {
  FieldList fields{{"node", OFTInteger}, {"type", OFTInteger}};
  const int nl = LayerCount(problem);
  for (int L = 1; L <= nl; ++L)
    for (const char* q : {"B", "T", "F", "Q"}) fields.push_back({q + std::to_string(L), OFTReal});
  OGRLayer* layer = NewLayer(t, "nodes", wkbPoint, fields);
  if (layer == nullptr) return LastGdalError("cannot make the layer nodes");
  for (int n = 0; n < problem.NN; ++n) {
    const Node& node = problem.nodes[n];
    const NodeLayers& v = problem.layers[n];
    FeatureWriter feature(*layer);
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
  OGRLayer* layer =
      NewLayer(t, "contours", wkbLineString, {{"layer", OFTInteger}, {"level", OFTReal}});
  if (layer == nullptr) return LastGdalError("cannot make the layer contours");
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
        if (!FeatureWriter(*layer).Set(0, L + 1).Set(1, level.shown).Write(line))
          return LastGdalError("cannot write the layer contours");
      }
  }
  return {};
}

std::string WriteWellsLayer(const Problem& problem, const LayerTarget& t) {
  OGRLayer* layer =
      NewLayer(t, "wells", wkbPoint,
               {{"well", OFTInteger}, {"layer", OFTInteger}, {"Q", OFTReal}, {"F", OFTReal}});
  if (layer == nullptr) return LastGdalError("cannot make the layer wells");
  for (int w = 0; w < problem.NW; ++w) {
    const Well& well = problem.wells[w];
    const Node& node = problem.nodes[well.Node];
    const int L = std::clamp(well.Layer, 0, kMaxLayers - 1);
    FeatureWriter feature(*layer);
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
