#include "files/WrittenValue.h"

#include <cstdio>
#include <cstdlib>

namespace planaq {

std::string WrittenAsZero(const KeptColumn& column, double v) {
  if (!(v > 0.0)) return "";
  char written[64];
  std::snprintf(written, sizeof written, column.format, v);
  if (std::strtod(written, nullptr) > 0.0) return "";
  char given[32];
  std::snprintf(given, sizeof given, "%.6g", v);
  return std::string(column.name) + " = " + given +
         " would be written as 0; the smallest positive " + column.name + " a datafile keeps is " +
         column.smallest;
}

}  // namespace planaq
