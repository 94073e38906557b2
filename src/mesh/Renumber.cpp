#include "mesh/Renumber.h"

#include <new>

namespace planaq {

namespace {

// A key with the index it carries, side by side so that a move touches one place in memory.
struct Entry {
  double key;
  int carry;
};

// The heapsort on entries counted from 1 (ra[1..n]).
void HeapSortEntries(Entry* ra, int n) {
  int l = n / 2 + 1;
  int ir = n;
  for (;;) {
    Entry k;
    if (l > 1) {
      k = ra[--l];
    } else {
      k = ra[ir];
      ra[ir] = ra[1];
      if (--ir == 1) {
        ra[1] = k;
        return;
      }
    }
    int i = l;
    int j = l + l;
    while (j <= ir) {
      if (j < ir && ra[j].key < ra[j + 1].key) ++j;
      if (k.key < ra[j].key) {
        ra[i] = ra[j];
        i = j;
        j += j;
      } else {
        break;
      }
    }
    ra[i] = k;
  }
}

}  // namespace

void HeapSort(double* key, int* carry, int n) {
  if (n < 2) return;
  std::vector<Entry> entries(static_cast<std::size_t>(n) + 1);
  for (int i = 0; i < n; ++i) entries[i + 1] = {key[i], carry[i]};
  HeapSortEntries(entries.data(), n);
  for (int i = 0; i < n; ++i) {
    key[i] = entries[i + 1].key;
    carry[i] = entries[i + 1].carry;
  }
}

namespace {

// new node j takes everything of old node order[j] except the solver's work fields
void MoveNodes(Problem& p, const std::vector<int>& order) {
  const int NN = p.NN;
  std::vector<Node> nodes(p.nodes.begin(), p.nodes.begin() + NN);
  std::vector<NodeLayers> layers(p.layers.begin(), p.layers.begin() + NN);
  for (int j = p.NA; j < NN; ++j) {
    const int old = order[j];
    p.nodes[j].X = nodes[old].X;
    p.nodes[j].Y = nodes[old].Y;
    p.nodes[j].Type = nodes[old].Type;
    p.layers[j].B = layers[old].B;
    p.layers[j].T = layers[old].T;
    p.layers[j].F = layers[old].F;
    p.layers[j].Q = layers[old].Q;
  }
}

int Remapped(const std::vector<int>& newNumber, int n) {
  // a reference outside the nodes cannot be remapped; it is left as it is
  return n >= 0 && n < static_cast<int>(newNumber.size()) ? newNumber[n] : n;
}

}  // namespace

bool RenumberNodes(Problem& p) {
  const int NN = p.NN;
  const int NA = p.NA;
  if (NN - NA < 2 || NA < 0) return true;
  std::vector<double> key;
  std::vector<int> order, newNumber;
  try {
    key.resize(NN);
    order.resize(NN);
    newNumber.resize(NN);
  } catch (const std::bad_alloc&) {
    return false;
  }
  for (int i = 0; i < NN; ++i) {
    key[i] = NodeSortKey(p.nodes[i]);
    order[i] = i;
  }
  try {
    HeapSort(key.data() + NA, order.data() + NA, NN - NA);
    for (int j = 0; j < NN; ++j) newNumber[order[j]] = j;
    MoveNodes(p, order);
  } catch (const std::bad_alloc&) {
    return false;
  }
  for (int w = 0; w < p.NW; ++w) p.wells[w].Node = Remapped(newNumber, p.wells[w].Node);
  for (int e = 0; e < p.NM; ++e)
    for (int& n : p.elements[e].Node) n = Remapped(newNumber, n);
  return true;
}

bool RenumberElements(Problem& p) {
  const int NM = p.NM;
  if (NM < 2) return true;
  std::vector<double> key;
  std::vector<int> order;
  std::vector<Element> elements;
  try {
    key.resize(NM);
    order.resize(NM);
    elements.assign(p.elements.begin(), p.elements.begin() + NM);
  } catch (const std::bad_alloc&) {
    return false;
  }
  auto nodeKey = [&](int n) { return n >= 0 && n < p.NN ? NodeSortKey(p.nodes[n]) : 0.0; };
  for (int e = 0; e < NM; ++e) {
    const Element& el = elements[e];
    double k = nodeKey(el.Node[0]);
    for (int c = 1; c < 3; ++c) {
      const double kc = nodeKey(el.Node[c]);
      if (kc < k) k = kc;
    }
    key[e] = k;
    order[e] = e;
  }
  try {
    HeapSort(key.data(), order.data(), NM);
  } catch (const std::bad_alloc&) {
    return false;
  }
  for (int j = 0; j < NM; ++j) p.elements[j] = elements[order[j]];
  return true;
}

}  // namespace planaq
