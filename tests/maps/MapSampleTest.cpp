// Node data from maps: rasters and points of a known plane, sampled at the nodes of the example.

#include <gdal_priv.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <limits>

#include "files/Datafile.h"
#include "maps/MapSampling.h"
#include "mesh/NodeValuesAssign.h"
#include "MapTestSupport.h"
#include "support/TempDir.h"

namespace planaq {
namespace {

// map coordinates are the model's shifted by this origin
constexpr double kX0 = 155000.0, kY0 = 463000.0;
double Plane(double x, double y) { return 60.0 + 0.01 * (x - kX0) + 0.005 * (y - kY0); }

Problem Example() { return test::ExampleProblem(); }

std::vector<MapPoint> NodesOnTheMap(const Problem& p) {
  std::vector<MapPoint> at;
  for (int n = 0; n < p.NN; ++n) at.push_back({p.nodes[n].X + kX0, p.nodes[n].Y + kY0});
  return at;
}

std::vector<int> AllNodes(const Problem& p) {
  std::vector<int> nodes;
  for (int n = 0; n < p.NN; ++n) nodes.push_back(n);
  return nodes;
}

struct RasterSpec {
  double left, top, cell;
  int cols, rows;
  bool georeferenced = true;
  std::function<double(double, double)> value = Plane;  // at a cell's centre
};

void WriteRaster(const std::string& path, const RasterSpec& r) {
  GDALAllRegister();
  GDALDataset* d = GetGDALDriverManager()->GetDriverByName("GTiff")->Create(
      path.c_str(), r.cols, r.rows, 1, GDT_Float64, nullptr);
  ASSERT_NE(d, nullptr);
  double gt[6] = {r.left, r.cell, 0.0, r.top, 0.0, -r.cell};
  if (r.georeferenced) d->SetGeoTransform(gt);
  d->GetRasterBand(1)->SetNoDataValue(-9999.0);
  std::vector<double> cells;
  for (int row = 0; row < r.rows; ++row)
    for (int col = 0; col < r.cols; ++col)
      cells.push_back(r.value(r.left + (col + 0.5) * r.cell, r.top - (row + 0.5) * r.cell));
  EXPECT_EQ(d->GetRasterBand(1)->RasterIO(GF_Write, 0, 0, r.cols, r.rows, cells.data(), r.cols,
                                          r.rows, GDT_Float64, 0, 0, nullptr),
            CE_None);
  GDALClose(d);
}

TEST(MapSample, ARasterOfAPlaneGivesThePlaneAtTheNodes) {
  Problem p = Example();
  test::TempDir dir;
  // 7 m cells: the nodes fall anywhere within a cell
  WriteRaster(dir.File("plane.tif"), {kX0 - 20.0, kY0 + 1020.0, 7.0, 300, 150});
  const MapSamples s = SampleMap(dir.File("plane.tif"), "", NodesOnTheMap(p));
  ASSERT_EQ(s.message, "");
  const NodeValuesOutcome out = AssignNodeValues(p, NodeQuantity::Top, 0, AllNodes(p), s.values);
  EXPECT_EQ(out.changed, p.NN);
  EXPECT_EQ(out.left, 0);
  for (int n = 0; n < p.NN; ++n)
    EXPECT_NEAR(p.layers[n].T[0], Plane(p.nodes[n].X + kX0, p.nodes[n].Y + kY0), 1e-6) << n;
}

TEST(MapSample, NodesOutsideTheRasterOrOnNoDataAreLeftAndCounted) {
  Problem p = Example();
  const Problem before = p;
  test::TempDir dir;
  // covers x up to 1015 m; the cell centred on the node at (500, 500) holds no-data
  const double noDataX = kX0 + 500.0, noDataY = kY0 + 500.0;
  RasterSpec r{kX0 - 5.0, kY0 + 1005.0, 10.0, 102, 102};
  r.value = [&](double x, double y) {
    return std::fabs(x - noDataX) < 1 && std::fabs(y - noDataY) < 1 ? -9999.0 : Plane(x, y);
  };
  WriteRaster(dir.File("half.tif"), r);
  const MapSamples s = SampleMap(dir.File("half.tif"), "", NodesOnTheMap(p));
  ASSERT_EQ(s.message, "");
  int expectedLeft = 0;
  for (int n = 0; n < p.NN; ++n)
    if (p.nodes[n].X > 1015.0 || (p.nodes[n].X == 500.0 && p.nodes[n].Y == 500.0)) ++expectedLeft;
  ASSERT_GT(expectedLeft, 1);
  const NodeValuesOutcome out = AssignNodeValues(p, NodeQuantity::Top, 0, AllNodes(p), s.values);
  EXPECT_EQ(out.left, expectedLeft);
  EXPECT_EQ(out.changed, p.NN - expectedLeft);
  for (int n = 0; n < p.NN; ++n)
    if (std::isnan(s.values[n])) {
      EXPECT_EQ(p.layers[n].T[0], before.layers[n].T[0]) << n;
    }
}

// A raster and points alike: the progress is told with a growing share, and a stop after the
// reading gives no values.
TEST(MapSample, AStopGivesNoValuesAndSaysSo) {
  test::TempDir dir;
  WriteRaster(dir.File("plane.tif"), {0.0, 100.0, 1.0, 100, 100});
  const std::string csv = dir.Write("p.csv", "x,y,z\n0,0,1\n90,0,2\n0,90,3\n90,90,4\n");
  const std::vector<MapPoint> many(17000, MapPoint{50.0, 50.0});
  for (const std::string& map : {dir.File("plane.tif"), csv}) {
    std::vector<double> told;
    const MapSamples all = SampleMap(map, "", many, [&](const std::string&, double done) {
      told.push_back(done);
      return true;
    });
    ASSERT_EQ(all.message, "") << map;
    EXPECT_EQ(all.values.size(), many.size());
    ASSERT_GE(told.size(), 3u) << map;  // the reading, then every 16384 points
    EXPECT_TRUE(std::is_sorted(told.begin(), told.end())) << map;
    EXPECT_LT(told.back(), 1.0);

    int calls = 0;
    const MapSamples stopped =
        SampleMap(map, "", many, [&](const std::string&, double) { return ++calls < 3; });
    EXPECT_EQ(stopped.message, kSamplingStopped) << map;
    EXPECT_TRUE(stopped.values.empty());
  }
}

// (x, y) on the map of the scattered points: a hull from x = -50 to 1450 m over the whole height
const double kPoints[][2] = {{-50, -50},   {-50, 1050}, {1450, -50}, {1450, 330}, {1450, 710},
                             {1450, 1050}, {300, 200},  {700, 800},  {1000, 450}, {520, 610}};

TEST(MapSample, PointsOfAPlaneGiveThePlaneInsideTheirHullAndTheNearestPointOutside) {
  Problem p = Example();
  test::TempDir dir;
  std::string csv = "x,y,z\n";
  for (const auto& q : kPoints)
    csv += std::to_string(q[0] + kX0) + "," + std::to_string(q[1] + kY0) + "," +
           std::to_string(Plane(q[0] + kX0, q[1] + kY0)) + "\n";
  const MapSamples s = SampleMap(dir.Write("points.csv", csv), "z", NodesOnTheMap(p));
  ASSERT_EQ(s.message, "");
  ASSERT_EQ(s.values.size(), static_cast<std::size_t>(p.NN));
  int outside = 0;
  for (int n = 0; n < p.NN; ++n) {
    const double x = p.nodes[n].X, y = p.nodes[n].Y;
    if (x <= 1450.0) {
      EXPECT_NEAR(s.values[n], Plane(x + kX0, y + kY0), 1e-6) << n;
      continue;
    }
    ++outside;
    double nearest = std::numeric_limits<double>::infinity(), value = 0.0;
    for (const auto& q : kPoints)
      if (const double d = std::hypot(q[0] - x, q[1] - y); d < nearest)
        nearest = d, value = Plane(q[0] + kX0, q[1] + kY0);
    EXPECT_NEAR(s.values[n], value, 1e-6) << n;
  }
  EXPECT_GT(outside, 0);
}

struct BadMap {
  const char* name;
  const char* file;
  const char* text;  // the file's text; nullptr: a GeoTIFF without georeference
  const char* field;
  const char* says;
};

class MapSampleBadInput : public testing::TestWithParam<BadMap> {};

TEST_P(MapSampleBadInput, IsRefusedWithItsReason) {
  test::TempDir dir;
  const BadMap& c = GetParam();
  if (c.text != nullptr)
    dir.Write(c.file, c.text);
  else
    WriteRaster(dir.File(c.file), {0, 10, 1, 10, 10, false});
  const MapSamples s = SampleMap(dir.File(c.file), c.field, {{1.0, 1.0}});
  EXPECT_NE(s.message.find(c.says), std::string::npos) << s.message;
  EXPECT_TRUE(s.values.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Table, MapSampleBadInput,
    testing::Values(
        BadMap{"RasterWithoutGeoreference", "bare.tif", nullptr, "", "has no georeference"},
        BadMap{"FieldOfARaster", "bare.tif", nullptr, "z", "a value field is for points"},
        BadMap{"TextInANumberColumn", "p.csv", "x,y,z\n0,0,1\n9,0,2\n0,9,abc\n", "z",
               "point 3: the z 'abc' is not a number"},
        BadMap{"TextInX", "p.csv", "x,y,z\n0,0,1\n9,0,2\nnine,9,3\n", "z",
               "point 3: x or y is not a number"},
        BadMap{"HugeValue", "p.csv", "x,y,z\n0,0,1\n9,0,2\n0,9,1e13\n", "z", "within 1e12"},
        BadMap{"UnknownField", "p.csv", "x,y,z\n0,0,1\n9,0,2\n0,9,3\n", "h", "no column 'h'"},
        BadMap{"TwoValueColumns", "p.csv", "x,y,z,h\n0,0,1,1\n9,0,2,2\n0,9,3,3\n", "",
               "name the value's field (the columns are: z, h)"},
        BadMap{"NoXY", "p.csv", "a,b,z\n0,0,1\n9,0,2\n0,9,3\n", "z", "no columns x and y"},
        BadMap{"TwoPoints", "p.csv", "x,y,z\n0,0,1\n9,0,2\n", "z", "fewer than three"},
        BadMap{"PointsOnALine", "p.csv", "x,y,z\n0,0,1\n1,1,2\n2,2,3\n3,3,4\n", "z",
               "cannot be triangulated"},
        BadMap{"NotAMap", "notes.txt", "just some words\n", "", "neither a raster nor points"}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace planaq
