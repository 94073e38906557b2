#include <gtest/gtest.h>

#include <cmath>

#include "solver/FlowField.h"
#include "solver/StripMesh.h"

namespace planaq {
namespace {

// A strip with a uniform head gradient of 0.005 in every layer.
Problem UniformFlow(int NL) {
  test::StripLayout layout;
  layout.nx = 6;
  layout.ny = 3;
  layout.NL = NL;
  layout.randomDiagonals = layout.shuffle = true;
  Problem p = test::StripProblem(layout);
  for (int n = 0; n < p.NN; ++n)
    for (int L = 0; L < NL; ++L) p.layers[n].F[L] = 100.0 - 0.005 * p.nodes[n].X - 0.5 * L;
  return p;
}

TEST(ElementDischarge, UniformFlowEverywhere) {
  Problem p = UniformFlow(1);
  for (int e = 0; e < p.NM; ++e) {
    const Discharge q = ElementDischarge(p, e, 0);
    EXPECT_NEAR(q.qx, 0.05, 1e-12);
    EXPECT_NEAR(q.qy, 0.0, 1e-12);
  }
  EXPECT_NEAR(MeanDischarge(p), 0.05, 1e-12);
  // an element without a block has no discharge but still counts in the mean
  p.elements[0].Block = -1;
  EXPECT_EQ(ElementDischarge(p, 0, 0).qx, 0.0);
  EXPECT_NEAR(MeanDischarge(p), 0.05 * (p.NM - 1) / p.NM, 1e-12);
}

TEST(LocateElement, SearchesOutwardAndSharedSideGoesFirstInOrder) {
  Problem p;
  p.StartUp(Capacities{});
  // two triangles sharing the side from (0, 0) to (500, 500)
  p.NN = 4;
  p.NM = 2;
  p.nodes[1] = {500.0, 500.0, 0, 0};
  p.nodes[2] = {500.0, 0.0, 0, 0};
  p.nodes[3] = {0.0, 500.0, 0, 0};
  p.elements[0].Node = {0, 1, 2};
  p.elements[1].Node = {0, 3, 1};
  p.elements[1].Block = 0;
  EXPECT_EQ(LocateElement(p, 250.0, 250.0, 0), 0);
  EXPECT_EQ(LocateElement(p, 250.0, 250.0, 1), 1);
  EXPECT_EQ(LocateElement(p, 100.0, 400.0, 0), 1);
  EXPECT_EQ(LocateElement(p, 500.0, 500.0, -1), 0);  // on a node, no start element
  EXPECT_EQ(LocateElement(p, 600.0, 100.0, 1), -1);
}

Problem OneLayerWithParticle(double I, double Z) {
  test::StripLayout layout;
  layout.nx = 4;
  layout.ny = 2;
  Problem p = test::StripProblem(layout);  // layer 1 from 50 to 60, heads 70
  p.soils[0].I = I;
  p.NP = 1;
  p.particles[0].X0 = 300.0;
  p.particles[0].Y0 = 30.0;
  p.particles[0].Z0 = Z;
  return p;
}

struct VerticalCase {
  const char* name;
  double Z;
  double w;  // with I = 0.002 from above, none at the base
};
class VerticalDischarge : public ::testing::TestWithParam<VerticalCase> {};

TEST_P(VerticalDischarge, LinearFromBaseToTop) {
  Problem p = OneLayerWithParticle(0.002, GetParam().Z);
  InitParticles(p);
  ASSERT_GE(p.particles[0].Element, 0);
  EXPECT_EQ(p.particles[0].LayerCode, 0);
  EXPECT_NEAR(p.particles[0].w, GetParam().w, 1e-15);
}

INSTANTIATE_TEST_SUITE_P(Elevations, VerticalDischarge,
                         ::testing::Values(VerticalCase{"AtTop", 60.0, -0.002},
                                           VerticalCase{"Middle", 55.0, -0.001},
                                           VerticalCase{"AboveGroundLoweredToTop", 80.0, -0.002},
                                           VerticalCase{"JustAboveBase", 50.5, -0.0001}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(InitParticles, AboveGroundGoesToTheLowerOfTopAndHead) {
  Problem p = OneLayerWithParticle(0.0, 90.0);
  for (int n = 0; n < p.NN; ++n) p.layers[n].F[0] = 57.0;  // water table below the top
  InitParticles(p);
  EXPECT_DOUBLE_EQ(p.particles[0].Z, 57.0);
  EXPECT_EQ(p.particles[0].w, 0.0);
  EXPECT_EQ(p.particles[0].Z0, 90.0);
}

struct CodeCase {
  const char* name;
  double Z;
  int code;  // kOut: not traced
};
constexpr int kOut = 99;
class LayerCodes : public ::testing::TestWithParam<CodeCase> {};

TEST_P(LayerCodes, ByElevation) {
  Problem p = UniformFlow(3);  // aquifers 50-60, 39-49, 28-38
  p.NP = 1;
  p.particles[0].X0 = 500.0;
  p.particles[0].Y0 = 50.0;
  p.particles[0].Z0 = GetParam().Z;
  InitParticles(p);
  if (GetParam().code == kOut) {
    EXPECT_EQ(p.particles[0].Element, -1);
  } else {
    EXPECT_GE(p.particles[0].Element, 0);
    EXPECT_EQ(p.particles[0].LayerCode, GetParam().code);
  }
}

INSTANTIATE_TEST_SUITE_P(Elevations, LayerCodes,
                         ::testing::Values(CodeCase{"TopOfSecond", 49.0, 1},
                                           CodeCase{"BottomOfFirst", 50.0, -1},
                                           CodeCase{"InSecondAquitard", 38.5, -2},
                                           CodeCase{"BottomOfDeepest", 28.0, kOut},
                                           CodeCase{"BelowAll", 10.0, kOut}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(UpdateParticle, KeepsVelocityUntilElementOrLayerChanges) {
  Problem p = UniformFlow(2);
  p.NP = 1;
  p.particles[0].X0 = 510.0;
  p.particles[0].Y0 = 40.0;
  p.particles[0].Z0 = 59.0;
  InitParticles(p);
  Particle& q = p.particles[0];
  ASSERT_EQ(q.LayerCode, 0);
  EXPECT_NEAR(q.qx, 0.05, 1e-12);
  const double w0 = q.w;
  // layer 2 stands 0.5 m lower: -0.5 m / 1000 d at the base, nothing at the top (no
  // infiltration), and the particle sits 9 m up the 10 m of the layer
  EXPECT_NEAR(w0, -0.5 / 1000.0 * (1.0 - 9.0 / 10.0), 1e-15);
  // still in the same element and layer: nothing is evaluated again
  const int e0 = q.Element;
  q.Z = 55.0;
  q.qx = 123.0;
  UpdateParticle(p, 0);
  EXPECT_EQ(q.Element, e0);
  EXPECT_EQ(q.qx, 123.0);
  // into the aquitard: no horizontal flow, the vertical discharge it came with
  q.Z = 49.5;
  UpdateParticle(p, 0);
  EXPECT_EQ(q.LayerCode, -1);
  EXPECT_EQ(q.qx, 0.0);
  EXPECT_EQ(q.w, w0);
  // out of the mesh
  q.X = -10.0;
  UpdateParticle(p, 0);
  EXPECT_EQ(q.Element, -1);
}

TEST(PrepareFlowField, SetsParticlesAndMeanDischarge) {
  Problem p = UniformFlow(2);
  p.NP = 1;
  p.particles[0].X0 = 200.0;
  p.particles[0].Y0 = 20.0;
  p.particles[0].Z0 = 45.0;
  p.particles[0].Element = 7;
  PrepareFlowField(p);
  EXPECT_NEAR(p.meanDischarge, 0.05, 1e-12);
  EXPECT_EQ(p.particles[0].LayerCode, 1);
  EXPECT_EQ(p.particles[0].Element, LocateElement(p, 200.0, 20.0, p.NM / 2));
}

}  // namespace
}  // namespace planaq
