#include "results/ContourFigure.h"

#include <vector>

#include "results/Colours.h"

namespace planaq {

namespace {

std::vector<Point> ElementCorners(const Problem& problem, int e, const ContourMapping& m) {
  std::vector<Point> corners;
  for (int n : problem.elements[e].Node)
    corners.push_back(m.Map(problem.nodes[n].X, problem.nodes[n].Y));
  return corners;
}

void DrawProblemArea(const ContourMapping& mapping, Canvas& canvas) {
  const DeviceRect r = ProblemAreaRectangle(mapping);
  canvas.SetPenColour(colours::kBlack);
  canvas.SetBrushColour(colours::kWhite);
  canvas.Polygon({{r.left, r.top}, {r.right, r.top}, {r.right, r.bottom}, {r.left, r.bottom}});
}

int ClampLayer(const Problem& problem, int layer) {
  if (layer > problem.NL - 1) layer = problem.NL - 1;
  return layer < 0 ? 0 : layer;
}

}  // namespace

void DrawElements(const Problem& problem, const ContourMapping& mapping, Canvas& canvas) {
  canvas.SetPenColour(colours::kYellow);
  canvas.SetBrushColour(colours::kWhite);
  for (int e = 0; e < problem.NM; ++e) canvas.Polygon(ElementCorners(problem, e, mapping));
}

void ForEachContourSegment(
    const Problem& problem, int layer, const ContourLevelSet& set,
    const std::function<void(int e, double level, const ContourLine& line)>& visit) {
  for (int e = 0; e < problem.NM; ++e)
    for (double level : set.levels)
      if (const auto line = ContourSegment(problem, layer, e, level)) visit(e, level, *line);
}

void DrawContourLines(const Problem& problem, int layer, const ContourLevelSet& set,
                      const ContourMapping& mapping, Canvas& canvas) {
  ForEachContourSegment(problem, layer, set, [&](int, double, const ContourLine& line) {
    const Point a = mapping.Map(line.from.x, line.from.y);
    const Point b = mapping.Map(line.to.x, line.to.y);
    canvas.MoveTo(a.x, a.y);
    canvas.LineTo(b.x, b.y);
  });
}

PathMapping ContourPathMapping(const ContourMapping& mapping) {
  return [mapping](double x, double y, double) { return mapping.Map(x, y); };
}

TraceSettings ScreenContourTraceSettings(const ContourMapping& mapping, int layer) {
  TraceSettings s;
  s.lengthScale = mapping.lengthScale;
  s.captureDistance = mapping.lengthScale;
  s.markHalfSize = 1;
  s.resetAfter = true;
  s.currentLayer = layer;
  return s;
}

std::string DrawContourFigure(Problem& problem, int layer, int clientWidth, int clientHeight,
                              Canvas& canvas, PendingEvents& events, TraceObserver* observer) {
  layer = ClampLayer(problem, layer);
  const ContourMapping mapping = ScreenContourMapping(problem, clientWidth, clientHeight);
  const ContourLevelSet set = ContourLevels(problem, layer);
  const std::string legend = ContourLegend(set);
  events.LegendChanged(legend);
  // nodes on one point or a window too small for any figure: nothing can be placed
  if (!mapping.valid) return legend;

  canvas.SetPenStyle(PenStyle::Solid);
  canvas.SetPenMode(PenMode::Copy);
  DrawProblemArea(mapping, canvas);
  DrawElements(problem, mapping, canvas);
  canvas.SetPenColour(colours::kRed);
  DrawContourLines(problem, layer, set, mapping, canvas);

  TraceSettings settings = ScreenContourTraceSettings(mapping, layer);
  settings.observer = observer;
  TraceParticles(problem, ContourPathMapping(mapping), settings, canvas, events);
  return legend;
}

}  // namespace planaq
