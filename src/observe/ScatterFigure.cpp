#include "observe/ScatterFigure.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "model/Windows1252.h"
#include "observe/ObservationText.h"

namespace planaq {

namespace {

constexpr Rgb kBlack{0, 0, 0}, kWhite{255, 255, 255}, kGrey{160, 160, 160};

std::string Tick(double v) {
  char text[32];
  std::snprintf(text, sizeof text, "%g", std::fabs(v) < 1e-12 ? 0.0 : v);
  return text;
}

// A step of 1, 2 or 5 times a power of ten that cuts the range into about five parts.
double NiceStep(double range) {
  const double raw = range / 5.0;
  const double power = std::pow(10.0, std::floor(std::log10(raw)));
  for (double m : {1.0, 2.0, 5.0})
    if (m * power >= raw) return m * power;
  return 10.0 * power;
}

}  // namespace

Rgb ResidualColour(double residual) {
  return residual > 0.0 ? kObservedAbove : residual < 0.0 ? kObservedBelow : kObservedOn;
}

ScatterScale MakeScatterScale(const ObservationSet& set, const std::vector<ObservedHead>& heads) {
  double lo = 0.0, hi = 0.0;
  bool any = false;
  for (std::size_t i = 0; i < heads.size() && i < set.points.size(); ++i) {
    if (!heads[i].used()) continue;
    for (double v : {set.points[i].head, heads[i].computed}) {
      lo = any ? std::min(lo, v) : v;
      hi = any ? std::max(hi, v) : v;
      any = true;
    }
  }
  if (!any) return {};
  if (hi - lo < 1e-6 * std::max(1.0, std::fabs(hi))) {
    lo -= 1.0;
    hi += 1.0;
  }
  ScatterScale s;
  s.step = NiceStep(hi - lo);
  s.lo = std::floor(lo / s.step) * s.step;
  s.hi = std::ceil(hi / s.step) * s.step;
  return s;
}

void DrawScatterFigure(const ObservationSet& set, const std::vector<ObservedHead>& heads,
                       const ScatterBox& box, Canvas& canvas) {
  canvas.SetPenMode(PenMode::Copy);
  canvas.SetPenStyle(PenStyle::Solid);
  canvas.SetPenWidth(1);
  canvas.SetFont(box.font);
  canvas.SetBrushColour(kWhite);
  const int th = canvas.TextHeight("0");
  // the square plot: room for the tick labels at the left, two lines below for the labels and
  // two for the caption
  const int margin = canvas.TextWidth("00000.00") + th;
  const int side = std::min(box.width - margin - th, box.height - 6 * th);
  if (side < 20) return;
  const int x0 = box.left + margin, y0 = box.top + th + side;  // lower left corner
  const ScatterScale s = MakeScatterScale(set, heads);
  const double k = side / (s.hi - s.lo);
  const auto X = [&](double v) { return static_cast<int>(x0 + (v - s.lo) * k); };
  const auto Y = [&](double v) { return static_cast<int>(y0 - (v - s.lo) * k); };

  canvas.SetPenColour(kBlack);
  canvas.FillRect(x0, y0 - side, x0 + side + 1, y0 + 1);
  canvas.MoveTo(x0, y0 - side);
  canvas.LineTo(x0, y0);
  canvas.LineTo(x0 + side, y0);
  canvas.LineTo(x0 + side, y0 - side);
  canvas.LineTo(x0, y0 - side);
  const int ticks = static_cast<int>(std::lround((s.hi - s.lo) / s.step));
  for (int i = 0; i <= ticks; ++i) {
    const double v = s.lo + i * s.step;
    const std::string text = Tick(v);
    canvas.MoveTo(X(v), y0);
    canvas.LineTo(X(v), y0 + th / 2);
    canvas.TextOut(X(v) - canvas.TextWidth(text) / 2, y0 + th / 2, text);
    canvas.MoveTo(x0 - th / 2, Y(v));
    canvas.LineTo(x0, Y(v));
    canvas.TextOut(x0 - th / 2 - canvas.TextWidth(text) - 2, Y(v) - th / 2, text);
  }
  const std::string xLabel = "Observed head (m)", yLabel = "Computed head (m)";
  canvas.TextOut(x0 + (side - canvas.TextWidth(xLabel)) / 2, y0 + th * 3 / 2, xLabel);
  canvas.TextOut(x0, box.top, yLabel);

  canvas.SetPenColour(kGrey);  // the 1:1 line
  canvas.MoveTo(X(s.lo), Y(s.lo));
  canvas.LineTo(X(s.hi), Y(s.hi));

  const int r = box.pointSize / 2;
  for (std::size_t i = 0; i < heads.size() && i < set.points.size(); ++i) {
    if (!heads[i].used()) continue;
    const Rgb colour = ResidualColour(heads[i].residual);
    canvas.SetPenColour(colour);
    canvas.SetBrushColour(colour);
    const int px = X(set.points[i].head), py = Y(heads[i].computed);
    canvas.Ellipse(px - r, py - r, px + r + 1, py + r + 1);
  }
  canvas.SetBrushColour(kWhite);
  canvas.SetPenColour(kBlack);
  // the canvas takes Windows-1252, the names are UTF-8
  canvas.TextOut(x0, y0 + th * 3,
                 Utf8ToWindows1252(StatisticsCaption(ComputeStatistics(set, heads))));
  const std::string key = "blue: observed above computed   orange: observed below computed";
  canvas.TextOut(x0, y0 + th * 4 + th / 2, key);
}

}  // namespace planaq
