#pragma once
// The data report of the print command: general data, nodes, elements and the mesh page,
// each when its print option is ticked.

#include "canvas/Canvas.h"
#include "model/Options.h"
#include "model/Problem.h"
#include "observe/Observations.h"
#include "print/PrintJob.h"

namespace planaq {

// The report's pages in an open document; its pages are numbered from 1.
// The observations page follows when its option is ticked and there are observations.
void PrintReportPages(const Problem& problem, const Options& options, PrintJob& job,
                      const ObservationSet* observations = nullptr);

// The report as one document of its own. False when the printer could not begin it.
bool PrintReport(const Problem& problem, const Options& options, PrinterCanvas& canvas,
                 PrintState& state, const ObservationSet* observations = nullptr);

}  // namespace planaq
