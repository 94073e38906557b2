#pragma once
// Per cycle: the working supply W, the conductances of every layer and, in cycle 0, the
// leakages of every aquitard.

#include "model/Problem.h"
#include "solver/SolveProgress.h"
#include "solver/SparseSystem.h"

namespace planaq {

// Saturated thickness of a node in a cycle: the full thickness in cycle 0, later the head
// above the bottom (at least 0.001 m) unless the head stands above the top.
double SaturatedThickness(double B, double T, double F, int cycle);

// Element interval of the progress report: 1, 10, 100 or 1000 by the number of elements.
int AssemblyReportInterval(int NM);

void AssembleCycle(Problem& problem, SparseSystem& system, int cycle, SolveProgress& progress);

}  // namespace planaq
