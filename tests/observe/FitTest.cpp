// The fit of soil properties: recovering known values, and every way it stops.

#include <gtest/gtest.h>

#include <cmath>

#include "observe/Fit.h"
#include "observe/ObservedHeads.h"
#include "solver/Solve.h"
#include "solver/StripMesh.h"

namespace planaq {
namespace {

// Two aquifers: layer 1 held at both ends and fed by infiltration, layer 2 held at x = 0 only,
// with a well; K1 = 10, K' = 0.001, K2 = 10 m/d.
Problem LeakyStrip() {
  test::StripLayout layout;
  layout.nx = 16;
  layout.ny = 4;
  layout.NL = 2;
  Problem p = test::StripProblem(layout);
  p.soils[0].I = 0.001;
  test::GiveHeadsAt(p, 0.0, 0, [](double) { return 70.0; });
  test::GiveHeadsAt(p, layout.length, 0, [](double) { return 66.0; });
  test::GiveHeadsAt(p, 0.0, 1, [](double) { return 68.0; });
  p.NW = 1;
  p.wells[0] = Well{test::NodeAt(layout, 10, 2), 1, -40.0};
  return p;
}

// Observations at points between the nodes of both layers, with the heads of the problem.
ObservationSet ObservationsOf(const Problem& solved) {
  ObservationSet set;
  for (int i = 0; i < 12; ++i) {
    Observation o;
    o.name = "P" + std::to_string(i + 1);
    o.X = 37.0 + 80.0 * i;
    o.Y = 13.0 + 7.0 * (i % 10);
    o.layer = i % 2;
    set.points.push_back(o);
  }
  const std::vector<ObservedHead> heads = ComputeObservedHeads(solved, set);
  for (int i = 0; i < set.size(); ++i) set.points[i].head = heads[i].computed;
  return set;
}

std::vector<FitParameter> Parameters(const Problem& p, std::vector<const char*> texts) {
  std::vector<FitParameter> params;
  for (const char* text : texts) {
    FitParameter q;
    std::string message;
    EXPECT_TRUE(ParseFitParameter(text, p, q, message)) << message;
    params.push_back(q);
  }
  return params;
}

struct Truth {
  Problem start;
  ObservationSet set;
};

// The observations of the true problem, and the problem to fit: K1 and K2 3 times too large,
// K' 3 times too small.
Truth FitCase() {
  Problem truth = LeakyStrip();
  SolveProgress none;
  EXPECT_TRUE(SolveProblem(truth, none).solved);
  Truth t{LeakyStrip(), ObservationsOf(truth)};
  t.start.soils[0].K[0] = 30.0;
  t.start.soils[0].KA[1] = 0.001 / 3.0;
  t.start.soils[0].K[1] = 30.0;
  return t;
}

TEST(Fit, RecoversKnownKAndKAFromAStartThreeTimesAway) {
  Truth t = FitCase();
  int reported = 0;
  FitOptions options;
  options.iterated = [&reported](const FitIteration&) { ++reported; };
  const auto params = Parameters(t.start, {"K:1:1", "KA:1:2", "K:1:2"});
  const FitResult r = RunFit(t.start, t.set, params, options);
  ASSERT_TRUE(r.holdsFit) << r.message;
  EXPECT_EQ(r.stop, FitStop::Converged);
  EXPECT_NEAR(r.values[0], 10.0, 0.1);
  EXPECT_NEAR(r.values[1], 0.001, 0.00001);
  EXPECT_NEAR(r.values[2], 10.0, 0.1);
  EXPECT_EQ(t.start.soils[0].KA[1], r.values[1]);  // the problem holds the fit
  EXPECT_GT(r.rmsBefore, 0.05);
  EXPECT_LT(r.rmsAfter, 1e-4);
  EXPECT_EQ(reported, r.iterations);
  ASSERT_TRUE(r.hasIntervals);
  for (int j = 0; j < 3; ++j) {
    EXPECT_LE(r.lower95[j], r.values[j]);
    EXPECT_GE(r.upper95[j], r.values[j]);
  }
  // the heads left are those of the fitted values: the observations agree with them
  const std::vector<ObservedHead> heads = ComputeObservedHeads(t.start, t.set);
  EXPECT_NEAR(ComputeStatistics(t.set, heads).rms, r.rmsAfter, 1e-12);
}

TEST(Fit, StopsAtABoundWithTheBestValuesWithinIt) {
  Truth t = FitCase();
  t.start.soils[0].KA[1] = 0.001;
  t.start.soils[0].K[1] = 10.0;
  auto params = Parameters(t.start, {"K:1:1"});
  params[0].lower = 20.0;  // the truth, 10, lies below
  const FitResult r = RunFit(t.start, t.set, params, FitOptions{});
  EXPECT_EQ(r.stop, FitStop::Bound);
  EXPECT_EQ(r.message, "K:1:1 reached its bound 20 m/d");
  ASSERT_TRUE(r.holdsFit);
  EXPECT_NEAR(r.values[0], 20.0, 1e-9);  // the best value within the bounds
  EXPECT_LT(r.rmsAfter, r.rmsBefore);
}

TEST(Fit, AStartOutsideTheBoundsOrTooFewObservationsIsBadInput) {
  Truth t = FitCase();
  auto params = Parameters(t.start, {"K:1:1"});
  params[0].upper = 5.0;
  FitResult r = RunFit(t.start, t.set, params, FitOptions{});
  EXPECT_EQ(r.stop, FitStop::BadInput);
  EXPECT_EQ(r.message, "K:1:1 = 30 lies outside its bounds 1e-06 to 5 m/d");
  t.set.points.resize(2);
  r = RunFit(t.start, t.set, Parameters(t.start, {"K:1:1", "KA:1:2", "K:1:2"}), FitOptions{});
  EXPECT_EQ(r.stop, FitStop::BadInput);
  EXPECT_FALSE(r.holdsFit);
  EXPECT_EQ(r.solves, 0);
}

// The fit that cannot go on leaves the problem as it was.
void ExpectUnchanged(const Problem& before, const Problem& after) {
  EXPECT_EQ(after.soils[0].K[0], before.soils[0].K[0]);
  for (int n = 0; n < before.NN; ++n)
    for (int L = 0; L < before.NL; ++L) ASSERT_EQ(after.layers[n].F[L], before.layers[n].F[L]);
}

TEST(Fit, ARefusedSolveEndsItWithTheProblemAsItWas) {
  Truth t = FitCase();
  for (int n = 0; n < t.start.NN; ++n) t.start.nodes[n].Type = 0;  // no head given
  const Problem before = t.start;
  const FitResult r = RunFit(t.start, t.set, Parameters(t.start, {"K:1:1"}), FitOptions{});
  EXPECT_EQ(r.stop, FitStop::Refused);
  EXPECT_EQ(r.message.rfind("The solve was refused: No head is given in layers 1 and 2", 0), 0u)
      << r.message;
  EXPECT_FALSE(r.holdsFit);
  ExpectUnchanged(before, t.start);
}

TEST(Fit, CancelEndsItBeforeTheNextSolveWithTheProblemAsItWas) {
  Truth t = FitCase();
  const Problem before = t.start;
  int asked = 0;
  FitOptions options;
  options.cancelled = [&asked] { return ++asked > 4; };
  const FitResult r = RunFit(t.start, t.set, Parameters(t.start, {"K:1:1", "K:1:2"}), options);
  EXPECT_EQ(r.stop, FitStop::Cancelled);
  EXPECT_EQ(r.solves, 4);
  EXPECT_FALSE(r.holdsFit);
  ExpectUnchanged(before, t.start);
}

TEST(Fit, TheMostSolvesEndsItWithTheBestValuesSoFar) {
  Truth t = FitCase();
  FitOptions options;
  options.maxSolves = 5;
  const FitResult r = RunFit(t.start, t.set, Parameters(t.start, {"K:1:1", "K:1:2"}), options);
  EXPECT_EQ(r.stop, FitStop::MaxSolves);
  EXPECT_EQ(r.message, "Stopped after 5 solves");
  ASSERT_TRUE(r.holdsFit);
  EXPECT_LT(r.rmsAfter, r.rmsBefore);
}

TEST(FitParameter, TextsOutsideTheProblemAreRefused) {
  const Problem p = LeakyStrip();  // NB = 1, NL = 2
  const std::pair<const char*, const char*> cases[] = {
      {"K:2:1", "--param K:2:1: the block must be 1 to 1"},
      {"K:1:3", "--param K:1:3: the layer must be 1 to 2"},
      {"KA:1:1", "--param KA:1:1: layer 1 has no aquitard above it"},
      {"I:1:1", "--param I:1:1: give K:B:L, KA:B:L or I:B"},
      {"Q:1", "--param Q:1: give K:B:L, KA:B:L or I:B"},
      {"K:x:1", "--param K:x:1: the block must be 1 to 1"},
  };
  for (const auto& [text, message] : cases) {
    FitParameter q;
    std::string got;
    EXPECT_FALSE(ParseFitParameter(text, p, q, got)) << text;
    EXPECT_EQ(got, message);
  }
  double lo = 0, hi = 0;
  std::string got;
  EXPECT_FALSE(ParseFitBounds("5,1", lo, hi, got));
  EXPECT_TRUE(ParseFitBounds("0.5,50", lo, hi, got));
  EXPECT_EQ(lo, 0.5);
  EXPECT_EQ(hi, 50.0);
}

}  // namespace
}  // namespace planaq
