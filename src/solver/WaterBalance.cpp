#include "solver/WaterBalance.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "solver/ElementGeometry.h"
#include "solver/FlowField.h"

namespace planaq {

double AquiferBalance::Inflow() const {
  return (infiltration > 0.0 ? infiltration : 0.0) + (seepage > 0.0 ? seepage : 0.0) + wellsIn +
         givenIn + aboveIn + belowIn;
}

namespace {

using NodeValues = std::vector<double>;  // node-major: v[i * NL + L]

std::size_t At(int i, int L, int NL) { return static_cast<std::size_t>(i) * NL + L; }

void AddSigned(double v, double& in, double& out) { (v > 0.0 ? in : out) += v; }

// The working supply of the solver: wells, and in layer 1 a third of I times the area of every
// element at each of its nodes.
NodeValues WorkingSupply(const Problem& p, WaterBalance& balance) {
  const int NL = p.NL;
  NodeValues W(static_cast<std::size_t>(p.NN) * NL, 0.0);
  for (int w = 0; w < p.NW; ++w) {
    const Well& well = p.wells[w];
    if (well.Node < 0 || well.Node >= p.NN || well.Layer < 0 || well.Layer >= NL) continue;
    W[At(well.Node, well.Layer, NL)] += well.Q;
    AquiferBalance& a = balance.aquifers[well.Layer];
    AddSigned(well.Q, a.wellsIn, a.wellsOut);
  }
  for (int e = 0; e < p.NM; ++e) {
    if (!p.HasValidBlock(e)) continue;
    const double share = p.soils[p.elements[e].Block].I * std::fabs(GeometryOf(p, e).det) / 6.0;
    for (int n : p.elements[e].Node) W[At(n, 0, NL)] += share;
    balance.aquifers[0].infiltration += 3.0 * share;
  }
  return W;
}

// Downward leakage of every aquitard at every node: sum over k of C_L(i,k) (F_L(k) - F_L+1(k)),
// with C_L the area / c of each element over its nodes, a sixth on the diagonal and a twelfth
// off it, as the solver couples the layers.
NodeValues Leakage(const Problem& p) {
  const int NA = p.NL - 1;
  NodeValues leak(static_cast<std::size_t>(p.NN) * (NA > 0 ? NA : 0), 0.0);
  for (int e = 0; e < p.NM && NA > 0; ++e) {
    if (!p.HasValidBlock(e)) continue;
    const double delta = std::fabs(GeometryOf(p, e).det);
    if (!(delta > 0.0)) continue;
    const Element& el = p.elements[e];
    for (int L = 0; L < NA; ++L) {
      const double c = AquitardResistance(p, L, e);
      if (!(c > 0.0)) continue;
      double dF[3];
      for (int b = 0; b < 3; ++b) {
        const NodeLayers& nl = p.layers[el.Node[b]];
        dF[b] = nl.F[L] - nl.F[L + 1];
      }
      const double off = delta / (24.0 * c);
      for (int a = 0; a < 3; ++a)
        leak[At(el.Node[a], L, NA)] += off * (dF[0] + dF[1] + dF[2] + dF[a]);
    }
  }
  return leak;
}

// Layer 1 with an open top over an unknown head that stands at the top: the solver held it
// there, and what its supply falls short of its wells and infiltration seeps out.
bool Seeping(const Problem& p, int i) {
  return (p.nodes[i].Type & 3) == 1 && p.layers[i].F[0] >= p.layers[i].T[0];
}

void AddExchanges(const Problem& p, const NodeValues& W, WaterBalance& balance) {
  const int NL = p.NL;
  for (int i = 0; i < p.NN; ++i) {
    for (int L = 0; L < NL; ++L) {
      AquiferBalance& a = balance.aquifers[L];
      const double exchange = p.layers[i].Q[L] - W[At(i, L, NL)];
      if (p.nodes[i].Type & (1 << (L + 1)))
        AddSigned(exchange, a.givenIn, a.givenOut);
      else if (L == 0 && Seeping(p, i))
        a.seepage += exchange;
    }
  }
}

void AddLeakage(const Problem& p, const NodeValues& leak, WaterBalance& balance) {
  const int NA = p.NL - 1;
  for (int L = 0; L < NA; ++L) {
    AquitardBalance& t = balance.aquitards[L];
    AquiferBalance& above = balance.aquifers[L];
    AquiferBalance& below = balance.aquifers[L + 1];
    for (int i = 0; i < p.NN; ++i) {
      const double v = leak[At(i, L, NA)];
      t.netDownward += v;
      if (std::fabs(v) > std::fabs(t.largestLocal)) {
        t.largestLocal = v;
        t.largestNode = i;
      }
      AddSigned(-v, above.belowIn, above.belowOut);
      AddSigned(v, below.aboveIn, below.aboveOut);
    }
  }
}

}  // namespace

WaterBalance ComputeWaterBalance(const Problem& problem) {
  WaterBalance balance;
  const int NL = problem.NL;
  balance.aquifers.resize(NL);
  balance.aquitards.resize(NL > 1 ? NL - 1 : 0);
  const NodeValues W = WorkingSupply(problem, balance);
  AddExchanges(problem, W, balance);
  AddLeakage(problem, Leakage(problem), balance);
  for (AquiferBalance& a : balance.aquifers) {
    a.error = a.infiltration + a.wellsIn + a.wellsOut + a.givenIn + a.givenOut + a.seepage +
              a.aboveIn + a.aboveOut + a.belowIn + a.belowOut;
    const double in = a.Inflow();
    a.relativeError = in > 0.0 ? a.error / in : 0.0;
  }
  return balance;
}

namespace {

std::string Format(const char* format, double v) {
  char text[64];
  std::snprintf(text, sizeof text, format, v);
  return text;
}

// a figure that rounds to zero is shown without the sign of its rounding
std::string Flow(double v) {
  const std::string text = Format("%12.3f", v);
  return text == "      -0.000" ? "       0.000" : text;
}

constexpr int kAquiferColumns = 13;  // the label and the aquifer figures
constexpr int kColumns = 16;

}  // namespace

std::vector<std::string> WaterBalanceColumns() {
  return {"Layer",      "Infiltration", "Wells in",  "Wells out", "Given in",  "Given out",
          "Seepage",    "Above in",     "Above out", "Below in",  "Below out", "Error",
          "Rel. error", "Net down",     "Largest",   "Node"};
}

std::vector<std::vector<std::string>> WaterBalanceRows(const WaterBalance& balance) {
  std::vector<std::vector<std::string>> rows;
  for (std::size_t L = 0; L < balance.aquifers.size(); ++L) {
    const AquiferBalance& a = balance.aquifers[L];
    rows.push_back({"Aquifer " + std::to_string(L + 1), Flow(a.infiltration), Flow(a.wellsIn),
                    Flow(a.wellsOut), Flow(a.givenIn), Flow(a.givenOut), Flow(a.seepage),
                    Flow(a.aboveIn), Flow(a.aboveOut), Flow(a.belowIn), Flow(a.belowOut),
                    Flow(a.error), Format("%12.2e", a.relativeError), "", "", ""});
  }
  for (std::size_t L = 0; L < balance.aquitards.size(); ++L) {
    const AquitardBalance& t = balance.aquitards[L];
    std::vector<std::string> row(kColumns);
    row[0] = "Aquitard " + std::to_string(L + 1) + "-" + std::to_string(L + 2);
    row[13] = Flow(t.netDownward);
    row[14] = Flow(t.largestLocal);
    char node[32];
    std::snprintf(node, sizeof node, "%12d", t.largestNode + 1);
    row[15] = t.largestNode >= 0 ? node : "";
    rows.push_back(row);
  }
  return rows;
}

namespace {

std::string TextLine(const std::vector<std::string>& cells, const std::vector<int>& columns) {
  std::string line;
  for (int c : columns) {
    char cell[64];
    std::snprintf(cell, sizeof cell, c == 0 ? "%-12s" : " %12s", cells[c].c_str());
    line += cell;
  }
  while (!line.empty() && line.back() == ' ') line.pop_back();
  return line + "\n";
}

}  // namespace

std::string WaterBalanceText(const WaterBalance& balance, int blockColumns) {
  const std::vector<int> aquitard = {0, 13, 14, 15};
  const std::vector<std::string> header = WaterBalanceColumns();
  const std::vector<std::vector<std::string>> rows = WaterBalanceRows(balance);
  std::string text;
  const int step = std::max(1, blockColumns);
  for (int first = 1; first < kAquiferColumns; first += step) {
    std::vector<int> aquifer = {0};
    for (int c = first; c < std::min(first + step, kAquiferColumns); ++c) aquifer.push_back(c);
    if (first > 1) text += "\n";
    text += TextLine(header, aquifer);
    for (std::size_t r = 0; r < balance.aquifers.size(); ++r) text += TextLine(rows[r], aquifer);
  }
  if (balance.aquitards.empty()) return text;
  text += "\n" + TextLine(header, aquitard);
  for (std::size_t r = balance.aquifers.size(); r < rows.size(); ++r)
    text += TextLine(rows[r], aquitard);
  return text;
}

std::string WaterBalanceCsv(const WaterBalance& balance) {
  auto line = [](const std::vector<std::string>& cells) {
    std::string text;
    for (std::size_t c = 0; c < cells.size(); ++c) {
      std::string cell = cells[c];
      cell.erase(0, cell.find_first_not_of(' '));
      text += (c ? "," : "") + cell;
    }
    return text + "\n";
  };
  std::string csv = line(WaterBalanceColumns());
  for (const std::vector<std::string>& row : WaterBalanceRows(balance)) csv += line(row);
  return csv;
}

}  // namespace planaq
