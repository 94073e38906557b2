#include "solver/FlowField.h"

namespace planaq {

// The larger of the aquitard's own resistance and that of the half-thicknesses of the two
// aquifers it separates (full thicknesses, whatever the heads).
double AquitardResistance(const Problem& problem, int L, int e) {
  const Element& el = problem.elements[e];
  const Soil& soil = problem.soils[el.Block];
  double d = 0.0, below = 0.0, above = 0.0;
  for (int n : el.Node) {
    const NodeLayers& nl = problem.layers[n];
    d += nl.B[L] - nl.T[L + 1];
    below += nl.T[L + 1] - nl.B[L + 1];
    above += nl.T[L] - nl.B[L];
  }
  const double f = (d > 0.001 && soil.KA[L + 1] < 2000.0) ? d / (3.0 * soil.KA[L + 1]) : 0.0;
  const double g = below / (6.0 * soil.K[L + 1]) + above / (6.0 * soil.K[L]);
  return f >= g ? f : g;
}

}  // namespace planaq
