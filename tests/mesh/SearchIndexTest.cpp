#include <gtest/gtest.h>

#include <random>

#include "MeshFixture.h"
#include "mesh/ElementsByNode.h"
#include "mesh/MeshSearch.h"
#include "mesh/NodeHash.h"
#include "mesh/Split.h"
#include "mesh/Wells.h"

namespace planaq {
namespace {

// Random nodes on a coarse lattice of a tenth of eps, so that many are coincident or exactly
// eps apart, and some far away.
class NodeHashAgainstScan : public ::testing::TestWithParam<int> {};

TEST_P(NodeHashAgainstScan, SameNodeForEveryQuery) {
  std::mt19937 rng(GetParam());
  const double eps = 0.5;
  Problem p;
  p.StartUp(Capacities{});
  const int first = 5;
  p.NN = first;
  NodeHash hash(p, eps, first, 4);  // small start, so that it grows
  std::uniform_int_distribution<int> lattice(-40, 40);
  std::uniform_int_distribution<int> pick(0, 99);
  auto lat = [&] { return lattice(rng) * eps / 10; };
  int found = 0, queries = 0;
  for (int step = 0; step < 600; ++step) {
    const int what = pick(rng);
    if (what < 40 && p.NN < 400) {
      Node& n = p.nodes[p.NN];
      n.X = lat();
      n.Y = lat();
      if (what < 2) n.X = 1e20;  // beyond the grid
      hash.Placed(p.NN++);
    } else if (what < 55 && p.NN > first) {
      const int n = first + pick(rng) % (p.NN - first);
      p.nodes[n].X = lat();
      p.nodes[n].Y = lat();
      hash.Placed(n);
    } else {
      double x = lat() + (pick(rng) % 3) * 1e-12, y = lat();
      if (what > 97) x = 1e20;
      const int expected = FindNodeNear(p, x, y, eps, first, p.NN);
      ASSERT_EQ(hash.Near(x, y), expected) << "at (" << x << ", " << y << ") after step " << step;
      found += expected >= 0 ? 1 : 0;
      ++queries;
    }
  }
  // both answers occur, so the comparison is not between two empty searches
  EXPECT_GT(found, 0);
  EXPECT_LT(found, queries);
}

INSTANTIATE_TEST_SUITE_P(Seeds, NodeHashAgainstScan, ::testing::Range(1, 13));

// Random elements on few nodes of a small lattice: repeated corners and corners on one line (no
// area, never found), duplicate elements, changes and appends as a refinement makes them.
class ElementsByNodeAgainstScan : public ::testing::TestWithParam<int> {};

TEST_P(ElementsByNodeAgainstScan, SameElementForEveryQuery) {
  std::mt19937 rng(GetParam());
  const int nodes = 2 + 3 * GetParam();
  std::uniform_int_distribution<int> node(0, nodes - 1);
  std::uniform_int_distribution<int> pick(0, 99);
  Problem p;
  p.StartUp(Capacities{});
  p.NN = nodes;
  std::uniform_int_distribution<int> lattice(0, 3);
  for (int n = 0; n < nodes; ++n) p.nodes[n] = {lattice(rng) * 10.0, lattice(rng) * 10.0};
  p.NM = 20;
  for (int e = 0; e < p.NM; ++e) p.elements[e].Node = {node(rng), node(rng), node(rng)};
  ElementsByNode index(p);
  int found = 0, queries = 0;
  for (int step = 0; step < 800; ++step) {
    const int what = pick(rng);
    if (what < 20) {
      const int e = pick(rng) % p.NM;
      index.Leaving(e);
      p.elements[e].Node = {node(rng), node(rng), node(rng)};
      index.Entered(e);
    } else if (what < 30 && p.NM < 300) {
      p.elements[p.NM].Node = {node(rng), node(rng), node(rng)};
      index.Entered(p.NM++);
    } else {
      const int a = node(rng), b = what < 40 ? a : node(rng);
      const int skip = pick(rng) % 3 == 0 ? -1 : pick(rng) % p.NM;
      const int expected = FindElementWithSide(p, a, b, skip, 0, p.NM);
      ASSERT_EQ(index.WithSide(a, b, skip), expected)
          << "side " << a << "-" << b << " skipping " << skip << " after step " << step;
      found += expected >= 0 ? 1 : 0;
      ++queries;
    }
  }
  EXPECT_GT(found, 0);
  if (nodes > 12) {
    EXPECT_LT(found, queries);  // on few nodes every side is somewhere
  }
}

INSTANTIATE_TEST_SUITE_P(Seeds, ElementsByNodeAgainstScan, ::testing::Range(1, 13));

// A random mesh of a square grid, with some nodes made coincident and some elements with a
// repeated corner.
Problem RandomMesh(int seed) {
  std::mt19937 rng(seed);
  const int k = 3 + seed % 4;
  std::vector<test::XY> xy;
  for (int j = 0; j <= k; ++j)
    for (int i = 0; i <= k; ++i) xy.push_back({i * 100.0, j * 60.0});
  std::vector<std::array<int, 3>> elems;
  std::uniform_int_distribution<int> pick(0, 99);
  for (int j = 0; j < k; ++j)
    for (int i = 0; i < k; ++i) {
      const int a = j * (k + 1) + i, b = a + 1, c = a + k + 1, d = c + 1;
      if (pick(rng) < 50) {
        elems.push_back({a, b, d});
        elems.push_back({a, d, c});
      } else {
        elems.push_back({a, b, c});
        elems.push_back({b, d, c});
      }
    }
  for (int n = 0; n < 3; ++n) xy[pick(rng) % xy.size()] = xy[pick(rng) % xy.size()];
  for (int n = 0; n < 2; ++n) {
    auto& el = elems[pick(rng) % elems.size()];
    el[2] = el[0];
  }
  Problem p = test::MakeMesh(xy, elems, static_cast<int>(xy.size()) / 2);
  for (int i = 0; i < p.NN; ++i) p.nodes[i].Type = pick(rng) % 8;
  return p;
}

void ExpectSameMesh(const Problem& a, const Problem& b) {
  ASSERT_EQ(a.NN, b.NN);
  ASSERT_EQ(a.NM, b.NM);
  ASSERT_EQ(a.NW, b.NW);
  for (int i = 0; i < a.NN; ++i) {
    ASSERT_EQ(a.nodes[i].X, b.nodes[i].X) << "node " << i;
    ASSERT_EQ(a.nodes[i].Y, b.nodes[i].Y) << "node " << i;
    ASSERT_EQ(a.nodes[i].Type, b.nodes[i].Type) << "node " << i;
    ASSERT_EQ(a.layers[i].F, b.layers[i].F) << "node " << i;
  }
  for (int e = 0; e < a.NM; ++e) {
    ASSERT_EQ(a.elements[e].Node, b.elements[e].Node) << "element " << e;
    ASSERT_EQ(a.elements[e].Block, b.elements[e].Block) << "element " << e;
  }
  for (int w = 0; w < a.NW; ++w) ASSERT_EQ(a.wells[w].Node, b.wells[w].Node);
}

class RefinementIndexedAgainstScan : public ::testing::TestWithParam<int> {};

TEST_P(RefinementIndexedAgainstScan, SameMeshAfterEveryOperation) {
  Problem indexed = RandomMesh(GetParam());
  Problem scanned = indexed;
  std::mt19937 rng(GetParam());
  std::uniform_real_distribution<double> where(0, 300);
  for (int step = 0; step < 4; ++step) {
    const int op = (GetParam() + step) % 3;
    if (op == 0) {
      SplitElements4(indexed, {}, SearchKind::Indexed);
      SplitElements4(scanned, {}, SearchKind::Scan);
    } else if (op == 1) {
      SplitElements2(indexed, {}, SearchKind::Indexed);
      SplitElements2(scanned, {}, SearchKind::Scan);
    } else {
      const double x = where(rng), y = where(rng) * 0.5;
      AddWellAt(indexed, x, y);
      AddWellAt(scanned, x, y);
    }
    ExpectSameMesh(indexed, scanned);
  }
}

INSTANTIATE_TEST_SUITE_P(Seeds, RefinementIndexedAgainstScan, ::testing::Range(1, 17));

}  // namespace
}  // namespace planaq
