#include "print/Graph3DPage.h"

#include <optional>
#include <string>

#include "print/GraphicsPage.h"
#include "print/TextFormat.h"
#include "results/Colours.h"
#include "results/Graph3D.h"
#include "results/Projection3D.h"

namespace planaq {
namespace {

Frame3D Graph3DPageFrame(const DrawingBox& box) {
  const int mx = box.width / 16;
  const int my = box.height / 6;
  Frame3D frame;
  frame.left = box.left + mx;
  frame.width = box.width - 2 * mx;
  frame.height = box.height - 2 * my;
  frame.base = box.top + my + frame.height;
  frame.integerExtents = true;
  frame.outlineBackground = true;
  return frame;
}

// Writes text at (left margin, trunc(y)) in FontBold, pen black, and moves y two lines down.
void WriteLine(PrintJob& job, double& y, const std::string& text) {
  PrinterCanvas& canvas = job.canvas;
  canvas.SetPenColour(colours::kBlack);
  canvas.SetFont(job.fonts.FontBold);
  canvas.TextOut(job.leftMargin, static_cast<int>(y), text);
  y += 2.0 * canvas.TextHeight("w");
}

}  // namespace

void PrintGraph3DPage(Problem& problem, int layer, const Options& options, PrintJob& job,
                      PendingEvents& events) {
  if (layer < 0) layer = 0;
  if (layer > problem.NL - 1) layer = problem.NL - 1;
  PrinterCanvas& canvas = job.canvas;
  const int lines = BeginGraphicsPage(problem, job, Graph3DPageTitle(problem));
  const int h = canvas.TextHeight("W");
  double y = lines * h;
  const int markHalfSize = h / 12;

  canvas.SetFont(job.fonts.FontBold);
  y += 0.5 * canvas.TextHeight("w");
  WriteLine(job, y, Format("Layer %d", layer + 1));

  const Frame3D frame = Graph3DPageFrame(DrawingBoxOf(canvas.Width(), canvas.Height(), options));
  const Projection3D projection = MakeProjection3D(problem, options, frame);
  canvas.SetPenColour(colours::kBlack);
  const std::optional<std::string> legend =
      DrawGraph3DScene(problem, layer, options, projection, frame, canvas);
  if (legend) WriteLine(job, y, *legend);
  if (problem.NP > 0) WriteLine(job, y, Format("Time interval between marks : %g d", problem.TM));
  // a box of no size, or a figure without height or depth, has nothing to trace on
  if (projection.valid && problem.NP > 0)
    TraceGraph3D(problem, layer, projection, markHalfSize, false, canvas, events);
}

bool PrintGraph3DDocument(Problem& problem, int layer, const Options& options,
                          PrinterCanvas& canvas, PrintState& state, PendingEvents& events) {
  if (!canvas.BeginDoc()) return false;
  PrintJob job(canvas, state);
  job.Start();
  PrintGraph3DPage(problem, layer, options, job, events);
  canvas.EndDoc();
  return true;
}

}  // namespace planaq
