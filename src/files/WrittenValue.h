#pragma once
// Positive quantities whose zero means something else (no conduction, no porosity, no time
// between marks) must not be written as zero: the format of their column decides the smallest
// positive value a datafile keeps.

#include <string>

namespace planaq {

struct KeptColumn {
  const char* name;      // as the file's headings name it
  const char* format;    // the decimals of the written value
  const char* smallest;  // the smallest positive value written as itself
};

constexpr KeptColumn kKeptK{"K", "%.6f", "0.000001"};
constexpr KeptColumn kKeptKA{"K'", "%.6f", "0.000001"};
constexpr KeptColumn kKeptP{"P", "%.4f", "0.0001"};
constexpr KeptColumn kKeptPA{"P'", "%.4f", "0.0001"};
constexpr KeptColumn kKeptR{"R", "%.4f", "0.0001"};
constexpr KeptColumn kKeptRA{"R'", "%.4f", "0.0001"};
constexpr KeptColumn kKeptTM{"TM", "%.3f", "0.001"};

// Empty when v is not positive or is written as a positive number; otherwise what is wrong:
// "K = 4e-07 would be written as 0; the smallest positive K a datafile keeps is 0.000001".
std::string WrittenAsZero(const KeptColumn& column, double v);

}  // namespace planaq
