#pragma once
// The manual of the program: 13 screen pages of text with their figures, and the same text
// printed on 12 pages with the ten numbered figures. Everything is drawn through the Canvas,
// so the window and the printer run the same code. The figures of the test problems solve
// those problems when they are first drawn and keep them solved.

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "canvas/Canvas.h"
#include "manual/TestProblems.h"

namespace planaq {

constexpr int kManualPages = 13;
constexpr int kPrintedManualPages = 12;
constexpr int kManualFigures = 10;

// The six fonts of the manual window, all black.
struct ManualFonts {
  Font FontDialogNormal{"Arial", 11, false, false, Rgb{0, 0, 0}};
  Font FontDialogNormal10{"Arial", 13, false, false, Rgb{0, 0, 0}};
  Font FontDialogBold{"Arial", 16, true, false, Rgb{0, 0, 0}};
  Font FontDialogItalic{"Arial", 16, true, true, Rgb{0, 0, 0}};
  Font FontDialogStandard{"MS Sans Serif", 11, false, false, Rgb{0, 0, 0}};
  Font FontDialogSymbol{"Symbol", 13, false, false, Rgb{0, 0, 0}};
};

enum class ManualLineKind { Bold, Italic, Body };

struct ManualLine {
  ManualLineKind kind = ManualLineKind::Body;
  std::string text;             // Windows-1252, as the canvas draws it
  bool paragraphStart = false;  // the first line of a paragraph after another one
};

struct ManualBox {
  int x = 0, y = 0, width = 0, height = 0;
};

// "Figure 1 : Finite Element Mesh." ... "Figure 10 : Test 3."
std::string FigureCaption(int figure);
// The figures beside screen page 1..13: pages 1 and 2 figures 1 and 2, 3 and 4 figures 3 and
// 4, 5 figures 5 and 6, 6 to 9 figure 7, 10 and 11 none, 12 figures 8 and 9, 13 figure 10.
std::vector<int> FiguresOfPage(int page);
// The page number the selector's text stands for, held to 1..13 (no number reads as 1).
int ClampManualPage(const std::string& text);

// The screen page: the text area and the two figure boxes.
constexpr int kTextLeft = 10, kTextTop = 40, kTextSize = 520;
constexpr int kFigureLeft = 542, kFigureTop = 100, kFigureHeight = 166;

class Manual {
 public:
  Manual();

  // the lines of page 1..13 as written (errors not yet filled in)
  const std::vector<ManualLine>& Lines(int page) const;
  // the text of a line as drawn, with the errors of the test problems filled in
  std::string Resolved(const ManualLine& line);

  // Draws screen page 1..13 on a canvas of the window's client area, without erasing it
  // first: the aqua form, the yellow text area and the figures of the page.
  void DrawScreenPage(Canvas& canvas, int page);
  // Draws figure 1..10 inside the box.
  void DrawFigure(Canvas& canvas, int figure, const ManualBox& box);
  // Prints the 12 pages between BeginDoc and EndDoc; false when the document could not be
  // begun. lowest, when given, receives the lowest device y drawn on each page.
  bool Print(PrinterCanvas& canvas, std::vector<int>* lowest = nullptr);

  // Test problem 1..3, solved by the program when first asked for.
  const Problem& SolvedTest(int test);
  const TestOutcome& TestResult(int test);

  const ManualFonts fonts;

 private:
  void DrawLines(Canvas& canvas, const std::vector<ManualLine>& lines, int x, double& y,
                 double paragraphGap, Rgb background);
  std::array<std::vector<ManualLine>, kManualPages> pages_;
  std::array<std::optional<Problem>, kTestProblems> solved_;
  std::array<TestOutcome, kTestProblems> outcomes_;
};

}  // namespace planaq
