#pragma once
// What the two refinements share: the start and the end of the operation.

#include <memory>

#include "mesh/MeshOutcome.h"
#include "mesh/MeshScale.h"
#include "mesh/MeshSearch.h"
#include "mesh/Split.h"

namespace planaq::split {

// The progress text, formatted only when someone listens.
void Report(const ProgressFn& progress, int parts, const Problem& p);

// CoincidenceTolerance from an extent already taken
double Tolerance(const Problem& p, const NodeExtent& extent);

// the nodes that the operation makes, hashed in cells counted from the corner of the extent
std::unique_ptr<NodeSearch> MakeNodeSearch(const Problem& p, SearchKind kind, double eps,
                                           const NodeExtent& extent, int expected);

// The final progress text, the renumbering of a changed mesh, and the particle rows to refill.
void Finish(Problem& p, const ProgressFn& progress, int parts, bool changed);

}  // namespace planaq::split
