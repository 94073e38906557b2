// The ten figures of the manual. Each is drawn in its box with equal scales in x and y, y
// upward, device coordinates truncated toward zero.

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "manual/ExampleProblem.h"
#include "manual/Manual.h"
#include "mesh/Split.h"

namespace planaq {
namespace {

constexpr Rgb kBlack{0, 0, 0}, kWhite{255, 255, 255}, kRed{255, 0, 0}, kBlue{0, 0, 255},
    kNavy{0, 0, 128}, kGrey{128, 128, 128}, kSand{250, 225, 150}, kClay{185, 185, 185},
    kBase{110, 110, 110};
// light block colours, so that black lines and numbers stay readable on them
constexpr Rgb kBlockColours[6] = {{170, 200, 255}, {190, 240, 190}, {255, 220, 170},
                                  {230, 190, 240}, {255, 250, 170}, {180, 235, 235}};

Rgb BlockColour(int block) { return kBlockColours[((block % 6) + 6) % 6]; }

// World coordinates in a box, with an inset of device pixels on every side.
struct Frame {
  double x0 = 0.0, y0 = 0.0, scale = 1.0;
  int left = 0, bottom = 0;
  Point operator()(double x, double y) const {
    return {left + static_cast<int>((x - x0) * scale), bottom - static_cast<int>((y - y0) * scale)};
  }
};

Frame Fit(const ManualBox& b, int inset, double x0, double y0, double x1, double y1) {
  Frame f;
  const double w = std::max(x1 - x0, 1e-9), h = std::max(y1 - y0, 1e-9);
  f.scale = std::min((b.width - 2.0 * inset) / w, (b.height - 2.0 * inset) / h);
  f.x0 = x0;
  f.y0 = y0;
  f.left = b.x + static_cast<int>((b.width - w * f.scale) / 2);
  f.bottom = b.y + b.height - static_cast<int>((b.height - h * f.scale) / 2);
  return f;
}

// Lines of figures keep their weight on paper: one screen pixel is this many device pixels.
int Pixel(const ManualBox& b) { return std::max(1, b.width / 218); }

void Pen(Canvas& c, Rgb colour, int width, PenStyle style = PenStyle::Solid) {
  c.SetPenColour(colour);
  c.SetPenWidth(width);
  c.SetPenStyle(style);
}

void Line(Canvas& c, Point a, Point b) {
  c.MoveTo(a.x, a.y);
  c.LineTo(b.x, b.y);
}

void Label(Canvas& c, const Font& font, Point at, const std::string& text, Rgb background,
           bool centred = false) {
  c.SetFont(font);
  c.SetBrushColour(background);
  const int x = centred ? at.x - c.TextWidth(text) / 2 : at.x;
  c.TextOut(x, at.y - c.TextHeight(text) / 2, text);
}

void Dot(Canvas& c, Point p, int r, Rgb colour) {
  c.SetBrushColour(colour);
  Pen(c, colour, 1);
  c.Ellipse(p.x - r, p.y - r, p.x + r + 1, p.y + r + 1);
}

Point NodePoint(const Frame& f, const Problem& p, int n) { return f(p.nodes[n].X, p.nodes[n].Y); }

// Elements filled by their block's colour (or white), with outlines of the pen given.
void DrawElements(Canvas& c, const Frame& f, const Problem& p, bool blockColours, Rgb outline,
                  int width) {
  Pen(c, outline, width);
  for (int e = 0; e < p.NM; ++e) {
    const Element& el = p.elements[e];
    c.SetBrushColour(blockColours ? BlockColour(el.Block) : kWhite);
    c.Polygon(
        {NodePoint(f, p, el.Node[0]), NodePoint(f, p, el.Node[1]), NodePoint(f, p, el.Node[2])});
  }
}

void DrawBlockEdges(Canvas& c, const Frame& f, const Problem& p, int width) {
  Pen(c, kBlack, width);
  for (int b = 0; b < p.NB; ++b) {
    const Block& bl = p.blocks[b];
    for (int k = 0; k < 3; ++k)
      Line(c, NodePoint(f, p, bl.Node[k]), NodePoint(f, p, bl.Node[(k + 1) % 3]));
  }
}

void BlockNumbers(Canvas& c, const Font& font, const Frame& f, const Problem& p) {
  for (int b = 0; b < p.NB; ++b) {
    double x = 0.0, y = 0.0;
    for (int n : p.blocks[b].Node) {
      x += p.nodes[n].X / 3.0;
      y += p.nodes[n].Y / 3.0;
    }
    Label(c, font, f(x, y), std::to_string(b + 1), BlockColour(b), true);
  }
}

Frame AreaFrame(const ManualBox& box, const Problem& p, int inset) {
  return Fit(box, inset, 0.0, 0.0, p.LX, p.LY);
}

void FigureMesh(Canvas& c, const ManualFonts& fonts, const ManualBox& box) {
  const Problem p = MakeExampleProblem();
  const Frame f = AreaFrame(box, p, 6 * Pixel(box));
  DrawElements(c, f, p, false, kBlack, 1);
  for (int w = 0; w < p.NW; ++w) Dot(c, NodePoint(f, p, p.wells[w].Node), 2 * Pixel(box), kRed);
  (void)fonts;
}

void FigureCrossSection(Canvas& c, const ManualFonts& fonts, const ManualBox& b) {
  const Font& font = fonts.FontDialogNormal;
  const auto X = [&](double u) { return b.x + static_cast<int>(u * b.width); };
  const auto Y = [&](double v) { return b.y + static_cast<int>(v * b.height); };
  const auto Band = [&](double top, double bottom, Rgb fill) {
    Pen(c, kBlack, 1);
    c.SetBrushColour(fill);
    c.Polygon({{X(0.04), Y(top)}, {X(0.96), Y(top)}, {X(0.96), Y(bottom)}, {X(0.04), Y(bottom)}});
  };
  Band(0.22, 0.48, kSand);
  Band(0.48, 0.60, kClay);
  Band(0.60, 0.86, kSand);
  Band(0.86, 0.93, kBase);
  // infiltration at the top, the water table of layer 1, a well into layer 2
  Pen(c, kBlue, Pixel(b));
  for (double u : {0.12, 0.24, 0.36, 0.48}) {
    Line(c, {X(u), Y(0.07)}, {X(u), Y(0.19)});
    Line(c, {X(u) - X(0.02) + b.x, Y(0.15)}, {X(u), Y(0.19)});
    Line(c, {X(u) + X(0.02) - b.x, Y(0.15)}, {X(u), Y(0.19)});
  }
  Label(c, font, {X(0.52), Y(0.12)}, "I", kWhite);
  Line(c, {X(0.04), Y(0.28)}, {X(0.96), Y(0.33)});
  Label(c, font, {X(0.66), Y(0.36)}, "F", kSand);
  Pen(c, kRed, 2 * Pixel(b));
  Line(c, {X(0.80), Y(0.05)}, {X(0.80), Y(0.80)});
  Label(c, font, {X(0.83), Y(0.10)}, "Q", kWhite);
  Label(c, font, {X(0.06), Y(0.41)}, "layer 1", kSand);
  Label(c, font, {X(0.06), Y(0.54)}, "aquitard", kClay);
  Label(c, font, {X(0.06), Y(0.73)}, "layer 2", kSand);
  Label(c, font, {X(0.42), Y(0.41)}, "K, P, R", kSand);
  Label(c, font, {X(0.42), Y(0.54)}, "K', P', R'", kClay);
  Label(c, font, {X(0.42), Y(0.73)}, "K, P, R", kSand);
  Label(c, font, {X(0.87), Y(0.27)}, "T", kSand);
  Label(c, font, {X(0.87), Y(0.44)}, "B", kSand);
  Label(c, font, {X(0.87), Y(0.64)}, "T", kSand);
  Label(c, font, {X(0.87), Y(0.82)}, "B", kSand);
}

void FigureBlocks(Canvas& c, const ManualFonts& fonts, const ManualBox& box) {
  const Problem p = MakeExampleBlocks();
  const Frame f = AreaFrame(box, p, 6 * Pixel(box));
  DrawElements(c, f, p, true, kBlack, Pixel(box));
  BlockNumbers(c, fonts.FontDialogNormal, f, p);
  for (int n = 0; n < p.NA; ++n) Dot(c, NodePoint(f, p, n), 2 * Pixel(box), kBlack);
}

Problem ExampleElements() {
  Problem p = MakeExampleBlocks();
  SplitElements4(p);
  SplitElements4(p);
  return p;
}

void FigureElements(Canvas& c, const ManualBox& box) {
  const Problem p = ExampleElements();
  const Frame f = AreaFrame(box, p, 6 * Pixel(box));
  DrawElements(c, f, p, false, kBlack, 1);
}

void FigureBlocksAndElements(Canvas& c, const ManualBox& box) {
  const Problem p = ExampleElements();
  const Frame f = AreaFrame(box, p, 6 * Pixel(box));
  DrawElements(c, f, p, true, kGrey, 1);
  DrawBlockEdges(c, f, p, 2 * Pixel(box));
}

void FigureNew(Canvas& c, const ManualFonts& fonts, const ManualBox& box) {
  Problem p;
  Capacities caps;
  caps.NMAX = caps.MMAX = 101;
  caps.BMAX = 20;
  p.StartUp(caps);
  const int px = Pixel(box);
  c.SetFont(fonts.FontDialogNormal);
  const int e = c.TextHeight("W");
  ManualBox inner = box;
  inner.y += e;
  inner.height -= 2 * e;
  const Frame f = Fit(inner, 6 * px, 0.0, 0.0, p.LX, p.LY);
  Pen(c, kGrey, 1, PenStyle::Dash);
  c.SetBrushColour(kWhite);
  c.Polygon({f(0, 0), f(p.LX, 0), f(p.LX, p.LY), f(0, p.LY)});
  DrawElements(c, f, p, true, kBlack, px);
  for (int n = 0; n < p.NA; ++n) {
    Dot(c, NodePoint(f, p, n), 2 * px, kBlack);
    const Point at = NodePoint(f, p, n);
    Label(c, fonts.FontDialogNormal, {at.x + 4 * px, at.y - e / 2}, std::to_string(n + 1), kWhite);
  }
  Label(c, fonts.FontDialogNormal, {(f(0, 0).x + f(p.LX, 0).x) / 2, f(0, 0).y + e / 2 + px},
        "LX = 2000 m", kWhite, true);
  Label(c, fonts.FontDialogNormal, {(f(0, 0).x + f(p.LX, 0).x) / 2, f(0, p.LY).y - e / 2 - px},
        "LY = 1000 m", kWhite, true);
}

// One of the three editing keys in a third of the box.
void EditPanel(Canvas& c, const ManualFonts& fonts, const ManualBox& box, int key) {
  const int px = Pixel(box);
  c.SetFont(fonts.FontDialogNormal);
  const int e = c.TextHeight("W");
  static const char* const names[3] = {"Drag Node", "New Node", "New Line"};
  Label(c, fonts.FontDialogNormal, {box.x + box.width / 2, box.y + e}, names[key], kWhite, true);
  ManualBox inner{box.x, box.y + 2 * e, box.width, box.height - 2 * e};
  const Frame f = Fit(inner, 4 * px, -0.1, -0.1, 1.6, 1.3);
  const auto Triangle = [&](std::vector<Point> pts, Rgb fill) {
    Pen(c, kBlack, px);
    c.SetBrushColour(fill);
    c.Polygon(pts);
  };
  if (key == 0) {
    Triangle({f(0, 0), f(0, 1), f(1.4, 0.5)}, BlockColour(0));
    Pen(c, kGrey, 1, PenStyle::Dash);
    Line(c, f(0, 0), f(1, 0));
    Line(c, f(1, 0), f(0, 1));
    Pen(c, kRed, px);
    Line(c, f(1, 0), f(1.4, 0.5));
    Dot(c, f(1, 0), 2 * px, kGrey);
    Dot(c, f(1.4, 0.5), 2 * px, kRed);
  } else if (key == 1) {
    Triangle({f(0, 0), f(0, 1), f(1, 0)}, BlockColour(0));
    Triangle({f(0, 1), f(1, 0), f(1.2, 1.1)}, BlockColour(2));
    Dot(c, f(1.2, 1.1), 2 * px, kRed);
  } else {
    Triangle({f(0, 0), f(0, 1), f(1, 0)}, BlockColour(0));
    Triangle({f(1, 0), f(1.5, 0.3), f(1.1, 1.1)}, BlockColour(1));
    Triangle({f(0, 1), f(1, 0), f(1.1, 1.1)}, BlockColour(2));
    Pen(c, kRed, 2 * px);
    Line(c, f(0, 1), f(1.1, 1.1));
  }
}

void FigureEdit(Canvas& c, const ManualFonts& fonts, const ManualBox& box) {
  const int third = box.width / 3;
  for (int k = 0; k < 3; ++k) EditPanel(c, fonts, {box.x + k * third, box.y, third, box.height}, k);
}

// The nodes compared in a test figure: those on the line y = 0, by x.
std::vector<std::pair<double, double>> HeadsOnAxis(const Problem& p, int layer, double rMin) {
  std::vector<std::pair<double, double>> heads;
  for (int n = 0; n < p.NN; ++n)
    if (std::fabs(p.nodes[n].Y) < 1e-6 && p.nodes[n].X >= rMin)
      heads.emplace_back(p.nodes[n].X, p.layers[n].F[layer]);
  std::sort(heads.begin(), heads.end());
  return heads;
}

std::string Number(const char* format, double value) {
  char text[40];
  std::snprintf(text, sizeof text, format, value);
  return text;
}

// The computed heads (squares) and the closed form (line) along y = 0.
void FigureTest(Canvas& c, const ManualFonts& fonts, const ManualBox& box, int test,
                Manual& manual) {
  const Problem& p = manual.SolvedTest(test);
  const TestProblemSpec& s = TestProblem(test);
  const Font& font = fonts.FontDialogNormal;
  const int px = Pixel(box);
  // the well node itself is off the scale of the closed form; the graph starts one element out
  const double xFirst = test == 2 ? s.LX / (1 << s.splits) : 0.0;
  const auto heads = HeadsOnAxis(p, s.layer, xFirst);
  double lo = 1e300, hi = -1e300;
  for (const auto& [x, h] : heads) {
    lo = std::min({lo, h, ClosedFormHead(test, x, 0.0)});
    hi = std::max({hi, h, ClosedFormHead(test, x, 0.0)});
  }
  if (heads.empty() || !(hi > lo)) return;
  const double pad = 0.08 * (hi - lo);
  lo -= pad;
  hi += pad;
  c.SetFont(font);
  const int e = c.TextHeight("W");
  const std::string loText = Number("%.2f", lo), hiText = Number("%.2f", hi);
  const int left = box.x + std::max(c.TextWidth(loText), c.TextWidth(hiText)) + 3 * px;
  const int right = box.x + box.width - 4 * px, top = box.y + e + e / 2;
  const int bottom = box.y + box.height - 2 * e;
  const double x1 = s.LX;
  const auto Map = [&](double x, double h) {
    return Point{left + static_cast<int>((x - xFirst) / (x1 - xFirst) * (right - left)),
                 bottom - static_cast<int>((h - lo) / (hi - lo) * (bottom - top))};
  };
  Pen(c, kBlack, 1);
  c.SetBrushColour(kWhite);
  c.Polygon({{left, top}, {right, top}, {right, bottom}, {left, bottom}});
  Pen(c, kNavy, px);
  const int steps = 200;
  for (int k = 0; k <= steps; ++k) {
    const double x = xFirst + (x1 - xFirst) * k / steps;
    const Point q = Map(x, ClosedFormHead(test, x, 0.0));
    if (k == 0)
      c.MoveTo(q.x, q.y);
    else
      c.LineTo(q.x, q.y);
  }
  Pen(c, kRed, 1);
  c.SetBrushColour(kRed);
  const int m = 2 * px;
  for (const auto& [x, h] : heads) {
    const Point q = Map(x, h);
    c.Polygon({{q.x - m, q.y - m}, {q.x + m, q.y - m}, {q.x + m, q.y + m}, {q.x - m, q.y + m}});
  }
  Label(c, font, {box.x + 2 * px, top}, hiText, kWhite);
  Label(c, font, {box.x + 2 * px, bottom}, loText, kWhite);
  const char* axis = test == 2 ? "r (m)" : "x (m)";
  Label(c, font, {left, bottom + e}, Number("%.0f", xFirst), kWhite);
  Label(c, font, {(left + right) / 2, bottom + e}, axis, kWhite, true);
  const std::string end = Number("%.0f", x1);
  Label(c, font, {right - c.TextWidth(end), bottom + e}, end, kWhite);
  const std::string title =
      "h (m), largest error " + Number("%.6f", manual.TestResult(test).maxError) + " m";
  Label(c, font, {left, box.y + e - e / 4}, title, kWhite);
}

}  // namespace

void Manual::DrawFigure(Canvas& c, int figure, const ManualBox& box) {
  c.SetPenMode(PenMode::Copy);
  switch (figure) {
    case 1:
      FigureMesh(c, fonts, box);
      break;
    case 2:
      FigureCrossSection(c, fonts, box);
      break;
    case 3:
      FigureBlocks(c, fonts, box);
      break;
    case 4:
      FigureElements(c, box);
      break;
    case 5:
      FigureNew(c, fonts, box);
      break;
    case 6:
      FigureEdit(c, fonts, box);
      break;
    case 7:
      FigureBlocksAndElements(c, box);
      break;
    default:
      FigureTest(c, fonts, box, figure - 7, *this);
      break;
  }
  Pen(c, kBlack, 1);
}

}  // namespace planaq
