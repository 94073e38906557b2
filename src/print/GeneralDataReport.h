#pragma once
// The general data section of the report: the first page and the tables of main nodes,
// blocks, soils, wells and particles.

#include "model/Problem.h"
#include "print/PrintJob.h"

namespace planaq {

// The credit line under the title of the first page.
extern const char* const kReportCreditLine;

void PrintGeneralData(const Problem& problem, PrintJob& job);

}  // namespace planaq
