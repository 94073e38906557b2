#pragma once
// What a mesh operation leaves for the window: what happened and the exact message to show
// (empty when there is nothing to show), and the callback that carries progress texts.

#include <functional>
#include <string>

namespace planaq {

enum class MeshStatus {
  Done,              // the operation changed the mesh or the blocks
  WellAtNode,        // a well was put at an existing node
  WellInNewNode,     // a well was put at a new node inside an element
  CapacityExceeded,  // refused: the tables are too small
  NodeInsideBlock,   // refused: a new main node must lie outside every block
  NoTriangle,        // refused: the line closes no triangle
  OutsideMesh,       // refused: the well is not inside any element
  NothingDone,       // nothing to do, and nothing to tell the user
};

struct MeshOutcome {
  MeshStatus status = MeshStatus::Done;
  std::string message;
  bool Changed() const {
    return status == MeshStatus::Done || status == MeshStatus::WellAtNode ||
           status == MeshStatus::WellInNewNode;
  }
};

// Receives every progress text of a refinement ("Split 4 : 7 Nodes, 4 Elements").
using ProgressFn = std::function<void(const std::string&)>;

}  // namespace planaq
