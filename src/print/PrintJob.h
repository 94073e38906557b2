#pragma once
// One printer document: the line grid of its pages and the page counter that it shares with
// every other print job of the run.

#include <string>

#include "canvas/Canvas.h"
#include "print/PrintFonts.h"

namespace planaq {

// Lives for the whole run of the program: the number of the next printed page.
struct PrintState {
  int pageCounter = 1;
};

class PrintJob {
 public:
  PrintJob(PrinterCanvas& canvas, PrintState& state, PrintFonts fonts = {});

  // Left margin, line unit and lines per page of this document; pen solid black, brush white.
  void Start();
  // The data report numbers its pages from 1 again.
  void ResetPageCounter() { state_.pageCounter = 1; }
  // A section or a graphics page starts on a fresh sheet once this document has used one.
  // A document that has printed nothing yet starts on its first sheet, so a graph printed
  // after earlier printing keeps its page number without a blank sheet in front of it.
  void BreakPage();
  // A page break inside a table.
  void NewPage();
  // The number for the header of the page being begun; the counter advances.
  int TakePageNumber();
  int PageCounter() const { return state_.pageCounter; }

  // Text with its top left corner at (x, line × h).
  void TextAtLine(int x, int line, const Font& font, const std::string& text);

  PrinterCanvas& canvas;
  const PrintFonts fonts;
  int leftMargin = 0;    // page width div 10
  int h = 1;             // height of "W" in FontNormal
  int linesPerPage = 0;  // page height div h - 4
  int line = 0;          // the next line on the page

 private:
  PrintState& state_;
  int pagesNumbered_ = 0;
};

}  // namespace planaq
