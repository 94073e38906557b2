#include <gtest/gtest.h>

#include "grids/ElementsGrid.h"

namespace planaq {
namespace {

// ten nodes, three blocks, one element (nodes 2, 3, 4 in block 2)
Problem TenNodes() {
  Problem p;
  p.StartUp(Capacities{});
  p.NN = 10;
  p.NB = 3;
  p.NM = 1;
  p.elements[0] = Element{{1, 2, 3}, 1};
  return p;
}

struct ElementCase {
  const char* name;
  int col;
  const char* text;
  int shown;  // 1-based, as stored and shown
};

class ElementsCells : public ::testing::TestWithParam<ElementCase> {};

TEST_P(ElementsCells, AreHeldToTheTables) {
  const ElementCase& c = GetParam();
  Problem p = TenNodes();
  const CellOutcome out = StoreElementsCell(p, c.col, 0, c.text);
  EXPECT_TRUE(out.moveOn);
  EXPECT_EQ(out.message, "");
  const Element& e = p.elements[0];
  const int stored = c.col == kElementSoil ? e.Block : e.Node[c.col - kElementNode1];
  EXPECT_EQ(stored + 1, c.shown);
  EXPECT_EQ(out.text, FormatInt("%8d", c.shown));
}

INSTANTIATE_TEST_SUITE_P(
    Elements, ElementsCells,
    ::testing::Values(ElementCase{"Node0BecomesNode1", kElementNode1, "0", 1},
                      ElementCase{"NegativeNodeBecomesNode1", kElementNode2, "-7", 1},
                      ElementCase{"NodeAboveNNBecomesNN", kElementNode3, "15", 10},
                      ElementCase{"NodeReadsItsLeadingDigits", kElementNode2, "7.9x", 7},
                      ElementCase{"NoDigitsReadAsNode1", kElementNode1, "abc", 1},
                      ElementCase{"SoilAboveNBBecomesNB", kElementSoil, "4", 3},
                      ElementCase{"Soil0BecomesSoil1", kElementSoil, "0", 1},
                      ElementCase{"SoilInRangeIsKept", kElementSoil, "3", 3}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace planaq
