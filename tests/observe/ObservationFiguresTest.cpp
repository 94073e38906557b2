// The observation markers of the contour figure and the report's Observations page.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>

#include "canvas/RecordingCanvas.h"
#include "observe/ObservationMarkers.h"
#include "print/ContourPage.h"
#include "print/DataReport.h"
#include "print/PrintedPages.h"
#include "solver/StripMesh.h"

namespace planaq {
namespace {

Problem PlaneHeads() {
  test::StripLayout layout;
  layout.NL = 2;
  Problem p = test::StripProblem(layout);  // 1000 m by 100 m, heads 70 m
  return p;
}

Observation At(const char* name, double x, double y, int layer, double head) {
  Observation o;
  o.name = name;
  o.X = x;
  o.Y = y;
  o.layer = layer;
  o.head = head;
  return o;
}

TEST(ObservationMarkers, ACircleAtThePointInTheColourOfTheResidualsSignForTheLayerOnly) {
  const Problem p = PlaneHeads();
  ObservationSet set;
  set.points = {At("high", 250, 50, 0, 71), At("low", 750, 20, 0, 69),
                At("lower layer", 500, 50, 1, 75), At("outside", 5000, 50, 0, 1)};
  const ContourMapping m = ScreenContourMapping(p, 640, 480);
  RecordingCanvas canvas;
  DrawObservationMarkers(set, ComputeObservedHeads(p, set), 0, m, canvas);
  const Point a = m.Map(250, 50), b = m.Map(750, 20);
  const std::vector<std::string> ellipses = canvas.Calls("Ellipse");
  ASSERT_EQ(ellipses.size(), 2u);
  EXPECT_EQ(ellipses[0], "Ellipse " + std::to_string(a.x - 4) + " " + std::to_string(a.y - 4) +
                             " " + std::to_string(a.x + 5) + " " + std::to_string(a.y + 5));
  EXPECT_EQ(ellipses[1], "Ellipse " + std::to_string(b.x - 4) + " " + std::to_string(b.y - 4) +
                             " " + std::to_string(b.x + 5) + " " + std::to_string(b.y + 5));
  // each circle filled with the colour of its sign: observed above computed blue, below orange
  const auto brushBefore = [&](const std::string& ellipse) {
    const auto at = std::find(canvas.calls.begin(), canvas.calls.end(), ellipse);
    return at == canvas.calls.begin() ? std::string() : *(at - 1);
  };
  EXPECT_EQ(brushBefore(ellipses[0]), "Brush 0,0,255");
  EXPECT_EQ(brushBefore(ellipses[1]), "Brush 255,128,0");
  EXPECT_EQ(canvas.Calls("TextOut").size(), 2u);
}

TEST(ObservationMarkers, ThePrintedContourPageMarksThePointsOfItsLayerAsLargeAsOnTheScreen) {
  Problem p = PlaneHeads();
  ObservationSet set;
  set.points = {At("high", 250, 50, 0, 71), At("low", 750, 20, 0, 69),
                At("lower layer", 500, 50, 1, 75)};
  const auto ellipses = [&](const ObservationSet* s) {
    RecordingCanvas canvas(4800, 6800, 600);  // a page at 600 dots an inch
    PrintState state;
    NoPendingEvents events;
    EXPECT_TRUE(PrintContourDocument(p, 0, Options{}, canvas, state, events, s));
    return canvas.Calls("Ellipse");
  };
  const std::vector<std::string> without = ellipses(nullptr), with = ellipses(&set);
  ASSERT_EQ(with.size(), without.size() + 2);  // the two points of layer 1
  int x0 = 0, y0 = 0, x1 = 0, y1 = 0;
  ASSERT_EQ(std::sscanf(with.back().c_str(), "Ellipse %d %d %d %d", &x0, &y0, &x1, &y1), 4);
  // the screen's 9 pixels at 96 dots an inch would be a speck at 600: at least half their size
  EXPECT_GE(x1 - x0, 9 * 600 / 96 / 2) << with.back();
}

TEST(ObservationsPage, PrintedOnlyWhenTickedAndThereAreObservations) {
  const Problem p = PlaneHeads();
  ObservationSet set;
  set.points = {At("Pz 1", 250, 50, 0, 71.5)};
  Options options;
  options.General = false;
  const auto pages = [&](const Options& o, const ObservationSet* s) {
    RecordingCanvas canvas(2000, 2800);
    PrintState state;
    PrintReport(p, o, canvas, state, s);
    return test::PagesOf(canvas);
  };
  EXPECT_EQ(test::Find(pages(options, &set)[0], "Observations").y, -1) << "off by default";
  options.Observations = true;
  EXPECT_EQ(test::Find(pages(options, nullptr)[0], "Observations").y, -1);
  const std::vector<test::PrintedPage> printed = pages(options, &set);
  ASSERT_EQ(printed.size(), 2u);  // the table, then the figure
  EXPECT_NE(test::Find(printed[0], "Observations").y, -1);
  const std::string row = test::Find(printed[0], "Pz 1").text;
  EXPECT_NE(row.find("71.500"), std::string::npos) << row;
  EXPECT_NE(row.find("70.000"), std::string::npos) << row;
  EXPECT_NE(test::Find(printed[0], "RMS (m)").text.find("1.5000"), std::string::npos);
  EXPECT_NE(test::Find(printed[1], "Observed head (m)").y, -1);
}

}  // namespace
}  // namespace planaq
