#include "manual/Manual.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <sstream>

#include "solver/Solve.h"

namespace planaq {
namespace {

const char* const kManualText =
#include "manual/ManualText.inc"
    ;

const char* const kCapitals = "ABCDEFGHIJKLMNOPQRSTUVWXYZ";
const std::string kTitle = "PLANAQ - Manual";
constexpr Rgb kYellow{255, 255, 0}, kAqua{0, 255, 255}, kBlack{0, 0, 0}, kWhite{255, 255, 255};

std::string Superscripts(std::string text) {
  const struct {
    const char* from;
    const char* to;
  } marks[] = {{"^2", "\xB2"}, {"^3", "\xB3"}};
  for (const auto& m : marks) {
    for (std::size_t at = text.find(m.from); at != std::string::npos; at = text.find(m.from, at))
      text.replace(at, 2, m.to);
  }
  return text;
}

// Splits the text into its pages of lines.
std::array<std::vector<ManualLine>, kManualPages> ParseManual(const char* text) {
  std::array<std::vector<ManualLine>, kManualPages> pages;
  std::istringstream in(text);
  std::string line;
  int page = 0;
  bool gap = false;
  while (std::getline(in, line)) {
    if (line == "@") {
      page = std::min(page + 1, kManualPages - 1);
      gap = false;
      continue;
    }
    if (line.empty()) {
      gap = !pages[page].empty();
      continue;
    }
    ManualLine l;
    if (line.compare(0, 2, "# ") == 0) {
      l.kind = ManualLineKind::Bold;
      line.erase(0, 2);
    } else if (line.compare(0, 2, "* ") == 0) {
      l.kind = ManualLineKind::Italic;
      line.erase(0, 2);
    }
    l.text = Superscripts(line);
    l.paragraphStart = gap && l.kind == ManualLineKind::Body;
    gap = false;
    pages[page].push_back(l);
  }
  return pages;
}

const Font& FontOf(const ManualFonts& f, ManualLineKind kind) {
  return kind == ManualLineKind::Bold     ? f.FontDialogBold
         : kind == ManualLineKind::Italic ? f.FontDialogItalic
                                          : f.FontDialogNormal;
}

void Rectangle(Canvas& c, int x, int y, int w, int h, Rgb fill) {
  c.SetPenStyle(PenStyle::Solid);
  c.SetPenWidth(1);
  c.SetPenColour(kBlack);
  c.SetBrushColour(fill);
  c.Polygon({{x, y}, {x + w, y}, {x + w, y + h}, {x, y + h}});
}

// What each printed page holds: screen pages, then figures.
struct PrintedPage {
  std::vector<int> pages;
  std::vector<int> figures;
};

const PrintedPage kPrintedPages[kPrintedManualPages] = {
    {{1}, {1}}, {{2}, {2}}, {{3}, {3}},    {{4}, {4}}, {{5}, {5, 6}},  {{6}, {7}},
    {{7}, {}},  {{8}, {}},  {{9, 10}, {}}, {{11}, {}}, {{12}, {8, 9}}, {{13}, {10}},
};

}  // namespace

std::string FigureCaption(int figure) {
  static const char* const names[kManualFigures] = {"Finite Element Mesh",
                                                    "Vertical cross section",
                                                    "Blocks",
                                                    "Elements",
                                                    "New",
                                                    "Edit",
                                                    "Blocks and Elements",
                                                    "Test 1",
                                                    "Test 2",
                                                    "Test 3"};
  const int f = std::clamp(figure, 1, kManualFigures);
  return "Figure " + std::to_string(f) + " : " + names[f - 1] + ".";
}

std::vector<int> FiguresOfPage(int page) {
  switch (page) {
    case 1:
    case 2:
      return {1, 2};
    case 3:
    case 4:
      return {3, 4};
    case 5:
      return {5, 6};
    case 6:
    case 7:
    case 8:
    case 9:
      return {7};
    case 12:
      return {8, 9};
    case 13:
      return {10};
    default:
      return {};
  }
}

int ClampManualPage(const std::string& text) {
  const long value = std::strtol(text.c_str(), nullptr, 10);
  return static_cast<int>(std::clamp<long>(value, 1, kManualPages));
}

Manual::Manual() : pages_(ParseManual(kManualText)) {}

const std::vector<ManualLine>& Manual::Lines(int page) const {
  return pages_[std::clamp(page, 1, kManualPages) - 1];
}

const Problem& Manual::SolvedTest(int test) {
  const int t = std::clamp(test, 1, kTestProblems);
  std::optional<Problem>& p = solved_[t - 1];
  if (!p) {
    p = MakeTestProblem(t);
    SolveProgress none;
    const SolveResult result = SolveProblem(*p, none);
    outcomes_[t - 1] = CompareWithClosedForm(t, *p);
    outcomes_[t - 1].solved = result.solved;
  }
  return *p;
}

const TestOutcome& Manual::TestResult(int test) {
  const int t = std::clamp(test, 1, kTestProblems);
  SolvedTest(t);
  return outcomes_[t - 1];
}

std::string Manual::Resolved(const ManualLine& line) {
  std::string text = line.text;
  for (int t = 1; t <= kTestProblems; ++t) {
    const std::string mark = "$E" + std::to_string(t) + "$";
    const std::size_t at = text.find(mark);
    if (at == std::string::npos) continue;
    char value[32];
    std::snprintf(value, sizeof value, "%.6f", TestResult(t).maxError);
    text.replace(at, mark.size(), value);
  }
  for (int t = 1; t <= kTestProblems; ++t) {
    const std::string mark = "$R" + std::to_string(t) + "$";
    const std::size_t at = text.find(mark);
    if (at == std::string::npos) continue;
    text.replace(at, mark.size(),
                 TestResult(t).Passed() ? "within the tolerance" : "BEYOND THE TOLERANCE");
  }
  return text;
}

void Manual::DrawLines(Canvas& c, const std::vector<ManualLine>& lines, int x, double& y,
                       double paragraphGap, Rgb background) {
  c.SetBrushColour(background);
  bool afterHeading = false;
  for (const ManualLine& line : lines) {
    const Font& font = FontOf(fonts, line.kind);
    c.SetFont(font);
    const bool body = line.kind == ManualLineKind::Body;
    if (line.paragraphStart || (body && afterHeading)) y += paragraphGap;
    afterHeading = !body;
    c.TextOut(x, static_cast<int>(y), Resolved(line));
    y += c.TextHeight(kCapitals);
  }
}

void Manual::DrawScreenPage(Canvas& c, int page) {
  c.SetPenMode(PenMode::Copy);
  c.SetBrushColour(kAqua);
  c.FillRect(0, 0, c.Width(), c.Height());
  Rectangle(c, kTextLeft, kTextTop, kTextSize, kTextSize, kYellow);
  c.SetFont(fonts.FontDialogNormal);
  const int e = c.TextHeight(kCapitals);
  double y = kTextTop + 3;
  DrawLines(c, Lines(page), kTextLeft + 3, y, 0.4 * e, kYellow);

  const std::vector<int> figures = FiguresOfPage(page);
  const int width = c.Width() - kFigureLeft - 10;
  for (std::size_t k = 0; k < figures.size(); ++k) {
    const int top = k == 0 ? kFigureTop : static_cast<int>(1.4 * kFigureHeight + kFigureTop);
    const ManualBox box{kFigureLeft, top, width, kFigureHeight};
    Rectangle(c, box.x, box.y, box.width, box.height, kWhite);
    DrawFigure(c, figures[k], box);
    c.SetFont(fonts.FontDialogNormal);
    c.SetBrushColour(kAqua);
    c.TextOut(box.x, box.y + box.height + 4, FigureCaption(figures[k]));
  }
}

bool Manual::Print(PrinterCanvas& c, std::vector<int>* lowest) {
  if (!c.BeginDoc()) return false;
  if (lowest) lowest->clear();
  const int W = c.Width();
  const int margin = W / 8;
  const int boxLeft = W / 4, boxWidth = W - 2 * (W / 4);
  const int boxHeight = (2 * W - 4 * (W / 4)) / 3;
  for (int n = 0; n < kPrintedManualPages; ++n) {
    if (n > 0) c.NewPage();
    c.SetPenMode(PenMode::Copy);
    c.SetBrushColour(kWhite);
    c.SetFont(fonts.FontDialogNormal);
    const int a = c.TextHeight(kCapitals);
    c.SetFont(fonts.FontDialogBold);
    c.TextOut(margin, 4 * a, kTitle);
    if (n > 0) {
      const std::string label = "page " + std::to_string(n + 1);
      c.SetFont(fonts.FontDialogNormal);
      c.TextOut(W - margin - c.TextWidth(label), 4 * a, label);
    }
    int line = 6;
    int bottom = 4 * a + c.TextHeight(kCapitals);
    for (int page : kPrintedPages[n].pages) {
      for (const ManualLine& l : Lines(page)) {
        if (l.text == kTitle) continue;  // the title of every printed page stands above
        if (l.paragraphStart) ++line;
        c.SetFont(FontOf(fonts, l.kind));
        // a heading stands on a line of its own with room for its larger font
        if (l.kind != ManualLineKind::Body && line > 6) ++line;
        c.TextOut(margin, line * a, Resolved(l));
        bottom = line * a + c.TextHeight(kCapitals);
        line += l.kind == ManualLineKind::Body ? 1 : 2;
      }
      line += 1;
    }
    for (int figure : kPrintedPages[n].figures) {
      const ManualBox box{boxLeft, (line + 1) * a, boxWidth, boxHeight};
      Rectangle(c, box.x, box.y, box.width, box.height, kWhite);
      DrawFigure(c, figure, box);
      c.SetFont(fonts.FontDialogNormal);
      c.SetBrushColour(kWhite);
      const int captionTop = box.y + box.height + a / 2;
      c.TextOut(box.x, captionTop, FigureCaption(figure));
      bottom = captionTop + c.TextHeight(kCapitals);
      line = bottom / a + 2;
    }
    if (lowest) lowest->push_back(bottom);
  }
  c.EndDoc();
  return true;
}

}  // namespace planaq
