// The manual's pages, figure sets, page selector, and the screen and printed layouts, drawn on
// the recording canvas.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <sstream>

#include "canvas/RecordingCanvas.h"
#include "manual/Manual.h"

namespace planaq {
namespace {

int Count(const std::vector<std::string>& calls, const std::string& call) {
  return static_cast<int>(std::count(calls.begin(), calls.end(), call));
}

bool Has(const std::vector<std::string>& calls, const std::string& call) {
  return Count(calls, call) > 0;
}

TEST(Manual, ThirteenPagesOpenWithTheTitleAndAChapterHeading) {
  Manual manual;
  EXPECT_EQ(manual.Lines(1)[0].text, "PLANAQ - Manual");
  EXPECT_EQ(manual.Lines(1)[0].kind, ManualLineKind::Bold);
  for (int page = 1; page <= kManualPages; ++page) {
    const auto& lines = manual.Lines(page);
    const auto heading = std::find_if(lines.begin(), lines.end(), [&](const ManualLine& l) {
      return l.kind == ManualLineKind::Italic && l.text.find(std::to_string(page) + ". ") == 0;
    });
    EXPECT_NE(heading, lines.end()) << page;
    EXPECT_GT(lines.size(), 15u) << page;
  }
}

struct FigureSetCase {
  int page;
  std::vector<int> figures;
};

TEST(Manual, FigureSetsOfThePages) {
  const FigureSetCase cases[] = {{1, {1, 2}}, {2, {1, 2}},  {3, {3, 4}}, {4, {3, 4}},
                                 {5, {5, 6}}, {6, {7}},     {9, {7}},    {10, {}},
                                 {11, {}},    {12, {8, 9}}, {13, {10}}};
  for (const FigureSetCase& c : cases) EXPECT_EQ(FiguresOfPage(c.page), c.figures) << c.page;
}

TEST(Manual, SelectorTextIsHeldToThePages) {
  EXPECT_EQ(ClampManualPage("0"), 1);
  EXPECT_EQ(ClampManualPage("14"), 13);
  EXPECT_EQ(ClampManualPage(" 7"), 7);
  EXPECT_EQ(ClampManualPage("-3"), 1);
  EXPECT_EQ(ClampManualPage(""), 1);
}

TEST(Manual, ErrorsOfTheTestProblemsAreFilledIn) {
  Manual manual;
  ManualLine line;
  line.text = "error $E2$ m, $R2$";
  char expected[80];
  std::snprintf(expected, sizeof expected, "error %.6f m, within the tolerance",
                manual.TestResult(2).maxError);
  EXPECT_EQ(manual.Resolved(line), expected);
  EXPECT_TRUE(manual.TestResult(2).Passed());
}

TEST(Manual, ScreenPageHasItsTextAreaAndFigureBoxes) {
  Manual manual;
  RecordingCanvas c(770, 580);
  manual.DrawScreenPage(c, 5);
  EXPECT_TRUE(Has(c.calls, "Polygon 10 40 530 40 530 560 10 560"));
  EXPECT_TRUE(Has(c.calls, "Polygon 542 100 760 100 760 266 542 266"));
  EXPECT_TRUE(Has(c.calls, "Polygon 542 332 760 332 760 498 542 498"));
  EXPECT_TRUE(Has(c.calls, "TextOut 13 43 5. New and Edit Blocks"));
  RecordingCanvas none(770, 580);
  manual.DrawScreenPage(none, 10);
  EXPECT_EQ(none.Calls("Polygon 542 ").size(), 0u);
}

TEST(Manual, PrintsTwelvePagesWithTitlesLabelsAndCaptions) {
  Manual manual;
  const int W = 4724, H = 6780;
  RecordingCanvas c(W, H, 600);
  std::vector<int> lowest;
  ASSERT_TRUE(manual.Print(c, &lowest));
  EXPECT_EQ(Count(c.calls, "BeginDoc"), 1);
  EXPECT_EQ(Count(c.calls, "NewPage"), kPrintedManualPages - 1);
  EXPECT_EQ(Count(c.calls, "EndDoc"), 1);
  const int a = 11 * 600 / 96;  // the recording canvas: a text is its font's pixels high
  EXPECT_EQ(Count(c.calls, "TextOut " + std::to_string(W / 8) + " " + std::to_string(4 * a) +
                               " PLANAQ - Manual"),
            kPrintedManualPages);
  for (int page = 2; page <= kPrintedManualPages; ++page) {
    const std::string label = "page " + std::to_string(page);
    const int x = W - W / 8 - c.charWidth * static_cast<int>(label.size());
    EXPECT_TRUE(
        Has(c.calls, "TextOut " + std::to_string(x) + " " + std::to_string(4 * a) + " " + label))
        << label;
  }
  // every caption once, at the left of its figure box
  for (int f = 1; f <= kManualFigures; ++f) {
    const auto captions = c.Calls("TextOut " + std::to_string(W / 4) + " ");
    EXPECT_EQ(std::count_if(captions.begin(), captions.end(),
                            [&](const std::string& s) {
                              return s.size() > FigureCaption(f).size() &&
                                     s.compare(s.size() - FigureCaption(f).size(),
                                               std::string::npos, FigureCaption(f)) == 0;
                            }),
              1)
        << f;
  }
  const int boxHeight = (2 * W - 4 * (W / 4)) / 3;
  // the figure boxes: from W div 4 to W - W div 4, (2 W - 4 (W div 4)) div 3 high
  int boxes = 0;
  for (const std::string& call : c.Calls("Polygon ")) {
    int x[4], y[4];
    if (std::sscanf(call.c_str(), "Polygon %d %d %d %d %d %d %d %d", &x[0], &y[0], &x[1], &y[1],
                    &x[2], &y[2], &x[3], &y[3]) == 8 &&
        x[0] == W / 4 && x[1] == W - W / 4 && y[2] - y[0] == boxHeight)
      ++boxes;
  }
  EXPECT_EQ(boxes, kManualFigures);
  ASSERT_EQ(lowest.size(), static_cast<std::size_t>(kPrintedManualPages));
  for (int bottom : lowest) EXPECT_LT(bottom, H);
}

// Every point a figure draws lies in its box, on the screen and on paper.
class FigureInItsBox : public ::testing::TestWithParam<int> {};

TEST_P(FigureInItsBox, DrawsNothingOutside) {
  Manual manual;
  const ManualBox boxes[] = {{542, 100, 218, 166}, {1181, 900, 2362, 1574}};
  for (const ManualBox& box : boxes) {
    RecordingCanvas c(4724, 6780, box.width > 1000 ? 600 : 96);
    manual.DrawFigure(c, GetParam(), box);
    int points = 0;
    for (const std::string& call : c.calls) {
      std::istringstream in(call);
      std::string name;
      in >> name;
      if (name != "MoveTo" && name != "LineTo" && name != "Polygon" && name != "Ellipse" &&
          name != "TextOut")
        continue;
      int x = 0, y = 0;
      while (in >> x >> y) {
        ++points;
        EXPECT_GE(x, box.x) << call;
        EXPECT_LE(x, box.x + box.width) << call;
        EXPECT_GE(y, box.y) << call;
        EXPECT_LE(y, box.y + box.height) << call;
        if (name == "TextOut") break;  // the rest is the text
      }
    }
    EXPECT_GT(points, 10) << "figure " << GetParam();
  }
}

INSTANTIATE_TEST_SUITE_P(Manual, FigureInItsBox, ::testing::Range(1, kManualFigures + 1));

// The test figures draw one square for every computed head on the axis.
TEST(Manual, TestFigureShowsTheComputedHeads) {
  Manual manual;
  RecordingCanvas c(770, 580);
  manual.DrawFigure(c, 8, {542, 100, 218, 166});
  const Problem& p = manual.SolvedTest(1);
  int onAxis = 0;
  for (int n = 0; n < p.NN; ++n) onAxis += p.nodes[n].Y == 0.0;
  int squares = 0;
  for (const std::string& call : c.Calls("Polygon ")) {
    int x[4], y[4];
    if (std::sscanf(call.c_str(), "Polygon %d %d %d %d %d %d %d %d", &x[0], &y[0], &x[1], &y[1],
                    &x[2], &y[2], &x[3], &y[3]) == 8 &&
        x[1] - x[0] == 4 && y[2] - y[0] == 4)
      ++squares;
  }
  EXPECT_EQ(squares, onAxis);
  EXPECT_EQ(onAxis, 17);
}

TEST(Manual, CaptionsOfTheTenFigures) {
  EXPECT_EQ(FigureCaption(1), "Figure 1 : Finite Element Mesh.");
  EXPECT_EQ(FigureCaption(2), "Figure 2 : Vertical cross section.");
  EXPECT_EQ(FigureCaption(7), "Figure 7 : Blocks and Elements.");
  EXPECT_EQ(FigureCaption(10), "Figure 10 : Test 3.");
}

}  // namespace
}  // namespace planaq
