#pragma once
// One line of a written file, built with the fixed printf formats "%W.Pf" and "%Wd" byte for
// byte, without the C locale's decimal point and without a format string to parse per value.

#include <cstddef>
#include <string>
#include <string_view>

namespace planaq {

class TextLine {
 public:
  // "%<width>.<precision>f"
  TextLine& Real(double v, int width, int precision);
  // "%<width>d"
  TextLine& Int(int v, int width);
  TextLine& Text(std::string_view text);
  // Appends the line and starts the next one empty.
  void AppendTo(std::string& out);

 private:
  void PadTo(std::size_t start, int width);

  // room for four doubles of any size at nine decimals and a dozen integers on one line
  char buf_[2048];
  std::size_t n_ = 0;
};

}  // namespace planaq
