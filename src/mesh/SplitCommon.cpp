#include "mesh/SplitCommon.h"

#include "mesh/MeshMessages.h"
#include "mesh/NodeHash.h"
#include "mesh/Renumber.h"

namespace planaq {

double CoincidenceTolerance(const Problem& p) { return split::Tolerance(p, ExtentOfNodes(p)); }

namespace split {

void Report(const ProgressFn& progress, int parts, const Problem& p) {
  if (progress) progress(messages::SplitProgress(parts, p.NN, p.NM));
}

double Tolerance(const Problem& p, const NodeExtent& extent) {
  return MeshSpacing(extent, p.NN, 0.00001);
}

std::unique_ptr<NodeSearch> MakeNodeSearch(const Problem& p, SearchKind kind, double eps,
                                           const NodeExtent& extent, int expected) {
  if (kind == SearchKind::Scan) return std::make_unique<ScanNodeSearch>(p, eps, p.NN);
  return std::make_unique<NodeHash>(p, eps, p.NN, expected, extent.xmin, extent.ymin);
}

void Finish(Problem& p, const ProgressFn& progress, int parts, bool changed) {
  Report(progress, parts, p);
  // a refused refinement leaves the tables exactly as they were: the renumbering of an
  // unchanged mesh could still reorder elements of equal keys
  if (changed) {
    RenumberNodes(p);
    RenumberElements(p);
  }
  p.particleRowsStale = true;
}

}  // namespace split
}  // namespace planaq
