#include <gtest/gtest.h>

#include <cmath>
#include <sstream>
#include <string>
#include <vector>

#include "PrintedPages.h"
#include "canvas/RecordingCanvas.h"
#include "print/ContourPage.h"
#include "print/DataReport.h"
#include "print/Graph3DPage.h"

namespace planaq {
namespace {

using test::Find;
using test::PagesOf;
using test::PrintedPage;

// One confined layer over a 2000 x 1000 rectangle, the head falling from 20 m at x = 0 to
// 10 m at x = 2000, so the flow runs in +x.
Problem Channel(int particles) {
  Problem p;
  p.StartUp(Capacities{});
  p.ProblemName = "Channel";
  p.NL = 1;
  p.NA = p.NN = 4;
  p.NB = 1;
  p.NM = 2;
  p.TM = 500.0;
  const double xs[] = {0, 2000, 2000, 0}, ys[] = {0, 0, 1000, 1000};
  for (int n = 0; n < 4; ++n) {
    p.nodes[n] = Node{xs[n], ys[n], 2, 0};
    p.layers[n].B[0] = 0.0;
    p.layers[n].T[0] = 30.0;
    p.layers[n].F[0] = 20.0 - 0.005 * xs[n];
  }
  p.elements[0] = Element{{0, 1, 2}, 0};
  p.elements[1] = Element{{0, 2, 3}, 0};
  p.soils[0].K[0] = 10.0;
  p.soils[0].P[0] = 0.4;
  p.soils[0].R[0] = 1.0;
  p.NP = particles;
  for (int i = 0; i < particles; ++i) {
    p.particles[i].X0 = 100.0;
    p.particles[i].Y0 = 200.0 + 300.0 * i;
    p.particles[i].Z0 = 10.0;
  }
  return p;
}

enum class Kind { Contour, Graph3D };

void PrintPage(Kind kind, Problem& p, const Options& o, PrintJob& job) {
  NoPendingEvents events;
  if (kind == Kind::Contour) {
    PrintContourPage(p, 0, o, job, events);
  } else {
    PrintGraph3DPage(p, 0, o, job, events);
  }
}

std::vector<PrintedPage> PrintAlone(Kind kind, Problem& p, const Options& o,
                                    RecordingCanvas& canvas, PrintState& state) {
  NoPendingEvents events;
  const bool printed = kind == Kind::Contour ? PrintContourDocument(p, 0, o, canvas, state, events)
                                             : PrintGraph3DDocument(p, 0, o, canvas, state, events);
  EXPECT_TRUE(printed);
  return PagesOf(canvas);
}

struct TitleCase {
  const char* name;
  Kind kind;
  int particles;
  const char* title;
};

class GraphPageTitle : public testing::TestWithParam<TitleCase> {};

// At 96 pixels per inch FontNormal is 11 high and FontBold 13: the frame takes 7 lines of 11,
// then half a line of "w", then the texts two lines of "w" apart.
TEST_P(GraphPageTitle, NamesThePathlinesOnlyWithParticles) {
  const TitleCase& c = GetParam();
  Problem p = Channel(c.particles);
  RecordingCanvas canvas(800, 1100);
  PrintState state;
  const std::vector<PrintedPage> pages = PrintAlone(c.kind, p, Options{}, canvas, state);
  ASSERT_EQ(pages.size(), 1u);
  EXPECT_EQ(Find(pages[0], "PLANAQ : Channel").y, 2 * 11);
  EXPECT_EQ(Find(pages[0], "Page ").text, "Page 1");
  const test::PrintedText title = Find(pages[0], c.title);
  EXPECT_EQ(title.text, c.title);
  EXPECT_EQ(title.y, 5 * 11);
  EXPECT_EQ(Find(pages[0], "Layer 1").y, 77 + 6);
  // heads 10..20 m: levels from 10 to 20 every 0.5 m
  const test::PrintedText legend = Find(pages[0], "Minimum Contour");
  EXPECT_EQ(legend.text,
            "Minimum Contour : 10 m, Maximum Contour : 20 m, Contour Interval : 0.5 m");
  EXPECT_EQ(legend.y, 83 + 26);
  const test::PrintedText marks = Find(pages[0], "Time interval between marks");
  if (c.particles > 0) {
    EXPECT_EQ(marks.text, "Time interval between marks : 500 d");
    EXPECT_EQ(marks.y, 109 + 26);
  } else {
    EXPECT_EQ(marks.y, -1);
  }
  for (const test::PrintedText& t : pages[0]) EXPECT_EQ(t.x == 80 || t.text == "Page 1", true);
}

INSTANTIATE_TEST_SUITE_P(
    Print, GraphPageTitle,
    testing::Values(
        TitleCase{"ContourNoParticles", Kind::Contour, 0, "Contours of Groundwater Head"},
        TitleCase{"ContourParticles", Kind::Contour, 2,
                  "Contours of Groundwater Head and Pathlines of Particles"},
        TitleCase{"Graph3DNoParticles", Kind::Graph3D, 0,
                  "Three Dimensional Graph of Groundwater Head"},
        TitleCase{"Graph3DParticles", Kind::Graph3D, 2,
                  "Three Dimensional Graph of Groundwater Head and Pathlines of Particles"}),
    [](const testing::TestParamInfo<TitleCase>& i) { return std::string(i.param.name); });

TEST(Graph3DPage, WithoutContoursTheMarksLineTakesTheLegendsPlace) {
  Problem p = Channel(1);
  Options o;
  o.Contours = false;
  RecordingCanvas canvas(800, 1100);
  PrintState state;
  const std::vector<PrintedPage> pages = PrintAlone(Kind::Graph3D, p, o, canvas, state);
  EXPECT_EQ(Find(pages[0], "Minimum Contour").y, -1);
  EXPECT_EQ(Find(pages[0], "Time interval between marks").y, 83 + 26);
}

// Squares of the given side drawn as a move and four lines around a point.
int MarksOfSide(const RecordingCanvas& canvas, int side) {
  int count = 0;
  const std::vector<std::string>& c = canvas.calls;
  for (std::size_t i = 0; i + 4 < c.size(); ++i) {
    int x = 0, y = 0;
    if (std::sscanf(c[i].c_str(), "MoveTo %d %d", &x, &y) != 2) continue;
    const std::string expected[4] = {
        "LineTo " + std::to_string(x + side) + " " + std::to_string(y),
        "LineTo " + std::to_string(x + side) + " " + std::to_string(y + side),
        "LineTo " + std::to_string(x) + " " + std::to_string(y + side),
        "LineTo " + std::to_string(x) + " " + std::to_string(y)};
    bool square = true;
    for (int k = 0; k < 4; ++k) square = square && c[i + 1 + k] == expected[k];
    if (square) ++count;
  }
  return count;
}

class GraphPageTracing : public testing::TestWithParam<Kind> {};

// On a 600 dpi page "W" is 68 units high, so the marks are squares of 2 (68 div 12) = 10.
TEST_P(GraphPageTracing, MarksFollowTheTextHeightAndParticlesAreNotReset) {
  Problem p = Channel(2);
  RecordingCanvas canvas(4800, 6800, 600);
  PrintState state;
  PrintAlone(GetParam(), p, Options{}, canvas, state);
  // 0.125 m/d over 1900 m with a mark every 500 d: about 30 marks per particle
  EXPECT_GE(MarksOfSide(canvas, 10), 2 * 25);
  EXPECT_EQ(MarksOfSide(canvas, 2), 0);
  for (int i = 0; i < p.NP; ++i) {
    EXPECT_GT(p.particles[i].X, 1900.0) << "left where the tracing ended";
    EXPECT_EQ(p.particles[i].X0, 100.0);
  }
}

INSTANTIATE_TEST_SUITE_P(Print, GraphPageTracing, testing::Values(Kind::Contour, Kind::Graph3D),
                         [](const testing::TestParamInfo<Kind>& i) {
                           return std::string(i.param == Kind::Contour ? "Contour" : "Graph3D");
                         });

// A well that extracts takes the particle once it is within 10 h (h: a tenth of the mesh's
// diagonal over the root of the element count), where the screen takes it within 1 h.
TEST(ContourPage, ExtractionWellCapturesWithinTenLengthScales) {
  Problem p = Channel(1);
  // h = 0.1 sqrt((2000^2 + 1000^2) / 2) = 158.1 m; the well stands 1000 m off the path
  p.NN = 5;
  p.nodes[4] = Node{1000.0, 1200.0, 0, 0};
  p.NW = 1;
  p.wells[0] = Well{4, 0, -100.0};
  p.particles[0].Y0 = 250.0;  // |dx| + |dy| reaches 950 < 1581 near x = 1000
  RecordingCanvas canvas(4800, 6800, 600);
  PrintState state;
  PrintAlone(Kind::Contour, p, Options{}, canvas, state);
  EXPECT_DOUBLE_EQ(p.particles[0].X, 1000.0);
  EXPECT_DOUBLE_EQ(p.particles[0].Y, 1200.0);
}

TEST(GraphPages, FollowTheReportOnANewSheetWithTheNextNumber) {
  Problem p = Channel(1);
  RecordingCanvas canvas(800, 1100);
  PrintState state;
  ASSERT_TRUE(canvas.BeginDoc());
  PrintJob job(canvas, state);
  job.Start();
  PrintReportPages(p, Options{}, job);
  PrintPage(Kind::Contour, p, Options{}, job);
  PrintPage(Kind::Graph3D, p, Options{}, job);
  canvas.EndDoc();
  const std::vector<PrintedPage> pages = PagesOf(canvas);
  ASSERT_EQ(pages.size(), 3u);
  EXPECT_EQ(Find(pages[1], "Page ").text, "Page 2");
  EXPECT_EQ(Find(pages[1], "Contours of Groundwater Head").y, 5 * 11);
  EXPECT_EQ(Find(pages[2], "Page ").text, "Page 3");
  EXPECT_EQ(Find(pages[2], "Three Dimensional Graph").y, 5 * 11);
}

// Each print command of a figure window is a document of its own: the first after program
// start is page 1, the next page 2, neither with a blank sheet in front of it.
TEST(GraphPages, SeparateDocumentsGoOnCountingWithoutBlankSheets) {
  Problem p = Channel(0);
  PrintState state;
  RecordingCanvas first(800, 1100), second(800, 1100);
  const std::vector<PrintedPage> one = PrintAlone(Kind::Contour, p, Options{}, first, state);
  const std::vector<PrintedPage> two = PrintAlone(Kind::Graph3D, p, Options{}, second, state);
  ASSERT_EQ(one.size(), 1u);
  ASSERT_EQ(two.size(), 1u);
  EXPECT_EQ(Find(one[0], "Page ").text, "Page 1");
  EXPECT_EQ(Find(two[0], "Page ").text, "Page 2");
  EXPECT_EQ(state.pageCounter, 3);
}

class ScaleZero : public testing::TestWithParam<Kind> {};

// A box of no size draws no figure, but the page keeps its texts.
TEST_P(ScaleZero, PrintsTheTextsWithoutAFigure) {
  Problem p = Channel(1);
  Options o;
  o.GraphScale = 0;
  RecordingCanvas canvas(800, 1100);
  PrintState state;
  const std::vector<PrintedPage> pages = PrintAlone(GetParam(), p, o, canvas, state);
  EXPECT_EQ(Find(pages[0], "Layer 1").y, 83);
  EXPECT_NE(Find(pages[0], "Time interval between marks").y, -1);
  EXPECT_TRUE(canvas.Calls("Polygon").empty());
  EXPECT_TRUE(canvas.Calls("LineTo").empty());
}

INSTANTIATE_TEST_SUITE_P(Print, ScaleZero, testing::Values(Kind::Contour, Kind::Graph3D),
                         [](const testing::TestParamInfo<Kind>& i) {
                           return std::string(i.param == Kind::Contour ? "Contour" : "Graph3D");
                         });

// The contour figure stands in the box less a sixteenth on every side; the mesh is twice as
// wide as high, so it spans the drawing width.
TEST(ContourPage, ElementsFillTheDrawingWidthOfTheBox) {
  Problem p = Channel(0);
  RecordingCanvas canvas(700, 900);
  PrintState state;
  Options o;
  o.GraphScale = 10;
  PrintAlone(Kind::Contour, p, o, canvas, state);
  // box 636 x 818 at (32, 41); margins 39 and 51; drawing 558 wide from x = 71
  int x0 = 1 << 30, x1 = -(1 << 30);
  for (const std::string& call : canvas.Calls("Polygon ")) {
    std::istringstream in(call.substr(8));
    int x, y;
    while (in >> x >> y) {
      x0 = std::min(x0, x);
      x1 = std::max(x1, x);
    }
  }
  EXPECT_NEAR(x0, 71, 1);
  EXPECT_NEAR(x1, 71 + 558, 1);
  EXPECT_EQ(canvas.Calls("Pen 255,255,0").size(), 1u);  // element outlines yellow
}

}  // namespace
}  // namespace planaq
