#pragma once
// What a file operation leaves for the user: ok, or the exact message to show.

#include <string>
#include <utility>

namespace planaq {

struct Outcome {
  bool ok = true;
  std::string message;
  static Outcome Fail(std::string text) { return Outcome{false, std::move(text)}; }
  explicit operator bool() const { return ok; }
};

}  // namespace planaq
