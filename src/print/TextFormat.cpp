#include "print/TextFormat.h"

#include <cstdarg>
#include <cstdio>
#include <vector>

namespace planaq {

std::string Format(const char* format, ...) {
  std::va_list args;
  va_start(args, format);
  std::va_list again;
  va_copy(again, args);
  const int size = std::vsnprintf(nullptr, 0, format, args);
  va_end(args);
  std::string text;
  if (size > 0) {
    std::vector<char> buffer(static_cast<std::size_t>(size) + 1);
    std::vsnprintf(buffer.data(), buffer.size(), format, again);
    text.assign(buffer.data(), static_cast<std::size_t>(size));
  }
  va_end(again);
  return text;
}

}  // namespace planaq
