#pragma once
// The Observations page of the report: observed and computed heads of every observation, the
// residuals, and their statistics; then the scatter figure of observed against computed.

#include "model/Problem.h"
#include "observe/Observations.h"
#include "print/PrintJob.h"

namespace planaq {

void PrintObservationsPage(const Problem& problem, const ObservationSet& set, PrintJob& job);

// The scatter figure on a page of its own, as a document; false when the printer could not
// begin it.
bool PrintScatterDocument(const Problem& problem, const ObservationSet& set, PrinterCanvas& canvas,
                          PrintState& state);

}  // namespace planaq
