// The layers of the results beyond the heads: pathlines, their time marks and the water
// balance table.

#include <cstddef>

#include "maps/MapFeatures.h"
#include "maps/MapLayers.h"

namespace planaq {

std::string WritePathlinesLayer(const Problem&, const LayerTarget& t) {
  const MapLayer layer = NewLayer(
      t, "pathlines", wkbLineString,
      {{"particle", OFTInteger}, {"layer", OFTInteger}, {"t_start", OFTReal}, {"t_end", OFTReal}});
  if (layer.layer == nullptr) return LastGdalError("cannot make the layer pathlines");
  for (const PathStretch& s : t.results.paths.stretches) {
    OGRLineString line;
    for (std::size_t k = 0; k < s.x.size(); ++k)
      line.addPoint(s.x[k] + t.options.X0, s.y[k] + t.options.Y0);
    if (!FeatureWriter(layer)
             .Set(0, s.particle + 1)
             .Set(1, s.layer)
             .Set(2, s.startTime)
             .Set(3, s.endTime)
             .Write(line))
      return LastGdalError("cannot write the layer pathlines");
  }
  return {};
}

std::string WriteMarksLayer(const Problem&, const LayerTarget& t) {
  const MapLayer layer =
      NewLayer(t, "marks", wkbPoint, {{"particle", OFTInteger}, {"time", OFTReal}});
  if (layer.layer == nullptr) return LastGdalError("cannot make the layer marks");
  for (const PathMark& m : t.results.paths.marks) {
    const OGRPoint point(m.x + t.options.X0, m.y + t.options.Y0);
    if (!FeatureWriter(layer).Set(0, m.particle + 1).Set(1, m.time).Write(point))
      return LastGdalError("cannot write the layer marks");
  }
  return {};
}

namespace {

// Short enough for a shapefile's table (ten characters).
const FieldList kBalanceFields{
    {"name", OFTString},    {"infiltr", OFTReal},   {"wells_in", OFTReal},  {"wells_out", OFTReal},
    {"given_in", OFTReal},  {"given_out", OFTReal}, {"seepage", OFTReal},   {"above_in", OFTReal},
    {"above_out", OFTReal}, {"below_in", OFTReal},  {"below_out", OFTReal}, {"error", OFTReal},
    {"rel_error", OFTReal}, {"net_down", OFTReal},  {"largest", OFTReal},   {"node", OFTInteger}};

bool WriteAquifer(const MapLayer& layer, std::size_t L, const AquiferBalance& a) {
  FeatureWriter row(layer);
  row.Set(0, "Aquifer " + std::to_string(L + 1));
  const double figures[] = {a.infiltration, a.wellsIn,  a.wellsOut, a.givenIn,
                            a.givenOut,     a.seepage,  a.aboveIn,  a.aboveOut,
                            a.belowIn,      a.belowOut, a.error,    a.relativeError};
  int field = 1;
  for (double v : figures) row.Set(field++, v);
  return row.Write(nullptr);
}

bool WriteAquitard(const MapLayer& layer, std::size_t L, const AquitardBalance& a) {
  FeatureWriter row(layer);
  row.Set(0, "Aquitard " + std::to_string(L + 1) + "-" + std::to_string(L + 2))
      .Set(13, a.netDownward)
      .Set(14, a.largestLocal);
  if (a.largestNode >= 0) row.Set(15, a.largestNode + 1);
  return row.Write(nullptr);
}

}  // namespace

// A table without geometry: a row per aquifer, then a row per aquitard; the cells that do not
// apply to a row stay empty.
std::string WriteBalanceLayer(const Problem&, const LayerTarget& t) {
  if (t.shared != nullptr) return {};  // a drawing holds no table
  const MapLayer layer = NewLayer(t, "balance", wkbNone, kBalanceFields);
  if (layer.layer == nullptr) return LastGdalError("cannot make the layer balance");
  const WaterBalance& b = t.results.balance;
  for (std::size_t L = 0; L < b.aquifers.size(); ++L)
    if (!WriteAquifer(layer, L, b.aquifers[L]))
      return LastGdalError("cannot write the layer balance");
  for (std::size_t L = 0; L < b.aquitards.size(); ++L)
    if (!WriteAquitard(layer, L, b.aquitards[L]))
      return LastGdalError("cannot write the layer balance");
  return {};
}

}  // namespace planaq
