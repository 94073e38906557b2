#pragma once
// A spatial hash of the nodes made by one operation, so that FindNodeNear need not scan them:
// square cells of twice eps, counted from an origin near the mesh (the corner of its extent),
// so every node within eps of a point lies in the two or four cells that the point's eps-box
// touches, however far the mesh lies from (0, 0). Gives exactly what FindNodeNear gives.

#include <cstdint>
#include <vector>

#include "mesh/MeshSearch.h"

namespace planaq {

class NodeHash : public NodeSearch {
 public:
  // expected: about how many nodes the operation will make; (x0, y0): the corner of cell (0, 0)
  NodeHash(const Problem& p, double eps, int first, int expected, double x0 = 0.0, double y0 = 0.0);
  int Near(double x, double y) override;
  void Placed(int node) override;

 private:
  struct Cell {
    std::int64_t cx = 0, cy = 0;
    bool far = false;  // too far out for the grid: kept in a list that is always scanned
  };
  Cell CellOf(double x, double y) const;
  std::size_t Bucket(std::int64_t cx, std::int64_t cy) const;
  void Link(int slot);
  void Unlink(int slot);
  void Grow();
  void Consider(int node, double x, double y, double& best, int& found) const;

  const Problem& p_;
  double eps_;
  double cell_;
  double x0_, y0_;
  int first_;
  std::vector<int> head_;  // per bucket: first slot, -1 if empty
  std::vector<int> next_;  // per slot (node - first): next slot in the bucket, -1 at the end
  std::vector<Cell> cellOf_;
  std::vector<char> present_;
  std::vector<int> far_;
  std::size_t mask_ = 0;
  int count_ = 0;
};

}  // namespace planaq
