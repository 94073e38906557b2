#pragma once
// What every printed graph shares: the page frame with its title lines and the box on the
// page that the graph is drawn in.

#include <string>

#include "model/Options.h"
#include "model/Problem.h"
#include "print/PrintJob.h"

namespace planaq {

// The box of a printed graph, centred on the page; its size follows the Graphics Scale.
struct DrawingBox {
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
};

DrawingBox DrawingBoxOf(int pageWidth, int pageHeight, const Options& options);

// A fresh sheet when the document has used one, the page number, and the frame: the page
// title and the number on line 2 and the graph's title on line 5. Returns the 7 text lines
// that the frame occupies; the font is FontNormal afterwards.
int BeginGraphicsPage(const Problem& problem, PrintJob& job, const std::string& title);

// The graph titles name the pathlines only when there are particles.
std::string ContourPageTitle(const Problem& problem);
std::string Graph3DPageTitle(const Problem& problem);

}  // namespace planaq
