// Heads at observation points: the interpolation, the element search, the statistics.

#include <gtest/gtest.h>

#include <cmath>
#include <random>

#include "observe/ElementLocator.h"
#include "observe/ObservedHeads.h"
#include "solver/StripMesh.h"

namespace planaq {
namespace {

Problem StripWithRandomHeads(unsigned seed) {
  test::StripLayout layout;
  layout.nx = 12;
  layout.ny = 5;
  layout.NL = 2;
  layout.randomDiagonals = layout.shuffle = true;
  layout.seed = seed;
  Problem p = test::StripProblem(layout);
  std::mt19937 rng(seed);
  std::uniform_real_distribution<double> head(40.0, 80.0);
  for (int n = 0; n < p.NN; ++n)
    for (int L = 0; L < p.NL; ++L) p.layers[n].F[L] = head(rng);
  return p;
}

Observation At(double x, double y, int layer, double head = 0.0, std::string name = "P") {
  Observation o;
  o.name = std::move(name);
  o.X = x;
  o.Y = y;
  o.layer = layer;
  o.head = head;
  return o;
}

TEST(ObservedHeads, AtANodeTheNodesHeadAndAtACentroidTheMeanOfTheCorners) {
  const Problem p = StripWithRandomHeads(7);
  ObservationSet set;
  for (int n = 0; n < p.NN; n += 5) set.points.push_back(At(p.nodes[n].X, p.nodes[n].Y, 1));
  const int e = 17;
  const auto& c = p.elements[e].Node;
  const double cx = (p.nodes[c[0]].X + p.nodes[c[1]].X + p.nodes[c[2]].X) / 3.0;
  const double cy = (p.nodes[c[0]].Y + p.nodes[c[1]].Y + p.nodes[c[2]].Y) / 3.0;
  set.points.push_back(At(cx, cy, 0));
  const std::vector<ObservedHead> heads = ComputeObservedHeads(p, set);
  for (int k = 0, n = 0; n < p.NN; n += 5, ++k) {
    ASSERT_TRUE(heads[k].used());
    EXPECT_NEAR(heads[k].computed, p.layers[n].F[1], 1e-9) << "node " << n;
  }
  const double mean = (p.layers[c[0]].F[0] + p.layers[c[1]].F[0] + p.layers[c[2]].F[0]) / 3.0;
  EXPECT_EQ(heads.back().element, e);
  EXPECT_NEAR(heads.back().computed, mean, 1e-9);
}

TEST(ObservedHeads, PointsOutsideTheMeshOrBeyondNLAreReportedAndNotUsed) {
  const Problem p = StripWithRandomHeads(3);  // 1000 m by 100 m, NL = 2
  ObservationSet set;
  set.points = {At(-1.0, 50.0, 0), At(500.0, 100.5, 0), At(500.0, 50.0, 2), At(NAN, 50.0, 0),
                At(500.0, 50.0, 1)};
  const std::vector<ObservedHead> heads = ComputeObservedHeads(p, set);
  EXPECT_EQ(heads[0].status, ObservationStatus::Outside);
  EXPECT_EQ(heads[1].status, ObservationStatus::Outside);
  EXPECT_EQ(heads[2].status, ObservationStatus::LayerBeyondNL);
  EXPECT_EQ(heads[3].status, ObservationStatus::Outside);
  EXPECT_TRUE(heads[4].used());
  EXPECT_EQ(ComputeStatistics(set, heads).used, 1);
}

TEST(ObservedHeads, TheIndexedSearchFindsTheElementOfThePlainScan) {
  for (unsigned seed = 1; seed <= 4; ++seed) {
    const Problem p = StripWithRandomHeads(seed);
    const ElementLocator locator(p);
    std::mt19937 rng(seed);
    std::uniform_real_distribution<double> x(-20.0, 1020.0), y(-5.0, 105.0);
    for (int i = 0; i < 2000; ++i) {
      // every third point on a grid line, where sides and corners lie
      const double px = i % 3 == 0 ? std::round(x(rng) / 250.0) * 250.0 : x(rng);
      const double py = i % 3 == 0 ? std::round(y(rng) / 20.0) * 20.0 : y(rng);
      ASSERT_EQ(locator.Find(px, py), ScanForElement(p, px, py)) << px << ", " << py;
    }
  }
}

TEST(ObservationStatistics, HandWorkedResiduals) {
  // a plane head h = 50 everywhere, so every residual is the observed head minus 50
  Problem p = StripWithRandomHeads(1);
  for (int n = 0; n < p.NN; ++n) p.layers[n].F[0] = 50.0;
  ObservationSet set;
  set.points = {At(100, 10, 0, 51.0, "a"), At(200, 20, 0, 48.0, "b"), At(300, 30, 0, 53.0, "c"),
                At(400, 40, 0, 50.5, "d"), At(5000, 40, 0, 99.0, "outside")};
  const double weights[] = {1.0, 2.0, 1.0, 0.0, 1.0};
  for (int i = 0; i < 5; ++i) set.points[i].weight = weights[i];
  const ObservationStatistics s = ComputeStatistics(set, ComputeObservedHeads(p, set));
  // r = 1, -2, 3, 0.5
  EXPECT_EQ(s.used, 4);
  EXPECT_NEAR(s.mean, 2.5 / 4, 1e-12);
  EXPECT_NEAR(s.meanAbsolute, 6.5 / 4, 1e-12);
  EXPECT_NEAR(s.rms, std::sqrt(14.25 / 4), 1e-12);
  EXPECT_NEAR(s.weightedRms, std::sqrt((1.0 + 8.0 + 9.0) / 4.0), 1e-12);
  EXPECT_TRUE(s.hasRange);
  EXPECT_NEAR(s.rmsOverRange, std::sqrt(14.25 / 4) / 5.0, 1e-12);
  EXPECT_EQ(s.largest, 3.0);
  EXPECT_EQ(s.largestName, "c");
}

TEST(ObservationStatistics, NoPointUsedAndEqualObservedHeads) {
  Problem p = StripWithRandomHeads(1);
  ObservationSet set;
  set.points = {At(5000, 40, 0, 1.0)};
  ObservationStatistics s = ComputeStatistics(set, ComputeObservedHeads(p, set));
  EXPECT_EQ(s.used, 0);
  EXPECT_TRUE(s.largestName.empty());
  set.points = {At(100, 40, 0, 1.0, "a"), At(200, 40, 0, 1.0, "b")};
  s = ComputeStatistics(set, ComputeObservedHeads(p, set));
  EXPECT_EQ(s.used, 2);
  EXPECT_FALSE(s.hasRange);
  EXPECT_EQ(s.rmsOverRange, 0.0);
}

}  // namespace
}  // namespace planaq
