#include "print/GraphicsPage.h"

#include "print/PageHeader.h"

namespace planaq {

DrawingBox DrawingBoxOf(int pageWidth, int pageHeight, const Options& options) {
  Options held = options;
  if (held.GraphScale < Options::kTrackMin) held.GraphScale = Options::kTrackMin;
  if (held.GraphScale > Options::kTrackMax) held.GraphScale = Options::kTrackMax;
  const double f = held.GraphFraction();
  DrawingBox box;
  box.width = static_cast<int>(pageWidth * f);
  box.height = static_cast<int>(pageHeight * f);
  box.left = (pageWidth - box.width) / 2;
  box.top = (pageHeight - box.height) / 2;
  return box;
}

int BeginGraphicsPage(const Problem& problem, PrintJob& job, const std::string& title) {
  job.BreakPage();
  PrinterCanvas& canvas = job.canvas;
  canvas.SetFont(job.fonts.FontNormal);
  canvas.SetBrushColour(Rgb{255, 255, 255});
  canvas.SetPenColour(Rgb{0, 0, 0});
  job.h = canvas.TextHeight("W");
  if (job.h < 1) job.h = 1;
  WriteTitleLine(job, PageTitle(problem), job.fonts.FontBold);
  WriteSectionTitle(job, title);
  canvas.SetFont(job.fonts.FontNormal);
  return 7;
}

std::string ContourPageTitle(const Problem& problem) {
  return problem.NP > 0 ? "Contours of Groundwater Head and Pathlines of Particles"
                        : "Contours of Groundwater Head";
}

std::string Graph3DPageTitle(const Problem& problem) {
  return problem.NP > 0 ? "Three Dimensional Graph of Groundwater Head and Pathlines of Particles"
                        : "Three Dimensional Graph of Groundwater Head";
}

}  // namespace planaq
