// What the writer checks before it writes a byte: every value and count it puts in the file is
// one the reader takes back.

#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "files/Datafile.h"
#include "files/WrittenValue.h"

namespace planaq {
namespace {

struct Refused {
  std::string what;
};

std::string Number(double v) {
  char buf[64];
  std::snprintf(buf, sizeof buf, "%.6g", v);
  return buf;
}

void Real(double v, const std::string& where) {
  if (!IsStorable(v))
    throw Refused{where + " is " + Number(v) +
                  ": a datafile holds finite values up to 1e12 in magnitude"};
}

// "K = 4e-07 of block 1, layer 1 would be written as 0; ..."
void Kept(const KeptColumn& column, double v, const std::string& where) {
  std::string zero = WrittenAsZero(column, v);
  if (zero.empty()) return;
  zero.insert(zero.find(" would"), where);
  throw Refused{zero};
}

void Reference(int v, int count, const std::string& where) {
  if (v < 0 || v >= count)
    throw Refused{where + " is " + std::to_string(v + 1) + ", outside 1.." +
                  std::to_string(count)};
}

std::string Of(const char* table, int index) { return std::string(table) + " " + std::to_string(index + 1); }
std::string Layer(int L) { return ", layer " + std::to_string(L + 1); }

void CheckGeneralData(const Problem& p) {
  for (const auto& side : {std::make_pair("LX (m)", p.LX), std::make_pair("LY (m)", p.LY)}) {
    Real(side.second, std::string(side.first) + " in the General Grid");
    if (!IsWritablePositive(side.second))
      throw Refused{std::string(side.first) + " in the General Grid is " + Number(side.second) +
                    ": it must be at least 0.0005 m to be written as a positive length"};
  }
  Real(p.TM, "TM (d) in the General Grid");
  Kept(kKeptTM, p.TM, " in the General Grid");
  if (p.NL < 1 || p.NL > kMaxLayers)
    throw Refused{"NL in the General Grid is " + std::to_string(p.NL) + ", outside 1..6"};
  if (p.NA < 0 || p.NB < 0 || p.NN < 0 || p.NM < 0 || p.NW < 0 || p.NP < 0 || p.NA > p.NN)
    throw Refused{"the counts in the General Grid do not fit together"};
  const Capacities c = p.AllocatedCapacities();
  if (p.NN > c.NMAX || p.NM > c.MMAX || p.NB > c.BMAX || p.NW > c.BMAX || p.NP > c.PMAX)
    throw Refused{"the counts in the General Grid exceed the tables"};
}

// The common case of a large problem without building a message for every value.
bool NodesStorable(const Problem& p) {
  bool storable = true;
  for (int n = 0; n < p.NN; ++n) {
    storable = storable && IsStorable(p.nodes[n].X) && IsStorable(p.nodes[n].Y);
    const NodeLayers& l = p.layers[n];
    for (int L = 0; L < p.NL; ++L)
      storable = storable && IsStorable(l.B[L]) && IsStorable(l.T[L]) && IsStorable(l.F[L]) &&
                 IsStorable(l.Q[L]);
  }
  return storable;
}

bool ElementsInside(const Problem& p) {
  bool inside = true;
  for (int e = 0; e < p.NM; ++e) {
    for (int node : p.elements[e].Node) inside = inside && node >= 0 && node < p.NN;
    inside = inside && p.elements[e].Block >= -1 && p.elements[e].Block < p.NB;
  }
  return inside;
}

void CheckNodes(const Problem& p) {
  if (NodesStorable(p)) return;
  for (int n = 0; n < p.NN; ++n) {
    Real(p.nodes[n].X, "X of " + Of("node", n));
    Real(p.nodes[n].Y, "Y of " + Of("node", n));
    const NodeLayers& l = p.layers[n];
    for (int L = 0; L < p.NL; ++L) {
      Real(l.B[L], "B of " + Of("node", n) + Layer(L));
      Real(l.T[L], "T of " + Of("node", n) + Layer(L));
      Real(l.F[L], "F of " + Of("node", n) + Layer(L));
      Real(l.Q[L], "Q of " + Of("node", n) + Layer(L));
    }
  }
}

void CheckBlocksAndSoils(const Problem& p) {
  for (int b = 0; b < p.NB; ++b) {
    for (int node : p.blocks[b].Node) Reference(node, p.NN, "a node of " + Of("block", b));
    Reference(p.blocks[b].Soil, p.NB, "the soil of " + Of("block", b));
    const Soil& s = p.soils[b];
    Real(s.I, "I of " + Of("block", b));
    for (int L = 0; L < p.NL; ++L) {
      const std::string where = " of " + Of("block", b) + Layer(L);
      Real(s.K[L], "K" + where);
      Real(s.P[L], "P" + where);
      Real(s.R[L], "R" + where);
      Kept(kKeptK, s.K[L], where);
      Kept(kKeptP, s.P[L], where);
      Kept(kKeptR, s.R[L], where);
      if (L == 0) continue;  // layer 1 has no aquitard above it in the file
      Real(s.KA[L], "K'" + where);
      Real(s.PA[L], "P'" + where);
      Real(s.RA[L], "R'" + where);
      Kept(kKeptKA, s.KA[L], where);
      Kept(kKeptPA, s.PA[L], where);
      Kept(kKeptRA, s.RA[L], where);
    }
  }
}

void CheckElementsWellsParticles(const Problem& p) {
  const bool inside = ElementsInside(p);
  for (int e = 0; e < p.NM && !inside; ++e) {
    for (int node : p.elements[e].Node) Reference(node, p.NN, "a node of " + Of("element", e));
    // block 0 in the file: the element belongs to no block
    if (p.elements[e].Block < -1 || p.elements[e].Block >= p.NB)
      Reference(p.elements[e].Block, p.NB, "the block of " + Of("element", e));
  }
  for (int w = 0; w < p.NW; ++w) {
    Reference(p.wells[w].Node, p.NN, "the node of " + Of("well", w));
    Reference(p.wells[w].Layer, p.NL, "the layer of " + Of("well", w));
    Real(p.wells[w].Q, "Q of " + Of("well", w));
  }
  for (int i = 0; i < p.NP; ++i) {
    const Particle& q = p.particles[i];
    Real(q.X0, "X of " + Of("particle", i));
    Real(q.Y0, "Y of " + Of("particle", i));
    Real(q.Z0, "Z of " + Of("particle", i));
  }
}

// The whole millimetres of a coordinate as the node line writes it ("%10.3f"), -0.000 being 0.
// The product with 1000 decides it, but where it lies within its rounding error of a half the
// written text itself does: it rounds the exact binary value, ties to even.
long long WrittenMillimetres(double v) {
  const double s = v * 1000.0;
  const double below = std::floor(s);
  const double part = s - below;
  if (std::fabs(part - 0.5) > 1e-9 + std::fabs(s) * 0x1p-50)
    return static_cast<long long>(part < 0.5 ? below : below + 1.0);
  char digits[64];
  const char* end =
      std::to_chars(digits, digits + sizeof digits, v, std::chars_format::fixed, 3).ptr;
  long long whole = 0;
  for (const char* c = digits; c < end; ++c)
    if (*c >= '0' && *c <= '9') whole = 10 * whole + (*c - '0');
  return digits[0] == '-' ? -whole : whole;
}

// The first node written at each place, by open addressing on the pair of millimetres.
class WrittenPlaces {
 public:
  explicit WrittenPlaces(int nodes) {
    std::size_t size = 16;
    while (size < 2 * static_cast<std::size_t>(nodes)) size *= 2;
    slot_.assign(size, -1);
    x_.resize(static_cast<std::size_t>(nodes));
    y_.resize(static_cast<std::size_t>(nodes));
  }
  // Node n at (x, y) millimetres: the first node at that place, n itself when it is the first.
  int FirstAt(int n, long long x, long long y) {
    x_[n] = x;
    y_[n] = y;
    const std::size_t mask = slot_.size() - 1;
    std::uint64_t h = static_cast<std::uint64_t>(x) * 0x9E3779B97F4A7C15ULL ^
                      static_cast<std::uint64_t>(y) * 0xC2B2AE3D27D4EB4FULL;
    for (std::size_t at = (h ^ (h >> 29)) & mask;; at = (at + 1) & mask) {
      const int first = slot_[at];
      if (first < 0) {
        slot_[at] = n;
        return n;
      }
      if (x_[first] == x && y_[first] == y) return first;
    }
  }

