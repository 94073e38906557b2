#include "mesh/ElementsByNode.h"

#include <algorithm>
#include <climits>

namespace planaq {

ElementsByNode::ElementsByNode(const Problem& p) : p_(p), around_(p.NN > 0 ? p.NN : 0) {
  for (int e = 0; e < p.NM; ++e) Entered(e);
}

std::vector<int>* ElementsByNode::ListOf(int node) {
  if (node < 0) return nullptr;
  if (node >= static_cast<int>(around_.size())) around_.resize(node + 1);
  return &around_[node];
}

void ElementsByNode::Entered(int e) {
  const Element& el = p_.elements[e];
  for (int c = 0; c < 3; ++c) {
    const int n = el.Node[c];
    // a node that appears twice in the element is listed once
    if ((c > 0 && el.Node[0] == n) || (c > 1 && el.Node[1] == n)) continue;
    if (std::vector<int>* list = ListOf(n)) list->push_back(e);
  }
}

void ElementsByNode::Leaving(int e) {
  const Element& el = p_.elements[e];
  for (int c = 0; c < 3; ++c) {
    const int n = el.Node[c];
    if ((c > 0 && el.Node[0] == n) || (c > 1 && el.Node[1] == n)) continue;
    std::vector<int>* list = ListOf(n);
    if (!list) continue;
    auto it = std::find(list->begin(), list->end(), e);
    if (it != list->end()) {
      *it = list->back();
      list->pop_back();
    }
  }
}

void ElementsByNode::Lowest(int node, int a, int b, int skip, int& found) const {
  if (node < 0 || node >= static_cast<int>(around_.size())) return;
  for (int e : around_[node])
    if (e < found && e != skip && HoldsSide(p_.elements[e], a, b) && p_.HasArea(e)) found = e;
}

int ElementsByNode::WithSide(int a, int b, int skip) {
  int found = INT_MAX;
  Lowest(a, a, b, skip, found);
  if (b != a) Lowest(b, a, b, skip, found);
  return found == INT_MAX ? -1 : found;
}

}  // namespace planaq
