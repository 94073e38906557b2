// Values at points from scattered points through GDAL's gridding: linear on the Delaunay
// triangulation, the nearest point outside its hull.

#include <gdal_alg.h>
#include <ogrsf_frmts.h>

#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <limits>

#include "maps/MapSources.h"

namespace planaq {

namespace {

constexpr double kLargestValue = 1e12;

struct Scattered {
  std::vector<double> x, y, z;
};

// The whole text is one finite number within 1e12 (blanks around it allowed).
bool StrictNumber(const char* text, double& value) {
  char* end = nullptr;
  errno = 0;
  value = std::strtod(text, &end);
  if (end == text || errno == ERANGE) return false;
  while (*end == ' ' || *end == '\t' || *end == '\r') ++end;
  return *end == '\0' && std::isfinite(value) && std::fabs(value) <= kLargestValue;
}

bool NumberField(OGRFeature& f, int index, double& value) {
  if (!f.IsFieldSetAndNotNull(index)) return false;
  const OGRFieldType type = f.GetFieldDefnRef(index)->GetType();
  if (type == OFTReal || type == OFTInteger || type == OFTInteger64) {
    value = f.GetFieldAsDouble(index);
    return std::isfinite(value) && std::fabs(value) <= kLargestValue;
  }
  return StrictNumber(f.GetFieldAsString(index), value);
}

// The value's column: the one named, or the only one beside x and y.
std::string ValueColumn(OGRFeatureDefn& defn, const std::string& field, int& index) {
  if (!field.empty()) {
    index = defn.GetFieldIndex(field.c_str());
    return index < 0 ? "has no column '" + field + "'" : std::string();
  }
  std::string names;
  index = -1;
  int candidates = 0;
  for (int i = 0; i < defn.GetFieldCount(); ++i) {
    const std::string name = defn.GetFieldDefn(i)->GetNameRef();
    if (EQUAL(name.c_str(), "x") || EQUAL(name.c_str(), "y")) continue;
    index = i;
    ++candidates;
    names += (names.empty() ? "" : ", ") + name;
  }
  if (candidates == 1) return {};
  return "name the value's field (the columns are: " + names + ")";
}

// x and y from columns of those names where the layer has them, else from point geometries.
std::string ReadPoint(OGRFeature& f, int xIndex, int yIndex, double& x, double& y) {
  if (xIndex >= 0 && yIndex >= 0)
    return NumberField(f, xIndex, x) && NumberField(f, yIndex, y) ? "" : "x or y is not a number";
  const OGRGeometry* g = f.GetGeometryRef();
  if (g == nullptr || wkbFlatten(g->getGeometryType()) != wkbPoint)
    return "has no columns x and y and no point";
  x = g->toPoint()->getX();
  y = g->toPoint()->getY();
  return std::isfinite(x) && std::isfinite(y) ? "" : "a point is not finite";
}

std::string ReadScattered(OGRLayer& layer, const std::string& field, Scattered& s) {
  OGRFeatureDefn& defn = *layer.GetLayerDefn();
  int value = -1;
  if (std::string error = ValueColumn(defn, field, value); !error.empty()) return error;
  const int xIndex = defn.GetFieldIndex("x");
  const int yIndex = defn.GetFieldIndex("y");
  const std::string column = defn.GetFieldDefn(value)->GetNameRef();
  long long row = 0;
  for (auto& f : layer) {
    ++row;
    double x = 0.0, y = 0.0, z = 0.0;
    if (std::string error = ReadPoint(*f, xIndex, yIndex, x, y); !error.empty())
      return "point " + std::to_string(row) + ": " + error;
    if (!NumberField(*f, value, z))
      return "point " + std::to_string(row) + ": the " + column + " '" +
             f->GetFieldAsString(value) + "' is not a number within 1e12";
    s.x.push_back(x);
    s.y.push_back(y);
    s.z.push_back(z);
  }
  return {};
}

// Points on one line have no triangulation; found here, as qhull would print its complaint.
bool AllOnOneLine(const Scattered& s) {
  std::size_t far = 0;
  double longest = 0.0;
  for (std::size_t i = 1; i < s.x.size(); ++i)
    if (const double d = std::hypot(s.x[i] - s.x[0], s.y[i] - s.y[0]); d > longest)
      longest = d, far = i;
  if (!(longest > 0.0)) return true;
  const double dx = (s.x[far] - s.x[0]) / longest, dy = (s.y[far] - s.y[0]) / longest;
  for (std::size_t i = 1; i < s.x.size(); ++i)
    if (std::fabs(dx * (s.y[i] - s.y[0]) - dy * (s.x[i] - s.x[0])) > 1e-9 * longest) return false;
  return true;
}

struct ContextFree {
  void operator()(GDALGridContext* c) const { GDALGridContextFree(c); }
};
using GridContext = std::unique_ptr<GDALGridContext, ContextFree>;

// One 1 x 1 grid around each point: its one cell's centre is the point itself.
bool Interpolate(GDALGridContext& context, const MapPoint& p, double& value) {
  const double h = 0.5 * std::max(1e-6, 1e-9 * std::max(std::fabs(p.x), std::fabs(p.y)));
  return GDALGridContextProcess(&context, p.x - h, p.x + h, p.y - h, p.y + h, 1, 1, GDT_Float64,
                                &value, nullptr, nullptr) == CE_None;
}

}  // namespace

MapSamples SamplePoints(GDALDataset& vector, const std::string& field,
                        const std::vector<MapPoint>& points, const MapProgress& progress) {
  OGRLayer* layer = vector.GetLayer(0);
  Scattered s;
  if (std::string error = ReadScattered(*layer, field, s); !error.empty()) return {error, {}};
  if (s.z.size() < 3) return {"fewer than three points", {}};
  if (AllOnOneLine(s)) return {"cannot be triangulated: they lie on one line", {}};
  if (!GDALHasTriangulation()) return {"this GDAL cannot triangulate points", {}};
  GDALGridLinearOptions options{};
  options.nSizeOfStructure = sizeof(options);
  options.dfRadius = -1.0;  // outside the hull, the nearest point at any distance
  options.dfNoDataValue = std::numeric_limits<double>::quiet_NaN();
  GridContext context(GDALGridContextCreate(GGA_Linear, &options, static_cast<GUInt32>(s.z.size()),
                                            s.x.data(), s.y.data(), s.z.data(), TRUE));
  if (!context) return {"cannot be triangulated", {}};
  MapSamples out;
  out.values.reserve(points.size());
  for (const MapPoint& p : points) {
    if (out.values.size() % kSamplesBetweenProgress == 0 &&
        !Going(progress, "Interpolating between the points",
               static_cast<double>(out.values.size()) / static_cast<double>(points.size())))
      return {kSamplingStopped, {}};
    double v = std::numeric_limits<double>::quiet_NaN();
    if (!Interpolate(*context, p, v)) return {"cannot be interpolated: " + GdalMessage("?"), {}};
    out.values.push_back(v);
  }
  return out;
}

}  // namespace planaq
