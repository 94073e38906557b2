#include "mesh/Blocks.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "files/Tokens.h"
#include "mesh/MeshMessages.h"

namespace planaq {

namespace {

int BlockLimit(const Problem& p) {
  return static_cast<int>(std::min(
      {static_cast<std::size_t>(std::max(p.caps.BMAX, 0)), p.blocks.size(), p.soils.size()}));
}
int ElementLimit(const Problem& p) {
  return static_cast<int>(
      std::min(static_cast<std::size_t>(std::max(p.caps.MMAX, 0)), p.elements.size()));
}
int NodeLimit(const Problem& p) {
  return static_cast<int>(std::min(
      {static_cast<std::size_t>(std::max(p.caps.NMAX, 0)), p.nodes.size(), p.layers.size()}));
}

double Diagonal(const Problem& p) { return std::sqrt(p.LX * p.LX + p.LY * p.LY); }

// the point-in-element test applied to a block's corners
bool BlockContains(const Problem& p, const Block& b, double x, double y) {
  const double x1 = p.nodes[b.Node[0]].X, y1 = p.nodes[b.Node[0]].Y;
  const double x2 = p.nodes[b.Node[1]].X, y2 = p.nodes[b.Node[1]].Y;
  const double x3 = p.nodes[b.Node[2]].X, y3 = p.nodes[b.Node[2]].Y;
  const double A = (y - y1) * (x2 - x1) + (x - x1) * (y1 - y2);
  const double B = (y - y2) * (x3 - x2) + (x - x2) * (y2 - y3);
  const double C = (y - y3) * (x1 - x3) + (x - x3) * (y3 - y1);
  return !(A * B < -1e-12 || B * C < -1e-12 || C * A < -1e-12);
}

void AppendBlock(Problem& p, int a, int b, int c) {
  const int nb = p.NB;
  p.blocks[nb].Node = {a, b, c};
  p.blocks[nb].Soil = nb;  // each block has its own soil entry
  p.elements[nb].Node = {a, b, c};
  p.elements[nb].Block = nb;
  p.NB = nb + 1;
  p.NM = p.NB;
}

// the two corners that follow n in the block's cyclic order, or false if n is no corner
bool OtherCorners(const Block& b, int n, int& first, int& second) {
  for (int c = 0; c < 3; ++c)
    if (b.Node[c] == n) {
      first = b.Node[(c + 1) % 3];
      second = b.Node[(c + 2) % 3];
      return true;
    }
  return false;
}

int CommonNeighbour(const Problem& p, int s, int t) {
  int third = -1;
  for (int i = 0; i < p.NB; ++i) {
    int a1, a2;
    if (!OtherCorners(p.blocks[i], s, a1, a2)) continue;
    for (int j = 0; j < p.NB; ++j) {
      int b1, b2;
      if (!OtherCorners(p.blocks[j], t, b1, b2)) continue;
      if (a1 == b1 || a1 == b2) third = a1;
      if (a2 == b1 || a2 == b2) third = a2;
    }
  }
  return third;
}

}  // namespace

double ClampTo(double value, double limit) {
  if (value < 0) return 0;
  if (value > limit) return limit;
  return value;
}

void ResetMeshToBlocks(Problem& p) {
  const int NB = std::min(p.NB, ElementLimit(p));
  p.NN = p.NA;
  p.NM = NB;
  p.previous.NN = p.NA;
  p.previous.NM = NB;
  p.previous.NA = p.NA;
  p.previous.NB = NB;
  p.NW = 0;
  for (int i = 0; i < NB; ++i) {
    p.elements[i].Node = p.blocks[i].Node;
    p.elements[i].Block = p.blocks[i].Soil;
  }
}

int PickMainNode(const Problem& p, double x, double y) {
  int nearest = -1;
  double best = 0;
  for (int i = 0; i < p.NA; ++i) {
    const double dx = p.nodes[i].X - x, dy = p.nodes[i].Y - y;
    const double d = std::sqrt(dx * dx + dy * dy);
    if (nearest < 0 || d < best) {
      nearest = i;
      best = d;
    }
  }
  return nearest >= 0 && best < 0.01 * Diagonal(p) ? nearest : -1;
}

void MoveMainNode(Problem& p, int n, double x, double y) {
  if (n < 0 || n >= p.NA) return;
  p.nodes[n].X = ClampTo(x, p.LX);
  p.nodes[n].Y = ClampTo(y, p.LY);
}

void PlacePendingMainNode(Problem& p, double x, double y) {
  const int n = p.NA;
  if (n < 0 || n >= NodeLimit(p) || p.NA < 1) return;
  p.nodes[n].X = ClampTo(x, p.LX);
  p.nodes[n].Y = ClampTo(y, p.LY);
  p.nodes[n].Type = 0;
  p.layers[n].B = p.layers[0].B;
  p.layers[n].T = p.layers[0].T;
  p.layers[n].F = p.layers[0].F;
  p.layers[n].Q = p.layers[0].Q;
}

MeshOutcome AddMainNodeAndBlock(Problem& p, double x, double y) {
  // the tables hold one more node and one more block (the element table as well)
  if (p.NB > p.caps.BMAX - 2 || p.NA > p.caps.NMAX - 1 || p.NB >= BlockLimit(p) ||
      p.NB >= ElementLimit(p) || p.NA >= NodeLimit(p))
    return {MeshStatus::CapacityExceeded, messages::NewNodeCapacity()};
  x = ClampTo(x, p.LX);
  y = ClampTo(y, p.LY);
  for (int i = 0; i < p.NB; ++i)
    if (BlockContains(p, p.blocks[i], x, y))
      return {MeshStatus::NodeInsideBlock, messages::NodeInsideBlock()};
  const int n = p.NA;
  const double nx = p.nodes[n].X, ny = p.nodes[n].Y;
  double best = Diagonal(p);
  int a = -1, b = -1;
  for (int i = 0; i < p.NB; ++i)
    for (int s = 0; s < 3; ++s) {
      const int s1 = p.blocks[i].Node[s], s2 = p.blocks[i].Node[(s + 1) % 3];
      const double mx = (p.nodes[s1].X + p.nodes[s2].X) * 0.5 - nx;
      const double my = (p.nodes[s1].Y + p.nodes[s2].Y) * 0.5 - ny;
      const double d = std::sqrt(mx * mx + my * my);
      if (d < best) {
        best = d;
        a = s1;
        b = s2;
      }
    }
  if (a < 0) return {MeshStatus::NothingDone, ""};  // no block side to connect to
  AppendBlock(p, a, b, n);
  p.NA = n + 1;
  p.NN = p.NA;
  return {};
}

MeshOutcome AddBlockByLine(Problem& p, int s, int t) {
  if (p.NB > p.caps.BMAX - 1 || p.NB >= BlockLimit(p) || p.NB >= ElementLimit(p))
    return {MeshStatus::CapacityExceeded, messages::NewLineCapacity()};
  if (s < 0 || t < 0 || s == t || s >= p.NA || t >= p.NA) return {MeshStatus::NothingDone, ""};
  const int third = CommonNeighbour(p, s, t);
  if (third < 0) return {MeshStatus::NoTriangle, messages::NoTriangle()};
  AppendBlock(p, s, t, third);
  return {};
}

double ReadCoordinateField(const std::string& text, double limit) {
  return ClampTo(LeadingReal(text), limit);
}

std::string FormatCoordinate(double value) {
  char text[64];
  std::snprintf(text, sizeof text, "%10.3f", value);
  return text;
}

}  // namespace planaq
