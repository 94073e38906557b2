#include "print/ContourPage.h"

#include <algorithm>

#include "observe/ObservationMarkers.h"
#include "print/GraphicsPage.h"
#include "print/TextFormat.h"
#include "results/Colours.h"
#include "results/ContourFigure.h"
#include "results/ContourLevels.h"
#include "results/ContourMapping.h"
#include "results/TraceParticles.h"

namespace planaq {
namespace {

ContourMapping ContourPageMapping(const Problem& problem, const DrawingBox& box) {
  const int mx = box.width / 16;
  const int my = box.height / 16;
  const int DW = box.width - 2 * mx;
  const int DH = box.height - 2 * my;
  return MakeContourMapping(problem, box.left + mx, DW, DH, box.top + my + DH);
}

// Layer, legend and, with particles, the time between marks, each two lines of "w" apart.
void WriteContourTexts(const Problem& problem, int layer, const ContourLevelSet& levels,
                       PrintJob& job, double y) {
  PrinterCanvas& canvas = job.canvas;
  canvas.SetPenColour(colours::kBlack);
  canvas.SetFont(job.fonts.FontBold);
  const int w = canvas.TextHeight("w");
  y += 0.5 * w;
  canvas.TextOut(job.leftMargin, static_cast<int>(y), Format("Layer %d", layer + 1));
  y += 2.0 * w;
  canvas.TextOut(job.leftMargin, static_cast<int>(y), ContourLegend(levels));
  y += 2.0 * w;
  if (problem.NP > 0) {
    canvas.TextOut(job.leftMargin, static_cast<int>(y),
                   Format("Time interval between marks : %g d", problem.TM));
  }
}

}  // namespace

void PrintContourPage(Problem& problem, int layer, const Options& options, PrintJob& job,
                      PendingEvents& events, const ObservationSet* observations) {
  if (layer < 0) layer = 0;
  if (layer > problem.NL - 1) layer = problem.NL - 1;
  PrinterCanvas& canvas = job.canvas;
  const int lines = BeginGraphicsPage(problem, job, ContourPageTitle(problem));
  const int h = canvas.TextHeight("W");
  const double y = lines * h;
  const int markHalfSize = h / 12;

  const ContourMapping mapping =
      ContourPageMapping(problem, DrawingBoxOf(canvas.Width(), canvas.Height(), options));
  canvas.SetPenStyle(PenStyle::Solid);
  canvas.SetBrushColour(colours::kWhite);
  // a box of no size, or nodes on one point, give no figure; the texts are still written
  if (mapping.valid) DrawElements(problem, mapping, canvas);
  const ContourLevelSet levels = ContourLevels(problem, layer);
  WriteContourTexts(problem, layer, levels, job, y);
  if (!mapping.valid) return;
  canvas.SetPenColour(colours::kRed);
  DrawContourLines(problem, layer, levels, mapping, canvas);

  TraceSettings settings;
  settings.lengthScale = mapping.lengthScale;
  settings.captureDistance = 10.0 * mapping.lengthScale;
  settings.markHalfSize = markHalfSize;
  settings.resetAfter = false;
  settings.currentLayer = layer;
  if (problem.NP > 0)
    TraceParticles(problem, ContourPathMapping(mapping), settings, canvas, events);
  if (observations && !observations->empty() && events.Process())
    DrawObservationMarkers(*observations, ComputeObservedHeads(problem, *observations), layer,
                           mapping, canvas, std::max(4, h / 4));  // as large on paper as on screen
}

bool PrintContourDocument(Problem& problem, int layer, const Options& options,
                          PrinterCanvas& canvas, PrintState& state, PendingEvents& events,
                          const ObservationSet* observations) {
  if (!canvas.BeginDoc()) return false;
  PrintJob job(canvas, state);
  job.Start();
  PrintContourPage(problem, layer, options, job, events, observations);
  canvas.EndDoc();
  return true;
}

}  // namespace planaq
