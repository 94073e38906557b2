#include "grids/WellsGrid.h"

#include <algorithm>

#include "files/Tokens.h"

namespace planaq {

namespace {

constexpr double kAboveBottom = 0.001;

int HeadGivenBit(int layer) { return 1 << (layer + 1); }

// the well's layer as the problem can show it: within the layers of the tables
int LayerOf(const Well& well) { return std::clamp(well.Layer, 0, kMaxLayers - 1); }

int HeldLayer(const Problem& problem, int layer) {
  return std::clamp(layer, 0, std::clamp(problem.NL, 1, kMaxLayers) - 1);
}

}  // namespace

std::string WellsCellText(const Problem& problem, int col, int well) {
  const Well& w = problem.wells[well];
  const Node& n = problem.nodes[w.Node];
  const int layer = LayerOf(w);
  switch (col) {
    case kWellNode:
      return FormatInt("%6d", w.Node + 1);
    case kWellX:
      return FormatReal("%11.3f", n.X);
    case kWellY:
      return FormatReal("%11.3f", n.Y);
    case kWellLayer:
      return FormatInt("%6d", w.Layer + 1);
    case kWellF:
      return FormatReal("%11.3f", problem.layers[w.Node].F[layer]);
    case kWellQ:
      return FormatReal("%11.3f", w.Q);
    case kWellFQ:
      return (n.Type & HeadGivenBit(layer)) ? "  F" : "  Q";
    default:
      return {};
  }
}

CellOutcome StoreWellCell(Problem& problem, int col, int well, const std::string& text) {
  Well& w = problem.wells[well];
  if (col == kWellLayer) {
    w.Layer = HeldLayer(problem, LeadingInt(text) - 1);
  } else if (col == kWellF || col == kWellQ) {
    const CellReal read = ReadCellReal(text);
    if (!read.ok) return Refused(WellsCellText(problem, col, well), read.message);
    w.Layer = HeldLayer(problem, w.Layer);
    if (col == kWellQ) {
      w.Q = read.value;
    } else {
      NodeLayers& l = problem.layers[w.Node];
      const double bottom = l.B[w.Layer];
      l.F[w.Layer] = read.value > bottom ? read.value : bottom + kAboveBottom;
    }
  } else if (col == kWellFQ) {
    const char c = text.empty() ? '\0' : text.back();
    int& type = problem.nodes[w.Node].Type;
    const int bit = HeadGivenBit(LayerOf(w));
    type &= ~bit;
    if (c == 'F' || c == 'f') type |= bit;
  }
  return CellOutcome{WellsCellText(problem, col, well), {}, true};
}

std::string WellsHelpText() {
  return std::string("Wells :\n\n") + "Node : Node number,\n" + "X : x-coordinate of node (m),\n" +
         "Y : y-coordinate of node (m),\n" + "Layer : Layer of operation of the well,\n" +
         "Q : Water supply in node (m\xB3/d),\n" +
         "F/Q : Switch indicating the Type of node i.  In each node either the groundwater "
         "head F " +
         "or the water supply Q must be given.\n" +
         "      If F is given, the value of Q is irrelevant.\n" +
         "      If Q is given, the value of F is used as initial estimate in the solution.\n\n" +
         "For a pumping well Q must be negative, and F/Q = Q.";
}

}  // namespace planaq
