#include "mesh/Wells.h"

#include <algorithm>
#include <cmath>

#include "mesh/MeshEdit.h"
#include "mesh/MeshMessages.h"
#include "mesh/MeshScale.h"
#include "mesh/Renumber.h"

namespace planaq {

namespace {

int WellLimit(const Problem& p) { return std::min(p.caps.BMAX, static_cast<int>(p.wells.size())); }

void AppendWell(Problem& p, int node) {
  Well& w = p.wells[p.NW++];
  w.Node = node;
  w.Layer = 0;
  w.Q = 0.0;
}

int SnapNode(const Problem& p, double x, double y) {
  const double r = SnapRadius(p);
  for (int i = 0; i < p.NN; ++i) {
    const double dx = p.nodes[i].X - x, dy = p.nodes[i].Y - y;
    if (std::sqrt(dx * dx + dy * dy) < r) return i;
  }
  return -1;
}

int ElementAt(const Problem& p, double x, double y) {
  for (int e = 0; e < p.NM; ++e)
    if (p.ElementContaining(x, y, e) >= 0) return e;
  return -1;
}

// node C: the mean of the corners, Type 0, Q = 0
int MakeCentre(Problem& p, const Element& el) {
  const int c = p.NN++;
  const auto [n1, n2, n3] = el.Node;
  Node& node = p.nodes[c];
  node.X = (p.nodes[n1].X + p.nodes[n2].X + p.nodes[n3].X) / 3;
  node.Y = (p.nodes[n1].Y + p.nodes[n2].Y + p.nodes[n3].Y) / 3;
  node.Type = 0;
  NodeLayers& l = p.layers[c];
  const NodeLayers &l1 = p.layers[n1], &l2 = p.layers[n2], &l3 = p.layers[n3];
  for (int L = 0; L < kMaxLayers; ++L) {
    l.B[L] = (l1.B[L] + l2.B[L] + l3.B[L]) / 3;
    l.T[L] = (l1.T[L] + l2.T[L] + l3.T[L]) / 3;
    l.F[L] = (l1.F[L] + l2.F[L] + l3.F[L]) / 3;
    l.Q[L] = 0.0;
  }
  return c;
}

// Element e = (C, a, c) is halved at the midpoint of side a-c, and so is its neighbour
// across that side. False when the elements would not fit.
bool HalveAtSide(Problem& p, MeshEdit& edit, int e, int C, int a, int c) {
  const int k = FindElementWithSide(p, a, c, e, 0, p.NM);
  const int h = k >= 0 ? ThirdNode(p.elements[k], a, c) : -1;
  if (!edit.CanAdd(1, h >= 0 ? 2 : 1)) return false;
  const int block = p.elements[e].Block;
  const int m = edit.NewMidpoint(a, c);
  edit.SetElement(e, C, a, m);
  edit.AppendElement(C, c, m, block);
  if (h >= 0) {
    const int blockK = p.elements[k].Block;
    edit.SetElement(k, h, a, m);
    edit.AppendElement(h, c, m, blockK);
  }
  return true;
}

}  // namespace

double SnapRadius(const Problem& p) { return MeshSpacing(ExtentOfNodes(p), p.NN, 0.1); }

MeshOutcome CheckWellCapacity(const Problem& p) {
  if (p.NW >= WellLimit(p)) return {MeshStatus::CapacityExceeded, messages::WellCountCapacity()};
  return {};
}

MeshOutcome InsertWell(Problem& p, double x, double y) {
  const MeshOutcome wellRoom = CheckWellCapacity(p);
  if (!wellRoom.Changed()) return wellRoom;
  const int snapped = SnapNode(p, x, y);
  if (snapped >= 0) {
    AppendWell(p, snapped);
    return {MeshStatus::WellAtNode, ""};
  }
  const MeshOutcome full{MeshStatus::CapacityExceeded, messages::WellInteriorCapacity()};
  if (p.NM > p.caps.MMAX - 5 || p.NN > p.caps.NMAX - 3) return full;
  const int j = ElementAt(p, x, y);
  if (j < 0) return {MeshStatus::OutsideMesh, messages::WellOutsideMesh()};

  MeshEdit edit(p, nullptr, nullptr);
  // four nodes always, five to eight elements: a mesh this close to full is kept for undoing
  if (!edit.CanAdd(4, 8)) edit.Checkpoint();
  if (!edit.CanAdd(4, 5)) return full;
  const Element el = p.elements[j];
  const auto [n1, n2, n3] = el.Node;
  const int C = MakeCentre(p, el);
  edit.SetElement(j, C, n2, n3);
  AppendWell(p, C);
  const int e12 = edit.AppendElement(C, n1, n2, el.Block);
  const int e13 = edit.AppendElement(C, n1, n3, el.Block);
  if (!HalveAtSide(p, edit, j, C, n2, n3) || !HalveAtSide(p, edit, e12, C, n1, n2) ||
      !HalveAtSide(p, edit, e13, C, n1, n3)) {
    edit.Rollback();
    return full;
  }
  p.particleRowsStale = true;
  return {MeshStatus::WellInNewNode, ""};
}

MeshOutcome AddWellAt(Problem& p, double x, double y) {
  const MeshOutcome outcome = InsertWell(p, x, y);
  // a refused click leaves the tables exactly as they were (see split::Finish)
  if (outcome.Changed()) {
    RenumberNodes(p);
    RenumberElements(p);
  }
  return outcome;
}

}  // namespace planaq
