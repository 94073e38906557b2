#pragma once
// The selection on the mesh window's picture: the shape as drawn so far and the selected
// nodes marked, over the mesh.

#include <vector>

#include "canvas/Canvas.h"
#include "mesh/MeshMapping.h"
#include "mesh/Selection.h"
#include "model/Problem.h"

namespace planaq {

inline const Rgb kSelectionLine{255, 255, 0};  // clYellow, seen on every block colour
inline const Rgb kSelectionMark{255, 0, 255};  // clFuchsia

// The shape's lines in yellow, 2 pixels wide (a polygon closed once it is finished, a rectangle by
// its two corners), a finished line's band of its half-width dotted, then a filled square of 5
// pixels at every node in nodes.
void DrawSelection(Canvas& canvas, const Problem& problem, const MeshMapping& map,
                   const SelectionShape& shape, bool finished, const std::vector<int>& nodes);

}  // namespace planaq
