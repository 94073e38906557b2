#pragma once
// printf-style formatting into a string, so every printed line keeps its exact format.

#include <string>

namespace planaq {

std::string Format(const char* format, ...) __attribute__((format(printf, 1, 2)));

}  // namespace planaq
