#pragma once
// The pictures of the mesh window and of the block editor.

#include "canvas/Canvas.h"
#include "mesh/MeshMapping.h"
#include "model/Problem.h"

namespace planaq {

inline const Rgb kSilver{192, 192, 192};
inline const Rgb kWhite{255, 255, 255};
inline const Rgb kBlack{0, 0, 0};
inline const Rgb kRed{255, 0, 0};

// The fonts of the block numbers and of the main node numbers.
inline Font BlockNumberFont() { return Font{"Courier New", 13, false, true}; }
inline Font NodeNumberFont() { return Font{"Courier New", 11, false, false}; }

// The colour of a block number on a fill: white on a dark fill, black on a light one, so the
// number reads on every palette colour.
Rgb BlockNumberColour(Rgb fill);

// The silver band around the area and the white area itself.
void DrawArea(Canvas& canvas, const Problem& problem, const MeshMapping& map);

// Elements filled with the colours of their blocks, wells as red circles.
void DrawMesh(Canvas& canvas, const Problem& problem, const MeshMapping& map);

// Resets the mesh to the blocks, then draws the blocks with their numbers and the numbers of
// the main nodes.
void DrawBlocks(Canvas& canvas, Problem& problem, const MeshMapping& map);

}  // namespace planaq
