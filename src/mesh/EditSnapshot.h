#pragma once
// Undo of the mesh window and the block editor: a copy of the used part of the tables (nodes
// 0..NN-1 with their layer values, elements 0..NM-1, blocks 0..NB-1, wells 0..NW-1) and the
// counts, so that it costs memory in proportion to the problem, never to the capacities.

#include <optional>
#include <vector>

#include "model/Problem.h"

namespace planaq {

struct EditSnapshot {
  int NA = 0, NB = 0, NN = 0, NM = 0, NW = 0;
  PreviousCounts previous;
  std::vector<Node> nodes;
  std::vector<NodeLayers> layers;
  std::vector<Element> elements;
  std::vector<Block> blocks;
  std::vector<Well> wells;
};

EditSnapshot TakeEditSnapshot(const Problem& problem);
// Puts the tables and counts back as they were when the snapshot was taken. The rest of the
// tables (beyond the counts) may differ; no datafile or drawing reads them.
void RestoreEditSnapshot(Problem& problem, const EditSnapshot& snapshot);

// One level of undo: Remember before an edit, Keep after it when the edit changed the problem.
class EditUndo {
 public:
  void Remember(const Problem& problem) { pending_ = TakeEditSnapshot(problem); }
  // the remembered state becomes the one Undo returns to; a refused edit changes nothing
  void Keep(bool changed);
  bool CanUndo() const { return level_.has_value(); }
  // back to the state before the last kept edit; false when there is none
  bool Undo(Problem& problem);
  void Clear();
  // counts the kept edits, so a caller can tell which edit Undo would take back
  unsigned long Kept() const { return kept_; }

 private:
  unsigned long kept_ = 0;
  std::optional<EditSnapshot> pending_;
  std::optional<EditSnapshot> level_;
};

}  // namespace planaq
