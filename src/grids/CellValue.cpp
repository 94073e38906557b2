#include "grids/CellValue.h"

#include <cctype>
#include <cmath>
#include <cstdio>

#include "files/Datafile.h"
#include "files/Tokens.h"

namespace planaq {

namespace {

// "inf", "infinity" and "nan" after blanks and a sign, in any case
bool SpellsNonFinite(const std::string& text) {
  std::size_t i = 0;
  while (i < text.size() && std::isspace(static_cast<unsigned char>(text[i]))) ++i;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
  std::string word;
  for (; i < text.size() && word.size() < 3; ++i)
    word += static_cast<char>(std::tolower(static_cast<unsigned char>(text[i])));
  return word == "inf" || word == "nan";
}

}  // namespace

CellReal ReadCellReal(const std::string& text) {
  if (SpellsNonFinite(text)) return CellReal{false, 0.0, "Enter real number"};
  const double v = LeadingReal(text);
  if (std::isnan(v)) return CellReal{false, 0.0, "Enter real number"};
  if (v > kLargestDatafileValue) return CellReal{false, 0.0, "Enter real number <= 1e12"};
  if (v < -kLargestDatafileValue) return CellReal{false, 0.0, "Enter real number >= -1e12"};
  // "-0" is zero: it would show and save as "-0.000"
  return CellReal{true, v == 0.0 ? 0.0 : v, {}};
}

std::string FormatReal(const char* format, double value) {
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, format, value);
  return buffer;
}

std::string FormatInt(const char* format, int value) {
  char buffer[32];
  std::snprintf(buffer, sizeof buffer, format, value);
  return buffer;
}

CellOutcome Refused(std::string shown, std::string message) {
  return CellOutcome{std::move(shown), std::move(message), false};
}

}  // namespace planaq
