#include "mesh/MeshEdit.h"

#include <algorithm>

namespace planaq {

MeshEdit::MeshEdit(Problem& p, NodeSearch* nodes, SideSearch* sides)
    : p_(p), nodes_(nodes), sides_(sides) {}

int MeshEdit::NodeLimit() const {
  return static_cast<int>(std::min<long long>(
      p_.caps.NMAX, static_cast<long long>(std::min(p_.nodes.size(), p_.layers.size()))));
}

int MeshEdit::ElementLimit() const {
  return static_cast<int>(
      std::min<long long>(p_.caps.MMAX, static_cast<long long>(p_.elements.size())));
}

bool MeshEdit::CanAdd(long long nodes, long long elements) const {
  return p_.NN + nodes <= NodeLimit() && p_.NM + elements <= ElementLimit();
}

void MeshEdit::WriteMidpoint(int m, int a, int b) {
  Node& node = p_.nodes[m];
  const Node& na = p_.nodes[a];
  const Node& nb = p_.nodes[b];
  node.X = (na.X + nb.X) * 0.5;
  node.Y = (na.Y + nb.Y) * 0.5;
  node.Type = na.Type & nb.Type;
  NodeLayers& lm = p_.layers[m];
  const NodeLayers& la = p_.layers[a];
  const NodeLayers& lb = p_.layers[b];
  for (int L = 0; L < kMaxLayers; ++L) {
    lm.B[L] = (la.B[L] + lb.B[L]) * 0.5;
    lm.T[L] = (la.T[L] + lb.T[L]) * 0.5;
    lm.F[L] = (la.F[L] + lb.F[L]) * 0.5;
    lm.Q[L] = 0.0;
  }
  if (nodes_) nodes_->Placed(m);
}

int MeshEdit::NewMidpoint(int a, int b) {
  const int m = p_.NN++;
  WriteMidpoint(m, a, b);
  return m;
}

void MeshEdit::SetElement(int e, int n1, int n2, int n3) {
  if (sides_) sides_->Leaving(e);
  p_.elements[e].Node = {n1, n2, n3};
  if (sides_) sides_->Entered(e);
}

int MeshEdit::AppendElement(int n1, int n2, int n3, int block) {
  const int e = p_.NM++;
  p_.elements[e].Node = {n1, n2, n3};
  p_.elements[e].Block = block;
  if (sides_) sides_->Entered(e);
  return e;
}

void MeshEdit::Checkpoint() {
  saved_.assign(p_.elements.begin(), p_.elements.begin() + p_.NM);
  savedNN_ = p_.NN;
  savedNM_ = p_.NM;
  savedNW_ = p_.NW;
  checkpointed_ = true;
}

void MeshEdit::Rollback() {
  if (!checkpointed_) return;  // nothing was written that a checkpoint should have kept
  std::copy(saved_.begin(), saved_.end(), p_.elements.begin());
  p_.NN = savedNN_;
  p_.NM = savedNM_;
  p_.NW = savedNW_;
}

int ThirdNode(const Element& el, int a, int b) {
  for (int n : el.Node)
    if (n != a && n != b) return n;
  return -1;
}

}  // namespace planaq
