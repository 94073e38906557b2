#include <gtest/gtest.h>

#include "grids/ParticlesGrid.h"

namespace planaq {
namespace {

// two particles on a problem of 2000 by 1000 m
Problem TwoParticles() {
  Problem p;
  p.StartUp(Capacities{});
  p.NP = 2;
  p.particles[1] = Particle{};
  p.particles[1].X0 = p.particles[1].Y0 = p.particles[1].Z0 = 10.0;
  return p;
}

struct ParticleCase {
  const char* name;
  int col;
  const char* text;
  double stored;
};

class ParticlesCells : public ::testing::TestWithParam<ParticleCase> {};

TEST_P(ParticlesCells, AreHeldToTheProblem) {
  const ParticleCase& c = GetParam();
  Problem p = TwoParticles();
  const CellOutcome out = StoreParticleCell(p, c.col, 1, c.text);
  EXPECT_TRUE(out.moveOn);
  EXPECT_EQ(out.message, "");
  const Particle& q = p.particles[1];
  const double values[] = {0.0, q.X0, q.Y0, q.Z0};
  EXPECT_DOUBLE_EQ(values[c.col], c.stored);
  EXPECT_EQ(out.text, FormatReal("%11.3f", c.stored));
}

INSTANTIATE_TEST_SUITE_P(
    Particles, ParticlesCells,
    ::testing::Values(ParticleCase{"NegativeXBecomes0", kParticleX, "-5", 0.0},
                      ParticleCase{"XAboveLXBecomesLX", kParticleX, "2001", 2000.0},
                      ParticleCase{"YAboveLYBecomesLY", kParticleY, "1500", 1000.0},
                      ParticleCase{"YInsideIsKept", kParticleY, "250.25", 250.25},
                      ParticleCase{"NegativeZBecomes0", kParticleZ, "-2", 0.0},
                      ParticleCase{"ZHasNoUpperLimit", kParticleZ, "1e6", 1e6},
                      ParticleCase{"NoNumberReadsAs0", kParticleZ, "abc", 0.0}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ParticlesCells, OutsideTheCountNothingIsStored) {
  Problem p = TwoParticles();
  p.particles[2].X0 = 3.0;
  const CellOutcome out = StoreParticleCell(p, kParticleX, 2, "500");
  EXPECT_TRUE(out.moveOn);
  EXPECT_EQ(p.particles[2].X0, 3.0);
  EXPECT_TRUE(StoreParticleCell(p, kParticleX, -1, "500").moveOn);
}

TEST(ParticlesCells, ZAFileCannotHoldIsRefused) {
  Problem p = TwoParticles();
  const CellOutcome out = StoreParticleCell(p, kParticleZ, 1, "1e13");
  EXPECT_FALSE(out.moveOn);
  EXPECT_EQ(out.message, "Enter real number <= 1e12");
  EXPECT_EQ(out.text, "     10.000");
  EXPECT_EQ(p.particles[1].Z0, 10.0);
}

}  // namespace
}  // namespace planaq
