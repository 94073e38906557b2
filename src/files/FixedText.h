#pragma once
// Text written onto the end of a string with the fixed printf formats "%W.Pf" and "%Wd", byte
// for byte, without the C locale's decimal point and without a format string to parse per
// value.

#include <cstddef>
#include <string>
#include <string_view>

namespace planaq {

class FixedText {
 public:
  // Writes after what out holds; out has its final length once Finish has run.
  explicit FixedText(std::string& out);
  ~FixedText() { Finish(); }
  FixedText(const FixedText&) = delete;
  FixedText& operator=(const FixedText&) = delete;

  // "%<width>.<precision>f"
  FixedText& Real(double v, int width, int precision);
  // "%<width>d"
  FixedText& Int(int v, int width);
  FixedText& Text(std::string_view text);
  FixedText& Char(char c) {
    *Room(1) = c;
    ++n_;
    return *this;
  }
  // The bytes written so far, of which out holds the first ones.
  std::size_t size() const { return n_; }
  void Finish() { out_.resize(n_); }

 private:
  char* Room(std::size_t bytes) {
    if (out_.size() - n_ < bytes) Grow(bytes);
    return out_.data() + n_;
  }
  void Grow(std::size_t bytes);
  void Place(char* at, const char* digits, std::size_t length, int width);

  std::string& out_;
  std::size_t n_;  // the bytes written; out_ is longer while writing goes on
};

}  // namespace planaq
