#include "grids/ParticlesGrid.h"

#include <algorithm>

namespace planaq {

namespace {

double* StoredValue(Particle& p, int col) {
  switch (col) {
    case kParticleX:
      return &p.X0;
    case kParticleY:
      return &p.Y0;
    case kParticleZ:
      return &p.Z0;
    default:
      return nullptr;
  }
}

double Held(const Problem& problem, int col, double v) {
  v = std::max(v, 0.0);
  if (col == kParticleX) return std::min(v, problem.LX);
  if (col == kParticleY) return std::min(v, problem.LY);
  return v;
}

}  // namespace

std::string ParticlesCellText(const Problem& problem, int col, int particle) {
  const Particle& p = problem.particles[particle];
  switch (col) {
    case kParticleI:
      return FormatInt("%6d", particle + 1);
    case kParticleX:
      return FormatReal("%11.3f", p.X0);
    case kParticleY:
      return FormatReal("%11.3f", p.Y0);
    case kParticleZ:
      return FormatReal("%11.3f", p.Z0);
    default:
      return {};
  }
}

CellOutcome StoreParticleCell(Problem& problem, int col, int particle, const std::string& text) {
  const bool counted = particle >= 0 && particle < problem.NP &&
                       particle < static_cast<int>(problem.particles.size());
  if (!counted) return CellOutcome{text, {}, true};
  double* value = StoredValue(problem.particles[particle], col);
  if (value) {
    const CellReal read = ReadCellReal(text);
    if (!read.ok) return Refused(ParticlesCellText(problem, col, particle), read.message);
    *value = Held(problem, col, read.value);
  }
  return CellOutcome{ParticlesCellText(problem, col, particle), {}, true};
}

std::string ParticlesHelpText() {
  return std::string("Particles :\n\n") + "- i : Particle number,\n" +
         "- X : Initial x-coordinate of particle i (m),\n" +
         "- Y : Initial y-coordinate of particle i (m),\n" +
         "- Z : Initial z-coordinate of particle i (m).\n";
}

}  // namespace planaq
