#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>
#include <string>
#include <vector>

#include "PrintedPages.h"
#include "canvas/RecordingCanvas.h"
#include "print/GraphicsPage.h"
#include "print/MeshPage.h"

namespace planaq {
namespace {

struct BoxCase {
  int scale;
  DrawingBox expected;
};

class Box : public testing::TestWithParam<BoxCase> {};

// On a page of 600 by 800 units the box is scale/11 of each side, truncated, and centred.
TEST_P(Box, IsCentredAndScaled) {
  Options o;
  o.GraphScale = GetParam().scale;
  const DrawingBox box = DrawingBoxOf(600, 800, o);
  const DrawingBox& e = GetParam().expected;
  EXPECT_EQ(box.width, e.width);
  EXPECT_EQ(box.height, e.height);
  EXPECT_EQ(box.left, e.left);
  EXPECT_EQ(box.top, e.top);
}

INSTANTIATE_TEST_SUITE_P(GraphScale, Box,
                         testing::Values(BoxCase{0, {300, 400, 0, 0}},
                                         BoxCase{5, {164, 218, 272, 363}},
                                         BoxCase{10, {27, 36, 545, 727}}),
                         [](const testing::TestParamInfo<BoxCase>& i) {
                           return "Scale" + std::to_string(i.param.scale);
                         });

TEST(Box, ScaleOutsideTheBarIsHeldToIt) {
  Options o;
  o.GraphScale = 25;
  const DrawingBox big = DrawingBoxOf(600, 800, o);
  EXPECT_EQ(big.width, 545);
  o.GraphScale = -3;
  EXPECT_EQ(DrawingBoxOf(600, 800, o).width, 0);
}

std::vector<Point> PolygonPoints(const RecordingCanvas& canvas) {
  std::vector<Point> points;
  for (const std::string& call : canvas.Calls("Polygon ")) {
    std::istringstream in(call.substr(8));
    Point p;
    while (in >> p.x >> p.y) points.push_back(p);
  }
  return points;
}

// A rectangle of two triangles, lx by ly metres, starting at (x0, y0).
Problem Rectangle(double x0, double y0, double lx, double ly) {
  Problem p;
  p.StartUp(Capacities{});
  p.ProblemName = "Rect";
  p.NN = 4;
  p.NM = 2;
  p.nodes[0] = Node{x0, y0, 0, 0};
  p.nodes[1] = Node{x0 + lx, y0, 0, 0};
  p.nodes[2] = Node{x0 + lx, y0 + ly, 0, 0};
  p.nodes[3] = Node{x0, y0 + ly, 0, 0};
  p.elements[0] = Element{{0, 1, 2}, 0};
  p.elements[1] = Element{{0, 2, 3}, 0};
  return p;
}

std::vector<Point> MeshPage(const Problem& p, int scale, RecordingCanvas& canvas) {
  Options o;
  o.GraphScale = scale;
  PrintState state;
  PrintJob job(canvas, state);
  job.Start();
  PrintMeshPage(p, o, job);
  return PolygonPoints(canvas);
}

struct Extent {
  int x0, x1, y0, y1;
};

Extent ExtentOf(const std::vector<Point>& points) {
  Extent e{points[0].x, points[0].x, points[0].y, points[0].y};
  for (const Point& p : points) {
    e.x0 = std::min(e.x0, p.x);
    e.x1 = std::max(e.x1, p.x);
    e.y0 = std::min(e.y0, p.y);
    e.y1 = std::max(e.y1, p.y);
  }
  return e;
}

// Page 700 x 900 at scale 10: box 636 x 818 at (32, 41); margins 25 and 32; drawing area
// 586 x 754 from x = 57, with its bottom at y = 827.
TEST(MeshPage, WideMeshFillsTheWidthAndIsCentredVertically) {
  RecordingCanvas canvas(700, 900);
  const std::vector<Point> points = MeshPage(Rectangle(100.0, 50.0, 2000.0, 1000.0), 10, canvas);
  ASSERT_EQ(points.size(), 6u);
  const Extent e = ExtentOf(points);
  EXPECT_NEAR(e.x0, 57, 1);
  EXPECT_NEAR(e.x1, 57 + 586, 1);
  EXPECT_NEAR(e.y1 - e.y0, 586 / 2, 1);  // equal scales: half as high as wide
  EXPECT_NEAR((e.y0 + e.y1) / 2.0, 827 - 754 / 2.0, 1.0);
  // outlined black, filled white, and nothing but the two triangles
  EXPECT_EQ(canvas.Calls("Polygon").size(), 2u);
  EXPECT_TRUE(canvas.Calls("Ellipse").empty());
  EXPECT_TRUE(canvas.Calls("LineTo").empty());
  const std::vector<std::string> pens = canvas.Calls("Pen ");
  EXPECT_EQ(pens.back(), "Pen 0,0,0");
  EXPECT_EQ(canvas.Calls("Brush ").back(), "Brush 255,255,255");
}

TEST(MeshPage, TallMeshFillsTheHeightAndIsCentredHorizontally) {
  RecordingCanvas canvas(700, 900);
  const Extent e = ExtentOf(MeshPage(Rectangle(0.0, 0.0, 100.0, 1000.0), 10, canvas));
  EXPECT_NEAR(e.y0, 827 - 754, 1);
  EXPECT_NEAR(e.y1, 827, 1);
  EXPECT_NEAR((e.x0 + e.x1) / 2.0, 57 + 586 / 2.0, 1.0);
  // y upward on the paper: the node at the bottom left is drawn lowest
  EXPECT_EQ(PolygonPoints(canvas)[0].y, e.y1);
}

TEST(MeshPage, ScaleZeroCollapsesTheMeshToOnePoint) {
  RecordingCanvas canvas(700, 900);
  const std::vector<Point> points = MeshPage(Rectangle(0.0, 0.0, 2000.0, 1000.0), 0, canvas);
  ASSERT_EQ(points.size(), 6u);
  for (const Point& p : points) EXPECT_EQ(p, points[0]);
  EXPECT_EQ(points[0], (Point{350, 450}));
}

struct DegenerateCase {
  const char* name;
  double lx, ly;
};

class DegenerateMesh : public testing::TestWithParam<DegenerateCase> {};

// Nodes on one line or on one point still land inside the drawing area.
TEST_P(DegenerateMesh, StaysInsideTheDrawingArea) {
  RecordingCanvas canvas(700, 900);
  const Extent e =
      ExtentOf(MeshPage(Rectangle(10.0, 20.0, GetParam().lx, GetParam().ly), 10, canvas));
  EXPECT_GE(e.x0, 57);
  EXPECT_LE(e.x1, 57 + 586);
  EXPECT_GE(e.y0, 827 - 754);
  EXPECT_LE(e.y1, 827);
  if (GetParam().lx > 0) {
    EXPECT_NEAR(e.x1 - e.x0, 586, 1);
  }
  if (GetParam().ly > 0) {
    EXPECT_NEAR(e.y1 - e.y0, 754, 1);
  }
  if (GetParam().lx == 0) {
    EXPECT_NEAR(e.x0, 57 + 586 / 2, 1);
  }
  if (GetParam().ly == 0) {
    EXPECT_NEAR(e.y0, 827 - 754 / 2, 1);
  }
}

INSTANTIATE_TEST_SUITE_P(MeshPage, DegenerateMesh,
                         testing::Values(DegenerateCase{"Horizontal", 500.0, 0.0},
                                         DegenerateCase{"Vertical", 0.0, 500.0},
                                         DegenerateCase{"OnePoint", 0.0, 0.0}),
                         [](const testing::TestParamInfo<DegenerateCase>& i) {
                           return std::string(i.param.name);
                         });

TEST(GraphicsPageFrame, TitleLinesAndSevenLines) {
  test::ProportionalCanvas canvas(700, 900);
  PrintState state;
  state.pageCounter = 1;
  PrintJob job(canvas, state);
  job.Start();
  Problem p = Rectangle(0, 0, 1, 1);
  EXPECT_EQ(BeginGraphicsPage(p, job, "Mesh of Finite Elements"), 7);
  const test::PrintedPage page = test::PagesOf(canvas)[0];
  ASSERT_EQ(page.size(), 3u);
  EXPECT_EQ(page[0].text, "PLANAQ : Rect");
  EXPECT_EQ(page[0].x, 70);
  EXPECT_EQ(page[0].y, 2 * 11);
  EXPECT_EQ(page[1].text, "Page 1");
  EXPECT_EQ(page[1].x, 700 - 9 * 13 / 2);  // "Page 9999" in FontBold, 13 pixels
  EXPECT_EQ(page[2].text, "Mesh of Finite Elements");
  EXPECT_EQ(page[2].y, 5 * 11);
  EXPECT_EQ(canvas.font().face, "Courier New");
}

}  // namespace
}  // namespace planaq
