#include "solver/Pattern.h"

namespace planaq {

const char* const kPatternCapacityMessage =
    "Capacity exceeded\n\n"
    "The number of nodes in the problem is too large to generate the matrix.\n\n"
    "The capacity of the program can be increased by increasing the values of "
    "NMAX and MMAX in the Installation Grid of the main window.";

namespace {

// The elements of every node in increasing element number: the visits of the element scan
// from the node's lowest element on, without scanning the elements that miss the node.
struct NodeElements {
  std::vector<int> start;
  std::vector<int> element;
};

NodeElements ListNodeElements(const Problem& problem) {
  NodeElements list;
  list.start.assign(problem.NN + 1, 0);
  for (int e = 0; e < problem.NM; ++e) {
    if (!problem.HasValidBlock(e)) continue;
    for (int n : problem.elements[e].Node) ++list.start[n + 1];
  }
  for (int i = 0; i < problem.NN; ++i) list.start[i + 1] += list.start[i];
  list.element.resize(list.start[problem.NN]);
  std::vector<int> fill(list.start.begin(), list.start.end() - 1);
  for (int e = 0; e < problem.NM; ++e) {
    if (!problem.HasValidBlock(e)) continue;
    // a node listed twice by one element is visited once for it
    const auto& nd = problem.elements[e].Node;
    for (int a = 0; a < 3; ++a) {
      bool repeated = false;
      for (int b = 0; b < a; ++b) repeated = repeated || nd[b] == nd[a];
      if (!repeated) list.element[fill[nd[a]]++] = e;
    }
  }
  return list;
}

}  // namespace

int BuildPattern(Problem& problem, SparseSystem& system) {
  const int NN = problem.NN;
  system.NN = NN;
  system.NL = problem.NL;
  system.capacity = 5LL * problem.caps.NMAX;
  system.column.clear();
  system.column.reserve(static_cast<std::size_t>(NN) * 5);
  system.rowStart.assign(NN + 1, 0);
  const NodeElements list = ListNodeElements(problem);
  std::vector<int> inRow(NN, -1);  // inRow[k] == i: k is already in the row of i
  for (int i = 0; i < NN; ++i) {
    const int j = static_cast<int>(system.column.size());
    system.rowStart[i] = j;
    system.column.push_back(-i);
    for (int v = list.start[i]; v < list.start[i + 1]; ++v) {
      for (int k : problem.elements[list.element[v]].Node) {
        if (k > i && inRow[k] != i) {
          inRow[k] = i;
          system.column.push_back(k);
        }
      }
    }
    if (static_cast<long long>(system.column.size()) > system.capacity) {
      system.column.clear();
      system.NZ = 0;
      return -1;
    }
  }
  system.NZ = static_cast<int>(system.column.size());
  system.rowStart[NN] = system.NZ;
  for (int i = 0; i < NN; ++i) problem.nodes[i].RowStart = system.rowStart[i];
  problem.NZ = system.NZ;
  return system.NZ;
}

int FindPosition(const SparseSystem& system, int i, int k) {
  const int start = system.rowStart[i];
  if (k == i) return start;
  if (k < i) return -1;
  const int end = system.RowEnd(i);
  for (int p = start + 1; p < end; ++p)
    if (system.column[p] == k) return p;
  return -1;
}

}  // namespace planaq
