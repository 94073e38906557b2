#pragma once
// The small steps every mesh operation is made of: new nodes by the new-node rule, elements
// changed and appended, all within the capacities, with the searches told of every change.
// An operation that might not fit keeps a copy of the elements it started with, so that it can
// be undone and refused as if it had been refused beforehand.

#include <vector>

#include "mesh/MeshSearch.h"
#include "model/Problem.h"

namespace planaq {

class MeshEdit {
 public:
  MeshEdit(Problem& p, NodeSearch* nodes, SideSearch* sides);

  // room for this many more nodes and elements within NMAX, MMAX and the tables
  bool CanAdd(long long nodes, long long elements) const;
  int NodeLimit() const;
  int ElementLimit() const;

  // node m gets the midpoint of a and b: coordinates, Type_a AND Type_b, B, T and F averaged
  // and Q = 0 in every layer
  void WriteMidpoint(int m, int a, int b);
  // a new node NN at the midpoint of a and b
  int NewMidpoint(int a, int b);
  void SetElement(int e, int n1, int n2, int n3);
  int AppendElement(int n1, int n2, int n3, int block);

  // keeps nodes 0..NN-1 and elements 0..NM-1 restorable: an operation writes only beyond NN
  // and to the elements, so the counts and a copy of the elements undo it
  void Checkpoint();
  void Rollback();

 private:
  Problem& p_;
  NodeSearch* nodes_;
  SideSearch* sides_;
  std::vector<Element> saved_;
  int savedNN_ = 0, savedNM_ = 0, savedNW_ = 0;
  bool checkpointed_ = false;
};

// The corner of an element that is neither a nor b (the first in corner order); -1 if every
// corner is a or b, as in an element of no area.
int ThirdNode(const Element& el, int a, int b);

}  // namespace planaq
