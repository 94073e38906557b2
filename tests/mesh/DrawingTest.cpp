#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "canvas/RecordingCanvas.h"
#include "mesh/Blocks.h"
#include "mesh/MeshDrawing.h"
#include "mesh/MeshMapping.h"

namespace planaq {
namespace {

struct MappingCase {
  const char* name;
  int W, H;
  double LX, LY;
  double x, y;
  int px, py;
};

class MeshMappingCases : public ::testing::TestWithParam<MappingCase> {};

TEST_P(MeshMappingCases, PointToPixelTruncatesTowardZero) {
  const MappingCase c = GetParam();
  const MeshMapping m = ComputeMeshMapping(c.W, c.H, c.LX, c.LY);
  const Point px = m.ToPixel(c.x, c.y);
  EXPECT_EQ(px.x, c.px);
  EXPECT_EQ(px.y, c.py);
}

// 641 x 481: margins 32 and 24, lower edge row 455, 0.288 pixels per metre from the width,
// the area centred between rows 95.5 and 383.5.
// 1001 x 301 with a square area: the height decides, 0.26 pixels per metre, centred in x.
INSTANTIATE_TEST_SUITE_P(
    Windows, MeshMappingCases,
    ::testing::Values(MappingCase{"Origin", 641, 481, 2000, 1000, 0, 0, 32, 383},
                      MappingCase{"FarCorner", 641, 481, 2000, 1000, 2000, 1000, 608, 95},
                      MappingCase{"LeftOfTheAreaTruncatesUp", 641, 481, 2000, 1000, -120, 0, -2,
                                  383},
                      MappingCase{"HeightDecides", 1001, 301, 1000, 1000, 1, 1, 370, 274},
                      MappingCase{"HeightDecidesTop", 1001, 301, 1000, 1000, 999, 999, 629, 15}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(MeshMapping, MousePositionBackToMetres) {
  const MeshMapping m = ComputeMeshMapping(641, 481, 2000, 1000);
  EXPECT_NEAR(m.ToX(32), 0.0, 1e-9);
  EXPECT_NEAR(m.ToX(608), 2000.0, 1e-9);
  // row 95 lies half a pixel above the top edge of the area (row 95.5)
  EXPECT_NEAR(m.ToY(95), 1000.0 + 0.5 / 0.288, 1e-9);
  for (int px = 0; px < 641; px += 37)
    for (int py = 0; py < 481; py += 41) {
      const Point back = m.ToPixel(m.ToX(px) + 1e-6, m.ToY(py) - 1e-6);
      EXPECT_EQ(back.x, px);
      EXPECT_EQ(back.y, py);
    }
}

TEST(MeshMapping, TinyWindowGivesFiniteMapping) {
  const MeshMapping m = ComputeMeshMapping(1, 1, 2000, 1000);
  EXPECT_GT(m.s, 0.0);
  EXPECT_TRUE(std::isfinite(m.xmin));
  EXPECT_TRUE(std::isfinite(m.ToX(100)));
}

Problem Initial() {
  Problem p;
  p.StartUp(Capacities{});
  return p;
}

TEST(DrawMesh, BandAreaElementsAndWells) {
  Problem p = Initial();
  p.NW = 1;
  p.wells[0].Node = 2;
  RecordingCanvas canvas(641, 481);
  DrawMesh(canvas, p, ComputeMeshMapping(641, 481, p.LX, p.LY));
  const std::vector<std::string> expected = {
      "Pen 192,192,192", "Brush 192,192,192", "FillRect 30 93 611 386",
      "Pen 255,255,255", "Brush 255,255,255", "FillRect 32 95 609 384",
      "Pen 0,0,0",       "Brush 8,8,88",      "Polygon 32 383 32 239 176 383",
      "Pen 255,0,0",     "Brush 255,255,255", "Ellipse 173 380 179 386",
      "Pen 0,0,0"};
  EXPECT_EQ(canvas.calls, expected);
}

TEST(DrawMesh, ElementFillFollowsItsBlockColour) {
  Problem p = Initial();
  p.blockColour[0] = 7;
  RecordingCanvas canvas(641, 481);
  DrawMesh(canvas, p, ComputeMeshMapping(641, 481, p.LX, p.LY));
  const Rgb c = p.palette[7];
  const std::string brush =
      "Brush " + std::to_string(c.r) + "," + std::to_string(c.g) + "," + std::to_string(c.b);
  const auto brushes = canvas.Calls("Brush");
  EXPECT_NE(std::find(brushes.begin(), brushes.end(), brush), brushes.end());
  EXPECT_TRUE(canvas.Calls("Ellipse").empty());
}

TEST(DrawBlocks, BlocksWithNumbersAndMainNodeNumbers) {
  Problem p = Initial();
  PlacePendingMainNode(p, 1000, 500);
  ASSERT_EQ(AddMainNodeAndBlock(p, 1000, 500).status, MeshStatus::Done);
  p.NN = 9;  // as after a refinement: drawing resets the mesh to the blocks
  p.NW = 2;
  RecordingCanvas canvas(641, 481);
  DrawBlocks(canvas, p, ComputeMeshMapping(641, 481, p.LX, p.LY));
  EXPECT_EQ(p.NN, 4);
  EXPECT_EQ(p.NW, 0);
  const std::vector<std::string> tail(canvas.calls.begin() + 6, canvas.calls.end());
  const std::vector<std::string> expected = {"Pen 0,0,0",
                                             "Font Courier New 13 b0 i1",
                                             "Brush 8,8,88",
                                             "Polygon 32 383 32 239 176 383",
                                             "Font Courier New 13 b0 i1",  // white on dark blue
                                             "TextOut 80 335 1",
                                             "Brush 8,8,120",
                                             "Polygon 32 239 176 383 320 239",
                                             "TextOut 176 287 2",
                                             "Font Courier New 11 b0 i0",
                                             "Brush 255,255,255",
                                             "TextOut 30 379 1",
                                             "TextOut 30 235 2",
                                             "TextOut 174 379 3",
                                             "TextOut 318 235 4"};
  EXPECT_EQ(tail, expected);
  EXPECT_EQ(canvas.calls[2], "FillRect 30 93 611 386");
}

// the colour of the font in which each text is written
class TextColours : public RecordingCanvas {
 public:
  using RecordingCanvas::RecordingCanvas;
  void TextOut(int x, int y, const std::string& text) override {
    RecordingCanvas::TextOut(x, y, text);
    colours.push_back(font().colour);
  }
  std::vector<Rgb> colours;
};

TEST(DrawBlocks, BlockNumbersAreWhiteOnDarkFillsAndBlackOnLightOnes) {
  Problem p = Initial();
  PlacePendingMainNode(p, 1000, 500);
  ASSERT_EQ(AddMainNodeAndBlock(p, 1000, 500).status, MeshStatus::Done);
  p.blockColour[1] = 8;
  p.palette[8] = Rgb{140, 140, 140};  // mid grey, just light enough for black
  TextColours canvas(641, 481);
  DrawBlocks(canvas, p, ComputeMeshMapping(641, 481, p.LX, p.LY));
  ASSERT_EQ(canvas.colours.size(), 2u + 4u);
  EXPECT_EQ(canvas.colours[0], (Rgb{255, 255, 255})) << "on the dark blue of the first entry";
  EXPECT_EQ(canvas.colours[1], (Rgb{0, 0, 0}));
  for (std::size_t n = 2; n < canvas.colours.size(); ++n)
    EXPECT_EQ(canvas.colours[n], (Rgb{0, 0, 0})) << "the node numbers stay black";
}

}  // namespace
}  // namespace planaq
