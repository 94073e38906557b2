#include "grids/NodesGrid.h"

#include <algorithm>

namespace planaq {

namespace {

constexpr int kTopOpenBit = 1;
int HeadGivenBit(int layer) { return 1 << (layer + 1); }

// Type with one bit cleared and then set again when on
int WithBit(int type, int bit, bool on) {
  if (type & bit) type -= bit;
  return on ? type + bit : type;
}

char LastChar(const std::string& text) { return text.empty() ? '\0' : text.back(); }

// the lower bound of B: the top of the aquifer below, or 0 in the last layer
double BottomBound(const Problem& problem, int node, int layer) {
  return layer + 1 < problem.NL ? problem.layers[node].T[layer + 1] : 0.0;
}

}  // namespace

int NodesColumnCount(int layer) { return layer == 0 ? 9 : 8; }
int NodesFixedColumns(int layer) { return layer == 0 ? 1 : 3; }

std::string NodesCellText(const Problem& problem, int col, int node, int layer) {
  const Node& n = problem.nodes[node];
  const NodeLayers& l = problem.layers[node];
  switch (col) {
    case kNodeI:
      return FormatInt("%6d", node + 1);
    case kNodeX:
      return FormatReal("%11.3f", n.X);
    case kNodeY:
      return FormatReal("%11.3f", n.Y);
    case kNodeB:
      return FormatReal("%8.3f", l.B[layer]);
    case kNodeT:
      return FormatReal("%8.3f", l.T[layer]);
    case kNodeF:
      return FormatReal("%8.3f", l.F[layer]);
    case kNodeQ:
      return FormatReal("%8.3f", l.Q[layer]);
    case kNodeFQ:
      return (n.Type & HeadGivenBit(layer)) ? "  F" : "  Q";
    case kNodeCO:
      return (n.Type & kTopOpenBit) ? "  O" : "  C";
    default:
      return {};
  }
}

void StoreNodesValue(Problem& problem, int col, int node, int layer, double v) {
  Node& n = problem.nodes[node];
  NodeLayers& l = problem.layers[node];
  switch (col) {
    case kNodeX:
      n.X = std::min(std::max(v, 0.0), problem.LX);
      break;
    case kNodeY:
      n.Y = std::min(std::max(v, 0.0), problem.LY);
      break;
    case kNodeB:
      l.B[layer] = std::max(v, BottomBound(problem, node, layer));
      break;
    case kNodeT:
      l.T[layer] = std::max(v, l.B[layer]);
      break;
    case kNodeF:
      l.F[layer] = std::max(v, l.B[layer]);
      break;
    case kNodeQ:
      l.Q[layer] = v;
      break;
    default:
      break;
  }
}

void StoreNodesSwitch(Problem& problem, int col, int node, int layer, bool on) {
  Node& n = problem.nodes[node];
  if (col == kNodeCO)
    n.Type = WithBit(n.Type, kTopOpenBit, on);
  else if (col == kNodeFQ)
    n.Type = WithBit(n.Type, HeadGivenBit(layer), on);
}

CellOutcome StoreNodesCell(Problem& problem, int col, int node, int layer,
                           const std::string& text) {
  if (col == kNodeCO) {
    const char c = LastChar(text);
    StoreNodesSwitch(problem, col, node, layer, c != 'C' && c != 'c');
  } else if (col == kNodeFQ) {
    const char c = LastChar(text);
    StoreNodesSwitch(problem, col, node, layer, c == 'F' || c == 'f');
  } else if (col >= kNodeX && col <= kNodeQ) {
    const CellReal read = ReadCellReal(text);
    if (!read.ok) return Refused(NodesCellText(problem, col, node, layer), read.message);
    StoreNodesValue(problem, col, node, layer, read.value);
  }
  return CellOutcome{NodesCellText(problem, col, node, layer), {}, true};
}

}  // namespace planaq

namespace planaq {

std::string NodesHelpText() {
  return std::string("Nodes in a Layer :\n\n") + "- i : Node number,\n" +
         "- X : x-coordinate of node i (m),\n" + "- Y : y-coordinate of node i (m),\n" +
         "- B : Bottom of aquifer in node i (m),\n" + "- T : Top of aquifer in node i (m),\n" +
         "- F : Groundwater head in node i (m),\n" + "- Q : Water supply in node i (m\xB3/d),\n" +
         "- F/Q : Switch indicating the Type of node i.  In each node either the groundwater "
         "head F " +
         "or the water supply Q must be given.\n" +
         "      If F is given, the value of Q is irrelevant.\n" +
         "      If Q is given, the value of F is used as initial estimate in the solution.\n" +
         "- C/O : Switch (in Layer 1 only) indicating the condition of the top of the aquifer "
         "at node i.  In each node " +
         "the top of the aquifer must be closed (C) or open (O).\n" +
         "      In case of a closed top, the groundwater head F in layer 1 can be larger than "
         "the elevation of the top of that layer.\n" +
         "      In case of an open top, the maximum of the groundwater head F in layer 1 is the "
         "elevation of the top of that layer.\n\n" +
         "Although the user may edit the x- and y-coordinates of a node (in Layer 1 only), "
         "great " +
         "care should be taken not to disturb the compatibility of the mesh.";
}

}  // namespace planaq
