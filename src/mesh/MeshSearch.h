#pragma once
// The two searches of the refinements: a node made by the same operation near a point, and
// the element that holds a side. The free functions are the plain scans that define the
// results; the search objects give the same results, the indexed ones without scanning.

#include <array>

#include "model/Problem.h"

namespace planaq {

// The node among first..end-1 with the smallest Manhattan distance to (x, y) strictly below
// eps, the lowest number of equal distances; -1 if none.
int FindNodeNear(const Problem& p, double x, double y, double eps, int first, int end);

// The first element in first..end-1 other than skip with at least two of its three node
// numbers equal to a or b, and with area (Problem::HasArea); -1 if none. An element without
// area is never a neighbour: one with a repeated corner would hold any side at that corner.
int FindElementWithSide(const Problem& p, int a, int b, int skip, int first, int end);

// Nodes made by one operation: told of every node as soon as it is placed or moved.
class NodeSearch {
 public:
  virtual ~NodeSearch() = default;
  virtual int Near(double x, double y) = 0;
  virtual void Placed(int node) = 0;
};

// Elements 0..NM-1: told of every element before and after it changes.
class SideSearch {
 public:
  virtual ~SideSearch() = default;
  virtual int WithSide(int a, int b, int skip) = 0;
  // element e is about to get new corners
  virtual void Leaving(int e) = 0;
  // element e has its (new) corners; also for an appended element
  virtual void Entered(int e) = 0;
};

class ScanNodeSearch : public NodeSearch {
 public:
  ScanNodeSearch(const Problem& p, double eps, int first) : p_(p), eps_(eps), first_(first) {}
  int Near(double x, double y) override { return FindNodeNear(p_, x, y, eps_, first_, p_.NN); }
  void Placed(int) override {}

 private:
  const Problem& p_;
  double eps_;
  int first_;
};

class ScanSideSearch : public SideSearch {
 public:
  explicit ScanSideSearch(const Problem& p) : p_(p) {}
  int WithSide(int a, int b, int skip) override {
    return FindElementWithSide(p_, a, b, skip, 0, p_.NM);
  }
  void Leaving(int) override {}
  void Entered(int) override {}

 private:
  const Problem& p_;
};

// at least two of the corners of el are a or b
inline bool HoldsSide(const Element& el, int a, int b) {
  int count = 0;
  for (int n : el.Node) count += (n == a || n == b) ? 1 : 0;
  return count >= 2;
}

}  // namespace planaq
