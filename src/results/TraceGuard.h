#pragma once
// A trace lets the window system run between its passes, and a command run meanwhile may
// replace or resize the tables that the trace walks (Open, New, a refinement, Quit). The guard
// stands between the trace and the window's hook: it stops the trace as soon as the counts or
// the table sizes differ from those at its start, so no step ever indexes a table that changed.

#include <array>
#include <cstddef>

#include "model/Problem.h"
#include "results/PendingEvents.h"

namespace planaq {

// The counts and table sizes that the tracer's indexes depend on.
struct ProblemShape {
  std::array<long long, 15> sizes{};
  static ProblemShape Of(const Problem& problem);
  bool operator==(const ProblemShape& o) const { return sizes == o.sizes; }
  bool operator!=(const ProblemShape& o) const { return !(*this == o); }
};

// Every count within its table: the problem can be drawn. Not so once Quit has released the
// tables, for instance.
bool TablesHoldTheCounts(const Problem& problem);

class TraceGuard : public PendingEvents {
 public:
  TraceGuard(const Problem& problem, PendingEvents& inner)
      : problem_(problem), inner_(inner), start_(ProblemShape::Of(problem)) {}
  bool Process() override;
  void LegendChanged(const std::string& legend) override { inner_.LegendChanged(legend); }
  // the problem changed under the trace
  bool Changed() const { return changed_; }

 private:
  const Problem& problem_;
  PendingEvents& inner_;
  const ProblemShape start_;
  bool changed_ = false;
};

}  // namespace planaq
