#include "files/TextLine.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstring>

namespace planaq {

void TextLine::PadTo(std::size_t start, int width) {
  const std::size_t length = n_ - start;
  if (length >= static_cast<std::size_t>(width)) return;
  const std::size_t pad = static_cast<std::size_t>(width) - length;
  std::memmove(buf_ + start + pad, buf_ + start, length);
  std::memset(buf_ + start, ' ', pad);
  n_ += pad;
}

// to_chars with a precision rounds the exact binary value to nearest, ties to even, as glibc's
// printf does, and writes the same sign for -0 and values that round to zero.
TextLine& TextLine::Real(double v, int width, int precision) {
  const std::size_t start = n_;
  if (!std::isfinite(v)) {
    // "inf", "-inf", "nan" as printf spells them
    const int n = std::snprintf(buf_ + n_, sizeof buf_ - n_, "%*.*f", width, precision, v);
    if (n > 0) n_ += static_cast<std::size_t>(n);
    return *this;
  }
  const auto written =
      std::to_chars(buf_ + n_, buf_ + sizeof buf_, v, std::chars_format::fixed, precision);
  n_ = static_cast<std::size_t>(written.ptr - buf_);
  PadTo(start, width);
  return *this;
}

TextLine& TextLine::Int(int v, int width) {
  const std::size_t start = n_;
  n_ = static_cast<std::size_t>(std::to_chars(buf_ + n_, buf_ + sizeof buf_, v).ptr - buf_);
  PadTo(start, width);
  return *this;
}

TextLine& TextLine::Text(std::string_view text) {
  const std::size_t n = std::min(text.size(), sizeof buf_ - n_);
  std::memcpy(buf_ + n_, text.data(), n);
  n_ += n;
  return *this;
}

void TextLine::AppendTo(std::string& out) {
  out.append(buf_, n_);
  n_ = 0;
}

}  // namespace planaq
