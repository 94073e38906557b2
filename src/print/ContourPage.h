#pragma once
// The printed contour page: the contour figure of one layer in the drawing box, with the
// layer, the contour legend and the time between marks written above the box.

#include "canvas/Canvas.h"
#include "model/Options.h"
#include "model/Problem.h"
#include "observe/Observations.h"
#include "print/PrintJob.h"
#include "results/PendingEvents.h"

namespace planaq {

// The page in an open document. The particles stay where the tracing left them. Observations,
// when given, are marked as in the contour window.
void PrintContourPage(Problem& problem, int layer, const Options& options, PrintJob& job,
                      PendingEvents& events, const ObservationSet* observations = nullptr);

// The contour window's print command: the page as a document of its own. The page counter
// goes on from earlier printing. False when the printer could not begin the document.
bool PrintContourDocument(Problem& problem, int layer, const Options& options,
                          PrinterCanvas& canvas, PrintState& state, PendingEvents& events,
                          const ObservationSet* observations = nullptr);

}  // namespace planaq
