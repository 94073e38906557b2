#pragma once
// The soil properties a fit may change: K of a block in a layer, K' of the aquitard above a
// layer, the infiltration I of a block. K and K' are searched on their logarithm, I directly.

#include <string>
#include <vector>

#include "model/Problem.h"

namespace planaq {

enum class FitKind { K, KA, I };

struct FitParameter {
  FitKind kind = FitKind::K;
  int block = 0;  // 0-based
  int layer = 0;  // 0-based; unused for I
  double lower = 1e-6, upper = 1e4;
};

constexpr double kFitLowestK = 1e-6, kFitHighestK = 1e4;  // m/d
constexpr double kFitLargestI = 1.0;                      // m/d, either sign

// "K:B:L", "KA:B:L" or "I:B" with 1-based numbers of the problem; the default bounds.
// false with the message when the text is not one of them, a number is outside the problem,
// L is 1 for KA (there is no aquitard above layer 1) or the value now lies outside the bounds.
bool ParseFitParameter(const std::string& text, const Problem& problem, FitParameter& parameter,
                       std::string& message);
// "LO,HI" for K and K': 0 < LO < HI, both storable.
bool ParseFitBounds(const std::string& text, double& lower, double& upper, std::string& message);

std::string FitParameterName(const FitParameter& parameter);  // "K:1:2", 1-based
double& FitValue(Problem& problem, const FitParameter& parameter);
double FitValue(const Problem& problem, const FitParameter& parameter);
bool SearchedOnLogarithm(const FitParameter& parameter);

}  // namespace planaq
