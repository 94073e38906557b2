#pragma once
// The flow field of the solved heads: point location, element discharge, the mean discharge
// that sets the pathline time step, and the state of every particle.

#include "model/Problem.h"

namespace planaq {

struct Discharge {
  double qx = 0.0;
  double qy = 0.0;
};

// The element containing (x, y), searched start, start+1, start-1, start+2, ...; -1 if none.
int LocateElement(const Problem& problem, double x, double y, int start);

// Specific discharge of element e in aquifer L (0-based); zero for an element of no area.
Discharge ElementDischarge(const Problem& problem, int e, int L);

// Sum of K |grad F| over all layers and elements of positive area, divided by NL * NM.
double MeanDischarge(const Problem& problem);

// Resistance c (d) of the aquitard between aquifer L and L+1 (0-based) for element e.
double AquitardResistance(const Problem& problem, int L, int e);

// Resets every particle to its initial position, locates it and evaluates its velocity.
void InitParticles(Problem& problem);

// After particle i has moved: finds its element and layer again and re-evaluates its velocity
// when either changed.
void UpdateParticle(Problem& problem, int i);

// What follows every datafile read and every Solve: InitParticles, then the mean discharge
// stored in the problem.
void PrepareFlowField(Problem& problem);

}  // namespace planaq
