#pragma once
// The printed 3D page: the 3D graph of one layer in the drawing box, with the layer, the
// contour legend and the time between marks written above the box.

#include "canvas/Canvas.h"
#include "model/Options.h"
#include "model/Problem.h"
#include "print/PrintJob.h"
#include "results/PendingEvents.h"

namespace planaq {

// The page in an open document, with the surfaces, contours and viewing angle of options.
// The particles are reset before the tracing and stay where it left them.
void PrintGraph3DPage(Problem& problem, int layer, const Options& options, PrintJob& job,
                      PendingEvents& events);

// The 3D window's print command: the page as a document of its own.
bool PrintGraph3DDocument(Problem& problem, int layer, const Options& options,
                          PrinterCanvas& canvas, PrintState& state, PendingEvents& events);

}  // namespace planaq
