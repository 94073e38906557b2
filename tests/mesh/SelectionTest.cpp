// Selections against a literal reference over all nodes and elements, assignments against the
// same values typed through the grid rules, and undo back to the same datafile text.

#include <gtest/gtest.h>

#include <cmath>
#include <random>

#include "canvas/RecordingCanvas.h"
#include "files/Datafile.h"
#include "grids/ElementsGrid.h"
#include "grids/NodesGrid.h"
#include "mesh/EditSnapshot.h"
#include "mesh/Selection.h"
#include "mesh/SelectionAssign.h"
#include "mesh/SelectionDrawing.h"

namespace planaq {
namespace {

// An n by n grid of squares over LX by LY, each cut into two triangles, the nodes moved at
// random by up to jitter of a square (0: a regular grid, with nodes on the squares' lines).
Problem GridMesh(int n, double jitter, unsigned seed) {
  Problem p;
  p.StartUp(Capacities{});
  std::mt19937 rng(seed);
  std::uniform_real_distribution<double> shake(-jitter, jitter);
  const double hx = p.LX / n, hy = p.LY / n;
  p.NN = (n + 1) * (n + 1);
  for (int j = 0; j <= n; ++j)
    for (int i = 0; i <= n; ++i) {
      Node& node = p.nodes[j * (n + 1) + i];
      const bool inner = i > 0 && i < n && j > 0 && j < n;
      node.X = hx * (i + (inner ? shake(rng) : 0.0));
      node.Y = hy * (j + (inner ? shake(rng) : 0.0));
      node.Type = (i + j) % 3 == 0 ? 2 : 0;
      for (int L = 0; L < kMaxLayers; ++L) {
        p.layers[j * (n + 1) + i].B[L] = 50.0 - 10.0 * L;
        p.layers[j * (n + 1) + i].T[L] = 55.0 - 10.0 * L;
        p.layers[j * (n + 1) + i].F[L] = 60.0;
        p.layers[j * (n + 1) + i].Q[L] = 0.5 * i;
      }
    }
  p.NM = 0;
  for (int j = 0; j < n; ++j)
    for (int i = 0; i < n; ++i) {
      const int a = j * (n + 1) + i, b = a + 1, c = a + n + 1, d = c + 1;
      p.elements[p.NM++] = Element{{a, b, d}, 0};
      p.elements[p.NM++] = Element{{a, d, c}, 0};
    }
  return p;
}

// ---- the literal reference: every segment against every point ----

double Distance(double x, double y, ShapePoint a, ShapePoint b) {
  const double dx = b.x - a.x, dy = b.y - a.y;
  const double t = std::clamp(((x - a.x) * dx + (y - a.y) * dy) / (dx * dx + dy * dy), 0.0, 1.0);
  return std::sqrt((x - a.x - t * dx) * (x - a.x - t * dx) +
                   (y - a.y - t * dy) * (y - a.y - t * dy));
}

bool ReferenceInside(const SelectionShape& s, double tolerance, double x, double y) {
  const auto& v = s.points;
  if (s.kind == ShapeKind::Rectangle)
    return x >= std::min(v[0].x, v[1].x) && x <= std::max(v[0].x, v[1].x) &&
           y >= std::min(v[0].y, v[1].y) && y <= std::max(v[0].y, v[1].y);
  const std::size_t segments = s.kind == ShapeKind::Polygon ? v.size() : v.size() - 1;
  const double near = s.kind == ShapeKind::Polyline && s.width > 0 ? s.width : tolerance;
  for (std::size_t i = 0; i < segments; ++i)
    if (Distance(x, y, v[i], v[(i + 1) % v.size()]) <= near) return true;
  if (s.kind == ShapeKind::Polyline) return false;
  int crossings = 0;
  for (std::size_t i = 0; i < v.size(); ++i) {
    const ShapePoint a = v[i], b = v[(i + 1) % v.size()];
    if ((a.y > y) != (b.y > y) && x < a.x + (y - a.y) * (b.x - a.x) / (b.y - a.y)) ++crossings;
  }
  return crossings % 2 == 1;
}

Selection ReferenceSelect(const Problem& p, const SelectionShape& s) {
  const double tolerance = OnLineTolerance(p);
  Selection r;
  for (int i = 0; i < p.NN; ++i)
    if (ReferenceInside(s, tolerance, p.nodes[i].X, p.nodes[i].Y)) r.nodes.push_back(i);
  for (int e = 0; e < p.NM; ++e) {
    const auto& n = p.elements[e].Node;
    const double x = (p.nodes[n[0]].X + p.nodes[n[1]].X + p.nodes[n[2]].X) / 3.0;
    const double y = (p.nodes[n[0]].Y + p.nodes[n[1]].Y + p.nodes[n[2]].Y) / 3.0;
    if (ReferenceInside(s, tolerance, x, y)) r.elements.push_back(e);
  }
  return r;
}

// a star around a centre: angles in order, so it never crosses itself
SelectionShape RandomStar(const Problem& p, std::mt19937& rng, int vertices) {
  std::uniform_real_distribution<double> u(0.0, 1.0);
  const double cx = p.LX * (0.3 + 0.4 * u(rng)), cy = p.LY * (0.3 + 0.4 * u(rng));
  SelectionShape s{ShapeKind::Polygon, {}, 0};
  for (int k = 0; k < vertices; ++k) {
    const double angle = 2 * M_PI * (k + 0.9 * u(rng)) / vertices;
    const double r = 0.28 * std::min(p.LX, p.LY) * (0.2 + 0.8 * u(rng));
    s.points.push_back({cx + r * std::cos(angle), cy + r * std::sin(angle)});
  }
  return s;
}

SelectionShape RandomLine(const Problem& p, std::mt19937& rng, double width) {
  std::uniform_real_distribution<double> ux(0.0, p.LX), uy(0.0, p.LY);
  SelectionShape s{ShapeKind::Polyline, {}, width};
  for (int k = 0; k < 6; ++k) s.points.push_back({ux(rng), uy(rng)});
  return s;
}

void ExpectSame(const Selection& got, const Selection& want, const std::string& what) {
  EXPECT_EQ(got.nodes, want.nodes) << what;
  EXPECT_EQ(got.elements, want.elements) << what;
}

TEST(Selection, MatchesTheLiteralReferenceOnRandomMeshes) {
  for (unsigned seed = 1; seed <= 6; ++seed) {
    const Problem p = GridMesh(30, seed % 2 ? 0.3 : 0.0, seed);
    std::mt19937 rng(seed);
    for (int round = 0; round < 4; ++round) {
      const SelectionShape star = RandomStar(p, rng, 5 + 30 * round);
      ASSERT_EQ(CheckShape(p, star), "");
      ExpectSame(Select(p, star), ReferenceSelect(p, star), "polygon");
      const SelectionShape band = RandomLine(p, rng, 40.0 * round);
      ExpectSame(Select(p, band), ReferenceSelect(p, band), "line");
      const SelectionShape box = {ShapeKind::Rectangle, {band.points[0], band.points[1]}, 0};
      ExpectSame(Select(p, box), ReferenceSelect(p, box), "rectangle");
    }
  }
}

TEST(Selection, NodesOnThePolygonsBoundaryAndAlongALineOfWidthZero) {
  const Problem p = GridMesh(10, 0.0, 1);  // squares of 200 by 100 m
  const SelectionShape square{
      ShapeKind::Polygon, {{400, 200}, {800, 200}, {800, 400}, {400, 400}}, 0};
  // 3 columns by 3 rows of nodes, the boundary ones included; 2 by 2 squares of elements
  const Selection s = Select(p, square);
  EXPECT_EQ(s.nodes.size(), 9u);
  EXPECT_EQ(s.elements.size(), 8u);
  // along the line y = 300 from x = 200 to 1000: the nodes 1..5 of row 3
  const SelectionShape river{ShapeKind::Polyline, {{200, 300}, {1000, 300}}, 0};
  EXPECT_EQ(Select(p, river).nodes, (std::vector<int>{34, 35, 36, 37, 38}));
}

TEST(Selection, RefusesShapesThatCannotSelect) {
  const Problem p = GridMesh(4, 0.0, 1);
  const struct {
    SelectionShape shape;
    const char* message;
  } cases[] = {
      {{ShapeKind::Polygon, {{0, 0}, {10, 10}}, 0}, "A polygon needs at least 3 points."},
      {{ShapeKind::Polygon, {{0, 0}, {100, 100}, {100, 0}, {0, 100}}, 0},
       "The polygon crosses itself."},
      {{ShapeKind::Polygon, {{0, 0}, {100, 100}, {200, 200}}, 0}, "The polygon has no area."},
      {{ShapeKind::Polyline, {{0, 0}, {3000, 10}}, 0},
       "A point lies outside the area (0..LX, 0..LY)."},
      {{ShapeKind::Polyline, {{0, 0}, {NAN, 10}}, 0}, "A coordinate is not a finite number."},
      {{ShapeKind::Polyline, {{0, 0}, {10, 10}}, -1},
       "The width must be a finite number of at least 0."},
  };
  for (const auto& c : cases) EXPECT_EQ(CheckShape(p, c.shape), c.message);
}

// the same values typed into the grids, cell by cell in column order, layer by layer
void TypeIntoGrids(Problem& p, const Selection& s, int layer, const std::vector<double>& heads) {
  const auto typed = [](double v) { return FormatReal("%.17g", v); };
  for (std::size_t i = 0; i < s.nodes.size(); ++i) {
    StoreNodesCell(p, kNodeB, s.nodes[i], layer, typed(-3.5));
    StoreNodesCell(p, kNodeT, s.nodes[i], layer, typed(4.25));
    StoreNodesCell(p, kNodeF, s.nodes[i], layer, typed(heads[i]));
    StoreNodesCell(p, kNodeFQ, s.nodes[i], layer, "F");
    StoreNodesCell(p, kNodeCO, s.nodes[i], 0, "O");
  }
  for (int e : s.elements) StoreElementsCell(p, kElementSoil, e, "1");
}

TEST(SelectionAssign, StoresWhatTypingTheValuesStores) {
  Problem assigned = GridMesh(12, 0.25, 3);
  assigned.NB = 1;
  Problem typed = assigned;
  // a river from x = 100 to 1900 at y = 500 with the head falling from 12 to 3
  const SelectionShape river{ShapeKind::Polyline, {{100, 500}, {1900, 500}}, 60.0};
  const Selection s = Select(assigned, river);
  ASSERT_GT(s.nodes.size(), 10u);
  Assignment a;
  a.layer = 1;
  a.headAlong = HeadAlongLine{12.0, 3.0};
  a.bottom = -3.5;
  a.top = 4.25;
  a.topOpen = true;
  a.soil = 1;
  const AssignOutcome out = AssignSelection(assigned, river, s, a);
  ASSERT_EQ(out.message, "");
  EXPECT_EQ(out.nodesSelected, static_cast<int>(s.nodes.size()));

  std::vector<double> heads;
  for (int n : s.nodes) {
    const double x = std::clamp(typed.nodes[n].X, 100.0, 1900.0);
    heads.push_back(12.0 + (3.0 - 12.0) * (x - 100.0) / 1800.0);
  }
  TypeIntoGrids(typed, s, 1, heads);
  EXPECT_EQ(FormatDatafile(assigned), FormatDatafile(typed));
  EXPECT_NE(FormatDatafile(assigned), FormatDatafile(GridMesh(12, 0.25, 3)));
}

TEST(SelectionAssign, UndoRestoresTheExactDatafileText) {
  Problem p = GridMesh(12, 0.25, 4);
  const std::string before = FormatDatafile(p);
  const SelectionShape lake{ShapeKind::Polygon, {{500, 200}, {1500, 300}, {1200, 800}}, 0};
  Assignment a;
  a.layer = Assignment::kAllLayers;
  a.givenHead = 7.0;
  a.extraSupply = -250.0;
  a.soil = 1;
  EditUndo undo;
  undo.Remember(p);
  const AssignOutcome out = AssignSelection(p, lake, Select(p, lake), a);
  undo.Keep(out.Changed());
  ASSERT_TRUE(out.Changed());
  ASSERT_NE(FormatDatafile(p), before);
  ASSERT_TRUE(undo.Undo(p));
  EXPECT_EQ(FormatDatafile(p), before);
}

TEST(SelectionAssign, SpreadsTheExtraSupplyByLengthAndByArea) {
  const Problem start = GridMesh(10, 0.0, 1);  // squares of 200 by 100 m
  // along y = 300 from x = 200 to 1000: nodes 200 m apart, the two ends own half a stretch
  Problem p = start;
  const SelectionShape line{ShapeKind::Polyline, {{200, 300}, {1000, 300}}, 0};
  Assignment a;
  a.layer = 0;
  a.extraSupply = 800.0;
  ASSERT_EQ(AssignSelection(p, line, Select(p, line), a).message, "");
  const double expected[] = {100, 200, 200, 200, 100};
  for (int k = 0; k < 5; ++k)
    EXPECT_DOUBLE_EQ(p.layers[34 + k].Q[0] - start.layers[34 + k].Q[0], expected[k]) << k;

  // the whole area: an interior node owns a third of its six triangles, 200 * 100 m2 of 2e6
  p = start;
  const SelectionShape all{ShapeKind::Rectangle, {{0, 0}, {2000, 1000}}, 0};
  a.extraSupply = 2e6;
  ASSERT_EQ(AssignSelection(p, all, Select(p, all), a).message, "");
  double total = 0;
  for (int n = 0; n < p.NN; ++n) total += p.layers[n].Q[0] - start.layers[n].Q[0];
  EXPECT_NEAR(total, 2e6, 1e-6);
  EXPECT_NEAR(p.layers[60].Q[0] - start.layers[60].Q[0], 2e4, 1e-6);
}

TEST(SelectionDrawing, TheFinishedPolygonIsClosedAndEverySelectedNodeMarked) {
  const Problem p = GridMesh(4, 0.0, 1);
  const MeshMapping map = ComputeMeshMapping(401, 326, p.LX, p.LY);
  const SelectionShape lake{ShapeKind::Polygon, {{0, 0}, {1000, 0}, {1000, 500}}, 0};
  const Selection s = Select(p, lake);
  RecordingCanvas c(401, 326);
  DrawSelection(c, p, map, lake, true, s.nodes);
  const Point first = map.ToPixel(0, 0);
  // pen, width and brush; per corner a line to it, its square and a move back; the marks
  EXPECT_EQ(c.calls.size(), 3 + 4 * 3 + 2 + s.nodes.size() + 1);
  EXPECT_EQ(c.calls.back(), "Pen 0,0,0");
  // back to the first corner
  EXPECT_EQ(c.Calls("LineTo " + std::to_string(first.x) + " " + std::to_string(first.y)).size(),
            1u);
  for (int n : s.nodes) {
    const Point at = map.ToPixel(p.nodes[n].X, p.nodes[n].Y);
    EXPECT_EQ(c.Calls("FillRect " + std::to_string(at.x - 2) + " " + std::to_string(at.y - 2) + " ")
                  .size(),
              1u)
        << n;
  }
}

// A finished line of half-width w shows its band dotted: both sides at w from each segment
// and a circle of w around each corner; a line of width 0 and one still drawn show none.
TEST(SelectionDrawing, AFinishedLineShowsTheBandOfItsHalfWidth) {
  const Problem p = GridMesh(4, 0.0, 1);
  const MeshMapping map = ComputeMeshMapping(401, 326, p.LX, p.LY);
  const SelectionShape river{ShapeKind::Polyline, {{250, 500}, {1750, 500}}, 100};
  const auto drawn = [&](const SelectionShape& shape, bool finished) {
    RecordingCanvas c(401, 326);
    DrawSelection(c, p, map, shape, finished, {});
    return c;
  };
  const RecordingCanvas band = drawn(river, true);
  EXPECT_EQ(band.Calls("PenStyle Dot").size(), 1u) << "one dotted band";
  const auto lineTo = [&](double x, double y) {
    const Point at = map.ToPixel(x, y);
    return band.Calls("LineTo " + std::to_string(at.x) + " " + std::to_string(at.y)).size();
  };
  EXPECT_GE(lineTo(1750, 600), 1u);  // the side to the left of the line's way
  EXPECT_GE(lineTo(1750, 400), 1u);  // and to the right
  EXPECT_GE(lineTo(250 + 100, 500),
            1u);  // the circle round the first corner, closed where it began
  SelectionShape thin = river;
  thin.width = 0;
  EXPECT_TRUE(drawn(thin, true).Calls("PenStyle Dot").empty());
  EXPECT_TRUE(drawn(river, false).Calls("PenStyle Dot").empty());
}

}  // namespace
}  // namespace planaq
