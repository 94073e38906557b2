#include "mesh/Renumber.h"

#include <new>

namespace planaq {

void HeapSort(double* key, int* carry, int n) {
  if (n < 2) return;
  // the procedure counts its entries from 1
  double* ra = key - 1;
  int* rc = carry - 1;
  int l = n / 2 + 1;
  int ir = n;
  for (;;) {
    double k;
    int c;
    if (l > 1) {
      --l;
      k = ra[l];
      c = rc[l];
    } else {
      k = ra[ir];
      c = rc[ir];
      ra[ir] = ra[1];
      rc[ir] = rc[1];
      if (--ir == 1) {
        ra[1] = k;
        rc[1] = c;
        return;
      }
    }
    int i = l;
    int j = l + l;
    while (j <= ir) {
      if (j < ir && ra[j] < ra[j + 1]) ++j;
      if (k < ra[j]) {
        ra[i] = ra[j];
        rc[i] = rc[j];
        i = j;
        j += j;
      } else {
        break;
      }
    }
    ra[i] = k;
    rc[i] = c;
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
  HeapSort(key.data() + NA, order.data() + NA, NN - NA);
  for (int j = 0; j < NN; ++j) newNumber[order[j]] = j;
  try {
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
  auto nodeKey = [&](int n) {
    return n >= 0 && n < p.NN ? NodeSortKey(p.nodes[n]) : 0.0;
  };
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
  HeapSort(key.data(), order.data(), NM);
  for (int j = 0; j < NM; ++j) p.elements[j] = elements[order[j]];
  return true;
}

}  // namespace planaq
