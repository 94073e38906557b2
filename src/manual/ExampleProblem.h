#pragma once
// The example problem that comes with the program: six blocks, two aquifers, a pumping well in
// the lower aquifer, an area of higher infiltration and a row of particles.

#include "model/Problem.h"

namespace planaq {

// Its six blocks with their soils, one element per block, as the block editor leaves them.
Problem MakeExampleBlocks();
// Made from those blocks with the program's own operations (Split 4, Add Well), not solved.
Problem MakeExampleProblem();

}  // namespace planaq
