#include <memory>

#include "mesh/MeshEdit.h"
#include "mesh/MeshMessages.h"
#include "mesh/SplitCommon.h"

namespace planaq {

namespace {

struct Midpoint {
  int a, b;  // the side's ends
  double x, y;
  int found;
};

Midpoint SideMidpoint(const Problem& p, int a, int b) {
  return {a, b, (p.nodes[a].X + p.nodes[b].X) * 0.5, (p.nodes[a].Y + p.nodes[b].Y) * 0.5, -1};
}

// A midpoint found among this operation's nodes lies on a shared side: it gets the
// coordinates of this side again and Type 0; otherwise it is a new node.
int PlaceMidpoint(Problem& p, MeshEdit& edit, const Midpoint& m) {
  if (m.found < 0) return edit.NewMidpoint(m.a, m.b);
  edit.WriteMidpoint(m.found, m.a, m.b);
  p.nodes[m.found].Type = 0;
  return m.found;
}

// false when the next element would not fit (only possible when the caller made a checkpoint)
bool DivideAll(Problem& p, MeshEdit& edit, NodeSearch& near, int NM0, const ProgressFn& progress) {
  for (int e = 0; e < NM0; ++e) {
    const auto [n1, n2, n3] = p.elements[e].Node;
    Midpoint m[3] = {SideMidpoint(p, n2, n3), SideMidpoint(p, n3, n1), SideMidpoint(p, n1, n2)};
    int missing = 0;
    for (Midpoint& mid : m) {
      mid.found = near.Near(mid.x, mid.y);
      missing += mid.found < 0 ? 1 : 0;
    }
    if (!edit.CanAdd(missing, 3)) return false;
    const int m23 = PlaceMidpoint(p, edit, m[0]);
    const int m31 = PlaceMidpoint(p, edit, m[1]);
    const int m12 = PlaceMidpoint(p, edit, m[2]);
    const int block = p.elements[e].Block;
    edit.SetElement(e, m23, m31, m12);
    edit.AppendElement(n1, m12, m31, block);
    edit.AppendElement(n2, m23, m12, block);
    edit.AppendElement(n3, m31, m23, block);
    split::Report(progress, 4, p);
  }
  return true;
}

}  // namespace

MeshOutcome SplitElements4(Problem& p, const ProgressFn& progress, SearchKind kind) {
  const int NN0 = p.NN, NM0 = p.NM;
  p.previous.NN = NN0;
  p.previous.NM = NM0;
  const NodeExtent extent = ExtentOfNodes(p);
  const double eps = split::Tolerance(p, extent);
  split::Report(progress, 4, p);
  MeshOutcome outcome;
  if (p.caps.NMAX / 4 < p.NN || p.caps.MMAX / 4 < p.NM) {
    outcome = {MeshStatus::CapacityExceeded, messages::SplitCapacity(4)};
  } else {
    auto near = split::MakeNodeSearch(p, kind, eps, extent, 2 * NM0 + 16);
    MeshEdit edit(p, near.get(), nullptr);
    // one node per side at most; only a mesh that might not fit is kept for undoing
    const bool surelyFits = edit.CanAdd(3LL * NM0, 3LL * NM0);
    if (!surelyFits) edit.Checkpoint();
    if (!DivideAll(p, edit, *near, NM0, progress)) {
      edit.Rollback();
      outcome = {MeshStatus::CapacityExceeded, messages::SplitCapacity(4)};
    }
  }
  split::Finish(p, progress, 4, outcome.Changed());
  return outcome;
}

}  // namespace planaq
