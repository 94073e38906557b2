#include "print/PageHeader.h"

#include "print/TextFormat.h"

namespace planaq {

std::string PageTitle(const Problem& problem) {
  return Format("PLANAQ : %s", problem.ProblemName.c_str());
}

void WriteTitleLine(PrintJob& job, const std::string& title, const Font& pageMeasureFont) {
  PrinterCanvas& canvas = job.canvas;
  job.TextAtLine(job.leftMargin, 2, job.fonts.FontBold, title);
  canvas.SetFont(pageMeasureFont);
  const int x = canvas.Width() - canvas.TextWidth("Page 9999");
  job.TextAtLine(x, 2, job.fonts.FontSmallBold, Format("Page %d", job.TakePageNumber()));
}

void WriteSectionTitle(PrintJob& job, const std::string& section) {
  job.TextAtLine(job.leftMargin, 5, job.fonts.FontBold, section);
}

}  // namespace planaq
