#include <cmath>
#include <memory>
#include <vector>

#include "mesh/ElementsByNode.h"
#include "mesh/MeshEdit.h"
#include "mesh/MeshMessages.h"
#include "mesh/SplitCommon.h"

namespace planaq {

namespace {

// The element is divided from apex h at a point of side p-q.
struct Division {
  int h, p, q;
};

double Length(const Problem& pr, int a, int b) {
  const double dx = pr.nodes[b].X - pr.nodes[a].X;
  const double dy = pr.nodes[b].Y - pr.nodes[a].Y;
  return std::sqrt(dx * dx + dy * dy);
}

// The longest side; of equal lengths side 2-3 before 3-1 before 1-2.
Division LongestSide(const Problem& pr, int n1, int n2, int n3) {
  Division d{n1, n2, n3};
  double longest = Length(pr, n2, n3);
  const double l31 = Length(pr, n3, n1);
  if (l31 > longest) {
    d = {n2, n3, n1};
    longest = l31;
  }
  if (Length(pr, n1, n2) > longest) d = {n3, n1, n2};
  return d;
}

class Splitter {
 public:
  Splitter(Problem& p, NodeSearch& near, SideSearch& sides)
      : p_(p), near_(near), sides_(sides), edit_(p, &near, &sides) {}

  MeshEdit& edit() { return edit_; }

  // false when the next division would not fit (only with a checkpoint made)
  bool DivideAll(int NM0, const ProgressFn& progress) {
    std::vector<char> divided(static_cast<std::size_t>(edit_.ElementLimit()) + 1, 0);
    for (int e = 0; e < NM0; ++e) {
      if (divided[e]) continue;
      if (!Divide(e, divided)) return false;
      split::Report(progress, 2, p_);
    }
    return true;
  }

 private:
  double MidX(int a, int b) const { return (p_.nodes[a].X + p_.nodes[b].X) * 0.5; }
  double MidY(int a, int b) const { return (p_.nodes[a].Y + p_.nodes[b].Y) * 0.5; }

  bool Divide(int e, std::vector<char>& divided) {
    const auto [n1, n2, n3] = p_.elements[e].Node;
    const int block = p_.elements[e].Block;
    // a side that a neighbour has divided already: the last search that finds a node decides
    const int f23 = near_.Near(MidX(n2, n3), MidY(n2, n3));
    const int f31 = near_.Near(MidX(n3, n1), MidY(n3, n1));
    const int f12 = near_.Near(MidX(n1, n2), MidY(n1, n2));
    int g = -1;
    Division d{};
    if (f23 >= 0) g = f23, d = {n1, n2, n3};
    if (f31 >= 0) g = f31, d = {n2, n3, n1};
    if (f12 >= 0) g = f12, d = {n3, n1, n2};
    if (g >= 0) {
      if (!edit_.CanAdd(0, 1)) return false;
      edit_.SetElement(e, d.h, d.p, g);
      edit_.AppendElement(d.h, d.q, g, block);
      p_.nodes[g].Type = 0;
      return true;
    }
    d = LongestSide(p_, n1, n2, n3);
    // a neighbour has area, so three distinct corners: its third node is never -1
    const int k = sides_.WithSide(d.p, d.q, e);
    if (!edit_.CanAdd(1, k >= 0 ? 2 : 1)) return false;
    const int m = edit_.NewMidpoint(d.p, d.q);
    edit_.SetElement(e, d.h, d.p, m);
    edit_.AppendElement(d.h, d.q, m, block);
    if (k >= 0) {
      const int hk = ThirdNode(p_.elements[k], d.p, d.q);
      const int blockK = p_.elements[k].Block;
      edit_.SetElement(k, hk, d.p, m);
      edit_.AppendElement(hk, d.q, m, blockK);
      p_.nodes[m].Type = 0;  // the side is shared: an interior node
      divided[k] = 1;
    }
    return true;
  }

  Problem& p_;
  NodeSearch& near_;
  SideSearch& sides_;
  MeshEdit edit_;
};

std::unique_ptr<SideSearch> MakeSideSearch(const Problem& p, SearchKind kind) {
  if (kind == SearchKind::Scan) return std::make_unique<ScanSideSearch>(p);
  return std::make_unique<ElementsByNode>(p);
}

}  // namespace

MeshOutcome SplitElements2(Problem& p, const ProgressFn& progress, SearchKind kind) {
  const int NN0 = p.NN, NM0 = p.NM;
  p.previous.NN = NN0;
  p.previous.NM = NM0;
  const NodeExtent extent = ExtentOfNodes(p);
  const double eps = split::Tolerance(p, extent);
  split::Report(progress, 2, p);
  MeshOutcome outcome;
  if (p.caps.NMAX / 2 < p.NN || p.caps.MMAX / 2 < p.NM) {
    outcome = {MeshStatus::CapacityExceeded, messages::SplitCapacity(2)};
  } else {
    auto near = split::MakeNodeSearch(p, kind, eps, extent, NM0 + 16);
    auto sides = MakeSideSearch(p, kind);
    Splitter splitter(p, *near, *sides);
    // every visited element adds at most one node and two elements
    const bool surelyFits = splitter.edit().CanAdd(NM0, 2LL * NM0);
    if (!surelyFits) splitter.edit().Checkpoint();
    if (!splitter.DivideAll(NM0, progress)) {
      splitter.edit().Rollback();
      outcome = {MeshStatus::CapacityExceeded, messages::SplitCapacity(2)};
    }
  }
  split::Finish(p, progress, 2, outcome.Changed());
  return outcome;
}

}  // namespace planaq
