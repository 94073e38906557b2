#include "observe/FitParameters.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <sstream>

#include "model/Values.h"

namespace planaq {

namespace {

std::vector<std::string> Split(const std::string& text, char separator) {
  std::vector<std::string> parts;
  std::stringstream in(text);
  std::string part;
  while (std::getline(in, part, separator)) parts.push_back(part);
  if (!text.empty() && text.back() == separator) parts.push_back("");
  return parts;
}

bool WholeNumber(const std::string& text, int& v) {
  if (text.empty()) return false;
  char* end = nullptr;
  const long n = std::strtol(text.c_str(), &end, 10);
  if (end != text.c_str() + text.size() || n < -1000000000L || n > 1000000000L) return false;
  v = static_cast<int>(n);
  return true;
}

bool Real(const std::string& text, double& v) {
  if (text.empty()) return false;
  char* end = nullptr;
  v = std::strtod(text.c_str(), &end);
  return end == text.c_str() + text.size() && IsStorable(v);
}

}  // namespace

bool ParseFitParameter(const std::string& text, const Problem& problem, FitParameter& p,
                       std::string& message) {
  const std::vector<std::string> parts = Split(text, ':');
  const std::string usage = "--param " + text + ": give K:B:L, KA:B:L or I:B";
  if (parts.empty()) return message = usage, false;
  const std::string& kind = parts[0];
  const bool layered = kind == "K" || kind == "KA";
  if ((!layered && kind != "I") || parts.size() != (layered ? 3u : 2u))
    return message = usage, false;
  p = FitParameter{};
  p.kind = kind == "K" ? FitKind::K : kind == "KA" ? FitKind::KA : FitKind::I;
  int block = 0, layer = 1;
  if (!WholeNumber(parts[1], block) || block < 1 || block > problem.NB)
    return message = "--param " + text + ": the block must be 1 to " + std::to_string(problem.NB),
           false;
  if (layered && (!WholeNumber(parts[2], layer) || layer < 1 || layer > problem.NL))
    return message = "--param " + text + ": the layer must be 1 to " + std::to_string(problem.NL),
           false;
  if (p.kind == FitKind::KA && layer == 1)
    return message = "--param " + text + ": layer 1 has no aquitard above it", false;
  p.block = block - 1;
  p.layer = layer - 1;
  if (p.kind == FitKind::I) {
    p.lower = -kFitLargestI;
    p.upper = kFitLargestI;
  } else {
    p.lower = kFitLowestK;
    p.upper = kFitHighestK;
  }
  return true;
}

bool ParseFitBounds(const std::string& text, double& lower, double& upper, std::string& message) {
  const std::vector<std::string> parts = Split(text, ',');
  if (parts.size() != 2 || !Real(parts[0], lower) || !Real(parts[1], upper) || !(lower > 0.0) ||
      !(upper > lower)) {
    message = "--bounds " + text + ": give LO,HI with 0 < LO < HI (m/d)";
    return false;
  }
  return true;
}

std::string FitParameterName(const FitParameter& p) {
  const std::string block = std::to_string(p.block + 1);
  switch (p.kind) {
    case FitKind::K:
      return "K:" + block + ":" + std::to_string(p.layer + 1);
    case FitKind::KA:
      return "KA:" + block + ":" + std::to_string(p.layer + 1);
    case FitKind::I:
      return "I:" + block;
  }
  return "";
}

namespace {

// the field of the soil that the parameter names, for a const and a mutable soil alike
template <class SoilT>
auto& FieldOf(SoilT& soil, const FitParameter& p) {
  switch (p.kind) {
    case FitKind::K:
      return soil.K[p.layer];
    case FitKind::KA:
      return soil.KA[p.layer];
    case FitKind::I:
      break;
  }
  return soil.I;
}

}  // namespace

double& FitValue(Problem& problem, const FitParameter& p) {
  return FieldOf(problem.soils[p.block], p);
}

double FitValue(const Problem& problem, const FitParameter& p) {
  return FieldOf(problem.soils[p.block], p);
}

bool SearchedOnLogarithm(const FitParameter& p) { return p.kind != FitKind::I; }

}  // namespace planaq
