#include "mesh/MeshDrawing.h"

#include <string>

#include "mesh/Blocks.h"

namespace planaq {

namespace {

// the fill of a block: its palette entry, white when the block has none
Rgb BlockColour(const Problem& p, int block) {
  if (block < 0 || block >= static_cast<int>(p.blockColour.size())) return kWhite;
  const int index = p.blockColour[block];
  if (index < 0 || index >= kPaletteSize) return kWhite;
  return p.palette[index];
}

bool ValidNode(const Problem& p, int n) { return n >= 0 && n < p.NN; }

std::vector<Point> Corners(const Problem& p, const std::array<int, 3>& nodes,
                           const MeshMapping& map) {
  std::vector<Point> pts(3);
  for (int c = 0; c < 3; ++c) pts[c] = map.ToPixel(p.nodes[nodes[c]].X, p.nodes[nodes[c]].Y);
  return pts;
}

}  // namespace

Rgb BlockNumberColour(Rgb fill) {
  // luma of ITU-R BT.601, on 0..255
  const double luma = 0.299 * fill.r + 0.587 * fill.g + 0.114 * fill.b;
  return luma < 128.0 ? kWhite : kBlack;
}

void DrawArea(Canvas& canvas, const Problem& p, const MeshMapping& map) {
  const Point low = map.ToPixel(0, 0);
  const Point high = map.ToPixel(p.LX, p.LY);
  canvas.SetPenColour(kSilver);
  canvas.SetBrushColour(kSilver);
  canvas.FillRect(low.x - 2, high.y - 2, high.x + 3, low.y + 3);
  canvas.SetPenColour(kWhite);
  canvas.SetBrushColour(kWhite);
  canvas.FillRect(low.x, high.y, high.x + 1, low.y + 1);
}

void DrawMesh(Canvas& canvas, const Problem& p, const MeshMapping& map) {
  DrawArea(canvas, p, map);
  canvas.SetPenColour(kBlack);
  std::vector<Point> pts(3);  // one corner list for all elements
  for (int e = 0; e < p.NM; ++e) {
    const Element& el = p.elements[e];
    if (!ValidNode(p, el.Node[0]) || !ValidNode(p, el.Node[1]) || !ValidNode(p, el.Node[2]))
      continue;
    canvas.SetBrushColour(BlockColour(p, el.Block));
    for (int c = 0; c < 3; ++c) pts[c] = map.ToPixel(p.nodes[el.Node[c]].X, p.nodes[el.Node[c]].Y);
    canvas.Polygon(pts);
  }
  canvas.SetPenColour(kRed);
  canvas.SetBrushColour(kWhite);
  for (int w = 0; w < p.NW; ++w) {
    const int n = p.wells[w].Node;
    if (!ValidNode(p, n)) continue;
    const Point c = map.ToPixel(p.nodes[n].X, p.nodes[n].Y);
    canvas.Ellipse(c.x - 3, c.y - 3, c.x + 3, c.y + 3);
  }
  canvas.SetPenColour(kBlack);
}

void DrawBlocks(Canvas& canvas, Problem& p, const MeshMapping& map) {
  ResetMeshToBlocks(p);
  DrawArea(canvas, p, map);
  canvas.SetPenColour(kBlack);
  Font number = BlockNumberFont();
  canvas.SetFont(number);
  for (int b = 0; b < p.NB; ++b) {
    const Block& block = p.blocks[b];
    if (!ValidNode(p, block.Node[0]) || !ValidNode(p, block.Node[1]) ||
        !ValidNode(p, block.Node[2]))
      continue;
    const std::vector<Point> pts = Corners(p, block.Node, map);
    const Rgb fill = BlockColour(p, b);
    canvas.SetBrushColour(fill);
    canvas.Polygon(pts);
    if (BlockNumberColour(fill) != number.colour) {
      number.colour = BlockNumberColour(fill);
      canvas.SetFont(number);
    }
    canvas.TextOut((pts[0].x + pts[1].x + pts[2].x) / 3, (pts[0].y + pts[1].y + pts[2].y) / 3,
                   std::to_string(b + 1));
  }
  canvas.SetFont(NodeNumberFont());
  canvas.SetBrushColour(kWhite);
  for (int n = 0; n < p.NA; ++n) {
    const Point c = map.ToPixel(p.nodes[n].X, p.nodes[n].Y);
    canvas.TextOut(c.x - 2, c.y - 4, std::to_string(n + 1));
  }
}

}  // namespace planaq
