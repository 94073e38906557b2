#include <gtest/gtest.h>

#include "grids/NodesGrid.h"

namespace planaq {
namespace {

// One node in three layers: layer 1 from 20 to 30 m, layer 2 from 10 to 15 m, layer 3 from
// 2 to 8 m; top open, head given in layer 2.
Problem ThreeLayers() {
  Problem p;
  p.StartUp(Capacities{});
  p.NL = 3;
  p.NN = 1;
  p.nodes[0] = Node{100.0, 200.0, 1 + 4, 0};
  const double bottoms[3] = {20.0, 10.0, 2.0}, tops[3] = {30.0, 15.0, 8.0};
  for (int l = 0; l < 3; ++l) {
    p.layers[0].B[l] = bottoms[l];
    p.layers[0].T[l] = tops[l];
    p.layers[0].F[l] = 25.0;
    p.layers[0].Q[l] = 1.0;
  }
  return p;
}

double ValueOf(const Problem& p, int col, int layer) {
  const NodeLayers& l = p.layers[0];
  switch (col) {
    case kNodeX:
      return p.nodes[0].X;
    case kNodeY:
      return p.nodes[0].Y;
    case kNodeB:
      return l.B[layer];
    case kNodeT:
      return l.T[layer];
    case kNodeF:
      return l.F[layer];
    default:
      return l.Q[layer];
  }
}

struct ValueCase {
  const char* name;
  int col;
  int layer;
  const char* text;
  double stored;
};

class NodesValues : public ::testing::TestWithParam<ValueCase> {};

TEST_P(NodesValues, AreHeldToTheirBounds) {
  const ValueCase& c = GetParam();
  Problem p = ThreeLayers();
  const CellOutcome out = StoreNodesCell(p, c.col, 0, c.layer, c.text);
  EXPECT_TRUE(out.moveOn);
  EXPECT_EQ(out.message, "") << "no correction is announced";
  EXPECT_DOUBLE_EQ(ValueOf(p, c.col, c.layer), c.stored);
  EXPECT_EQ(out.text, NodesCellText(p, c.col, 0, c.layer));
}

INSTANTIATE_TEST_SUITE_P(
    Nodes, NodesValues,
    ::testing::Values(ValueCase{"NegativeXBecomes0", kNodeX, 0, "-5", 0.0},
                      ValueCase{"XAboveLXBecomesLX", kNodeX, 0, "2500", 2000.0},
                      ValueCase{"XReadsItsLeadingNumber", kNodeX, 0, "123.5m", 123.5},
                      ValueCase{"YAboveLYBecomesLY", kNodeY, 0, "1e4", 1000.0},
                      ValueCase{"NoNumberReadsAs0", kNodeY, 0, "abc", 0.0},
                      ValueCase{"BBelowTopOfLayerBelowIsRaisedToIt", kNodeB, 1, "3", 8.0},
                      ValueCase{"BOfLayer1BoundByTopOfLayer2", kNodeB, 0, "12", 15.0},
                      ValueCase{"NegativeBInLastLayerBecomes0", kNodeB, 2, "-4", 0.0},
                      ValueCase{"BAboveItsBoundIsKept", kNodeB, 1, "11.25", 11.25},
                      ValueCase{"TBelowBIsRaisedToB", kNodeT, 0, "10", 20.0},
                      ValueCase{"FBelowBIsRaisedToB", kNodeF, 2, "1", 2.0},
                      ValueCase{"QTakesANegativeValue", kNodeQ, 1, "-250.5", -250.5},
                      ValueCase{"QTakesTheLargestFileValue", kNodeQ, 0, "1e12", 1e12}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(NodesValues, ShowTheCorrectedValue) {
  Problem p = ThreeLayers();
  EXPECT_EQ(StoreNodesCell(p, kNodeX, 0, 0, "-5").text, "      0.000");
  EXPECT_EQ(StoreNodesCell(p, kNodeB, 0, 1, "3").text, "   8.000");
}

struct BitCase {
  const char* name;
  int col;
  int layer;
  const char* text;
  int type;  // from 1 + 4: top open, head given in layer 2
  const char* shown;
};

class NodesBits : public ::testing::TestWithParam<BitCase> {};

TEST_P(NodesBits, ChangeOnlyTheirOwnBit) {
  const BitCase& c = GetParam();
  Problem p = ThreeLayers();
  const CellOutcome out = StoreNodesCell(p, c.col, 0, c.layer, c.text);
  EXPECT_EQ(p.nodes[0].Type, c.type);
  EXPECT_EQ(out.text, c.shown);
  EXPECT_TRUE(out.moveOn);
}

INSTANTIATE_TEST_SUITE_P(
    Nodes, NodesBits,
    ::testing::Values(BitCase{"LowercaseFGivesTheHeadInLayer1", kNodeFQ, 0, "f", 1 + 2 + 4, "  F"},
                      BitCase{"FInLayer3SetsBit3Only", kNodeFQ, 2, "  F", 1 + 4 + 8, "  F"},
                      BitCase{"AnyOtherEndGivesTheDischarge", kNodeFQ, 1, "F x", 1, "  Q"},
                      BitCase{"FAgainKeepsTheBit", kNodeFQ, 1, "F", 1 + 4, "  F"},
                      BitCase{"LowercaseCClosesTheTop", kNodeCO, 0, "c", 4, "  C"},
                      BitCase{"AnyOtherEndOpensTheTop", kNodeCO, 0, "x", 1 + 4, "  O"},
                      BitCase{"AnEmptyTextOpensTheTop", kNodeCO, 0, "", 1 + 4, "  O"}),
    [](const auto& info) { return std::string(info.param.name); });

struct RefusalCase {
  const char* name;
  const char* text;
  const char* message;
};

class NodesRefusals : public ::testing::TestWithParam<RefusalCase> {};

TEST_P(NodesRefusals, KeepEveryValueColumnAsItWas) {
  for (int col = kNodeX; col <= kNodeQ; ++col) {
    Problem p = ThreeLayers();
    const double before = ValueOf(p, col, 0);
    const CellOutcome out = StoreNodesCell(p, col, 0, 0, GetParam().text);
    EXPECT_FALSE(out.moveOn) << col;
    EXPECT_EQ(out.message, GetParam().message) << col;
    EXPECT_EQ(ValueOf(p, col, 0), before) << col;
    EXPECT_EQ(out.text, NodesCellText(p, col, 0, 0)) << "the cell shows the value kept";
  }
}

INSTANTIATE_TEST_SUITE_P(
    Nodes, NodesRefusals,
    ::testing::Values(RefusalCase{"Overflow", "1e400", "Enter real number <= 1e12"},
                      RefusalCase{"NegativeOverflow", "-1e400", "Enter real number >= -1e12"},
                      RefusalCase{"BeyondTheFileLimit", "1e13", "Enter real number <= 1e12"},
                      RefusalCase{"NegativeBeyondTheFileLimit", "-2e12",
                                  "Enter real number >= -1e12"},
                      RefusalCase{"Nan", "nan", "Enter real number"},
                      RefusalCase{"Infinity", " -Inf", "Enter real number"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(NodesColumns, Layer1HasTheTopSwitchAndEditableCoordinates) {
  EXPECT_EQ(NodesColumnCount(0), 9);
  EXPECT_EQ(NodesFixedColumns(0), 1);
  for (int layer = 1; layer < kMaxLayers; ++layer) {
    EXPECT_EQ(NodesColumnCount(layer), 8);
    EXPECT_EQ(NodesFixedColumns(layer), 3);
  }
}

}  // namespace
}  // namespace planaq
