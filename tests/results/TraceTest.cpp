#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>

#include "Strip.h"
#include "canvas/RecordingCanvas.h"
#include "results/ContourFigure.h"
#include "results/TraceGuard.h"
#include "results/TraceParticles.h"

namespace planaq {
namespace {

using test::AddParticle;
using test::AddWell;
using test::MakeStrip;
using test::SetHeads;
using test::StripShape;

// One confined aquifer 2000 x 1000 m (16 elements), K = 10 m/d, gradient 0.005 toward +x,
// P = 0.4, R = 1, TM = 2000 d: q = 0.05 m/d, the particles move at 0.125 m/d.
Problem UniformFlow(int NL = 1) {
  Problem p = MakeStrip(StripShape{2000, 1000, 4, 2, NL});
  for (int L = 0; L < NL; ++L) SetHeads(p, L, [](double x, double) { return 20.0 - 0.005 * x; });
  return p;
}

class StepLog : public TraceObserver {
 public:
  void OnStep(const TraceStep& step) override { steps.push_back(step); }
  std::vector<TraceStep> Of(int particle) const {
    std::vector<TraceStep> out;
    for (const TraceStep& s : steps)
      if (s.particle == particle) out.push_back(s);
    return out;
  }
  std::vector<TraceStep> steps;
};

TraceSettings Settings(double h, StepLog* log) {
  TraceSettings s;
  s.lengthScale = h;
  s.captureDistance = h;
  s.observer = log;
  return s;
}

const PathMapping kIdentity = [](double x, double y, double) {
  return Point{static_cast<int>(x), static_cast<int>(y)};
};

TEST(TraceParticles, MarksStandTwoHundredFiftyMetresApartInUniformFlow) {
  Problem p = UniformFlow();
  AddParticle(p, 100.0, 400.0, 5.0);
  RecordingCanvas canvas;
  NoPendingEvents events;
  StepLog log;
  DrawContourFigure(p, 0, 801, 601, canvas, events, &log);
  EXPECT_DOUBLE_EQ(p.meanDischarge, 0.05);
  // the pathline comes after the elements and the contours
  const auto red = std::find(canvas.calls.begin(), canvas.calls.end(), "Pen 255,0,0");
  const auto navy = std::find(canvas.calls.begin(), canvas.calls.end(), "Pen 0,0,128");
  ASSERT_NE(navy, canvas.calls.end());
  EXPECT_LT(red, navy);

  const double h = 0.1 * std::sqrt((2000.0 * 2000.0 + 1000.0 * 1000.0) / 16.0);
  const double stepLength = 0.125 * 0.01 * h / 0.05;
  std::vector<TraceStep> marks;
  for (const TraceStep& s : log.Of(0))
    if (s.mark) marks.push_back(s);
  // 1900 m at 250 m a mark: the first step's mark and seven more
  ASSERT_EQ(marks.size(), 8u);
  EXPECT_EQ(marks[0].step, 1);
  for (std::size_t i = 1; i < marks.size(); ++i) {
    EXPECT_NEAR(marks[i].x - marks[i - 1].x, 250.0, stepLength);
    EXPECT_DOUBLE_EQ(marks[i].y, 400.0);
  }
  // the pathline ends where it leaves the mesh; afterwards the particle is back at its start
  EXPECT_GT(log.steps.back().x, 2000.0);
  EXPECT_DOUBLE_EQ(p.particles[0].X, 100.0);
}

struct CaptureCase {
  const char* name;
  double Q;
  int wellLayer;
  bool captured;
};

class WellCaptureTest : public ::testing::TestWithParam<CaptureCase> {};

TEST_P(WellCaptureTest, OnlyAnExtractionWellInTheParticlesLayerCaptures) {
  const CaptureCase& c = GetParam();
  Problem p = UniformFlow(2);
  // node 10 stands at (1500, 500)
  ASSERT_DOUBLE_EQ(p.nodes[10].X, 1500.0);
  ASSERT_DOUBLE_EQ(p.nodes[10].Y, 500.0);
  AddWell(p, 10, c.wellLayer, c.Q);
  AddParticle(p, 100.0, 505.0, 5.0);
  RecordingCanvas canvas;
  NoPendingEvents events;
  StepLog log;
  const double h = 50.0;
  const TraceResult r = TraceParticles(p, kIdentity, Settings(h, &log), canvas, events);
  EXPECT_EQ(r.unfinished, 0);
  const TraceStep& last = log.steps.back();
  if (c.captured) {
    EXPECT_EQ(last.x, 1500.0);
    EXPECT_EQ(last.y, 500.0);
    EXPECT_EQ(last.z, 5.0);
  } else {
    EXPECT_GT(last.x, 2000.0);
    EXPECT_DOUBLE_EQ(last.y, 505.0);
  }
}

INSTANTIATE_TEST_SUITE_P(Wells, WellCaptureTest,
                         ::testing::Values(CaptureCase{"Extraction", -100.0, 0, true},
                                           CaptureCase{"Injection", 100.0, 0, false},
                                           CaptureCase{"OtherLayer", -100.0, 1, false}),
                         [](const auto& info) { return std::string(info.param.name); });

struct StartCase {
  const char* name;
  double top;
  double expected;  // the mean over the nodes (0,0), (500,500), (0,500) of element 1
};

class AboveGroundTest : public ::testing::TestWithParam<StartCase> {};

TEST_P(AboveGroundTest, StartsAtTheLowerOfTopAndWaterTable) {
  const StartCase& c = GetParam();
  Problem p = UniformFlow();
  for (int n = 0; n < p.NN; ++n) p.layers[n].T[0] = c.top;
  AddParticle(p, 100.0, 400.0, 50.0);
  RecordingCanvas canvas;
  NoPendingEvents events;
  StepLog log;
  TraceParticles(p, kIdentity, Settings(50.0, &log), canvas, events);
  ASSERT_FALSE(log.steps.empty());
  EXPECT_EQ(log.steps[0].step, 0);
  EXPECT_NEAR(log.steps[0].z, c.expected, 1e-9);
}

INSTANTIATE_TEST_SUITE_P(Tops, AboveGroundTest,
                         ::testing::Values(StartCase{"ConfinedAtTheTop", 10.0, 10.0},
                                           StartCase{"UnconfinedAtTheWaterTable", 30.0,
                                                     (20.0 + 17.5 + 20.0) / 3.0}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(TraceParticles, AParticleThatNeverMovesEndsAndTheFigureReturns) {
  Problem p = MakeStrip(StripShape{});  // all heads 20: no flow
  AddParticle(p, 700.0, 300.0, 5.0);
  RecordingCanvas canvas;
  NoPendingEvents events;
  const TraceResult r = TraceParticles(p, kIdentity, Settings(50.0, nullptr), canvas, events);
  EXPECT_EQ(r.traced, 1);
  EXPECT_EQ(r.passes, 1);
  EXPECT_EQ(r.unfinished, 0);
  // no flow: the time step rests on 1e-6
  EXPECT_DOUBLE_EQ(p.meanDischarge, 1e-6);
  // its start is still marked
  EXPECT_EQ(canvas.Calls("LineTo").size(), 5u);
  const std::string legend = DrawContourFigure(p, 0, 801, 601, canvas, events);
  EXPECT_EQ(legend, "Minimum Contour : 20 m, Maximum Contour : 20 m, Contour Interval : 0.1 m");
}

TEST(TraceParticles, ThePassLimitEndsATraceAndResetsTheParticles) {
  Problem p = UniformFlow();
  AddParticle(p, 100.0, 400.0, 5.0);
  RecordingCanvas canvas;
  NoPendingEvents events;
  TraceSettings s = Settings(50.0, nullptr);
  s.maxPasses = 40;
  const TraceResult r = TraceParticles(p, kIdentity, s, canvas, events);
  EXPECT_EQ(r.passes, 40);
  EXPECT_EQ(r.unfinished, 1);
  EXPECT_FALSE(r.interrupted);
  EXPECT_DOUBLE_EQ(p.particles[0].X, 100.0);
  EXPECT_GE(p.particles[0].Element, 0);
}

class StopAfter : public PendingEvents {
 public:
  explicit StopAfter(int n) : left(n) {}
  bool Process() override { return --left > 0; }
  int left;
};

TEST(TraceParticles, TheWindowCanStopATraceBetweenPasses) {
  Problem p = UniformFlow();
  AddParticle(p, 100.0, 400.0, 5.0);
  RecordingCanvas canvas;
  StopAfter events(3);
  TraceSettings s = Settings(50.0, nullptr);
  s.resetAfter = false;
  const TraceResult r = TraceParticles(p, kIdentity, s, canvas, events);
  EXPECT_TRUE(r.interrupted);
  EXPECT_EQ(r.passes, 3);
  // no reset asked: the particle stays where the third step left it
  EXPECT_NEAR(p.particles[0].X, 100.0 + 3 * 0.125 * 0.01 * 50.0 / 0.05, 1e-9);
}

// What a command run between two passes may do to the tables the trace walks.
class ChangeTheProblem : public PendingEvents {
 public:
  ChangeTheProblem(Problem& p, std::function<void(Problem&)> change)
      : problem(p), change(std::move(change)) {}
  bool Process() override {
    if (++passes == 2) change(problem);
    return true;
  }
  Problem& problem;
  std::function<void(Problem&)> change;
  int passes = 0;
};

TEST(TraceGuard, StopsTheTraceWhenTheTablesChangeUnderIt) {
  const std::function<void(Problem&)> changes[] = {
      [](Problem& p) { p.particles.clear(); },              // Quit releases the tables
      [](Problem& p) { p.NP = 0; },                           // the General Grid lowers NP
      [](Problem& p) { p.NM = 1; },                           // a new mesh
      [](Problem& p) { p.elements.resize(p.NM); },            // new capacities
  };
  for (const auto& change : changes) {
    Problem p = UniformFlow();
    AddParticle(p, 100.0, 400.0, 5.0);
    RecordingCanvas canvas;
    ChangeTheProblem hook(p, change);
    TraceGuard guard(p, hook);
    const TraceResult r = TraceParticles(p, kIdentity, Settings(50.0, nullptr), canvas, guard);
    EXPECT_TRUE(r.interrupted);
    EXPECT_TRUE(guard.Changed());
    EXPECT_EQ(r.passes, 2) << "no pass after the change";
  }
}

TEST(TraceGuard, TablesHoldTheCountsUntilTheyAreReleased) {
  Problem p = UniformFlow();
  AddParticle(p, 100.0, 400.0, 5.0);
  EXPECT_TRUE(TablesHoldTheCounts(p));
  Problem released = p;
  released.nodes.clear();
  EXPECT_FALSE(TablesHoldTheCounts(released));
  Problem moreParticles = p;
  moreParticles.NP = static_cast<int>(p.particles.size()) + 1;
  EXPECT_FALSE(TablesHoldTheCounts(moreParticles));
}

TEST(TraceGuard, LetsAnUnchangedTraceRunToItsEnd) {
  Problem p = UniformFlow();
  AddParticle(p, 100.0, 400.0, 5.0);
  RecordingCanvas canvas;
  ChangeTheProblem hook(p, [](Problem& q) { q.layers[0].F[0] += 1.0; });  // a value, no shape
  TraceGuard guard(p, hook);
  const TraceResult r = TraceParticles(p, kIdentity, Settings(50.0, nullptr), canvas, guard);
  EXPECT_FALSE(r.interrupted);
  EXPECT_FALSE(guard.Changed());
  EXPECT_EQ(r.unfinished, 0);
}

TEST(TraceParticles, MarksAreSquaresOfTheGivenHalfSizeAroundTheNewPosition) {
  Problem p = UniformFlow();
  AddParticle(p, 100.0, 400.0, 5.0);
  RecordingCanvas canvas;
  NoPendingEvents events;
  TraceSettings s = Settings(50.0, nullptr);
  s.markHalfSize = 2;
  s.maxPasses = 1;
  TraceParticles(p, kIdentity, s, canvas, events);
  // the step from x = 100 to 101.25
  const std::vector<std::string> expected{"Pen 0,0,128",   "MoveTo 100 400", "LineTo 101 400",
                                          "MoveTo 99 398", "LineTo 103 398", "LineTo 103 402",
                                          "LineTo 99 402", "LineTo 99 398"};
  EXPECT_EQ(canvas.calls, expected);
}

TEST(TraceParticles, ParticlesOfOtherLayersAreDrawnBlue) {
  Problem p = UniformFlow(2);
  AddParticle(p, 100.0, 400.0, 5.0);    // layer 1
  AddParticle(p, 100.0, 600.0, -15.0);  // layer 2
  RecordingCanvas canvas;
  NoPendingEvents events;
  TraceSettings s = Settings(50.0, nullptr);
  s.maxPasses = 1;
  s.currentLayer = 1;
  TraceParticles(p, kIdentity, s, canvas, events);
  const auto pens = canvas.Calls("Pen ");
  ASSERT_EQ(pens.size(), 2u);
  EXPECT_EQ(pens[0], "Pen 0,0,255");
  EXPECT_EQ(pens[1], "Pen 0,0,128");
}

TEST(TraceParticles, TheDeepestAquiferHoldsASinkingParticleAtItsBase) {
  Problem p = UniformFlow();
  p.soils[0].I = 0.5;  // strong infiltration drives the particle down
  AddParticle(p, 100.0, 400.0, 1.0);
  RecordingCanvas canvas;
  NoPendingEvents events;
  StepLog log;
  TraceParticles(p, kIdentity, Settings(50.0, &log), canvas, events);
  for (const TraceStep& step : log.steps) ASSERT_GE(step.z, 0.0);
  // it goes on horizontally until it leaves the mesh
  EXPECT_GT(log.steps.back().x, 2000.0);
}

TEST(TraceParticles, AParticleOutsideTheMeshIsNotTraced) {
  Problem p = UniformFlow();
  AddParticle(p, -100.0, 400.0, 5.0);
  AddParticle(p, 100.0, 400.0, -50.0);  // below the only aquifer
  RecordingCanvas canvas;
  NoPendingEvents events;
  const TraceResult r = TraceParticles(p, kIdentity, Settings(50.0, nullptr), canvas, events);
  EXPECT_EQ(r.traced, 0);
  EXPECT_EQ(r.passes, 0);
  EXPECT_TRUE(canvas.calls.empty());
}

}  // namespace
}  // namespace planaq
