#pragma once
// Small meshes built by hand, and the checks that a refined mesh is still a sound mesh.

#include <algorithm>
#include <array>
#include <cmath>
#include <map>
#include <utility>
#include <vector>

#include "model/Problem.h"

namespace planaq::test {

struct XY {
  double x, y;
};

// A problem with the given nodes (the first NA of them main nodes) and elements, each element
// also a block when there are as many blocks as elements.
inline Problem MakeMesh(const std::vector<XY>& nodes, const std::vector<std::array<int, 3>>& elems,
                        int NA, Capacities caps = Capacities{}) {
  Problem p;
  p.StartUp(caps);
  p.NN = static_cast<int>(nodes.size());
  p.NM = static_cast<int>(elems.size());
  p.NA = NA;
  p.NB = 1;
  for (int i = 0; i < p.NN; ++i) {
    p.nodes[i].X = nodes[i].x;
    p.nodes[i].Y = nodes[i].y;
    p.nodes[i].Type = 0;
    for (int L = 0; L < kMaxLayers; ++L) {
      p.layers[i].B[L] = 10.0 * L + i;
      p.layers[i].T[L] = 10.0 * L + i + 5;
      p.layers[i].F[L] = 100.0 + 3.0 * i - L;
      p.layers[i].Q[L] = 7.0;
    }
  }
  for (int e = 0; e < p.NM; ++e) {
    p.elements[e].Node = elems[e];
    p.elements[e].Block = 0;
  }
  return p;
}

inline double ElementArea(const Problem& p, int e) {
  const auto& n = p.elements[e].Node;
  const Node &a = p.nodes[n[0]], &b = p.nodes[n[1]], &c = p.nodes[n[2]];
  return std::fabs((b.X - a.X) * (c.Y - a.Y) - (c.X - a.X) * (b.Y - a.Y)) * 0.5;
}

inline double MeshArea(const Problem& p) {
  double sum = 0;
  for (int e = 0; e < p.NM; ++e) sum += ElementArea(p, e);
  return sum;
}

// how many elements hold each side
inline std::map<std::pair<int, int>, int> SideUse(const Problem& p) {
  std::map<std::pair<int, int>, int> use;
  for (int e = 0; e < p.NM; ++e)
    for (int s = 0; s < 3; ++s) {
      int a = p.elements[e].Node[s], b = p.elements[e].Node[(s + 1) % 3];
      if (a > b) std::swap(a, b);
      ++use[{a, b}];
    }
  return use;
}

// A conforming mesh has no side in more than two elements, and its boundary (the sides held
// once) is no longer than it was: a node in the middle of a side that only one of the two
// elements knows of would count that side and its two halves as boundary.
inline double BoundaryLength(const Problem& p) {
  double len = 0;
  for (const auto& [side, count] : SideUse(p))
    if (count == 1)
      len += std::hypot(p.nodes[side.first].X - p.nodes[side.second].X,
                        p.nodes[side.first].Y - p.nodes[side.second].Y);
  return len;
}

inline int MostElementsOnOneSide(const Problem& p) {
  int most = 0;
  for (const auto& [side, count] : SideUse(p)) most = std::max(most, count);
  return most;
}

// elements as sorted corner triples with their block, independent of the element order
inline std::vector<std::array<int, 4>> ElementSet(const Problem& p) {
  std::vector<std::array<int, 4>> set;
  for (int e = 0; e < p.NM; ++e) {
    std::array<int, 3> n = p.elements[e].Node;
    std::sort(n.begin(), n.end());
    set.push_back({n[0], n[1], n[2], p.elements[e].Block});
  }
  std::sort(set.begin(), set.end());
  return set;
}

// the number of the node at (x, y), -1 if none
inline int NodeAt(const Problem& p, double x, double y) {
  for (int i = 0; i < p.NN; ++i)
    if (p.nodes[i].X == x && p.nodes[i].Y == y) return i;
  return -1;
}

}  // namespace planaq::test
