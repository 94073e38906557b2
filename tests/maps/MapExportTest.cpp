// Map export read back through GDAL: counts, node fields, coordinates, CRS and contour levels.

#include <gdal_priv.h>
#include <gtest/gtest.h>
#include <ogrsf_frmts.h>

#include <cmath>
#include <map>
#include <memory>

#include "files/Datafile.h"
#include "maps/ExportLevels.h"
#include "maps/MapExport.h"
#include "results/ContourFigure.h"
#include "results/ContourLevels.h"
#include "MapTestSupport.h"
#include "support/TempDir.h"

namespace planaq {
namespace {

using test::Dataset;
using test::OpenVector;

Problem Example() { return test::ExampleProblem(); }

std::string Export(const Problem& p, const test::TempDir& dir, const std::string& name,
                   const MapExportOptions& o = {}) {
  const MapOutcome out = ExportMap(p, dir.File(name), o);
  EXPECT_EQ(out.status, MapStatus::Written) << out.message;
  return dir.File(name);
}

// (the file holding a layer, the layer's name in it) for each format
struct FormatCase {
  const char* name;
  const char* target;
  bool oneFile;
};

class ExportFormat : public testing::TestWithParam<FormatCase> {};

TEST_P(ExportFormat, FeatureCountsAreNMNNAndNW) {
  const Problem p = Example();
  test::TempDir dir;
  Export(p, dir, GetParam().target);
  const std::string stem = std::filesystem::path(GetParam().target).stem().string();
  const std::string ext = std::filesystem::path(GetParam().target).extension().string();
  const std::map<std::string, int> expected{{"mesh", p.NM}, {"nodes", p.NN}, {"wells", p.NW}};
  for (const auto& [layer, count] : expected) {
    const std::string file =
        GetParam().oneFile ? dir.File(GetParam().target) : dir.File(stem + "_" + layer + ext);
    Dataset d = OpenVector(file);
    ASSERT_TRUE(d) << file;
    OGRLayer* l = GetParam().oneFile ? d->GetLayerByName(layer.c_str()) : d->GetLayer(0);
    ASSERT_NE(l, nullptr) << layer;
    EXPECT_EQ(l->GetFeatureCount(), count) << layer;
  }
}

INSTANTIATE_TEST_SUITE_P(Formats, ExportFormat,
                         testing::Values(FormatCase{"GeoPackage", "out.gpkg", true},
                                         FormatCase{"GeoJSON", "out.geojson", false},
                                         FormatCase{"Shapefile", "out.shp", false}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(MapExport, EveryNodeHoldsItsDatafileValuesAtItsShiftedPosition) {
  const Problem p = Example();
  test::TempDir dir;
  MapExportOptions o;
  o.X0 = 155000.0;
  o.Y0 = 463000.0;
  o.crs = "EPSG:28992";
  Dataset d = OpenVector(Export(p, dir, "n.gpkg", o));
  OGRLayer* nodes = d->GetLayerByName("nodes");
  ASSERT_NE(nodes, nullptr);
  ASSERT_NE(nodes->GetSpatialRef(), nullptr);
  EXPECT_STREQ(nodes->GetSpatialRef()->GetAuthorityCode(nullptr), "28992");
  int seen = 0;
  for (auto& f : *nodes) {
    const int n = f->GetFieldAsInteger("node") - 1;
    ASSERT_TRUE(n >= 0 && n < p.NN);
    const OGRPoint* pt = f->GetGeometryRef()->toPoint();
    EXPECT_DOUBLE_EQ(pt->getX(), p.nodes[n].X + o.X0);
    EXPECT_DOUBLE_EQ(pt->getY(), p.nodes[n].Y + o.Y0);
    EXPECT_EQ(f->GetFieldAsInteger("type"), p.nodes[n].Type);
    for (int L = 0; L < p.NL; ++L) {
      const std::string k = std::to_string(L + 1);
      EXPECT_EQ(f->GetFieldAsDouble(("B" + k).c_str()), p.layers[n].B[L]);
      EXPECT_EQ(f->GetFieldAsDouble(("T" + k).c_str()), p.layers[n].T[L]);
      EXPECT_EQ(f->GetFieldAsDouble(("F" + k).c_str()), p.layers[n].F[L]);
      EXPECT_EQ(f->GetFieldAsDouble(("Q" + k).c_str()), p.layers[n].Q[L]);
    }
    ++seen;
  }
  EXPECT_EQ(seen, p.NN);
}

// level (to 1e-9 m) -> number of segments, per layer
using LevelCounts = std::map<std::pair<int, long long>, int>;
long long Key(double level) { return std::llround(level * 1e9); }

TEST(MapExport, ContourLevelsAreThoseOfTheContourWindow) {
  const Problem p = Example();
  test::TempDir dir;
  Dataset d = OpenVector(Export(p, dir, "c.gpkg"));
  LevelCounts file;
  for (auto& f : *d->GetLayerByName("contours"))
    ++file[{f->GetFieldAsInteger("layer"), Key(f->GetFieldAsDouble("level"))}];
  LevelCounts core;
  for (int L = 0; L < p.NL; ++L) {
    const ContourLevelSet set = ContourLevels(p, L);
    ForEachContourSegment(p, L, set, [&](int, double c, const ContourLine&) {
      // the window moves its first and last level inward by the tolerance
      const double k = std::round((c - set.lowest) / set.interval);
      ++core[{L + 1, Key(set.lowest + k * set.interval)}];
    });
  }
  EXPECT_FALSE(core.empty());
  EXPECT_EQ(file, core);
}

TEST(MapExport, AnIntervalGivesItsMultiplesInTheChosenLayerOnly) {
  const Problem p = Example();
  test::TempDir dir;
  MapExportOptions o;
  o.layers = {1};
  o.interval = 0.25;
  Dataset d = OpenVector(Export(p, dir, "i.gpkg", o));
  int count = 0;
  for (auto& f : *d->GetLayerByName("contours")) {
    EXPECT_EQ(f->GetFieldAsInteger("layer"), 2);
    const double q = f->GetFieldAsDouble("level") / 0.25;
    EXPECT_NEAR(q, std::round(q), 1e-9);
    ++count;
  }
  EXPECT_GT(count, 0);
}

TEST(MapExport, ARefusedExportLeavesTheFolderEmpty) {
  const Problem p = Example();
  test::TempDir dir;
  MapExportOptions o;
  o.crs = "+proj=nonsense";
  EXPECT_EQ(ExportMap(p, dir.File("x.gpkg"), o).status, MapStatus::BadInput);
  EXPECT_TRUE(std::filesystem::is_empty(dir.path()));
}

TEST(MapExport, AShapefileWithoutCrsDropsTheProjectionOfAnEarlierExport) {
  const Problem p = Example();
  test::TempDir dir;
  MapExportOptions o;
  o.crs = "28992";
  Export(p, dir, "s.shp", o);
  ASSERT_TRUE(std::filesystem::exists(dir.File("s_nodes.prj")));
  Export(p, dir, "s.shp");
  EXPECT_FALSE(std::filesystem::exists(dir.File("s_nodes.prj")));
  Dataset d = OpenVector(dir.File("s_nodes.shp"));
  EXPECT_EQ(d->GetLayer(0)->GetSpatialRef(), nullptr);
}

TEST(MapExport, ATargetThatCannotBeWrittenLeavesEveryOtherAsItWas) {
  const Problem p = Example();
  test::TempDir dir;
  std::filesystem::create_directory(dir.File("o_heads.tif"));  // a folder in the raster's place
  MapExportOptions o;
  o.rasterCell = 50.0;
  const MapOutcome out = ExportMap(p, dir.File("o.gpkg"), o);
  EXPECT_EQ(out.status, MapStatus::WriteFailed);
  EXPECT_NE(out.message.find("o_heads.tif is not a regular file"), std::string::npos)
      << out.message;
  EXPECT_FALSE(std::filesystem::exists(dir.File("o.gpkg")));
  int entries = 0;
  for ([[maybe_unused]] const auto& e : std::filesystem::directory_iterator(dir.path())) ++entries;
  EXPECT_EQ(entries, 1);
}

// Every part is told before it runs, in order and with a growing share; a stop at any of them
// leaves the folder as it was and says so.
TEST(MapExport, AStopAtAnyPartLeavesNothingAndIsNotAFailure) {
  const Problem p = Example();
  MapExportOptions o;
  o.rasterCell = 100.0;
  for (const char* target : {"a.gpkg", "a.shp"}) {
    test::TempDir dir;
    std::vector<std::pair<std::string, double>> told;
    const MapProgress record = [&](const std::string& stage, double done) {
      told.emplace_back(stage, done);
      return true;
    };
    ASSERT_EQ(ExportMap(p, dir.File(target), o, record).status, MapStatus::Written);
    ASSERT_GT(told.size(), 8u) << target;
    EXPECT_EQ(told.front().second, 0.0);
    for (std::size_t i = 1; i < told.size(); ++i) EXPECT_GE(told[i].second, told[i - 1].second);
    EXPECT_NEAR(told.back().second, 1.0, 1e-9) << told.back().first;

    for (std::size_t stop = 0; stop < told.size(); ++stop) {
      test::TempDir empty;
      std::size_t calls = 0;
      const MapOutcome out = ExportMap(p, empty.File(target), o,
                                       [&](const std::string&, double) { return calls++ < stop; });
      EXPECT_EQ(out.status, MapStatus::Stopped) << target << " at " << told[stop].first;
      EXPECT_TRUE(std::filesystem::is_empty(empty.path())) << target << " at " << told[stop].first;
    }
  }
}

}  // namespace
}  // namespace planaq
