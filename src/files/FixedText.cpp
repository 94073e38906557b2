#include "files/FixedText.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstring>

namespace planaq {
namespace {
// More than any double takes in fixed notation with up to twelve decimals, and its padding.
constexpr std::size_t kFieldRoom = 400;
constexpr std::size_t kShort = 32;
constexpr char kSpaces[kShort + 1] = "                                ";
}  // namespace

FixedText::FixedText(std::string& out) : out_(out), n_(out.size()) {}

void FixedText::Grow(std::size_t bytes) {
  // a reserved string is filled up to its capacity before it grows
  out_.resize(std::max({2 * out_.size(), n_ + bytes, out_.capacity()}));
}

// The field right-aligned in width. Short fields, nearly all of them, are moved in blocks of
// kShort bytes, which compile to a few stores instead of calls; what lands beyond the field
// is overwritten by the next one or cut off at the end.
void FixedText::Place(char* at, const char* digits, std::size_t length, int width) {
  const std::size_t w = static_cast<std::size_t>(std::max(width, 0));
  const std::size_t pad = length < w ? w - length : 0;
  if (length <= kShort && w <= kShort) {
    std::memcpy(at, kSpaces, kShort);
    std::memcpy(at + pad, digits, kShort);
  } else {
    std::memset(at, ' ', pad);
    std::memcpy(at + pad, digits, length);
  }
  n_ += pad + length;
}

// to_chars with a precision rounds the exact binary value to nearest, ties to even, as glibc's
// printf does, and writes the same sign for -0 and values that round to zero.
FixedText& FixedText::Real(double v, int width, int precision) {
  char* at = Room(kFieldRoom + kShort + static_cast<std::size_t>(std::max(width, 0)));
  if (!std::isfinite(v)) {
    // "inf", "-inf", "nan" as printf spells them
    const int n = std::snprintf(at, kFieldRoom, "%*.*f", width, precision, v);
    if (n > 0) n_ += static_cast<std::size_t>(n);
    return *this;
  }
  char digits[kFieldRoom];
  const auto written =
      std::to_chars(digits, digits + kFieldRoom, v, std::chars_format::fixed, precision);
  Place(at, digits, static_cast<std::size_t>(written.ptr - digits), width);
  return *this;
}

FixedText& FixedText::Int(int v, int width) {
  char* at = Room(kFieldRoom + kShort + static_cast<std::size_t>(std::max(width, 0)));
  char digits[kShort];
  const auto written = std::to_chars(digits, digits + kShort, v);
  Place(at, digits, static_cast<std::size_t>(written.ptr - digits), width);
  return *this;
}

FixedText& FixedText::Text(std::string_view text) {
  std::memcpy(Room(text.size()), text.data(), text.size());
  n_ += text.size();
  return *this;
}

}  // namespace planaq
