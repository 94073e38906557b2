#include "grids/ElementsGrid.h"

#include <algorithm>

#include "files/Tokens.h"

namespace planaq {

namespace {

// 1..count, and 1 when the table is empty, so a stored number always names an entry
int HeldToCount(int value, int count) { return std::clamp(value, 1, std::max(count, 1)); }

}  // namespace

std::string ElementsCellText(const Problem& problem, int col, int element) {
  const Element& e = problem.elements[element];
  switch (col) {
    case kElementJ:
      return FormatInt("%8d", element + 1);
    case kElementNode1:
    case kElementNode2:
    case kElementNode3:
      return FormatInt("%8d", e.Node[col - kElementNode1] + 1);
    case kElementSoil:
      return FormatInt("%8d", e.Block + 1);
    default:
      return {};
  }
}

CellOutcome StoreElementsCell(Problem& problem, int col, int element, const std::string& text) {
  StoreElementsValue(problem, col, element, LeadingInt(text));
  return CellOutcome{ElementsCellText(problem, col, element), {}, true};
}

void StoreElementsValue(Problem& problem, int col, int element, int value) {
  Element& e = problem.elements[element];
  if (col >= kElementNode1 && col <= kElementNode3)
    e.Node[col - kElementNode1] = HeldToCount(value, problem.NN) - 1;
  else if (col == kElementSoil)
    e.Block = HeldToCount(value, problem.NB) - 1;
}

std::string ElementsHelpText() {
  return std::string("Elements :\n\n") + "- j : Element number,\n" +
         "- Node 1 : Node 1 of element j,\n" + "- Node 2 : Node 2 of element j,\n" +
         "- Node 3 : Node 3 of element j,\n" + "- Soil : Soil type number.\n\n" +
         "Although the user may edit the node numbers of the three nodes that " +
         "constitute an element, great care should be taken not to disturb the " +
         "compatibility of the mesh.";
}

}  // namespace planaq
