#include <gtest/gtest.h>

#include <cmath>

#include "Strip.h"
#include "canvas/RecordingCanvas.h"
#include "results/Graph3D.h"
#include "results/Projection3D.h"

namespace planaq {
namespace {

using test::AddParticle;
using test::AddWell;
using test::MakeStrip;
using test::SetHeads;
using test::StripShape;

const double kPi = 3.14159265358979323846;

struct AngleCase {
  const char* name;
  int position;
  double degrees;
};

class ViewingAngleTest : public ::testing::TestWithParam<AngleCase> {};

TEST_P(ViewingAngleTest, TrackBarPositionGivesAnAngleHeldInsideOneToEightyNine) {
  const AngleCase& c = GetParam();
  Options options;
  options.AngleScale = c.position;
  EXPECT_DOUBLE_EQ(options.ViewingAngleDegrees(), c.degrees);
  const Problem p = MakeStrip(StripShape{});
  const Projection3D proj = MakeProjection3D(p, options, ScreenFrame3D(801, 601));
  EXPECT_NEAR(proj.c, std::cos(c.degrees * kPi / 180.0), 1e-15);
  EXPECT_NEAR(proj.s, std::sin(c.degrees * kPi / 180.0), 1e-15);
}

INSTANTIATE_TEST_SUITE_P(Positions, ViewingAngleTest,
                         ::testing::Values(AngleCase{"Zero", 0, 1.0}, AngleCase{"Three", 3, 27.0},
                                           AngleCase{"Default", 5, 45.0},
                                           AngleCase{"Ten", 10, 89.0}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(Frame3D, ScreenFrameKeepsMarginsAndTheBar) {
  const Frame3D f = ScreenFrame3D(801, 601);  // cw = 800, ch = 600
  EXPECT_EQ(f.left, 40);
  EXPECT_EQ(f.width, 720);
  EXPECT_EQ(f.height, 600 - 30 - 25);
  EXPECT_EQ(f.base, 575);
}

TEST(Frame3D, ThePrintedPageFitsTruncatedExtentsAndOutlinesItsBackground) {
  Problem p = MakeStrip(StripShape{2000, 1000, 2, 2, 1});
  for (int n = 0; n < p.NN; ++n) {
    p.nodes[n].X += 0.7;
    p.nodes[n].Y += 0.7;
  }
  const Extents3D exact = GraphExtents(p, false);
  const Extents3D truncated = GraphExtents(p, true);
  EXPECT_DOUBLE_EQ(exact.x1, 2000.7);
  EXPECT_DOUBLE_EQ(truncated.x0, 0.0);
  EXPECT_DOUBLE_EQ(truncated.x1, 2000.0);
  EXPECT_DOUBLE_EQ(truncated.y1, 1000.0);

  Frame3D frame;
  frame.left = 100;
  frame.width = 800;
  frame.height = 600;
  frame.base = 900;
  frame.integerExtents = true;
  frame.outlineBackground = true;
  Options options;
  options.Bottom = options.Top = options.Water = options.Contours = false;
  const Projection3D proj = MakeProjection3D(p, options, frame);
  RecordingCanvas canvas(2000, 2000);
  DrawGraph3DScene(p, 0, options, proj, frame, canvas);
  EXPECT_TRUE(canvas.Calls("FillRect").empty());
  const auto outline = canvas.Calls("Polygon");
  ASSERT_EQ(outline.size(), 1u);
  EXPECT_EQ(canvas.Calls("Pen ").front(), "Pen 0,0,0");
  // the background's bottom edge lies 4 below the base line
  EXPECT_NE(outline[0].find(" 904 "), std::string::npos);
}

struct FitCase {
  const char* name;
  double width, height;
  bool widthLimits;
};

class FittingTest : public ::testing::TestWithParam<FitCase> {};

TEST_P(FittingTest, TheScaleFitsTheWidthOrTwiceTheBaseDepth) {
  const FitCase& c = GetParam();
  Problem p = MakeStrip(StripShape{c.width, c.height, 2, 2, 1});
  SetHeads(p, 0, [&](double x, double) { return 10.0 + 10.0 * x / c.width; });  // z: 0 .. 20
  const Frame3D frame = ScreenFrame3D(801, 601);
  const Projection3D proj = MakeProjection3D(p, Options{}, frame);
  ASSERT_TRUE(proj.valid);
  const double r = std::sqrt(0.5);
  const double Wp = c.width + c.height * r;
  const double Hb = c.height * r;
  EXPECT_NEAR(proj.Wp, Wp, 1e-9);
  EXPECT_NEAR(proj.Hb, Hb, 1e-9);
  EXPECT_NEAR(proj.lengthScale, 0.1 * std::sqrt((Wp * Wp + Hb * Hb) / 8.0), 1e-9);
  if (c.widthLimits) {
    EXPECT_NEAR(proj.k, frame.width / Wp, 1e-12);
    EXPECT_GT(proj.E, Hb / 20.0);
  } else {
    EXPECT_NEAR(proj.k, frame.height / (2.0 * Hb), 1e-12);
    EXPECT_NEAR(proj.E, Hb / 20.0, 1e-9);
  }
  // the figure is exactly as high as the available height
  EXPECT_NEAR(proj.k * proj.Ht, frame.height, 1e-9);
  // the base corner and the top of the far corner
  const PlanePoint origin = proj.Exact(0, 0, 0);
  EXPECT_NEAR(origin.y, 575.0, 1e-9);
  const PlanePoint farTop = proj.Exact(c.width, c.height, 20.0);
  EXPECT_NEAR(farTop.y, 575.0 - frame.height, 1e-9);
  // centred horizontally
  EXPECT_NEAR(origin.x - 40.0, 40.0 + 720.0 - proj.Exact(c.width, c.height, 0).x, 1e-9);
}

INSTANTIATE_TEST_SUITE_P(Shapes, FittingTest,
                         ::testing::Values(FitCase{"Wide", 2000, 1000, true},
                                           FitCase{"Deep", 500, 1000, false}),
                         [](const auto& info) { return std::string(info.param.name); });

bool AllCoordinatesWithin(const RecordingCanvas& canvas, int reach) {
  for (const std::string& call : canvas.calls) {
    if (call.rfind("Pen", 0) == 0 || call.rfind("Brush", 0) == 0) continue;
    std::size_t at = call.find(' ');
    while (at != std::string::npos) {
      const long v = std::strtol(call.c_str() + at + 1, nullptr, 10);
      if (v > reach || v < -reach) return false;
      at = call.find(' ', at + 1);
    }
  }
  return true;
}

TEST(Graph3DGuards, EqualHeightsGiveAFlatFigure) {
  Problem p = MakeStrip(StripShape{});
  for (int n = 0; n < p.NN; ++n) p.layers[n].B[0] = p.layers[n].T[0] = p.layers[n].F[0] = 5.0;
  const Projection3D proj = MakeProjection3D(p, Options{}, ScreenFrame3D(801, 601));
  ASSERT_TRUE(proj.valid);
  EXPECT_EQ(proj.E, 0.0);
  RecordingCanvas canvas(801, 601);
  NoPendingEvents events;
  DrawGraph3D(p, 0, Options{}, 801, 601, canvas, events);
  EXPECT_FALSE(canvas.Calls("Polygon").empty());
  EXPECT_TRUE(AllCoordinatesWithin(canvas, 801));
}

TEST(Graph3DGuards, NodesOnOneLineOfYAreScaledByTheWidth) {
  Problem p = MakeStrip(StripShape{});
  for (int n = 0; n < p.NN; ++n) p.nodes[n].Y = 0.0;
  const Projection3D proj = MakeProjection3D(p, Options{}, ScreenFrame3D(801, 601));
  ASSERT_TRUE(proj.valid);
  EXPECT_NEAR(proj.k, 720.0 / 2000.0, 1e-12);
  RecordingCanvas canvas(801, 601);
  NoPendingEvents events;
  DrawGraph3D(p, 0, Options{}, 801, 601, canvas, events);
  EXPECT_TRUE(AllCoordinatesWithin(canvas, 801));
}

TEST(Graph3DGuards, NoElementsOrASinglePointDrawNothingUndefined) {
  Problem p = MakeStrip(StripShape{});
  p.NM = 0;
  AddParticle(p, 100, 100, 5);
  RecordingCanvas canvas(801, 601);
  NoPendingEvents events;
  DrawGraph3D(p, 0, Options{}, 801, 601, canvas, events);
  EXPECT_TRUE(canvas.Calls("Polygon").empty());
  EXPECT_TRUE(AllCoordinatesWithin(canvas, 801));

  Problem point = MakeStrip(StripShape{});
  for (int n = 0; n < point.NN; ++n) point.nodes[n] = Node{3.0, 4.0, 0, 0};
  for (int n = 0; n < point.NN; ++n)
    point.layers[n].B[0] = point.layers[n].T[0] = point.layers[n].F[0] = 1.0;
  RecordingCanvas none(801, 601);
  EXPECT_FALSE(DrawGraph3D(point, 0, Options{}, 801, 601, none, events).has_value());
  EXPECT_TRUE(none.calls.empty());
}

// The pens in the order they are set, with the number of polygons drawn under each.
std::vector<std::pair<std::string, int>> PenRuns(const RecordingCanvas& canvas) {
  std::vector<std::pair<std::string, int>> runs;
  for (const std::string& call : canvas.calls) {
    if (call.rfind("Pen ", 0) == 0) runs.emplace_back(call, 0);
    if (call.rfind("Polygon", 0) == 0 && !runs.empty()) ++runs.back().second;
  }
  return runs;
}

Problem TwoLayers() {
  Problem p = MakeStrip(StripShape{2000, 1000, 2, 1, 2});
  for (int L = 0; L < 2; ++L) SetHeads(p, L, [](double x, double) { return 20.0 - 0.005 * x; });
  AddWell(p, 2, 0, -50.0);  // at (1000, 0)
  return p;
}

TEST(Graph3DScene, SurfacesAreDrawnDeepestFirstThenWellsTableAndContours) {
  Problem p = TwoLayers();
  RecordingCanvas canvas(801, 601);
  NoPendingEvents events;
  const auto legend = DrawGraph3D(p, 0, Options{}, 801, 601, canvas, events);
  ASSERT_TRUE(legend.has_value());
  EXPECT_EQ(*legend, "Minimum Contour : 10 m, Maximum Contour : 20 m, Contour Interval : 0.5 m");
  const std::vector<std::pair<std::string, int>> expected{
      {"Pen 0,255,0", 4},   {"Pen 255,255,0", 4},  // layer 2: bottom, then top
      {"Pen 0,255,0", 4},   {"Pen 255,255,0", 4},  // layer 1
      {"Pen 255,0,0", 0},                          // wells
      {"Pen 0,255,255", 4},                        // groundwater table
      {"Pen 255,0,0", 0}};                         // wells again and contours
  EXPECT_EQ(PenRuns(canvas), expected);
  EXPECT_EQ(canvas.calls[0], "PenStyle Solid");
  EXPECT_EQ(canvas.calls[2], "Brush 255,255,255");
  EXPECT_EQ(canvas.calls[3].rfind("FillRect", 0), 0u);

  // the first lime triangle lies on the bottom of layer 2, the last yellow one on the top of 1
  const Projection3D proj = MakeProjection3D(p, Options{}, ScreenFrame3D(801, 601));
  const auto polygons = canvas.Calls("Polygon");
  const Element& e0 = p.elements[0];
  const Point b = proj.Map(p.nodes[e0.Node[0]].X, p.nodes[e0.Node[0]].Y, p.layers[e0.Node[0]].B[1]);
  EXPECT_EQ(polygons[0].rfind("Polygon " + std::to_string(b.x) + " " + std::to_string(b.y), 0), 0u);
  const Element& e3 = p.elements[3];
  const Point t = proj.Map(p.nodes[e3.Node[0]].X, p.nodes[e3.Node[0]].Y, p.layers[e3.Node[0]].T[0]);
  EXPECT_EQ(polygons[15].rfind("Polygon " + std::to_string(t.x) + " " + std::to_string(t.y), 0),
            0u);

  // the well runs from its top (the head lies above it) down to its bottom, twice
  const Point wt = proj.Map(1000, 0, 10.0), wb = proj.Map(1000, 0, 0.0);
  const std::string wellMove = "MoveTo " + std::to_string(wt.x) + " " + std::to_string(wt.y);
  const std::string wellLine = "LineTo " + std::to_string(wb.x) + " " + std::to_string(wb.y);
  const auto moves = canvas.Calls("MoveTo");
  const auto lines = canvas.Calls("LineTo");
  EXPECT_EQ(moves[0], wellMove);
  EXPECT_EQ(lines[0], wellLine);
  EXPECT_EQ(moves[1], wellMove);
  EXPECT_EQ(lines[1], wellLine);
  EXPECT_GT(moves.size(), 2u);
}

TEST(Graph3DScene, TheOptionsChooseWhatIsDrawn) {
  Problem p = TwoLayers();
  Options options;
  options.Bottom = options.Top = options.Water = false;
  RecordingCanvas contoursOnly(801, 601);
  NoPendingEvents events;
  ASSERT_TRUE(DrawGraph3D(p, 0, options, 801, 601, contoursOnly, events).has_value());
  const std::vector<std::pair<std::string, int>> expected{{"Pen 255,0,0", 0}};
  EXPECT_EQ(PenRuns(contoursOnly), expected);
  // the wells show over the contours' pen even without any surface
  EXPECT_FALSE(contoursOnly.Calls("MoveTo").empty());

  options.Contours = false;
  RecordingCanvas nothing(801, 601);
  EXPECT_FALSE(DrawGraph3D(p, 0, options, 801, 601, nothing, events).has_value());
  EXPECT_TRUE(nothing.Calls("Pen ").empty());
  EXPECT_EQ(nothing.Calls("FillRect").size(), 1u);
}

TEST(Graph3DScene, ContoursRunLevelByLevelOverTheProjectedTable) {
  Problem p = MakeStrip(StripShape{2000, 1000, 1, 1, 1});
  SetHeads(p, 0, [](double x, double) { return 10.0 + x / 2000.0; });  // levels 10 .. 11
  Options options;
  options.Bottom = options.Top = options.Water = false;
  RecordingCanvas canvas(801, 601);
  NoPendingEvents events;
  DrawGraph3D(p, 0, options, 801, 601, canvas, events);
  const auto lines = canvas.Calls("LineTo");
  ASSERT_EQ(lines.size(), 22u);
  // level 10.5 (the sixth) at x = 1000: element 0 from y = 0 to the diagonal at y = 500,
  // element 1 from there to y = 1000, both on the table at z = 10.5
  const Projection3D proj = MakeProjection3D(p, options, ScreenFrame3D(801, 601));
  const auto moves = canvas.Calls("MoveTo");
  auto near = [](const std::string& call, PlanePoint q) {
    int x = 0, y = 0;
    std::sscanf(call.c_str() + 7, "%d %d", &x, &y);
    return std::abs(x - q.x) <= 1.0 && std::abs(y - q.y) <= 1.0;
  };
  EXPECT_TRUE(near(moves[10], proj.Exact(1000, 0, 10.5)));
  EXPECT_TRUE(near(lines[10], proj.Exact(1000, 500, 10.5)));
  EXPECT_TRUE(near(moves[11], proj.Exact(1000, 500, 10.5)));
  EXPECT_TRUE(near(lines[11], proj.Exact(1000, 1000, 10.5)));
}

TEST(Graph3DPathlines, ParticlesAreTracedInThreeDimensionsAndReset) {
  Problem p = MakeStrip(StripShape{2000, 1000, 4, 2, 1});
  SetHeads(p, 0, [](double x, double) { return 20.0 - 0.005 * x; });
  AddParticle(p, 100.0, 400.0, 5.0);
  Options options;
  options.Bottom = options.Top = options.Water = options.Contours = false;
  RecordingCanvas canvas(801, 601);
  NoPendingEvents events;
  DrawGraph3D(p, 0, options, 801, 601, canvas, events);
  const Projection3D proj = MakeProjection3D(p, options, ScreenFrame3D(801, 601));
  const Point start = proj.Map(100.0, 400.0, 5.0);
  ASSERT_GE(canvas.calls.size(), 6u);
  EXPECT_EQ(canvas.calls[4], "Pen 0,0,128");
  EXPECT_EQ(canvas.calls[5], "MoveTo " + std::to_string(start.x) + " " + std::to_string(start.y));
  EXPECT_DOUBLE_EQ(p.particles[0].X, 100.0);
  EXPECT_DOUBLE_EQ(p.particles[0].Z, 5.0);
}

}  // namespace
}  // namespace planaq
