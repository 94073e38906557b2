#pragma once
// The water balance of a solved problem, per aquifer and per aquitard, from the heads F and
// supplies Q the Solve left in the problem.
//
// Sign convention: every aquifer figure is a flow in m3/d that is positive into the aquifer
// (the "in" figures are >= 0, the "out" figures <= 0), so the aquifer's error is their sum;
// the leakage of an aquitard is positive downward, from the aquifer above into the one below.

#include <string>
#include <vector>

#include "model/Problem.h"

namespace planaq {

struct AquiferBalance {
  double infiltration = 0.0;  // layer 1 only: I times the area of the elements
  double wellsIn = 0.0, wellsOut = 0.0;
  double givenIn = 0.0, givenOut = 0.0;  // at the given heads, beyond their wells and infiltration
  double seepage = 0.0;  // layer 1 only: out through the open tops whose head stands at T
  double aboveIn = 0.0, aboveOut = 0.0;  // through the aquitard above
  double belowIn = 0.0, belowOut = 0.0;  // through the aquitard below
  double error = 0.0;                    // the sum of all the figures above
  double relativeError = 0.0;            // error / Inflow(), 0 when nothing flows in

  double Inflow() const;
};

struct AquitardBalance {
  double netDownward = 0.0;
  double largestLocal = 0.0;  // the local leakage of the largest magnitude, signed
  int largestNode = -1;       // its node (0-based), -1 without leakage
};

struct WaterBalance {
  std::vector<AquiferBalance> aquifers;    // NL
  std::vector<AquitardBalance> aquitards;  // NL - 1
};

// The leakage is that of the solver's coupling (the consistent distribution of area / c over
// the nodes, c the AquitardResistance of each element) applied to the final heads, as the
// supplies Q were. Where a head is given, or the top of layer 1 is open over an unknown head
// that stands at the top, the exchange is Q minus the node's wells and infiltration (the
// seepage, negative, at an open top); elsewhere Q minus those is the iteration's residual and
// shows in the error only.
WaterBalance ComputeWaterBalance(const Problem& problem);

// Texts of the balance: a row per aquifer, then a row per aquitard. The aquifer figures use
// the aquifer columns, the aquitard figures the last three; other cells are empty.
std::vector<std::string> WaterBalanceColumns();
std::vector<std::vector<std::string>> WaterBalanceRows(const WaterBalance& balance);
// Fixed-width text (cells right-aligned to 12 characters) and CSV, both ending in a newline.
// The text gives the aquifers in blocks of at most blockColumns figures, then the aquitards.
std::string WaterBalanceText(const WaterBalance& balance, int blockColumns = 13);
std::string WaterBalanceCsv(const WaterBalance& balance);

}  // namespace planaq
