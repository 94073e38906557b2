#include "results/Graph3D.h"

#include <algorithm>
#include <vector>

#include "results/Colours.h"
#include "results/ContourLevels.h"
#include "results/DeviceCoordinate.h"

namespace planaq {

namespace {

enum class Surface { Bottom, Top, Head };

double Height(const NodeLayers& l, Surface surface, int L) {
  switch (surface) {
    case Surface::Bottom:
      return l.B[L];
    case Surface::Top:
      return l.T[L];
    case Surface::Head:
      break;
  }
  return l.F[L];
}

void DrawSurface(const Problem& problem, const Projection3D& p, Surface surface, int L,
                 Canvas& canvas) {
  std::vector<Point> corners(3);
  for (int e = 0; e < problem.NM; ++e) {
    const Element& el = problem.elements[e];
    for (int i = 0; i < 3; ++i) {
      const int n = el.Node[i];
      corners[i] =
          p.Map(problem.nodes[n].X, problem.nodes[n].Y, Height(problem.layers[n], surface, L));
    }
    canvas.Polygon(corners);
  }
}

// Each well as a vertical line from its water level (never above the top) down to the bottom.
void DrawWells(const Problem& problem, const Projection3D& p, Canvas& canvas) {
  for (int w = 0; w < problem.NW; ++w) {
    const Well& well = problem.wells[w];
    if (well.Node < 0 || well.Node >= problem.NN || well.Layer < 0 || well.Layer >= problem.NL)
      continue;
    const Node& node = problem.nodes[well.Node];
    const NodeLayers& l = problem.layers[well.Node];
    const Point top = p.Map(node.X, node.Y, std::min(l.F[well.Layer], l.T[well.Layer]));
    const Point bottom = p.Map(node.X, node.Y, l.B[well.Layer]);
    canvas.MoveTo(top.x, top.y);
    canvas.LineTo(bottom.x, bottom.y);
  }
}

// Contours on the projected groundwater table: level by level, element by element, crossing
// the projected corners.
void DrawProjectedContours(const Problem& problem, int layer, const ContourLevelSet& set,
                           const Projection3D& p, Canvas& canvas) {
  for (double level : set.levels) {
    for (int e = 0; e < problem.NM; ++e) {
      const Element& el = problem.elements[e];
      std::array<PlanePoint, 3> corners;
      std::array<double, 3> f;
      for (int i = 0; i < 3; ++i) {
        const int n = el.Node[i];
        f[i] = problem.layers[n].F[layer];
        corners[i] = p.Exact(problem.nodes[n].X, problem.nodes[n].Y, f[i]);
      }
      if (const auto line = CrossTriangle(corners, f, level)) {
        canvas.MoveTo(DeviceCoordinate(line->from.x), DeviceCoordinate(line->from.y));
        canvas.LineTo(DeviceCoordinate(line->to.x), DeviceCoordinate(line->to.y));
      }
    }
  }
}

void DrawBackground(const Projection3D& p, const Frame3D& frame, Canvas& canvas) {
  const double x0 = p.extents.x0;
  const int xa = DeviceCoordinate(p.left + p.k * (x0 - p.shiftedX0));
  const int xb = DeviceCoordinate(p.left + p.k * (x0 - p.shiftedX0 + p.Wp));
  const int yt = DeviceCoordinate(p.base - p.k * p.Ht);
  if (frame.outlineBackground) {
    // outlined over the same pixels that the filled rectangle covers
    canvas.SetPenColour(colours::kBlack);
    canvas.Polygon(
        {{xa - 4, yt - 4}, {xb + 4, yt - 4}, {xb + 4, p.base + 4}, {xa - 4, p.base + 4}});
  } else {
    canvas.FillRect(xa - 4, yt - 4, xb + 5, p.base + 5);
  }
}

int ClampLayer(const Problem& problem, int layer) {
  if (layer > problem.NL - 1) layer = problem.NL - 1;
  return layer < 0 ? 0 : layer;
}

}  // namespace

std::optional<std::string> DrawGraph3DScene(const Problem& problem, int layer,
                                            const Options& options, const Projection3D& projection,
                                            const Frame3D& frame, Canvas& canvas) {
  layer = ClampLayer(problem, layer);
  if (!projection.valid) return std::nullopt;
  canvas.SetPenStyle(PenStyle::Solid);
  canvas.SetPenMode(PenMode::Copy);
  canvas.SetBrushColour(colours::kWhite);
  DrawBackground(projection, frame, canvas);

  for (int L = problem.NL - 1; L >= 0; --L) {
    if (options.Bottom) {
      canvas.SetPenColour(colours::kLime);
      DrawSurface(problem, projection, Surface::Bottom, L, canvas);
    }
    if (options.Top) {
      canvas.SetPenColour(colours::kYellow);
      DrawSurface(problem, projection, Surface::Top, L, canvas);
    }
  }
  if (options.Bottom || options.Top || options.Water) {
    canvas.SetPenColour(colours::kRed);
    DrawWells(problem, projection, canvas);
  }
  if (options.Water) {
    canvas.SetPenColour(colours::kAqua);
    DrawSurface(problem, projection, Surface::Head, layer, canvas);
  }
  if (!options.Contours) return std::nullopt;
  canvas.SetPenColour(colours::kRed);
  const ContourLevelSet set = ContourLevels(problem, layer);
  // the groundwater table has covered the wells
  DrawWells(problem, projection, canvas);
  DrawProjectedContours(problem, layer, set, projection, canvas);
  return ContourLegend(set);
}

TraceResult TraceGraph3D(Problem& problem, int layer, const Projection3D& projection,
                         int markHalfSize, bool resetAfter, Canvas& canvas, PendingEvents& events,
                         TraceObserver* observer) {
  TraceSettings s;
  s.lengthScale = projection.lengthScale;
  s.captureDistance = 10.0 * projection.lengthScale;
  s.markHalfSize = markHalfSize;
  s.resetAfter = resetAfter;
  s.currentLayer = ClampLayer(problem, layer);
  s.observer = observer;
  const PathMapping map = [projection](double x, double y, double z) {
    return projection.Map(x, y, z);
  };
  return TraceParticles(problem, map, s, canvas, events);
}

std::optional<std::string> DrawGraph3D(Problem& problem, int layer, const Options& options,
                                       int clientWidth, int clientHeight, Canvas& canvas,
                                       PendingEvents& events, TraceObserver* observer) {
  const Frame3D frame = ScreenFrame3D(clientWidth, clientHeight);
  const Projection3D projection = MakeProjection3D(problem, options, frame);
  const auto legend = DrawGraph3DScene(problem, layer, options, projection, frame, canvas);
  if (legend) events.LegendChanged(*legend);
  if (projection.valid && problem.NP > 0)
    TraceGraph3D(problem, layer, projection, 1, true, canvas, events, observer);
  return legend;
}

}  // namespace planaq
