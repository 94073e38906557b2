#include <gtest/gtest.h>

#include <cmath>

#include "Strip.h"
#include "canvas/RecordingCanvas.h"
#include "results/ContourFigure.h"
#include "results/ContourLevels.h"
#include "results/ContourMapping.h"

namespace planaq {
namespace {

using test::MakeStrip;
using test::SetHeads;
using test::StripShape;

struct LevelCase {
  const char* name;
  double fmin, fmax;
  int count;
  const char* legend;
};

class ContourLevelsTest : public ::testing::TestWithParam<LevelCase> {};

TEST_P(ContourLevelsTest, LevelsAndLegendFollowTheHeadRange) {
  const LevelCase& c = GetParam();
  Problem p = MakeStrip(StripShape{});
  // the extremes at two nodes, the others in between
  SetHeads(p, 0, [&](double x, double) { return c.fmin + (c.fmax - c.fmin) * x / 2000.0; });
  const ContourLevelSet set = ContourLevels(p, 0);
  EXPECT_EQ(set.count, c.count);
  EXPECT_EQ(ContourLegend(set), c.legend);
  ASSERT_EQ(static_cast<int>(set.levels.size()), c.count < 0 ? 0 : c.count + 1);
  if (c.count <= 0) return;
  const double eps = 0.0001 * set.interval;
  EXPECT_NEAR(set.levels.front(), set.lowest + eps, 1e-12);
  EXPECT_NEAR(set.levels.back(), set.highest - eps, 1e-9);
  for (int k = 1; k < c.count; ++k)
    EXPECT_NEAR(set.levels[k] - set.levels[k - 1], set.interval, 1e-9 + eps);
}

INSTANTIATE_TEST_SUITE_P(
    Ranges, ContourLevelsTest,
    ::testing::Values(
        LevelCase{"FiveMetres", 10.0, 15.0, 16,
                  "Minimum Contour : 10 m, Maximum Contour : 14.8 m, Contour Interval : 0.3 m"},
        LevelCase{"WithinOneStep", 10.04, 10.06, -1,
                  "Minimum Contour : 10.1 m, Maximum Contour : 10 m, Contour Interval : 0.1 m"},
        LevelCase{"OneMetre", 10.0, 11.0, 10,
                  "Minimum Contour : 10 m, Maximum Contour : 11 m, Contour Interval : 0.1 m"},
        LevelCase{"Forty", -20.0, 20.0, 20,
                  "Minimum Contour : -20 m, Maximum Contour : 20 m, Contour Interval : 2 m"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ContourLevels, AHeadEqualToTheExtremeStillCrossesItsElements) {
  Problem p = MakeStrip(StripShape{});
  SetHeads(p, 0, [](double x, double) { return 10.0 + x / 2000.0; });
  const ContourLevelSet set = ContourLevels(p, 0);
  // the first level lies just above the minimum head 10 at x = 0, the last just below 11
  int crossedFirst = 0, crossedLast = 0;
  for (int e = 0; e < p.NM; ++e) {
    crossedFirst += ContourSegment(p, 0, e, set.levels.front()).has_value();
    crossedLast += ContourSegment(p, 0, e, set.levels.back()).has_value();
  }
  EXPECT_EQ(crossedFirst, 4);  // the elements at the left edge of the strip
  EXPECT_EQ(crossedLast, 4);
}

TEST(ContourSegment, JoinsTheCrossingsInSideOrder) {
  const std::array<PlanePoint, 3> p{PlanePoint{0, 0}, PlanePoint{100, 0}, PlanePoint{0, 100}};
  // heads 0, 1, 2: level 0.5 crosses side (0,1) at its middle and side (2,0) a quarter from 0
  const auto line = CrossTriangle(p, {0.0, 1.0, 2.0}, 0.5);
  ASSERT_TRUE(line);
  EXPECT_DOUBLE_EQ(line->from.x, 50.0);
  EXPECT_DOUBLE_EQ(line->from.y, 0.0);
  EXPECT_DOUBLE_EQ(line->to.x, 0.0);
  EXPECT_DOUBLE_EQ(line->to.y, 25.0);
  // a level through node 1 counts it on side (1,2) only
  const auto through = CrossTriangle(p, {0.0, 1.0, 2.0}, 1.0);
  ASSERT_TRUE(through);
  EXPECT_DOUBLE_EQ(through->from.x, 100.0);
  EXPECT_DOUBLE_EQ(through->from.y, 0.0);
  EXPECT_DOUBLE_EQ(through->to.x, 0.0);
  EXPECT_DOUBLE_EQ(through->to.y, 50.0);
  // the highest head itself is never reached: the half-open rule excludes it
  EXPECT_FALSE(CrossTriangle(p, {0.0, 1.0, 2.0}, 2.0));
  EXPECT_FALSE(CrossTriangle(p, {1.0, 1.0, 1.0}, 1.0));
}

TEST(ContourSegment, ALevelAlongASharedSideIsDrawnByOneElementOnly) {
  const std::array<PlanePoint, 3> upper{PlanePoint{0, 0}, PlanePoint{100, 0}, PlanePoint{0, 100}};
  const std::array<PlanePoint, 3> lower{PlanePoint{100, 0}, PlanePoint{0, 0}, PlanePoint{0, -100}};
  // the side from (0,0) to (100,0) has head 1 at both ends
  const auto a = CrossTriangle(upper, {1.0, 1.0, 2.0}, 1.0);
  const auto b = CrossTriangle(lower, {1.0, 1.0, 0.0}, 1.0);
  EXPECT_TRUE(a.has_value());
  EXPECT_FALSE(b.has_value());
}

TEST(ContourSegment, UsesTheHeadsOfTheRequestedLayer) {
  Problem p = MakeStrip(StripShape{2000, 1000, 1, 1, 2});
  SetHeads(p, 0, [](double, double) { return 5.0; });
  SetHeads(p, 1, [](double x, double) { return x / 100.0; });  // 0 .. 20
  EXPECT_FALSE(ContourSegment(p, 0, 0, 10.0));
  const auto line = ContourSegment(p, 1, 0, 10.0);
  ASSERT_TRUE(line);
  EXPECT_DOUBLE_EQ(line->from.x, 1000.0);
  EXPECT_DOUBLE_EQ(line->to.x, 1000.0);
}

// A strip of 992 by 400 m in a client area of 551 x 481: W = 550, H = 480, mx = 27, my = 24,
// DW = 496, DH = 431, y0 = 455; the width limits the scale to k = 0.5, and the vertical
// centring moves ymin to trunc(-(431 / 0.5 - 400) / 2) = -231.
Problem NarrowStrip() { return MakeStrip(StripShape{992, 400, 1, 1, 1}); }

TEST(ContourMapping, FillsTheWidthAndCentresVertically) {
  const Problem p = NarrowStrip();
  const ContourMapping m = ScreenContourMapping(p, 551, 481);
  ASSERT_TRUE(m.valid);
  EXPECT_DOUBLE_EQ(m.k, 0.5);
  EXPECT_EQ(m.left, 27);
  EXPECT_EQ(m.base, 455);
  EXPECT_DOUBLE_EQ(m.xmin, 0.0);
  EXPECT_DOUBLE_EQ(m.ymin, -231.0);
  EXPECT_EQ(m.Map(0, 0), (Point{27, 339}));
  EXPECT_EQ(m.Map(992, 400), (Point{523, 139}));
  EXPECT_EQ(m.Map(496, 200), (Point{275, 239}));
  // truncation toward zero, not down: -0.5 becomes 0
  EXPECT_EQ(m.Map(-55, 0).x, 0);
  EXPECT_EQ(m.Map(-60, 0).x, -3);
  const DeviceRect r = ProblemAreaRectangle(m);
  EXPECT_EQ(r.left, 27);
  EXPECT_EQ(r.right, 523);
  EXPECT_EQ(r.bottom, 339);
  EXPECT_EQ(r.top, 139);
  // h = 0.1 sqrt((992^2 + 400^2) / 2)
  EXPECT_DOUBLE_EQ(m.lengthScale, 0.1 * std::sqrt((992.0 * 992.0 + 400.0 * 400.0) / 2.0));
}

TEST(ContourMapping, ExtentsAreTruncatedNodeCoordinates) {
  Problem p = NarrowStrip();
  // moving the far nodes by less than a metre leaves the integer extents as they were
  for (int n = 0; n < p.NN; ++n) {
    if (p.nodes[n].X > 0) p.nodes[n].X += 0.9;
    if (p.nodes[n].Y > 0) p.nodes[n].Y += 0.9;
  }
  const ContourMapping m = ScreenContourMapping(p, 551, 481);
  EXPECT_DOUBLE_EQ(m.dx, 992.0);
  EXPECT_DOUBLE_EQ(m.dy, 400.0);
  EXPECT_DOUBLE_EQ(m.k, 0.5);
}

TEST(ContourMapping, NoFiniteScaleIsNotValid) {
  Problem p = NarrowStrip();
  for (int n = 0; n < p.NN; ++n) p.nodes[n] = Node{5.0, 5.0, 0, 0};
  EXPECT_FALSE(ScreenContourMapping(p, 551, 481).valid);
  p = NarrowStrip();
  p.NM = 0;
  EXPECT_FALSE(ScreenContourMapping(p, 551, 481).valid);
  // all nodes on one line of y: the width alone sets the scale
  p = NarrowStrip();
  for (int n = 0; n < p.NN; ++n) p.nodes[n].Y = 0.0;
  const ContourMapping line = ScreenContourMapping(p, 551, 481);
  EXPECT_TRUE(line.valid);
  EXPECT_DOUBLE_EQ(line.k, 0.5);
}

class Recorder : public PendingEvents {
 public:
  bool Process() override { return true; }
  void LegendChanged(const std::string& legend) override { legends.push_back(legend); }
  std::vector<std::string> legends;
};

TEST(ContourFigure, DrawsAreaElementsAndContoursInOrder) {
  Problem p = NarrowStrip();
  // heads 10 .. 11 along x: vertical contours at every 0.1 m, i.e. every 99.2 m
  SetHeads(p, 0, [](double x, double) { return 10.0 + x / 992.0; });
  RecordingCanvas canvas(551, 481);
  Recorder events;
  const std::string legend = DrawContourFigure(p, 0, 551, 481, canvas, events);
  EXPECT_EQ(legend, "Minimum Contour : 10 m, Maximum Contour : 11 m, Contour Interval : 0.1 m");
  ASSERT_EQ(events.legends.size(), 1u);
  EXPECT_EQ(events.legends[0], legend);

  const std::vector<std::string> head(canvas.calls.begin(), canvas.calls.begin() + 10);
  const std::vector<std::string> expected{"PenStyle Solid",
                                          "PenMode Copy",
                                          "Pen 0,0,0",
                                          "Brush 255,255,255",
                                          "Polygon 27 139 523 139 523 339 27 339",
                                          "Pen 255,255,0",
                                          "Brush 255,255,255",
                                          "Polygon 27 339 523 339 523 139",
                                          "Polygon 27 339 523 139 27 139",
                                          "Pen 255,0,0"};
  EXPECT_EQ(head, expected);
  // element 0 (the lower right triangle) is visited first, all its levels, then element 1
  const auto moves = canvas.Calls("MoveTo");
  const auto lines = canvas.Calls("LineTo");
  ASSERT_EQ(moves.size(), 22u);  // 11 levels in each of the two elements
  ASSERT_EQ(lines.size(), 22u);
  // level 10.2 at x = 198.4 (X = 27 + 99.2) in element 0: from its bottom side to its
  // diagonal at y = 80 (Y = trunc(455 - 311 / 2))
  EXPECT_EQ(moves[2], "MoveTo 126 339");
  EXPECT_EQ(lines[2], "LineTo 126 299");
  // in element 1 the same level runs from the diagonal to the top side
  EXPECT_EQ(moves[13], "MoveTo 126 299");
  EXPECT_EQ(lines[13], "LineTo 126 139");
}

TEST(ContourFigure, ATooSmallWindowDrawsNothingButGivesTheLegend) {
  Problem p = NarrowStrip();
  SetHeads(p, 0, [](double x, double) { return 10.0 + x / 992.0; });
  RecordingCanvas canvas(10, 10);
  NoPendingEvents events;
  const std::string legend = DrawContourFigure(p, 0, 10, 10, canvas, events);
  EXPECT_EQ(legend, "Minimum Contour : 10 m, Maximum Contour : 11 m, Contour Interval : 0.1 m");
  EXPECT_TRUE(canvas.calls.empty());
}

}  // namespace
}  // namespace planaq
