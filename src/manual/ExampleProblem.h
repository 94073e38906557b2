#pragma once
// The example problem that comes with the program: six blocks, two aquifers, a pumping well in
// the lower aquifer, an area of higher infiltration and a row of particles.

#include "model/Problem.h"

namespace planaq {

// Made with the program's own operations (blocks, Split 4, Add Well), not yet solved.
Problem MakeExampleProblem();

}  // namespace planaq
