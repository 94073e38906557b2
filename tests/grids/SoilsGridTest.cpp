#include <gtest/gtest.h>

#include "grids/SoilsGrid.h"

namespace planaq {
namespace {

Problem TwoBlocks() {
  Problem p;
  p.StartUp(Capacities{});
  p.NL = 3;
  p.NB = 2;
  return p;
}

struct SoilCase {
  const char* name;
  int col;
  int layer;
  const char* text;
  double Soil::*single;       // the infiltration, or
  LayerValues Soil::*values;  // the field of the layer
  double stored;
};

double Stored(const Problem& p, const SoilCase& c) {
  const Soil& s = p.soils[1];
  return c.single ? s.*c.single : (s.*c.values)[c.layer];
}

class SoilsValues : public ::testing::TestWithParam<SoilCase> {};

TEST_P(SoilsValues, AreHeldToTheirLimits) {
  const SoilCase& c = GetParam();
  Problem p = TwoBlocks();
  InfiltrationWarning warning;
  warning.armed = false;
  const CellOutcome out = StoreSoilsCell(p, c.col, 1, c.layer, c.text, warning);
  EXPECT_TRUE(out.moveOn);
  EXPECT_EQ(out.message, "");
  EXPECT_DOUBLE_EQ(Stored(p, c), c.stored);
  EXPECT_EQ(p.soils[0].K, TwoBlocks().soils[0].K) << "other entries untouched";
}

INSTANTIATE_TEST_SUITE_P(
    Soils, SoilsValues,
    ::testing::Values(SoilCase{"KOf0Becomes00001", 1, 0, "0", nullptr, &Soil::K, 0.0001},
                      SoilCase{"KAOf0Becomes0000001", 1, 1, "0", nullptr, &Soil::KA, 0.000001},
                      SoilCase{"POf15Becomes1", 2, 0, "1.5", nullptr, &Soil::P, 1.0},
                      SoilCase{"POf0001Becomes001", 2, 0, "0.001", nullptr, &Soil::P, 0.01},
                      SoilCase{"ROf05Becomes1", 3, 0, "0.5", nullptr, &Soil::R, 1.0},
                      SoilCase{"PAIsHeldToo", 2, 2, "7", nullptr, &Soil::PA, 1.0},
                      SoilCase{"RAIsColumn3BelowLayer1", 3, 1, "2.5", nullptr, &Soil::RA, 2.5},
                      SoilCase{"KIsColumn4BelowLayer1", 4, 1, "7", nullptr, &Soil::K, 7.0},
                      SoilCase{"PIsColumn5BelowLayer1", 5, 2, "0", nullptr, &Soil::P, 0.01},
                      SoilCase{"RIsColumn6BelowLayer1", 6, 1, "-1", nullptr, &Soil::R, 1.0},
                      SoilCase{"KHasNoUpperLimit", 1, 0, "1e12", nullptr, &Soil::K, 1e12},
                      SoilCase{"NoNumberReadsAs0", 1, 0, "x", nullptr, &Soil::K, 0.0001},
                      SoilCase{"NegativeIIsKept", 4, 0, "-3", &Soil::I, nullptr, -3.0},
                      SoilCase{"IAboveOneIsKept", 4, 0, "2", &Soil::I, nullptr, 2.0}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(SoilsValues, ShowTheCorrectedValue) {
  Problem p = TwoBlocks();
  InfiltrationWarning warning;
  EXPECT_EQ(StoreSoilsCell(p, 1, 0, 0, "0", warning).text, "    0.000100");
  EXPECT_EQ(StoreSoilsCell(p, 2, 0, 0, "1.5", warning).text, "  1.0000");
}

TEST(SoilsValues, RefuseWhatAFileCannotHold) {
  for (const char* text : {"1e400", "-1e400", "1e13", "nan"})
    for (int col = 1; col <= 4; ++col) {
      Problem p = TwoBlocks();
      InfiltrationWarning warning;
      const CellOutcome out = StoreSoilsCell(p, col, 1, 0, text, warning);
      EXPECT_FALSE(out.moveOn) << text << " " << col;
      EXPECT_NE(out.message, "");
      EXPECT_EQ(p.soils[1].K[0], 10.0);
      EXPECT_EQ(p.soils[1].P[0], 0.4);
      EXPECT_EQ(p.soils[1].R[0], 1.0);
      EXPECT_EQ(p.soils[1].I, 0.0);
      EXPECT_TRUE(warning.armed);
    }
}

TEST(SoilsValues, LargeInfiltrationWarnsOncePerActivation) {
  Problem p = TwoBlocks();
  InfiltrationWarning warning;
  EXPECT_EQ(StoreSoilsCell(p, 4, 0, 0, "0.5", warning).message, "");
  EXPECT_EQ(StoreSoilsCell(p, 4, 0, 0, "1", warning).message, "") << "1 is not above 1";
  EXPECT_EQ(StoreSoilsCell(p, 4, 0, 0, "2", warning).message,
            "Warning : This is a very large infiltration");
  EXPECT_EQ(StoreSoilsCell(p, 4, 1, 0, "3", warning).message, "");
  EXPECT_EQ(p.soils[1].I, 3.0);
  warning = InfiltrationWarning{};  // the window is activated again
  EXPECT_NE(StoreSoilsCell(p, 4, 1, 0, "3", warning).message, "");
}

TEST(SoilsPaint, ClampsTheLayerShownAndNeverI) {
  Problem p = TwoBlocks();
  p.soils[1].P[2] = 0.0;
  p.soils[1].RA[2] = 0.0;
  p.soils[1].P[1] = 0.0;
  p.soils[0].I = -5.0;
  p.soils[2].P[2] = 0.0;  // beyond NB
  ClampSoils(p, 2);
  EXPECT_EQ(p.soils[1].P[2], 0.01);
  EXPECT_EQ(p.soils[1].RA[2], 1.0);
  EXPECT_EQ(p.soils[1].P[1], 0.0) << "another layer";
  EXPECT_EQ(p.soils[0].I, -5.0);
  EXPECT_EQ(p.soils[2].P[2], 0.0);
  EXPECT_EQ(SoilsCellText(p, 5, 1, 2), "  0.0100");
  ClampSoils(p, 0);
  EXPECT_EQ(p.soils[0].I, -5.0);
}

TEST(SoilsColumns, Layer1ShowsTheInfiltration) {
  EXPECT_EQ(SoilsColumnCount(0), 5);
  EXPECT_EQ(SoilsColumnCount(3), 7);
  EXPECT_EQ(SoilsCellText(TwoBlocks(), 0, 1, 0), "       2");
}

}  // namespace
}  // namespace planaq

namespace planaq {
namespace {

TEST(SoilsHelp, ExplainsTheLowerLayersOnlyWhenThereAreSome) {
  const std::string one = SoilsHelpText(1);
  const std::string last = "- I  : Infiltration in layer (m/d).\n\n";
  EXPECT_EQ(one.substr(one.size() - last.size()), last);
  const std::string two = SoilsHelpText(2);
  EXPECT_EQ(two.substr(0, one.size()), one);
  EXPECT_EQ(two.substr(one.size(), 36), "Block Properties in Layers 2..NL :\n\n");
}

}  // namespace
}  // namespace planaq
