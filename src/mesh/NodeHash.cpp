#include "mesh/NodeHash.h"

#include <algorithm>
#include <cmath>

namespace planaq {

namespace {

// Cells are numbered within this many of the origin; nodes farther out are kept in a list.
constexpr double kGridLimit = 1099511627776.0;  // 2^40

// the cells that the box from lo to hi touches, held within the grid
std::int64_t CellFloor(double q) {
  return static_cast<std::int64_t>(std::floor(std::clamp(q, -kGridLimit - 1, kGridLimit + 1)));
}

std::size_t PowerOfTwoAtLeast(std::size_t n) {
  std::size_t size = 16;
  while (size < n) size <<= 1;
  return size;
}

}  // namespace

NodeHash::NodeHash(const Problem& p, double eps, int first, int expected, double x0, double y0)
    : p_(p), eps_(eps), cell_(2.0 * eps), x0_(x0), y0_(y0), first_(first) {
  const std::size_t buckets = PowerOfTwoAtLeast(static_cast<std::size_t>(std::max(expected, 1)));
  head_.assign(buckets, -1);
  mask_ = buckets - 1;
  next_.reserve(static_cast<std::size_t>(std::max(expected, 0)));
}

NodeHash::Cell NodeHash::CellOf(double x, double y) const {
  const double qx = (x - x0_) / cell_, qy = (y - y0_) / cell_;
  Cell c;
  if (!(std::fabs(qx) <= kGridLimit) || !(std::fabs(qy) <= kGridLimit)) {
    c.far = true;
    return c;
  }
  c.cx = static_cast<std::int64_t>(std::floor(qx));
  c.cy = static_cast<std::int64_t>(std::floor(qy));
  return c;
}

std::size_t NodeHash::Bucket(std::int64_t cx, std::int64_t cy) const {
  std::uint64_t h = static_cast<std::uint64_t>(cx) * 0x9E3779B97F4A7C15ULL ^
                    static_cast<std::uint64_t>(cy) * 0xC2B2AE3D27D4EB4FULL;
  h ^= h >> 29;
  h *= 0xBF58476D1CE4E5B9ULL;
  h ^= h >> 32;
  return static_cast<std::size_t>(h) & mask_;
}

void NodeHash::Link(int slot) {
  const Cell& c = cellOf_[slot];
  if (c.far) {
    far_.push_back(slot);
    return;
  }
  const std::size_t b = Bucket(c.cx, c.cy);
  next_[slot] = head_[b];
  head_[b] = slot;
}

void NodeHash::Unlink(int slot) {
  const Cell& c = cellOf_[slot];
  if (c.far) {
    far_.erase(std::find(far_.begin(), far_.end(), slot));
    return;
  }
  int* link = &head_[Bucket(c.cx, c.cy)];
  while (*link != slot) link = &next_[*link];
  *link = next_[slot];
}

void NodeHash::Grow() {
  head_.assign(head_.size() * 2, -1);
  mask_ = head_.size() - 1;
  far_.clear();
  for (int slot = 0; slot < static_cast<int>(present_.size()); ++slot)
    if (present_[slot]) Link(slot);
}

void NodeHash::Placed(int node) {
  const int slot = node - first_;
  if (slot < 0) return;
  if (slot >= static_cast<int>(present_.size())) {
    next_.resize(slot + 1, -1);
    cellOf_.resize(slot + 1);
    present_.resize(slot + 1, 0);
  }
  const Cell cell = CellOf(p_.nodes[node].X, p_.nodes[node].Y);
  if (present_[slot]) {
    Unlink(slot);
    cellOf_[slot] = cell;
    Link(slot);
    return;
  }
  present_[slot] = 1;
  cellOf_[slot] = cell;
  if (++count_ > static_cast<int>(head_.size()))
    Grow();  // links every node, this one too
  else
    Link(slot);
}

void NodeHash::Consider(int node, double x, double y, double& best, int& found) const {
  // the same distance as the scan, and of equal distances the lower number
  const double d = std::fabs(p_.nodes[node].X - x) + std::fabs(p_.nodes[node].Y - y);
  if (d < eps_ && (d < best || (d == best && node < found))) {
    best = d;
    found = node;
  }
}

int NodeHash::Near(double x, double y) {
  double best = eps_;
  int found = -1;
  if (!(eps_ > 0.0)) return -1;  // nothing is nearer than no distance
  const double qx = (x - x0_) / cell_, qy = (y - y0_) / cell_;
  if (std::isnan(qx) || std::isnan(qy)) return -1;  // nothing is near such a point
  if (std::fabs(qx) > kGridLimit - 2 || std::fabs(qy) > kGridLimit - 2)
    for (int slot : far_) Consider(slot + first_, x, y, best, found);
  // A node within eps has |X - x| < eps, so X lies strictly inside x -+ reach; rounding is
  // monotone, so (X - x0) / cell, computed as CellOf does, lies between the same expressions
  // of the rounded box ends: the box's cells, one or two each way, hold every such node.
  const double reach = 1.01 * eps_;
  const std::int64_t x0 = CellFloor((x - reach - x0_) / cell_);
  const std::int64_t x1 = CellFloor((x + reach - x0_) / cell_);
  const std::int64_t y0 = CellFloor((y - reach - y0_) / cell_);
  const std::int64_t y1 = CellFloor((y + reach - y0_) / cell_);
  for (std::int64_t cx = x0; cx <= x1; ++cx)
    for (std::int64_t cy = y0; cy <= y1; ++cy)
      for (int slot = head_[Bucket(cx, cy)]; slot >= 0; slot = next_[slot])
        Consider(slot + first_, x, y, best, found);
  return found;
}

}  // namespace planaq
