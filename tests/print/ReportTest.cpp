#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "PrintedPages.h"
#include "canvas/RecordingCanvas.h"
#include "print/DataReport.h"
#include "print/GraphicsPage.h"

namespace planaq {
namespace {

using test::Find;
using test::PagesOf;
using test::PrintedPage;

// FontNormal is 11 pixels high at 96 pixels per inch: one line is 11 units.
constexpr int kH = 11;

Problem Sample() {
  Problem p;
  p.StartUp(Capacities{});
  p.UserName = "Tester";
  p.ProblemName = "Sample";
  p.FileName = "sample.aqd";
  return p;
}

Options Only(bool general, bool nodes, bool elements, bool mesh) {
  Options o;
  o.General = general;
  o.Nodes = nodes;
  o.Elements = elements;
  o.Mesh = mesh;
  return o;
}

std::vector<PrintedPage> Report(const Problem& p, const Options& o, RecordingCanvas& canvas) {
  PrintState state;
  EXPECT_TRUE(PrintReport(p, o, canvas, state));
  return PagesOf(canvas);
}

struct Line {
  int line;
  int x;
  std::string text;
};

class FirstPage : public testing::TestWithParam<bool> {};

TEST_P(FirstPage, StandsOnTheLineGrid) {
  const bool warning = GetParam();
  Problem p = Sample();
  p.waterLevelWarning = warning;
  RecordingCanvas canvas(800, 1100);
  const std::vector<PrintedPage> pages = Report(p, Options{}, canvas);
  ASSERT_EQ(pages.size(), 1u);

  const int s = warning ? 3 : 0;
  const int left = 80;              // page width div 10
  const int value = left + 7 * 22;  // "Number of Main Nodes  " is 22 characters
  std::vector<Line> expected{
      {2, left, "PLANAQ -- Finite Element Method for Plane Groundwater Flow"},
      {2, 800 - 7 * 9, "Page 1"},
      {4, left, "Steady plane groundwater flow in a layered system of aquifers and aquitards"},
      {6, left, "Tester, Sample"}};
  if (warning)
    expected.push_back(
        {9, left, "Warning : Water level locally below bottom of aquifer. Results invalid."});
  const std::vector<Line> rest{
      {9 + s, left, "General Data"},
      {12 + s, left, "User Name"},
      {12 + s, value, ": Tester"},
      {13 + s, left, "File Name"},
      {13 + s, value, ": sample.aqd"},
      {14 + s, left, "Problem Name"},
      {14 + s, value, ": Sample"},
      {15 + s, left, "LX (m)"},
      {15 + s, value, ": 2000"},
      {16 + s, left, "LY (m)"},
      {16 + s, value, ": 1000"},
      {17 + s, left, "Number of Main Nodes"},
      {17 + s, value, ": 3"},
      {18 + s, left, "Number of Blocks"},
      {18 + s, value, ": 1"},
      {19 + s, left, "Number of Wells"},
      {19 + s, value, ": 0"},
      {20 + s, left, "Number of Particles"},
      {20 + s, value, ": 0"},
      {21 + s, left, "Time between marks (d)"},
      {21 + s, value, ": 2000"},
      {22 + s, left, "Number of Nodes"},
      {22 + s, value, ": 3"},
      {23 + s, left, "Number of Elements"},
      {23 + s, value, ": 1"},
      {24 + s, left, "Number of Layers"},
      {24 + s, value, ": 6"},
      {26 + s, left, "Definition of Type parameter of nodes :"},
      {27 + s, left, "   if (Type&1) : Top of layer 1 open, else Top of layer 1 closed"},
      {28 + s, left,
       "   if ((Type>>L)&1) : Groundwater head (F) given in layer L, else Discharge (Q) given"},
      {30 + s, left, "Main Nodes"},
      {32 + s, left, "     Node          X (m)           Y (m)   Type"},
      {33 + s, left,
       "                   B (m)           T (m)           F (m)          Q (m\xB3/d)"},
  };
  expected.insert(expected.end(), rest.begin(), rest.end());
  ASSERT_GE(pages[0].size(), expected.size());
  for (std::size_t i = 0; i < expected.size(); ++i) {
    SCOPED_TRACE(expected[i].text);
    EXPECT_EQ(pages[0][i].text, expected[i].text);
    EXPECT_EQ(pages[0][i].x, expected[i].x);
    EXPECT_EQ(pages[0][i].y, expected[i].line * kH);
  }
  // the six layer headings, a blank line, then the first node with its six layer lines
  const test::PrintedText first = Find(pages[0], "       1           0.000           0.000    2");
  EXPECT_EQ(first.y, (32 + s + 1 + 6 + 1) * kH);
  EXPECT_EQ(Find(pages[0], "Blocks").y, (40 + s + 3 * 7 + 1) * kH);
}

INSTANTIATE_TEST_SUITE_P(Report, FirstPage, testing::Values(false, true),
                         [](const testing::TestParamInfo<bool>& i) {
                           return i.param ? std::string("WithWarning") : "WithoutWarning";
                         });

// Main nodes with 3 layers on pages of 60 lines: the rows of a node are a block of 4 lines,
// and a block is begun only on a line below 60 - 3.
Problem ManyMainNodes(int count) {
  Problem p = Sample();
  p.NL = 3;
  p.NA = count;
  p.NN = count;
  for (int n = 0; n < count; ++n) p.nodes[n] = Node{1000.0 + n, 0.0, 0, 0};
  return p;
}

std::string MainNodeRowStart(int n) {
  char buf[64];
  std::snprintf(buf, sizeof buf, "%8d %15.3f", n, 1000.0 + (n - 1));
  return buf;
}

TEST(MainNodesTable, KeepsEveryNodeBlockOnOnePage) {
  const Problem p = ManyMainNodes(20);
  RecordingCanvas canvas(800, 64 * kH);  // 64 - 4 = 60 lines per page
  const std::vector<PrintedPage> pages = Report(p, Options{}, canvas);
  ASSERT_GE(pages.size(), 3u);
  struct Where {
    int node, page, line;
  };
  // title on 30, 1 + 3 heading lines from 32, rows from 37; continued rows from line 8
  const std::vector<Where> expected{{1, 0, 37},  {5, 0, 53}, {6, 1, 8},
                                    {18, 1, 56}, {19, 2, 8}, {20, 2, 12}};
  for (const Where& w : expected) {
    SCOPED_TRACE(w.node);
    EXPECT_EQ(Find(pages[w.page], MainNodeRowStart(w.node)).y, w.line * kH);
  }
  for (int page = 0; page < 3; ++page) {
    for (int n = 1; n <= 20; ++n) {
      const test::PrintedText row = Find(pages[page], MainNodeRowStart(n));
      if (row.y < 0) continue;
      // the layer lines follow on the same page, all above line 60
      for (int L = 1; L <= 3; ++L) {
        bool found = false;
        for (const test::PrintedText& t : pages[page])
          found = found || (t.y == row.y + L * kH && t.text.compare(0, 9, "         ") == 0);
        EXPECT_TRUE(found) << "node " << n << " layer " << L;
      }
      EXPECT_LT(row.y + 3 * kH, 60 * kH);
    }
  }
  for (int page = 1; page < 3; ++page) {
    EXPECT_EQ(Find(pages[page], "Main Nodes").y, 5 * kH);
    EXPECT_EQ(Find(pages[page], "PLANAQ : Sample").y, 2 * kH);
    EXPECT_EQ(Find(pages[page], "     Node").y, -1) << "the heading is not repeated";
  }
}

TEST(GeneralDataTables, BreakAtATableStartIsHeadedGeneralDataAndSoilsMaySplit) {
  Problem p = ManyMainNodes(4);
  p.NB = 20;
  for (int b = 0; b < p.NB; ++b) p.blocks[b] = Block{{0, 1, 2}, b};
  for (int s = 0; s < p.NB; ++s) p.soils[s].K = LayerValues{1.0 + s, 2.0 + s, 3.0 + s};
  RecordingCanvas canvas(800, 64 * kH);
  const std::vector<PrintedPage> pages = Report(p, Options{}, canvas);
  ASSERT_EQ(pages.size(), 3u);
  // the last node block ends on line 52; 54 is below 60 - 10, so Blocks starts a page
  EXPECT_EQ(Find(pages[0], "Blocks").y, -1);
  EXPECT_EQ(Find(pages[1], "General Data").y, 5 * kH);
  EXPECT_EQ(Find(pages[1], "Blocks").y, 8 * kH);
  EXPECT_EQ(Find(pages[1], "    Block   Node 1").y, 10 * kH);
  EXPECT_EQ(Find(pages[1], "       1        1        2        3        1 ").y, 12 * kH);
  EXPECT_EQ(Find(pages[1], "Soils").y, 33 * kH);
  EXPECT_EQ(Find(pages[1], "     Soil    KA (m/d)").y, 35 * kH);
  // soil 8 begins on line 58; its third line is the first of the next page
  EXPECT_EQ(Find(pages[1], "       8                                            8.000000").y,
            58 * kH);
  EXPECT_EQ(Find(pages[2], "Soils").y, 5 * kH);
  EXPECT_EQ(Find(pages[2], "     Soil").y, -1);
  // title, page number and section come first, then soil 8's line of layer 3
  ASSERT_GE(pages[2].size(), 4u);
  EXPECT_EQ(pages[2][3].y, 8 * kH);
  EXPECT_NE(pages[2][3].text.find("   10.000000"), std::string::npos) << pages[2][3].text;
}

TEST(GeneralDataTables, WellsAndParticlesOnlyWhenThereAreAny) {
  Problem p = Sample();
  RecordingCanvas without(800, 2200);
  const std::vector<PrintedPage> none = Report(p, Options{}, without);
  EXPECT_EQ(Find(none[0], "Wells").y, -1);
  EXPECT_EQ(Find(none[0], "Particles").y, -1);

  p.NW = 1;
  p.wells[0] = Well{1, 0, -100.0};
  p.NP = 1;
  p.particles[0].X0 = 10.5;
  p.particles[0].Y0 = 20.25;
  p.particles[0].Z0 = -3.0;
  RecordingCanvas with(800, 2200);
  const std::vector<PrintedPage> both = Report(p, Options{}, with);
  const int wells = Find(both[0], "Wells").y;
  ASSERT_GT(wells, 0);
  EXPECT_EQ(Find(both[0], "     Well     Node    Layer    F (m)        Q (m\xB3/d)   Type").y,
            wells + 2 * kH);
  EXPECT_EQ(Find(both[0], "       1        2        1    70.000000  -100.000000    2 ").y,
            wells + 4 * kH);
  const int particles = Find(both[0], "Particles").y;
  EXPECT_EQ(particles, wells + 6 * kH);
  EXPECT_EQ(Find(both[0], "   Particle   X (m)        Y (m)        Z (m)").y, particles + 2 * kH);
  EXPECT_EQ(Find(both[0], "       1    10.500000    20.250000    -3.000000 ").y,
            particles + 4 * kH);
}

TEST(GeneralDataTables, SoilLinesCarryTheAquitardAboveEachLayer) {
  Problem p = Sample();
  p.NL = 2;
  Soil& s = p.soils[0];
  s.K = LayerValues{1.5, 2.5};
  s.P = LayerValues{0.1, 0.2};
  s.R = LayerValues{1.0, 2.0};
  s.KA = LayerValues{9.0, 0.01};
  s.PA = LayerValues{9.0, 0.3};
  s.RA = LayerValues{9.0, 4.0};
  s.I = 0.001;
  RecordingCanvas canvas(800, 2200);
  const std::vector<PrintedPage> pages = Report(p, Options{}, canvas);
  const int title = Find(pages[0], "Soils").y;
  EXPECT_EQ(Find(pages[0],
                 "     Soil    KA (m/d)     PA           RA           K (m/d)       "
                 "P            R           I (m/d)")
                .y,
            title + 2 * kH);
  EXPECT_EQ(Find(pages[0],
                 "       1                                            1.500000     "
                 "0.100000     1.000000     0.001000")
                .y,
            title + 4 * kH);
  EXPECT_EQ(Find(pages[0],
                 "             0.010000     0.300000     4.000000     2.500000     "
                 "0.200000     2.000000")
                .y,
            title + 5 * kH);
}

// Which sections are ticked, as bits: general, nodes, elements, mesh.
class Sections : public testing::TestWithParam<int> {};

TEST_P(Sections, StartOnTheFirstSheetAndFollowOnNewOnes) {
  const int bits = GetParam();
  const Options o = Only(bits & 1, bits & 2, bits & 4, bits & 8);
  const Problem p = Sample();
  RecordingCanvas canvas(800, 2200);  // every section fits on one page
  const std::vector<PrintedPage> pages = Report(p, o, canvas);
  std::vector<std::pair<std::string, int>> sections;  // title and its line
  if (o.General) sections.push_back({"General Data", 9});
  if (o.Nodes) sections.push_back({"Data of Nodes", 5});
  if (o.Elements) sections.push_back({"Data of Elements", 5});
  if (o.Mesh) sections.push_back({"Mesh of Finite Elements", 5});
  ASSERT_EQ(pages.size(), sections.size());
  EXPECT_EQ(canvas.calls.front(), "BeginDoc");
  EXPECT_EQ(canvas.calls.back(), "EndDoc");
  for (std::size_t i = 0; i < pages.size(); ++i) {
    SCOPED_TRACE(sections[i].first);
    EXPECT_EQ(Find(pages[i], "Page ").text, "Page " + std::to_string(i + 1));
    EXPECT_EQ(Find(pages[i], sections[i].first).y, sections[i].second * kH);
  }
}

INSTANTIATE_TEST_SUITE_P(Report, Sections, testing::Range(1, 16),
                         [](const testing::TestParamInfo<int>& i) {
                           std::string name;
                           if (i.param & 1) name += "General";
                           if (i.param & 2) name += "Nodes";
                           if (i.param & 4) name += "Elements";
                           if (i.param & 8) name += "Mesh";
                           return name;
                         });

TEST(Report, NothingTickedPrintsAnEmptyDocument) {
  RecordingCanvas canvas(800, 2200);
  const std::vector<PrintedPage> pages = Report(Sample(), Only(false, false, false, false), canvas);
  EXPECT_EQ(canvas.Calls("NewPage").size(), 0u);
  EXPECT_EQ(canvas.Calls("TextOut").size(), 0u);
}

TEST(NodePages, BreakWhenThePageIsFullAndRepeatTheHeader) {
  Problem p = ManyMainNodes(60);
  p.layers[51].B[0] = 1.25;
  p.layers[51].T[0] = 10.0;
  p.layers[51].F[0] = 70.0;
  RecordingCanvas canvas(800, 64 * kH);
  const std::vector<PrintedPage> pages = Report(p, Only(false, true, false, false), canvas);
  ASSERT_EQ(pages.size(), 2u);
  for (const PrintedPage& page : pages) {
    EXPECT_EQ(Find(page, "Data of Nodes").y, 5 * kH);
    EXPECT_EQ(Find(page,
                   "     Node          X (m)           Y (m) Type      B (m)      T (m)"
                   "      F (m)     Q (m\xB3/d)")
                  .y,
              7 * kH);
  }
  // rows 9..59 take nodes 1..51
  EXPECT_EQ(Find(pages[0], "       1        1000.000           0.000    0").y, 9 * kH);
  EXPECT_EQ(Find(pages[0], "      51        1050.000").y, 59 * kH);
  EXPECT_EQ(Find(pages[1],
                 "      52        1051.000           0.000    0      1.250     "
                 "10.000     70.000      0.000")
                .y,
            9 * kH);
  EXPECT_EQ(Find(pages[1], "Page ").text, "Page 2");
}

TEST(ElementPages, ListEveryElementWithItsBlock) {
  Problem p = Sample();
  RecordingCanvas canvas(800, 2200);
  const std::vector<PrintedPage> pages = Report(p, Only(false, false, true, false), canvas);
  ASSERT_EQ(pages.size(), 1u);
  EXPECT_EQ(Find(pages[0], "  Element   Node 1   Node 2   Node 3     Soil").y, 7 * kH);
  EXPECT_EQ(Find(pages[0], "       1        1        2        3        1").y, 9 * kH);
}

// The page number stands as far from the right edge as "Page 9999" is wide in the font that
// each kind of page measures it in, and is written in FontSmallBold.
struct NumberCase {
  const char* name;
  Options options;
  int pixels;  // of the measuring font
};

class PageNumber : public testing::TestWithParam<NumberCase> {};

TEST_P(PageNumber, IsRightAlignedByItsMeasuringFont) {
  test::ProportionalCanvas canvas(800, 2200);
  PrintState state;
  ASSERT_TRUE(PrintReport(Sample(), GetParam().options, canvas, state));
  const test::PrintedText number = Find(PagesOf(canvas)[0], "Page ");
  EXPECT_EQ(number.x, 800 - 9 * GetParam().pixels / 2);
  for (std::size_t i = 1; i < canvas.calls.size(); ++i)
    if (canvas.calls[i].find(" Page 1") != std::string::npos) {
      EXPECT_EQ(canvas.calls[i - 1], "Font MS Sans Serif 11 b1 i0");
    }
}

INSTANTIATE_TEST_SUITE_P(
    Report, PageNumber,
    testing::Values(NumberCase{"FirstGeneralPage", Only(true, false, false, false), 13},
                    NumberCase{"NodePage", Only(false, true, false, false), 11},
                    NumberCase{"ElementPage", Only(false, false, true, false), 13},
                    NumberCase{"MeshPage", Only(false, false, false, true), 13}),
    [](const testing::TestParamInfo<NumberCase>& i) { return std::string(i.param.name); });

TEST(PageNumber, ContinuationPagesMeasureInFontSmallBold) {
  const Problem p = ManyMainNodes(20);
  test::ProportionalCanvas canvas(800, 64 * kH);
  PrintState state;
  ASSERT_TRUE(PrintReport(p, Options{}, canvas, state));
  EXPECT_EQ(Find(PagesOf(canvas)[1], "Page ").x, 800 - 9 * 11 / 2);
}

TEST(PageCounter, RestartsWithEveryReportAndGoesOnInGraphJobs) {
  const Problem p = Sample();
  PrintState state;
  RecordingCanvas first(800, 2200);
  ASSERT_TRUE(PrintReport(p, Only(true, true, false, false), first, state));
  EXPECT_EQ(state.pageCounter, 3);

  // a graph printed afterwards is page 3 of a document without a blank sheet in front
  RecordingCanvas graph(800, 2200);
  PrintJob job(graph, state);
  job.Start();
  EXPECT_EQ(BeginGraphicsPage(p, job, "Mesh of Finite Elements"), 7);
  EXPECT_EQ(Find(PagesOf(graph)[0], "Page ").text, "Page 3");
  EXPECT_TRUE(graph.Calls("NewPage").empty());
  EXPECT_EQ(state.pageCounter, 4);

  RecordingCanvas again(800, 2200);
  ASSERT_TRUE(PrintReport(p, Only(true, false, false, false), again, state));
  EXPECT_EQ(Find(PagesOf(again)[0], "Page ").text, "Page 1");
}

TEST(WaterBalancePage, ComesLastOnASheetOfItsOwnWithTheBalanceInBlocksOfSevenFigures) {
  Problem p = Sample();
  p.layers[0].Q[0] = 12.5;  // node 1 holds its head in layer 1: 12.5 m3/d come in there
  Options o = Only(true, false, false, false);
  o.WaterBalance = true;
  RecordingCanvas canvas(800, 2200);
  const std::vector<PrintedPage> pages = Report(p, o, canvas);
  ASSERT_EQ(pages.size(), 2u);
  EXPECT_EQ(Find(pages[0], "Water Balance").y, -1);
  const PrintedPage& page = pages[1];
  EXPECT_EQ(Find(page, "Water Balance").y, 5 * kH);
  EXPECT_EQ(Find(page, "Page ").text, "Page 2");
  EXPECT_EQ(Find(page, "Layer").y, 9 * kH);
  EXPECT_EQ(Find(page, "Layer").text,
            "Layer        Infiltration     Wells in    Wells out     Given in    Given out"
            "      Seepage     Above in");
  EXPECT_EQ(Find(page, "Aquifer 1").text,
            "Aquifer 1           0.000        0.000        0.000       12.500        0.000"
            "        0.000        0.000");
  EXPECT_EQ(Find(page, "Aquitard 5-6").y, (9 + 2 * (p.NL + 2) + p.NL - 1) * kH);
}

}  // namespace
}  // namespace planaq
