#pragma once
// The Water Balance page of the report: the balance of the problem in memory, the aquifers in
// two blocks of figures, then the aquitards.

#include "model/Problem.h"
#include "print/PrintJob.h"

namespace planaq {

void PrintWaterBalancePage(const Problem& problem, PrintJob& job);

}  // namespace planaq
