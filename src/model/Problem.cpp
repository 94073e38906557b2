#include "model/Problem.h"

#include <algorithm>
#include <cmath>
#include <new>

#include "model/Memory.h"

namespace planaq {

Capacities SafeCapacities(const Capacities& c) {
  Capacities s = c;
  s.BMAX = std::max(s.BMAX, 1);
  s.NMAX = std::max(s.NMAX, 3);
  s.MMAX = std::max(s.MMAX, 1);
  s.PMAX = std::max(s.PMAX, 0);
  return s;
}

namespace {

// New tables are made aside, so that a failure leaves the problem's own untouched.
struct Tables {
  LazyTable<Node> nodes;
  LazyTable<NodeLayers> layers;
  LazyTable<Block> blocks;
  LazyTable<Element> elements;
  LazyTable<Soil> soils;
  LazyTable<int> blockColour;
  LazyTable<Well> wells;
  std::vector<Particle> particles;
};

void SizeTables(Tables& t, const Capacities& c, bool failHalfway) {
  t.nodes.resize(c.NMAX);
  t.layers.resize(c.NMAX);
  t.blocks.resize(c.BMAX);
  t.elements.resize(c.MMAX);
  if (failHalfway) throw std::bad_alloc();
  t.soils.resize(c.BMAX);
  t.blockColour.resize(c.BMAX);
  t.wells.resize(c.BMAX);
  t.particles.assign(c.PMAX, Particle{});
}

Soil DefaultSoil() {
  Soil s;
  for (int L = 0; L < kMaxLayers; ++L) {
    s.K[L] = 10.0;
    s.P[L] = 0.4;
    s.R[L] = 1.0;
    s.KA[L] = 0.0001;
    s.PA[L] = 0.4;
    s.RA[L] = 1.0;
  }
  return s;
}

std::string OutOfMemoryMessage(const Capacities& c) {
  return "Capacity too large\n\nThere is not enough memory for the tables of NMAX = " +
         std::to_string(c.NMAX) + " and MMAX = " + std::to_string(c.MMAX) +
         ". The previous capacities are kept.";
}

// What the problem's counts use goes into the new tables t; soils and colours as far as both
// capacities reach, and their defaults for the blocks beyond the old capacity.
void CopyProblemInto(const Problem& p, Tables& t, const Capacities& old, const Capacities& c) {
  std::copy_n(p.nodes.begin(), p.NN, t.nodes.begin());
  std::copy_n(p.layers.begin(), p.NN, t.layers.begin());
  std::copy_n(p.blocks.begin(), p.NB, t.blocks.begin());
  std::copy_n(p.elements.begin(), p.NM, t.elements.begin());
  std::copy_n(p.wells.begin(), p.NW, t.wells.begin());
  const int keptBlocks = std::min(old.BMAX, c.BMAX);
  std::copy_n(p.soils.begin(), keptBlocks, t.soils.begin());
  std::copy_n(p.blockColour.begin(), keptBlocks, t.blockColour.begin());
  for (int i = keptBlocks; i < c.BMAX; ++i) {
    t.soils[i] = DefaultSoil();
    t.blockColour[i] = i % kPaletteSize;
  }
  std::copy_n(p.particles.begin(), std::min(old.PMAX, c.PMAX), t.particles.begin());
}

}  // namespace

std::string Problem::MakeTables(const Capacities& capacities, long long usableBytes,
                                bool keepProblem) {
  const Capacities c = SafeCapacities(capacities);
  std::string message = CapacitiesMessage(c, usableBytes);
  if (!message.empty()) return message;
  Tables t;
  try {
    const bool fail = failNextAllocation;
    failNextAllocation = false;
    SizeTables(t, c, fail);
  } catch (const std::bad_alloc&) {
    return OutOfMemoryMessage(c);
  }
  if (keepProblem) CopyProblemInto(*this, t, AllocatedCapacities(), c);
  nodes.swap(t.nodes);
  layers.swap(t.layers);
  blocks.swap(t.blocks);
  elements.swap(t.elements);
  soils.swap(t.soils);
  blockColour.swap(t.blockColour);
  wells.swap(t.wells);
  particles.swap(t.particles);
  caps = c;
  return "";
}

std::string Problem::Allocate(const Capacities& capacities, long long usableBytes) {
  return MakeTables(capacities, usableBytes, false);
}

bool Problem::FitsCapacities(const Capacities& c) const {
  return NN <= c.NMAX && NA <= c.NMAX && NM <= c.MMAX && NB <= c.BMAX && NW <= c.BMAX &&
         NP <= c.PMAX;
}

std::string Problem::Reallocate(const Capacities& capacities) {
  return MakeTables(capacities, AvailableMemoryBytes(), true);
}

std::string Problem::Allocate(const Capacities& capacities) {
  return Allocate(capacities, AvailableMemoryBytes());
}

Capacities Problem::AllocatedCapacities() const {
  Capacities c;
  c.BMAX = static_cast<int>(blocks.size());
  c.NMAX = static_cast<int>(nodes.size());
  c.MMAX = static_cast<int>(elements.size());
  c.PMAX = static_cast<int>(particles.size());
  return c;
}

void Problem::InitialiseProblem() {
  NN = 3;
  NM = 1;
  NA = 3;
  NB = 1;
  NW = 0;
  NP = 0;
  NL = 6;
  LX = 2000.0;
  LY = 1000.0;
  TM = 2000.0;
  TakeSnapshot();

  nodes[0] = Node{0.0, 0.0, 2, 0};
  nodes[1] = Node{0.0, 0.5 * LY, 2, 0};
  nodes[2] = Node{0.25 * LX, 0.0, 0, 0};
  for (int n = 0; n < 3; ++n) {
    for (int L = 0; L < NL; ++L) {
      NodeLayers& l = layers[n];
      l.B[L] = (NL - L - 1) * 11.0;
      l.T[L] = l.B[L] + 10.0;
      l.F[L] = 70.0;
      l.Q[L] = 0.0;
    }
  }
  blocks[0] = Block{{0, 1, 2}, 0};
  elements[0] = Element{{0, 1, 2}, 0};
}

std::array<Rgb, kPaletteSize> BuildPalette() {
  std::array<Rgb, kPaletteSize> pal{};
  int a = 1, b = 1, c = 30;
  for (int k = 0; k < kPaletteSize / 3; ++k) {
    pal[3 * k] = Rgb{8 * c, 8 * b, 8 * a};
    pal[3 * k + 1] = Rgb{8 * a, 8 * c, 8 * b};
    pal[3 * k + 2] = Rgb{8 * b, 8 * a, 8 * c};
    a += 5;
    if (a > 31) a -= 31;
    if (a < 1) a = 1;
    b += 2;
    if (b > 31) b -= 31;
    if (b < 1) b = 1;
    c = 32 - a - b;
    if (c < 1) c = 1;
  }
  return pal;
}

void Problem::InitialiseSoilsAndColours() {
  palette = BuildPalette();
  for (int i = 0; i < caps.BMAX; ++i) blockColour[i] = i % kPaletteSize;
  for (int i = 0; i < caps.BMAX; ++i) soils[i] = DefaultSoil();
}

void Problem::ReplaceFirstPaletteEntriesByBlue() {
  for (int i = 0; i < 6; ++i) palette[i] = Rgb{8, 8, 88 + 32 * i};
}

void Problem::TakeSnapshot() { previous = PreviousCounts{NN, NM, NB, NA, NW, NP, LX, LY}; }

void Problem::RestoreCountsFromSnapshot() {
  NN = previous.NN;
  NM = previous.NM;
  NB = previous.NB;
  NA = previous.NA;
  NW = previous.NW;
  NP = previous.NP;
  LX = previous.LX;
  LY = previous.LY;
}

std::string Problem::StartUp(const Capacities& capacities) {
  std::string message = Allocate(capacities);
  if (!message.empty()) return message;
  FileName = "Data1.aqd";
  ProblemName = "Default Datafile";
  waterLevelWarning = false;
  particleRowsStale = true;
  meanDischarge = 0.0;
  InitialiseProblem();
  InitialiseSoilsAndColours();
  ReplaceFirstPaletteEntriesByBlue();
  return "";
}

bool Problem::HasArea(int e) const {
  const Element& el = elements[e];
  const Node &a = nodes[el.Node[0]], &b = nodes[el.Node[1]], &c = nodes[el.Node[2]];
  const double abx = b.X - a.X, aby = b.Y - a.Y, acx = c.X - a.X, acy = c.Y - a.Y;
  const double bcx = c.X - b.X, bcy = c.Y - b.Y;
  const double doubleArea = abx * acy - acx * aby;
  const double longest =
      std::max({abx * abx + aby * aby, acx * acx + acy * acy, bcx * bcx + bcy * bcy});
  // rounding leaves three corners on one line some 1e-16 of the longest side squared
  return std::fabs(doubleArea) > 1e-12 * longest;
}

int Problem::ElementContaining(double x, double y, int e) const {
  // a non-finite point is nowhere, and an element of no area holds no point: otherwise the
  // three products below are all zero for every point of the line its corners lie on
  if (!std::isfinite(x) || !std::isfinite(y) || !HasArea(e)) return -1;
  const Element& el = elements[e];
  const double x1 = nodes[el.Node[0]].X, y1 = nodes[el.Node[0]].Y;
  const double x2 = nodes[el.Node[1]].X, y2 = nodes[el.Node[1]].Y;
  const double x3 = nodes[el.Node[2]].X, y3 = nodes[el.Node[2]].Y;
  // signed double areas of the point with each side
  const double A = (y - y1) * (x2 - x1) + (x - x1) * (y1 - y2);
  const double B = (y - y2) * (x3 - x2) + (x - x2) * (y2 - y3);
  const double C = (y - y3) * (x1 - x3) + (x - x3) * (y3 - y1);
  if (A * B < -1e-12 || B * C < -1e-12 || C * A < -1e-12) return -1;
  return e;
}

std::string BaseName(const std::string& path) {
  // Backslash is the documented separator; a slash separates on this platform as well.
  const auto pos = path.find_last_of("\\/");
  return pos == std::string::npos ? path : path.substr(pos + 1);
}

}  // namespace planaq
