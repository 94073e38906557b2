// The background map's picture: a grey band stretched from its lowest to its highest value,
// transparent where the map does not reach, and the maps it cannot draw refused with a reason.

#include <gdal_priv.h>
#include <gtest/gtest.h>

#include <optional>
#include <vector>

#include "maps/MapPicture.h"
#include "support/TempDir.h"

namespace planaq {
namespace {

// One band of 10 x 10 cells of 10 m whose value is its column; the geotransform as given, or
// none.
std::string WriteColumns(const test::TempDir& dir, const char* name,
                         std::optional<std::vector<double>> transform) {
  GDALAllRegister();
  const std::string path = dir.File(name);
  GDALDataset* d = GetGDALDriverManager()->GetDriverByName("GTiff")->Create(path.c_str(), 10, 10, 1,
                                                                            GDT_Float64, nullptr);
  EXPECT_NE(d, nullptr);
  if (transform) d->SetGeoTransform(transform->data());
  std::vector<double> cells;
  for (int r = 0; r < 10; ++r)
    for (int c = 0; c < 10; ++c) cells.push_back(c);
  EXPECT_EQ(d->GetRasterBand(1)->RasterIO(GF_Write, 0, 0, 10, 10, cells.data(), 10, 10, GDT_Float64,
                                          0, 0, nullptr),
            CE_None);
  GDALClose(d);
  return path;
}

const std::vector<double> kNorthUp = {1000.0, 10.0, 0.0,
                                      2100.0, 0.0,  -10.0};  // 1000..1100, 2000..2100

TEST(MapPicture, AGreyBandIsStretchedAndTheMapEndsWhereItsCellsDo) {
  test::TempDir dir;
  const std::string path = WriteColumns(dir, "grey.tif", kNorthUp);
  // 200 m wide from x = 950: the map fills the middle half of the 20 pixels
  const MapPicture p = ReadMapPicture(path, 950.0, 2000.0, 1150.0, 2100.0, 20, 10);
  ASSERT_EQ(p.message, "");
  ASSERT_EQ(p.rgba.size(), 20u * 10u * 4u);
  const auto pixel = [&](int col, int row) { return &p.rgba[(row * 20 + col) * 4]; };
  for (int col = 0; col < 20; ++col) {
    const bool onTheMap = col >= 5 && col < 15;
    EXPECT_EQ(pixel(col, 4)[3], onTheMap ? 255 : 0) << col;
    // column 0 of the map is its lowest value, column 9 its highest
    if (onTheMap) {
      EXPECT_EQ(pixel(col, 4)[0], static_cast<int>((col - 5) / 9.0 * 255.0)) << col;
    }
  }
}

struct Refusal {
  const char* name;
  std::optional<std::vector<double>> transform;
  double left, bottom, right, top;
  const char* says;
};

class MapPictureRefusal : public testing::TestWithParam<Refusal> {};

TEST_P(MapPictureRefusal, SaysWhyAndGivesNoPicture) {
  test::TempDir dir;
  const Refusal& c = GetParam();
  const std::string path = WriteColumns(dir, "map.tif", c.transform);
  const MapPicture p = ReadMapPicture(path, c.left, c.bottom, c.right, c.top, 40, 20);
  EXPECT_EQ(p.message, c.says);
  EXPECT_TRUE(p.rgba.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Table, MapPictureRefusal,
    testing::Values(Refusal{"NoGeoreference", std::nullopt, 0, 0, 100, 100,
                            "the map has no georeference"},
                    Refusal{"Rotated", std::vector<double>{1000, 10, 2, 2100, 2, -10}, 1000, 2000,
                            1100, 2100, "the map is not north-up; only north-up maps can be drawn"},
                    Refusal{"SouthUp", std::vector<double>{1000, 10, 0, 2000, 0, 10}, 1000, 2000,
                            1100, 2100, "the map is not north-up; only north-up maps can be drawn"},
                    Refusal{"BesideTheArea", kNorthUp, 1100, 2000, 1300, 2100,
                            "the map does not overlap the area"},
                    Refusal{"EmptyArea", kNorthUp, 1000, 2000, 1000, 2100,
                            "the picture of the map has no size"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(MapPicture, AFileThatIsNoRasterIsRefused) {
  test::TempDir dir;
  const std::string path = dir.Write("notes.txt", "just some words\n");
  EXPECT_EQ(ReadMapPicture(path, 0, 0, 10, 10, 4, 4).message,
            "the map " + path + " cannot be opened as a raster");
}

}  // namespace
}  // namespace planaq
