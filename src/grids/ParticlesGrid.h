#pragma once
// The cell rules of the Particles grid: one particle per row with its initial position.
// Particles are 0-based here; the grid shows them 1-based. The tracking state is not shown
// and never changed.

#include <string>

#include "grids/CellValue.h"
#include "model/Problem.h"

namespace planaq {

enum ParticlesColumn { kParticleI = 0, kParticleX, kParticleY, kParticleZ };
constexpr int kParticlesColumns = 4;

// The text of the cell of particle in column col.
std::string ParticlesCellText(const Problem& problem, int col, int particle);

// StoreParticleCell: X held to 0..LX, Y to 0..LY, Z to 0 and above; a particle outside
// 1..NP is not stored. A real that a datafile cannot hold is refused.
CellOutcome StoreParticleCell(Problem& problem, int col, int particle, const std::string& text);

// The text of the window's Help key.
std::string ParticlesHelpText();

}  // namespace planaq
