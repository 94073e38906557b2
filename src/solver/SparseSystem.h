#pragma once
// The sparse storage of one Solve: the pattern shared by all layers and, per position, the
// conductance value of every layer and the leakage value of every aquitard.
//
// Values are stored position-major and sized to the layers in use: A[p * NL + L] and
// C[p * (NL - 1) + L]. Vectors of the iteration are node-major: x[i * NL + L].

#include <vector>

namespace planaq {

struct SparseSystem {
  int NL = 1;
  int NN = 0;
  int NZ = 0;
  long long capacity = 0;     // 5 * NMAX positions
  std::vector<int> column;    // -i at the row start of node i, else a neighbour k > i
  std::vector<int> rowStart;  // NN + 1 entries, the last one is NZ
  std::vector<double> A;      // conductance values, NL per position
  std::vector<double> C;      // leakage values, NL - 1 per position

  int RowEnd(int i) const { return rowStart[i + 1]; }
  // Creates the value arrays for the pattern, zero-filled.
  void AllocateValues() {
    A.assign(static_cast<std::size_t>(NZ) * NL, 0.0);
    C.assign(static_cast<std::size_t>(NZ) * (NL > 1 ? NL - 1 : 0), 0.0);
  }
};

}  // namespace planaq
