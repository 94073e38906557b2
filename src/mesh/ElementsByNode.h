#pragma once
// Per node the elements that have it as a corner, kept up to date as elements change, so that
// FindElementWithSide need only look at the elements around the side's two nodes. Every
// element that holds two of a and b has a or b as a corner, and of those the lowest number
// with area is what the scan in number order finds first.

#include <vector>

#include "mesh/MeshSearch.h"

namespace planaq {

class ElementsByNode : public SideSearch {
 public:
  // indexes elements 0..NM-1 of the problem as they stand
  explicit ElementsByNode(const Problem& p);
  int WithSide(int a, int b, int skip) override;
  void Leaving(int e) override;
  void Entered(int e) override;

 private:
  std::vector<int>* ListOf(int node);
  void Lowest(int node, int a, int b, int skip, int& found) const;

  const Problem& p_;
  std::vector<std::vector<int>> around_;
};

}  // namespace planaq
