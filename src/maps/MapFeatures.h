#pragma once
// Making a layer and writing its features, shared by the layer writers. A format that holds a
// single layer of fixed fields (DXF) takes every feature into that one layer, named by its
// "Layer" field, and leaves the attributes out.

#include <gdal_priv.h>
#include <ogrsf_frmts.h>

#include <string>
#include <utility>
#include <vector>

#include "maps/MapLayers.h"

namespace planaq {

using FieldList = std::vector<std::pair<std::string, OGRFieldType>>;

inline std::string LastGdalError(const char* what) {
  const char* msg = CPLGetLastErrorMsg();
  return std::string(what) + (msg && *msg ? std::string(": ") + msg : std::string());
}

struct MapLayer {
  OGRLayer* layer = nullptr;  // nullptr: it could not be made
  std::string name;
  bool attributes = true;  // false: the fields are not the layer's own (one shared DXF layer)
};

inline MapLayer NewLayer(const LayerTarget& t, const char* name, OGRwkbGeometryType type,
                         const FieldList& fields) {
  if (t.shared != nullptr) return {t.shared, name, false};
  OGRLayer* layer = t.dataset.CreateLayer(name, t.srs, type, nullptr);
  if (layer == nullptr) return {};
  for (const auto& [fieldName, fieldType] : fields) {
    OGRFieldDefn defn(fieldName.c_str(), fieldType);
    if (layer->CreateField(&defn) != OGRERR_NONE) return {};
  }
  return {layer, name, true};
}

// Takes the geometry and the fields in their order; false when GDAL refused the feature.
class FeatureWriter {
 public:
  explicit FeatureWriter(const MapLayer& layer)
      : layer_(layer), feature_(layer.layer->GetLayerDefn()) {
    if (!layer.attributes) feature_.SetField("Layer", layer.name.c_str());
  }
  FeatureWriter& Set(int field, int value) {
    if (layer_.attributes) feature_.SetField(field, value);
    return *this;
  }
  FeatureWriter& Set(int field, double value) {
    if (layer_.attributes) feature_.SetField(field, value);
    return *this;
  }
  FeatureWriter& Set(int field, const std::string& value) {
    if (layer_.attributes) feature_.SetField(field, value.c_str());
    return *this;
  }
  // nullptr: a table row without geometry
  bool Write(const OGRGeometry* geometry) {
    if (geometry != nullptr) feature_.SetGeometry(geometry);
    feature_.SetFID(OGRNullFID);
    return layer_.layer->CreateFeature(&feature_) == OGRERR_NONE;
  }
  bool Write(const OGRGeometry& geometry) { return Write(&geometry); }

 private:
  const MapLayer& layer_;
  OGRFeature feature_;
};

}  // namespace planaq
