#include "print/ObservationsPage.h"

#include <algorithm>
#include <sstream>
#include <string>

#include "model/Windows1252.h"
#include "observe/ObservationText.h"
#include "observe/ScatterFigure.h"
#include "print/PageHeader.h"

namespace planaq {

namespace {

constexpr int kFirstLine = 7;

void ObservationsHeader(const Problem& problem, PrintJob& job) {
  WriteTitleLine(job, PageTitle(problem), job.fonts.FontSmallBold);
  WriteSectionTitle(job, "Observations");
  job.TextAtLine(job.leftMargin, kFirstLine, job.fonts.FontNormal,
                 "Heads in m; residual = observed - computed.");
  job.line = kFirstLine + 2;
}

// the figure below the header, a square of eight tenths of the page width
void PrintScatter(const Problem& problem, const ObservationSet& set,
                  const std::vector<ObservedHead>& heads, PrintJob& job) {
  ObservationsHeader(problem, job);
  ScatterBox box;
  box.left = job.leftMargin;
  box.top = job.line * job.h;
  box.width = job.canvas.Width() * 8 / 10;
  box.height = box.width;
  box.pointSize = std::max(7, job.h * 2 / 3);
  box.font = job.fonts.FontNormal;
  DrawScatterFigure(set, heads, box, job.canvas);
}

}  // namespace

void PrintObservationsPage(const Problem& problem, const ObservationSet& set, PrintJob& job) {
  job.BreakPage();
  ObservationsHeader(problem, job);
  const std::vector<ObservedHead> heads = ComputeObservedHeads(problem, set);
  std::istringstream text(ObservationsText(set, heads));
  for (std::string line; std::getline(text, line);) {
    if (job.line >= job.linesPerPage) {
      job.NewPage();
      ObservationsHeader(problem, job);
    }
    job.TextAtLine(job.leftMargin, job.line++, job.fonts.FontNormal, Utf8ToWindows1252(line));
  }
  // the figure on a page of its own
  job.NewPage();
  PrintScatter(problem, set, heads, job);
}

bool PrintScatterDocument(const Problem& problem, const ObservationSet& set, PrinterCanvas& canvas,
                          PrintState& state) {
  if (!canvas.BeginDoc()) return false;
  PrintJob job(canvas, state);
  job.Start();
  job.BreakPage();
  PrintScatter(problem, set, ComputeObservedHeads(problem, set), job);
  canvas.EndDoc();
  return true;
}

}  // namespace planaq
