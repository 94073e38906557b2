#include "mesh/EditSnapshot.h"

#include <algorithm>

namespace planaq {

namespace {

// the first count entries of a table, held to its size
template <class Table>
auto Used(const Table& table, int count) {
  const auto n = static_cast<std::size_t>(std::clamp<long long>(count, 0, table.size()));
  return std::vector<typename Table::value_type>(table.begin(), table.begin() + n);
}

template <class Table, class Copy>
void PutBack(Table& table, const Copy& copy) {
  std::copy(copy.begin(), copy.begin() + std::min(copy.size(), table.size()), table.begin());
}

}  // namespace

EditSnapshot TakeEditSnapshot(const Problem& p) {
  EditSnapshot s;
  s.NA = p.NA;
  s.NB = p.NB;
  s.NN = p.NN;
  s.NM = p.NM;
  s.NW = p.NW;
  s.previous = p.previous;
  // the main nodes and the blocks are within NN and NM whenever the mesh is consistent; a
  // block editor's table may hold more main nodes than nodes for a moment
  s.nodes = Used(p.nodes, std::max(p.NN, p.NA));
  s.layers = Used(p.layers, std::max(p.NN, p.NA));
  s.elements = Used(p.elements, p.NM);
  s.blocks = Used(p.blocks, p.NB);
  s.wells = Used(p.wells, p.NW);
  return s;
}

void RestoreEditSnapshot(Problem& p, const EditSnapshot& s) {
  PutBack(p.nodes, s.nodes);
  PutBack(p.layers, s.layers);
  PutBack(p.elements, s.elements);
  PutBack(p.blocks, s.blocks);
  PutBack(p.wells, s.wells);
  p.NA = s.NA;
  p.NB = s.NB;
  p.NN = s.NN;
  p.NM = s.NM;
  p.NW = s.NW;
  p.previous = s.previous;
}

void EditUndo::Keep(bool changed) {
  if (changed && pending_) {
    level_ = std::move(pending_);
    ++kept_;
  }
  pending_.reset();
}

bool EditUndo::Undo(Problem& problem) {
  if (!level_) return false;
  RestoreEditSnapshot(problem, *level_);
  level_.reset();
  return true;
}

void EditUndo::Clear() {
  pending_.reset();
  level_.reset();
}

}  // namespace planaq
