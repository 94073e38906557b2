// The result layers read back through GDAL: pathlines and marks against the tracer itself, the
// balance table against the core's figures, the drawing's layers; the georeference side file.

#include <gdal_priv.h>
#include <gtest/gtest.h>
#include <ogrsf_frmts.h>

#include <cmath>
#include <map>
#include <memory>
#include <tuple>
#include <vector>

#include "files/Datafile.h"
#include "maps/GeoSideFile.h"
#include "maps/MapExport.h"
#include "results/ContourFigure.h"
#include "results/DiscardCanvas.h"
#include "results/TraceParticles.h"
#include "solver/WaterBalance.h"
#include "MapTestSupport.h"
#include "support/TempDir.h"

namespace planaq {
namespace {

using test::Dataset;

Dataset ExportedExample(const test::TempDir& dir, const std::string& name, Problem& p) {
  p = test::ExampleProblem();
  const MapOutcome out = ExportMap(p, dir.File(name), {});
  EXPECT_EQ(out.status, MapStatus::Written) << out.message;
  return test::OpenVector(dir.File(name));
}

// The runs of steps in one layer code the contour window's tracer reports, per particle.
struct TracerRuns : TraceObserver {
  struct Run {
    int code;
    long long first, last;
  };
  std::map<int, std::vector<Run>> runs;
  int marks = 0;
  void OnStep(const TraceStep& s) override {
    std::vector<Run>& r = runs[s.particle];
    if (r.empty() || r.back().code != s.layerCode)
      r.push_back({s.layerCode, r.empty() ? s.step : r.back().last, s.step});
    r.back().last = s.step;
    marks += s.mark ? 1 : 0;
  }
};

TEST(ResultLayers, PathlinesAndMarksAreThoseOfTheContourWindowsTrace) {
  test::TempDir dir;
  Problem p;
  Dataset d = ExportedExample(dir, "out.gpkg", p);
  ASSERT_TRUE(d);
  Problem traced = p;
  const ContourMapping mapping = ScreenContourMapping(traced, 1024, 768);
  TracerRuns tracer;
  TraceSettings settings = ScreenContourTraceSettings(mapping, 0);
  settings.observer = &tracer;
  DiscardCanvas canvas(1024, 768);
  NoPendingEvents events;
  TraceParticles(traced, ContourPathMapping(mapping), settings, canvas, events);
  const double dt = 0.01 * settings.lengthScale / traced.meanDischarge;

  // (particle, start step) -> (layer, end step, points)
  std::map<std::pair<int, long long>, std::tuple<int, long long, long long>> expected;
  for (const auto& [particle, runs] : tracer.runs)
    for (const TracerRuns::Run& r : runs) {
      const int layer = r.code >= 0 ? r.code + 1 : r.code - 1;
      const long long points = r.last - r.first + 1;
      expected[{particle + 1, r.first}] = {layer, r.last, points};
    }
  OGRLayer* lines = d->GetLayerByName("pathlines");
  ASSERT_NE(lines, nullptr);
  EXPECT_EQ(lines->GetFeatureCount(), static_cast<GIntBig>(expected.size()));
  EXPECT_GT(expected.size(), static_cast<std::size_t>(p.NP));  // some cross an aquitard
  for (auto& f : *lines) {
    const long long first = std::llround(f->GetFieldAsDouble("t_start") / dt);
    const auto it = expected.find({f->GetFieldAsInteger("particle"), first});
    ASSERT_NE(it, expected.end()) << f->GetFieldAsInteger("particle") << " " << first;
    const auto& [layer, last, points] = it->second;
    EXPECT_EQ(f->GetFieldAsInteger("layer"), layer);
    EXPECT_NEAR(f->GetFieldAsDouble("t_end"), last * dt, 1e-9);
    EXPECT_EQ(f->GetGeometryRef()->toLineString()->getNumPoints(), points);
  }
  OGRLayer* marks = d->GetLayerByName("marks");
  ASSERT_NE(marks, nullptr);
  EXPECT_EQ(marks->GetFeatureCount(), tracer.marks);
}

TEST(ResultLayers, BalanceRowsHoldTheCoresFigures) {
  test::TempDir dir;
  Problem p;
  Dataset d = ExportedExample(dir, "out.gpkg", p);
  ASSERT_TRUE(d);
  const WaterBalance b = ComputeWaterBalance(p);
  OGRLayer* table = d->GetLayerByName("balance");
  ASSERT_NE(table, nullptr);
  ASSERT_EQ(table->GetFeatureCount(), static_cast<GIntBig>(b.aquifers.size() + b.aquitards.size()));
  std::size_t row = 0;
  for (auto& f : *table) {
    EXPECT_EQ(f->GetGeometryRef(), nullptr);
    if (row < b.aquifers.size()) {
      const AquiferBalance& a = b.aquifers[row];
      EXPECT_STREQ(f->GetFieldAsString("name"), ("Aquifer " + std::to_string(row + 1)).c_str());
      EXPECT_DOUBLE_EQ(f->GetFieldAsDouble("wells_out"), a.wellsOut);
      EXPECT_DOUBLE_EQ(f->GetFieldAsDouble("given_in"), a.givenIn);
      EXPECT_DOUBLE_EQ(f->GetFieldAsDouble("above_in"), a.aboveIn);
      EXPECT_DOUBLE_EQ(f->GetFieldAsDouble("below_out"), a.belowOut);
      EXPECT_DOUBLE_EQ(f->GetFieldAsDouble("error"), a.error);
      EXPECT_FALSE(f->IsFieldSetAndNotNull(f->GetFieldIndex("net_down")));
    } else {
      const AquitardBalance& t = b.aquitards[row - b.aquifers.size()];
      EXPECT_DOUBLE_EQ(f->GetFieldAsDouble("net_down"), t.netDownward);
      EXPECT_DOUBLE_EQ(f->GetFieldAsDouble("largest"), t.largestLocal);
      EXPECT_EQ(f->GetFieldAsInteger("node"), t.largestNode + 1);
      EXPECT_FALSE(f->IsFieldSetAndNotNull(f->GetFieldIndex("wells_in")));
    }
    ++row;
  }
}

TEST(ResultLayers, ADrawingHoldsEveryLayerButTheTableByName) {
  test::TempDir dir;
  Problem p;
  Dataset d = ExportedExample(dir, "out.dxf", p);
  ASSERT_TRUE(d);
  ASSERT_EQ(d->GetLayerCount(), 1);
  std::map<std::string, int> counts;
  for (auto& f : *d->GetLayer(0)) ++counts[f->GetFieldAsString("Layer")];
  EXPECT_EQ(counts["mesh"], p.NM);
  EXPECT_EQ(counts["nodes"], p.NN);
  EXPECT_EQ(counts["wells"], p.NW);
  EXPECT_GT(counts["pathlines"], p.NP);  // a line per particle and layer
  EXPECT_GT(counts["contours"], 0);
  EXPECT_EQ(counts.count("balance"), 0u);
}

TEST(GeoSideFile, WhatIsWrittenIsReadBackAndAWktKeepsToOneLine) {
  test::TempDir dir;
  const std::string datafile = dir.File("x.aqd");
  EXPECT_EQ(WriteGeoSideFile(datafile, {155000.25, -463000.125, "GEOGCS[\"x\",\n DATUM[\"y\"]]"}),
            "");
  EXPECT_EQ(test::ReadFile(dir.File("x.aqd.geo")),
            "origin 155000.25 -463000.125\ncrs GEOGCS[\"x\",  DATUM[\"y\"]]\n");
  const GeoReadOutcome back = ReadGeoSideFile(datafile);
  EXPECT_TRUE(back.found);
  EXPECT_EQ(back.message, "");
  EXPECT_EQ(back.georeference.X0, 155000.25);
  EXPECT_EQ(back.georeference.Y0, -463000.125);
  EXPECT_EQ(back.georeference.crs, "GEOGCS[\"x\",  DATUM[\"y\"]]");
  EXPECT_FALSE(ReadGeoSideFile(dir.File("none.aqd")).found);
}

struct BadSideFile {
  const char* name;
  const char* text;
  const char* message;
};

class GeoSideFileBad : public testing::TestWithParam<BadSideFile> {};

TEST_P(GeoSideFileBad, IsRefusedWithItsLine) {
  test::TempDir dir;
  dir.Write("x.aqd.geo", GetParam().text);
  const GeoReadOutcome read = ReadGeoSideFile(dir.File("x.aqd"));
  EXPECT_TRUE(read.found);
  EXPECT_NE(read.message.find(GetParam().message), std::string::npos) << read.message;
}

INSTANTIATE_TEST_SUITE_P(
    Table, GeoSideFileBad,
    testing::Values(BadSideFile{"TextInTheOrigin", "origin 1 abc\n", "line 1 is not"},
                    BadSideFile{"HugeOrigin", "origin 1e13 0\n", "line 1 is not"},
                    BadSideFile{"ThreeNumbers", "origin 1 2 3\n", "line 1 is not"},
                    BadSideFile{"UnknownKey", "origin 1 2\nzone 31\n", "line 2 is not"},
                    BadSideFile{"EmptyCrs", "origin 1 2\ncrs  \n", "line 2 is not"},
                    BadSideFile{"NoOrigin", "crs EPSG:28992\n", "has no origin"}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace planaq
