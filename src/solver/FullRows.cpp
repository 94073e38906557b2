#include "solver/FullRows.h"

namespace planaq {

FullRows BuildFullRows(const SparseSystem& s, const std::vector<unsigned char>& iterated) {
  const int NN = s.NN;
  FullRows rows;
  rows.start.assign(static_cast<std::size_t>(NN) + 1, 0);
  // entries of row i at start[i + 1] first, then the running sum
  for (int i = 0; i < NN; ++i) {
    if (iterated[i]) rows.start[i + 1] += s.rowStart[i + 1] - s.rowStart[i];
    for (int pos = s.rowStart[i] + 1; pos < s.rowStart[i + 1]; ++pos)
      if (iterated[s.column[pos]]) ++rows.start[s.column[pos] + 1];
  }
  for (int i = 0; i < NN; ++i) rows.start[i + 1] += rows.start[i];
  rows.column.resize(rows.start[NN]);
  rows.value.resize(rows.start[NN]);
  std::vector<int> next(rows.start.begin(), rows.start.end() - 1);
  // Row i is reached after every lower row has placed its entry in it, so the lower entries
  // come first and in increasing node order; the diagonal and the upper entries follow.
  for (int i = 0; i < NN; ++i) {
    const int begin = s.rowStart[i], end = s.rowStart[i + 1];
    if (iterated[i]) {
      rows.column[next[i]] = i;
      rows.value[next[i]++] = s.A[begin];
      for (int pos = begin + 1; pos < end; ++pos) {
        rows.column[next[i]] = s.column[pos];
        rows.value[next[i]++] = s.A[pos];
      }
    }
    for (int pos = begin + 1; pos < end; ++pos) {
      const int k = s.column[pos];
      if (!iterated[k]) continue;
      rows.column[next[k]] = i;
      rows.value[next[k]++] = s.A[pos];
    }
  }
  return rows;
}

}  // namespace planaq
