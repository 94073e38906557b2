#include "results/TraceGuard.h"

namespace planaq {

ProblemShape ProblemShape::Of(const Problem& p) {
  const auto n = [](std::size_t s) { return static_cast<long long>(s); };
  return ProblemShape{{p.NA, p.NB, p.NN, p.NM, p.NL, p.NW, p.NP, n(p.nodes.size()),
                       n(p.layers.size()), n(p.blocks.size()), n(p.elements.size()),
                       n(p.soils.size()), n(p.wells.size()), n(p.particles.size()),
                       n(p.blockColour.size())}};
}

bool TablesHoldTheCounts(const Problem& p) {
  const auto within = [](long long count, std::size_t size) {
    return count >= 0 && count <= static_cast<long long>(size);
  };
  return within(p.NN, p.nodes.size()) && within(p.NN, p.layers.size()) &&
         within(p.NA, p.nodes.size()) && within(p.NB, p.blocks.size()) &&
         within(p.NB, p.soils.size()) && within(p.NB, p.blockColour.size()) &&
         within(p.NM, p.elements.size()) && within(p.NW, p.wells.size()) &&
         within(p.NP, p.particles.size()) && p.NL >= 1 && p.NL <= kMaxLayers;
}

bool TraceGuard::Process() {
  const bool go = inner_.Process();
  if (ProblemShape::Of(problem_) != start_) changed_ = true;
  return go && !changed_;
}

}  // namespace planaq
