#include <gtest/gtest.h>

#include "grids/WellsGrid.h"

namespace planaq {
namespace {

// Three nodes in three layers (bottoms 20, 10 and 2 m, heads 25, 15 and 5 m); node 1 has its
// top open and the head given in layer 1. Well 1 at node 1 in layer 2, well 2 at node 1 in
// layer 3, well 3 at node 2 in layer 2.
Problem ThreeWells() {
  Problem p;
  p.StartUp(Capacities{});
  p.NL = 3;
  p.NN = 3;
  p.NW = 3;
  for (int n = 0; n < 3; ++n) {
    p.nodes[n] = Node{100.0 * n, 50.0, 0, 0};
    for (int l = 0; l < 3; ++l) {
      p.layers[n].B[l] = 20.0 - 9.0 * l;
      p.layers[n].F[l] = 25.0 - 10.0 * l;
    }
  }
  p.layers[0].B[2] = 2.0;
  p.nodes[0].Type = 1 + 2;
  p.wells[0] = Well{0, 1, 0.0};
  p.wells[1] = Well{0, 2, 0.0};
  p.wells[2] = Well{1, 1, 0.0};
  return p;
}

struct WellCase {
  const char* name;
  int col;
  int well;
  const char* text;
  const char* shown;
  int layer;     // the well's layer afterwards, 0-based
  double value;  // F of the well's node in that layer, or the well's Q
};

class WellsCells : public ::testing::TestWithParam<WellCase> {};

TEST_P(WellsCells, StoreTheHeldValue) {
  const WellCase& c = GetParam();
  Problem p = ThreeWells();
  p.wells[0].Layer = 4;  // a layer left over from a problem with more layers
  const CellOutcome out = StoreWellCell(p, c.col, c.well, c.text);
  EXPECT_TRUE(out.moveOn);
  EXPECT_EQ(out.message, "");
  EXPECT_EQ(out.text, c.shown);
  const Well& w = p.wells[c.well];
  EXPECT_EQ(w.Layer, c.layer);
  if (c.col == kWellQ) {
    EXPECT_DOUBLE_EQ(w.Q, c.value);
  } else if (c.col == kWellF) {
    EXPECT_DOUBLE_EQ(p.layers[w.Node].F[w.Layer], c.value);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Wells, WellsCells,
    ::testing::Values(
        WellCase{"Layer9WithThreeLayersIsLayer3", kWellLayer, 2, "9", "     3", 2, 0},
        WellCase{"Layer0IsLayer1", kWellLayer, 2, "0", "     1", 0, 0},
        WellCase{"NoDigitsReadAsLayer1", kWellLayer, 1, "x", "     1", 0, 0},
        WellCase{"LayerInRangeIsKept", kWellLayer, 2, "3", "     3", 2, 0},
        WellCase{"FAtTheBottomIsRaisedAMillimetre", kWellF, 2, "11", "     11.001", 1, 11.001},
        WellCase{"FBelowTheBottomIsRaisedAMillimetre", kWellF, 1, "-3", "      2.001", 2, 2.001},
        WellCase{"FAboveTheBottomIsKept", kWellF, 2, "12.5", "     12.500", 1, 12.5},
        WellCase{"QOfAPumpingWellKeepsItsSign", kWellQ, 1, "-500", "   -500.000", 2, -500.0},
        WellCase{"AnFEditStoresTheLayerHeld", kWellF, 0, "7", "      7.000", 2, 7.0},
        WellCase{"AQEditStoresTheLayerHeld", kWellQ, 0, "-1e12", "-1000000000000.000", 2, -1e12}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(WellsCells, TwoWellsAtOneNodeShowTheHeadOfTheirOwnLayer) {
  const Problem p = ThreeWells();
  EXPECT_EQ(WellsCellText(p, kWellF, 0), "     15.000");
  EXPECT_EQ(WellsCellText(p, kWellF, 1), "      5.000");
  EXPECT_EQ(WellsCellText(p, kWellNode, 1), "     1");
  EXPECT_EQ(WellsCellText(p, kWellX, 2), "    100.000");
}

struct SwitchCase {
  int before;  // Type of node 1 before
  const char* text;
  const char* shown;
  int after;
};

class WellsSwitch : public ::testing::TestWithParam<SwitchCase> {};

TEST_P(WellsSwitch, ChangesTheBitOfTheWellsLayerAtItsNodeOnly) {
  const SwitchCase& c = GetParam();
  Problem p = ThreeWells();
  p.nodes[0].Type = c.before;
  p.nodes[1].Type = 4;                                           // node 2: head given in layer 2
  const CellOutcome out = StoreWellCell(p, kWellFQ, 0, c.text);  // the well in layer 2
  EXPECT_EQ(out.text, c.shown);
  EXPECT_EQ(p.nodes[0].Type, c.after);
  EXPECT_EQ(p.nodes[1].Type, 4) << "another well's node";
  EXPECT_EQ(WellsCellText(p, kWellFQ, 1), "  Q") << "the same node in layer 3";
}

INSTANTIATE_TEST_SUITE_P(Wells, WellsSwitch,
                         ::testing::Values(SwitchCase{1 + 2, "f", "  F", 1 + 2 + 4},
                                           SwitchCase{1 + 2 + 4, "Q", "  Q", 1 + 2},
                                           SwitchCase{1 + 2 + 4, "", "  Q", 1 + 2},
                                           SwitchCase{1 + 2, "fx", "  Q", 1 + 2}));

TEST(WellsCells, RealsAFileCannotHoldAreRefused) {
  Problem p = ThreeWells();
  for (const auto col : {kWellF, kWellQ})
    for (const char* text : {"1e13", "-inf", "nan"}) {
      const CellOutcome out = StoreWellCell(p, col, 0, text);
      EXPECT_FALSE(out.moveOn) << text;
      EXPECT_FALSE(out.message.empty()) << text;
      EXPECT_EQ(out.text, WellsCellText(p, col, 0));
    }
  EXPECT_EQ(p.wells[0].Q, 0.0);
  EXPECT_EQ(p.layers[0].F[1], 15.0);
  EXPECT_EQ(StoreWellCell(p, kWellQ, 0, "2e12").message, "Enter real number <= 1e12");
}

}  // namespace
}  // namespace planaq
