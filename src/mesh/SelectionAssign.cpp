#include "mesh/SelectionAssign.h"

#include <algorithm>
#include <cmath>
#include <numeric>

#include "grids/ElementsGrid.h"
#include "grids/NodesGrid.h"
#include "model/Values.h"

namespace planaq {

namespace {

bool Storable(const std::optional<double>& v) { return !v || IsStorable(*v); }

int FirstLayer(const Assignment& a) { return a.layer == Assignment::kAllLayers ? 0 : a.layer; }
int LastLayer(const Problem& p, const Assignment& a) {
  return a.layer == Assignment::kAllLayers ? p.NL - 1 : a.layer;
}

std::vector<double> EqualShares(std::size_t n) {
  return std::vector<double>(n, n > 0 ? 1.0 / static_cast<double>(n) : 0.0);
}

// each node owns the stretch of the line between the midpoints to its neighbours along it
std::vector<double> LineShares(const Problem& p, const std::vector<ShapePoint>& line,
                               const std::vector<int>& nodes) {
  const double length = LineLength(line);
  if (!(length > 0.0)) return EqualShares(nodes.size());
  std::vector<double> s(nodes.size());
  for (std::size_t i = 0; i < nodes.size(); ++i)
    s[i] = ArcLengthAt(line, p.nodes[nodes[i]].X, p.nodes[nodes[i]].Y);
  std::vector<std::size_t> order(nodes.size());
  std::iota(order.begin(), order.end(), 0);
  std::stable_sort(order.begin(), order.end(), [&](auto a, auto b) { return s[a] < s[b]; });
  std::vector<double> shares(nodes.size());
  for (std::size_t k = 0; k < order.size(); ++k) {
    const double from = k == 0 ? 0.0 : 0.5 * (s[order[k - 1]] + s[order[k]]);
    const double to = k + 1 == order.size() ? length : 0.5 * (s[order[k]] + s[order[k + 1]]);
    shares[order[k]] = (to - from) / length;
  }
  return shares;
}

double TriangleArea(const Problem& p, int e) {
  const auto& n = p.elements[e].Node;
  const Node &a = p.nodes[n[0]], &b = p.nodes[n[1]], &c = p.nodes[n[2]];
  return 0.5 * std::fabs((b.X - a.X) * (c.Y - a.Y) - (c.X - a.X) * (b.Y - a.Y));
}

std::vector<double> AreaShares(const Problem& p, const Selection& sel) {
  std::vector<int> position(static_cast<std::size_t>(p.NN), -1);
  for (std::size_t i = 0; i < sel.nodes.size(); ++i) position[sel.nodes[i]] = static_cast<int>(i);
  std::vector<double> area(sel.nodes.size(), 0.0);
  for (int e : sel.elements) {
    const double third = TriangleArea(p, e) / 3.0;
    for (int n : p.elements[e].Node)
      if (position[n] >= 0) area[position[n]] += third;
  }
  const double total = std::accumulate(area.begin(), area.end(), 0.0);
  if (!(total > 0.0)) return EqualShares(sel.nodes.size());
  for (double& a : area) a /= total;
  return area;
}

// the head a node gets, or none
std::optional<double> HeadOf(const Problem& p, const SelectionShape& shape, const Assignment& a,
                             int node) {
  if (a.givenHead) return a.givenHead;
  if (a.head) return a.head;
  if (!a.headAlong) return std::nullopt;
  const double length = LineLength(shape.points);
  const double s = ArcLengthAt(shape.points, p.nodes[node].X, p.nodes[node].Y);
  const double t = length > 0.0 ? s / length : 0.0;
  return a.headAlong->from + (a.headAlong->to - a.headAlong->from) * t;
}

bool SameNode(const Node& a, const NodeLayers& la, const Node& b, const NodeLayers& lb) {
  return a.X == b.X && a.Y == b.Y && a.Type == b.Type && la.B == lb.B && la.T == lb.T &&
         la.F == lb.F && la.Q == lb.Q;
}

// one layer of one node, in the grid's column order
void AssignLayer(Problem& p, const Assignment& a, int node, int layer,
                 const std::optional<double>& head, double supplyShare) {
  if (a.bottom) StoreNodesValue(p, kNodeB, node, layer, *a.bottom);
  if (a.top) StoreNodesValue(p, kNodeT, node, layer, *a.top);
  if (head) StoreNodesValue(p, kNodeF, node, layer, *head);
  if (a.extraSupply)
    StoreNodesValue(p, kNodeQ, node, layer, p.layers[node].Q[layer] + *a.extraSupply * supplyShare);
  if (a.givenHead || a.headAlong) StoreNodesSwitch(p, kNodeFQ, node, layer, true);
  if (a.givenSupply) StoreNodesSwitch(p, kNodeFQ, node, layer, false);
}

// an extra supply must leave every Q one the datafile can hold
bool SuppliesStorable(const Problem& p, const Assignment& a, const Selection& sel,
                      const std::vector<double>& shares) {
  if (!a.extraSupply) return true;
  for (std::size_t i = 0; i < sel.nodes.size(); ++i)
    for (int L = FirstLayer(a); L <= LastLayer(p, a); ++L)
      if (!IsStorable(p.layers[sel.nodes[i]].Q[L] + *a.extraSupply * shares[i])) return false;
  return true;
}

}  // namespace

bool Assignment::Empty() const {
  return !givenHead && !headAlong && !givenSupply && !head && !bottom && !top && !topOpen &&
         !extraSupply && !soil;
}

std::string CheckAssignment(const Problem& p, const SelectionShape& shape, const Assignment& a) {
  if (a.layer != Assignment::kAllLayers && (a.layer < 0 || a.layer >= p.NL))
    return "The layer must be 1.." + std::to_string(p.NL) + " or all.";
  if (a.Empty()) return "Nothing to assign.";
  if ((a.givenHead ? 1 : 0) + (a.headAlong ? 1 : 0) + (a.head ? 1 : 0) > 1)
    return "Give one head only.";
  if (a.givenSupply && (a.givenHead || a.headAlong))
    return "A node has either a given head or a given supply.";
  if (a.headAlong && shape.kind != ShapeKind::Polyline) return "A head along a line needs a line.";
  const bool finite =
      Storable(a.givenHead) && Storable(a.head) && Storable(a.bottom) && Storable(a.top) &&
      Storable(a.extraSupply) &&
      (!a.headAlong || (IsStorable(a.headAlong->from) && IsStorable(a.headAlong->to)));
  if (!finite) return "A value is not a finite number within 1e12.";
  if (a.soil && (*a.soil < 1 || *a.soil > p.NB))
    return "The soil must be 1.." + std::to_string(p.NB) + ".";
  return {};
}

std::vector<double> SupplyShares(const Problem& p, const SelectionShape& shape,
                                 const Selection& selection) {
  if (shape.kind == ShapeKind::Polyline) return LineShares(p, shape.points, selection.nodes);
  return AreaShares(p, selection);
}

AssignOutcome AssignSelection(Problem& p, const SelectionShape& shape, const Selection& sel,
                              const Assignment& a) {
  AssignOutcome out;
  out.nodesSelected = static_cast<int>(sel.nodes.size());
  out.elementsSelected = static_cast<int>(sel.elements.size());
  out.message = CheckShape(p, shape);
  if (out.message.empty()) out.message = CheckAssignment(p, shape, a);
  if (!out.message.empty()) return out;
  const std::vector<double> shares =
      a.extraSupply ? SupplyShares(p, shape, sel) : std::vector<double>(sel.nodes.size(), 0.0);
  if (!SuppliesStorable(p, a, sel, shares)) {
    out.message = kValueTooLargeMessage;
    return out;
  }
  for (std::size_t i = 0; i < sel.nodes.size(); ++i) {
    const int n = sel.nodes[i];
    const Node node = p.nodes[n];
    const NodeLayers layers = p.layers[n];
    const std::optional<double> head = HeadOf(p, shape, a, n);
    for (int L = FirstLayer(a); L <= LastLayer(p, a); ++L) AssignLayer(p, a, n, L, head, shares[i]);
    if (a.topOpen) StoreNodesSwitch(p, kNodeCO, n, 0, *a.topOpen);
    if (!SameNode(node, layers, p.nodes[n], p.layers[n])) ++out.nodesChanged;
  }
  if (a.soil)
    for (int e : sel.elements) {
      const int before = p.elements[e].Block;
      StoreElementsValue(p, kElementSoil, e, *a.soil);
      if (p.elements[e].Block != before) ++out.elementsChanged;
    }
  return out;
}

}  // namespace planaq
