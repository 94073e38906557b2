#pragma once
// One row of the coupled product, shared by the plain product and the iteration. Row i adds
// its own terms on top of what the lower rows have added to y(i), and gives every upper
// neighbour k its share in y(k), so that the sums of a layer always have the same order:
// the lower rows by increasing node, the diagonal, the upper neighbours in pattern order.
//
// The layer count is a template argument so that the layer loops unroll and the values of a
// position stay in registers. An even number of layers is computed two layers at a time, with
// the same operations in the same order as one layer at a time.

#include <algorithm>
#include <cstddef>
#include <cstring>

#include "solver/SparseSystem.h"

namespace planaq {

// The arrays of the system as plain pointers, taken once per pass: a store into y could
// otherwise, for the compiler, have changed the vectors that hold them.
struct SystemView {
  const int* column;
  const int* rowStart;
  const double* A;
  const double* C;
  int lastPosition;
  explicit SystemView(const SparseSystem& s)
      : column(s.column.data()),
        rowStart(s.rowStart.data()),
        A(s.A.data()),
        C(s.C.data()),
        lastPosition(s.NZ - 1) {}
};

namespace row_product {

// The values of the positions some rows ahead are asked for early: the memory keeps up with
// the arithmetic only when it is told in time where the stream goes.
constexpr int kPrefetchPositions = 48;

template <int NL>
inline void PrefetchAhead(const SystemView& s, int pos) {
  const std::size_t ahead =
      static_cast<std::size_t>(std::min(pos + kPrefetchPositions, s.lastPosition));
  __builtin_prefetch(s.A + ahead * NL);
  if (NL > 1) __builtin_prefetch(s.C + ahead * (NL - 1));
}

// Two layers side by side in one register; the compiler maps it to the machine's vectors.
using Pair = double __attribute__((vector_size(16)));

inline Pair LoadPair(const double* a) {
  Pair v;
  std::memcpy(&v, a, sizeof v);
  return v;
}

inline void StorePair(double* a, Pair v) { std::memcpy(a, &v, sizeof v); }

// The layer values of one node in pairs: here (L, L + 1), and the layer before and after each
// in number, previous (L - 1, L) and next (L + 1, L + 2). The first and last layer have no
// such neighbour: there a zero value meets a zero leakage, and subtracting their product (+0)
// changes nothing.
template <int NL>
struct LayerPairs {
  static constexpr int N = NL / 2;
  Pair here[N], previous[N], next[N];
  explicit LayerPairs(const double* x) {
    for (int k = 0; k < N; ++k) here[k] = LoadPair(x + 2 * k);
    previous[0] = Pair{0.0, x[0]};
    for (int k = 0; k + 1 < N; ++k) {
      next[k] = LoadPair(x + 2 * k + 1);
      previous[k + 1] = next[k];
    }
    next[N - 1] = Pair{x[NL - 1], 0.0};
  }
};

// The values of one position in pairs: conductance (L, L + 1), the leakage to the previous
// layer of each (aquitards L - 1, L) and to the next layer of each (aquitards L, L + 1).
template <int NL>
struct PositionPairs {
  static constexpr int N = NL / 2;
  Pair a[N], toPrevious[N], toNext[N];
  PositionPairs(const double* A, const double* C) {
    for (int k = 0; k < N; ++k) a[k] = LoadPair(A + 2 * k);
    toPrevious[0] = Pair{0.0, C[0]};
    for (int k = 1; k < N; ++k) toPrevious[k] = LoadPair(C + 2 * k - 1);
    for (int k = 0; k + 1 < N; ++k) toNext[k] = LoadPair(C + 2 * k);
    toNext[N - 1] = Pair{C[NL - 2], 0.0};
  }
  // a x(L) - c x(L - 1) - c x(L + 1), in that order, for each layer
  Pair Times(const LayerPairs<NL>& x, int k) const {
    return (a[k] * x.here[k] - toPrevious[k] * x.previous[k]) - toNext[k] * x.next[k];
  }
};

// Inlined into the loops over the rows, so that the row's sums stay in registers.
#define PLANAQ_ROW_INLINE inline __attribute__((always_inline))

template <int NL>
PLANAQ_ROW_INLINE void AddRowInPairs(const SystemView s, int i, const double* x, double* y,
                                     double* yi) {
  constexpr int N = NL / 2;
  const int start = s.rowStart[i];
  const int end = s.rowStart[i + 1];
  const std::size_t ji = static_cast<std::size_t>(i) * NL;
  const LayerPairs<NL> xi(x + ji);
  Pair sum[N];
  PrefetchAhead<NL>(s, start);
  {
    const PositionPairs<NL> m(s.A + static_cast<std::size_t>(start) * NL,
                              s.C + static_cast<std::size_t>(start) * (NL - 1));
    for (int k = 0; k < N; ++k) sum[k] = LoadPair(y + ji + 2 * k) + m.Times(xi, k);
  }
  for (int pos = start + 1; pos < end; ++pos) {
    PrefetchAhead<NL>(s, pos);
    const std::size_t jk = static_cast<std::size_t>(s.column[pos]) * NL;
    const LayerPairs<NL> xk(x + jk);
    const PositionPairs<NL> m(s.A + static_cast<std::size_t>(pos) * NL,
                              s.C + static_cast<std::size_t>(pos) * (NL - 1));
    for (int k = 0; k < N; ++k) {
      sum[k] += m.Times(xk, k);
      StorePair(y + jk + 2 * k, LoadPair(y + jk + 2 * k) + m.Times(xi, k));
    }
  }
  for (int k = 0; k < N; ++k) StorePair(yi + 2 * k, sum[k]);
}

template <int NL>
PLANAQ_ROW_INLINE void AddRowByLayer(const SystemView s, int i, const double* x, double* y,
                                     double* yi) {
  constexpr int NC = NL > 1 ? NL - 1 : 1;
  const int start = s.rowStart[i];
  const int end = s.rowStart[i + 1];
  const std::size_t ji = static_cast<std::size_t>(i) * NL;
  const double* xi = x + ji;
  PrefetchAhead<NL>(s, start);
  {
    const double* a = s.A + static_cast<std::size_t>(start) * NL;
    const double* c = s.C + static_cast<std::size_t>(start) * (NL - 1);
    for (int L = 0; L < NL; ++L) {
      double v = a[L] * xi[L];
      if (L > 0) v -= c[(L - 1) % NC] * xi[(L - 1) % NL];
      if (L < NL - 1) v -= c[L % NC] * xi[(L + 1) % NL];
      yi[L] = y[ji + L] + v;
    }
  }
  for (int pos = start + 1; pos < end; ++pos) {
    PrefetchAhead<NL>(s, pos);
    const std::size_t jk = static_cast<std::size_t>(s.column[pos]) * NL;
    const double* xk = x + jk;
    double* yk = y + jk;
    const double* a = s.A + static_cast<std::size_t>(pos) * NL;
    const double* c = s.C + static_cast<std::size_t>(pos) * (NL - 1);
    for (int L = 0; L < NL; ++L) {
      double vk = a[L] * xk[L];
      double vi = a[L] * xi[L];
      if (L > 0) {
        vk -= c[(L - 1) % NC] * xk[(L - 1) % NL];
        vi -= c[(L - 1) % NC] * xi[(L - 1) % NL];
      }
      if (L < NL - 1) {
        vk -= c[L % NC] * xk[(L + 1) % NL];
        vi -= c[L % NC] * xi[(L + 1) % NL];
      }
      yi[L] += vk;
      yk[L] += vi;
    }
  }
}

}  // namespace row_product

// Row i of y = A x: its complete sum goes to yi[0 .. NL), which the caller stores; the upper
// neighbours' shares are added into y.
template <int NL>
PLANAQ_ROW_INLINE void AddRow(const SystemView s, int i, const double* x, double* y, double* yi) {
  if constexpr (NL % 2 == 0) {
    row_product::AddRowInPairs<NL>(s, i, x, y, yi);
  } else {
    row_product::AddRowByLayer<NL>(s, i, x, y, yi);
  }
}

}  // namespace planaq