 private:
  std::vector<int> slot_;
  std::vector<long long> x_, y_;
};

// Nodes that differ in memory but would be written at the same coordinates would read back as
// one place, and the elements between them would lose their area.
void CheckDistinctNodes(const Problem& p) {
  WrittenPlaces places(p.NN);
  for (int n = 0; n < p.NN; ++n) {
    const Node& node = p.nodes[n];
    const int at = places.FirstAt(n, WrittenMillimetres(node.X), WrittenMillimetres(node.Y));
    if (at == n) continue;
    const Node& first = p.nodes[at];
    if (first.X == node.X && first.Y == node.Y) continue;
    char place[96];
    std::snprintf(place, sizeof place, "(%.3f, %.3f)", node.X, node.Y);
    throw Refused{Of("node", at) + " and " + Of("node", n) + " would both be written at " + place +
                  ": a datafile keeps coordinates to 1 mm"};
  }
}

}  // namespace

std::string CheckWritable(const Problem& problem) {
  try {
    CheckGeneralData(problem);
    CheckNodes(problem);
    CheckBlocksAndSoils(problem);
    CheckElementsWellsParticles(problem);
    CheckDistinctNodes(problem);
  } catch (const Refused& refused) {
    std::string what = refused.what;
    what[0] = static_cast<char>(std::toupper(static_cast<unsigned char>(what[0])));
    return "Writing datafile failed.\n\n" + what + ".";
  }
  return "";
}

}  // namespace planaq
