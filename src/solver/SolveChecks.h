#pragma once
// What Solve looks at before its first cycle: data it cannot solve (refused, nothing changes),
// data it solves but the user should know of (warned), and parts of the layered system that no
// given head reaches, whose heads have no unique solution.

#include <string>

#include "model/Problem.h"

namespace planaq {

struct DataCheck {
  std::string refusal;  // empty: Solve may start
  std::string warning;  // empty: nothing to warn of
};

// Refused: a bottom above its top at a node of an element with a block; K <= 0 in an aquifer or
// K' < 0 in an aquitard (layers 2..NL) of a block that an element uses. Warned: elements of a
// block with zero area; P, R, P' or R' of 0 or less in a block used, when particles are traced.
DataCheck CheckData(const Problem& problem);

// The parts of the layered system without a given head, or "" when every part has one. The
// nodes of a layer are joined by the elements of positive area that conduct in the layer, and a
// node to the same node of the next layer where the aquitard between them leaks. A node and
// layer that no such element or aquitard reaches takes no part (Solve keeps its head).
std::string CheckDetermined(const Problem& problem);

}  // namespace planaq
