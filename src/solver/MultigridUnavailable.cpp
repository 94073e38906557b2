// A build without the multigrid library: the iteration cannot be made and fails at once.
#include "solver/Multigrid.h"
#include "solver/Solve.h"

namespace planaq {

struct MultigridIteration::State {
  std::vector<double> x;
};

struct MultigridHierarchy::Store {};
MultigridHierarchy::MultigridHierarchy(bool) : store_(std::make_unique<Store>()) {}
MultigridHierarchy::~MultigridHierarchy() = default;
void MultigridHierarchy::Release() {}
int MultigridHierarchy::setUps() const { return 0; }
double MultigridHierarchy::setUpSeconds() const { return 0.0; }

bool MultigridAvailable() { return false; }
std::string StartMultigrid(long long) { return ""; }

MultigridIteration::MultigridIteration(const SparseSystem& system, std::vector<double> heads,
                                       const std::vector<double>&,
                                       const std::vector<unsigned char>&,
                                       MultigridHierarchy* shared)
    : system_(system),
      state_(std::make_unique<State>()),
      own_(shared ? nullptr : std::make_unique<MultigridHierarchy>()),
      hierarchy_(shared ? *shared : *own_) {
  state_->x = std::move(heads);
}

MultigridIteration::~MultigridIteration() = default;
bool MultigridIteration::Step() { return false; }
double MultigridIteration::rho() const { return 0.0; }
bool MultigridIteration::failed() const { return true; }
const char* MultigridIteration::failure() const { return kMultigridUnavailableMessage; }
const std::vector<double>& MultigridIteration::heads() { return state_->x; }

}  // namespace planaq
