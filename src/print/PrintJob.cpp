#include "print/PrintJob.h"

namespace planaq {

PrintJob::PrintJob(PrinterCanvas& c, PrintState& state, PrintFonts f)
    : canvas(c), fonts(std::move(f)), state_(state) {}

void PrintJob::Start() {
  leftMargin = canvas.Width() / 10;
  canvas.SetPenStyle(PenStyle::Solid);
  canvas.SetPenColour(Rgb{0, 0, 0});
  canvas.SetBrushColour(Rgb{255, 255, 255});
  canvas.SetFont(fonts.FontNormal);
  // a font without height would make every line the same line and every page endless
  h = canvas.TextHeight("W");
  if (h < 1) h = 1;
  linesPerPage = canvas.Height() / h - 4;
}

void PrintJob::BreakPage() {
  if (state_.pageCounter > 1 && pagesNumbered_ > 0) canvas.NewPage();
}

void PrintJob::NewPage() { canvas.NewPage(); }

int PrintJob::TakePageNumber() {
  ++pagesNumbered_;
  return state_.pageCounter++;
}

void PrintJob::TextAtLine(int x, int at, const Font& font, const std::string& text) {
  canvas.SetFont(font);
  canvas.TextOut(x, at * h, text);
}

}  // namespace planaq
