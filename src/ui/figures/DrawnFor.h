#pragma once
// What a figure of the problem was drawn for, so a window can tell that its picture no longer
// fits: the tables (the area with them) and the size of the window.

#include <QSize>
#include <QWidget>
#include <cstdint>

#include "model/Fingerprint.h"
#include "model/Problem.h"

namespace planaq::ui {

struct DrawnFor {
  std::uint64_t tables = 0;
  QSize size;
  bool operator==(const DrawnFor& o) const { return tables == o.tables && size == o.size; }
  bool operator!=(const DrawnFor& o) const { return !(*this == o); }
};

inline DrawnFor PictureOf(const Problem& problem, const QWidget* window) {
  return {DatafileFingerprint(problem), window->size()};
}

}  // namespace planaq::ui
