#pragma once
// The one problem in memory: general data, installation data and the fixed-capacity tables.
// Every table is indexed from 0; references between tables are 0-based.

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "model/LazyTable.h"

namespace planaq {

constexpr int kMaxLayers = 6;
constexpr int kPaletteSize = 255;

using LayerValues = std::array<double, kMaxLayers>;

struct Capacities {
  int BMAX = 48;
  int NMAX = 12000;
  int MMAX = 20000;
  int PMAX = 100;
};

struct Node {
  double X = 0.0;
  double Y = 0.0;
  int Type = 0;      // bit 0: top of layer 1 open; bit L: head given in layer L
  int RowStart = 0;  // the node's row in the solver's sparse storage
};

struct NodeLayers {
  LayerValues B{};  // bottom of the aquifer (m)
  LayerValues T{};  // top of the aquifer (m)
  LayerValues F{};  // head (m)
  LayerValues Q{};  // supply (m3/d), computed by Solve
  LayerValues W{};  // the solver's working supply, rebuilt by every Solve
};

struct Block {
  std::array<int, 3> Node{};
  int Soil = 0;
};

struct Element {
  std::array<int, 3> Node{};
  int Block = 0;  // negative: the element belongs to no block and contributes nothing
};

struct Soil {
  LayerValues K{};   // aquifer permeability (m/d)
  LayerValues P{};   // aquifer porosity
  LayerValues R{};   // aquifer retardation factor
  LayerValues KA{};  // aquitard above the layer: permeability (m/d)
  LayerValues PA{};  // aquitard above the layer: porosity
  LayerValues RA{};  // aquitard above the layer: retardation factor
  double I = 0.0;    // infiltration at the top of layer 1 (m/d)
};

struct Well {
  int Node = 0;
  int Layer = 0;
  double Q = 0.0;  // discharge (m3/d)
};

struct Particle {
  double X0 = 0.0, Y0 = 0.0, Z0 = 0.0;  // initial position as entered
  double X = 0.0, Y = 0.0, Z = 0.0;     // current position while tracing
  int Element = -1;                     // containing element, -1: not traced
  int LayerCode = 0;                    // i: aquifer i; -i: aquitard above aquifer i
  double qx = 0.0, qy = 0.0;            // horizontal specific discharge (m/d)
  double w = 0.0;                       // vertical specific discharge, upward (m/d)
};

struct Rgb {
  int r = 0, g = 0, b = 0;
  bool operator==(const Rgb& o) const { return r == o.r && g == o.g && b == o.b; }
  bool operator!=(const Rgb& o) const { return !(*this == o); }
};

// Counts at the last consistent point: restored by a refused datafile read and used by the
// mesh operations as the counts before an operation.
struct PreviousCounts {
  int NN = 0, NM = 0, NB = 0, NA = 0, NW = 0, NP = 0;
  double LX = 0.0, LY = 0.0;
};

struct Problem {
  // The three names are Windows-1252 bytes, as the files hold them (model/Windows1252.h).

  // installation data
  std::string UserName = "Vivideri re Zerevireder";
  Capacities caps;

  // general data
  std::string FileName = "Data1.aqd";
  std::string ProblemName = "Default Datafile";
  double LX = 2000.0, LY = 1000.0;
  int NA = 0, NB = 0, NN = 0, NM = 0, NL = 6, NW = 0, NP = 0;
  double TM = 2000.0;

  // tables, sized by Allocate to the capacities; memory is taken where the problem writes
  LazyTable<Node> nodes;
  LazyTable<NodeLayers> layers;
  LazyTable<Block> blocks;
  LazyTable<Element> elements;
  LazyTable<Soil> soils;
  LazyTable<int> blockColour;  // palette index per block
  LazyTable<Well> wells;
  std::vector<Particle> particles;  // a particle's default is not all-zero bytes
  std::array<Rgb, kPaletteSize> palette{};

  PreviousCounts previous;
  bool waterLevelWarning = false;
  bool particleRowsStale = true;
  double meanDischarge = 0.0;
  int NZ = 0;  // size of the sparse pattern during Solve
  // Test hook: the next Allocate fails as if memory ran out, after some new tables exist.
  bool failNextAllocation = false;
  // Test hook: every aquitard resistance is multiplied by this (1 in the program).
  double resistanceScaleForTests = 1.0;

  // Sizes every table to the capacities (held to the safe minima). Capacities that do not fit
  // in usableBytes, or an allocation that fails, leave the problem and its capacities as they
  // were and return the message; an empty message means the tables are new.
  std::string Allocate(const Capacities& capacities, long long usableBytes);
  // The same against what this machine can give.
  std::string Allocate(const Capacities& capacities);
  // As Allocate, but the problem stays: what the counts use is copied into the new tables, and
  // soils and colours of blocks beyond the old capacity get their defaults. The problem must
  // fit the capacities (FitsCapacities).
  std::string Reallocate(const Capacities& capacities);
  // true when every count of the problem is within capacities
  bool FitsCapacities(const Capacities& capacities) const;
  // The capacities the tables have now.
  Capacities AllocatedCapacities() const;
  void InitialiseProblem();
  void InitialiseSoilsAndColours();
  void ReplaceFirstPaletteEntriesByBlue();
  void TakeSnapshot();
  void RestoreCountsFromSnapshot();
  // Start-up sequence without the installation file: allocate, initial problem, soils, blue.
  // Returns Allocate's message; on one the problem keeps its tables and is not started up.
  std::string StartUp(const Capacities& capacities);

  // e when (x, y) lies in element e, its edges and corners included, else -1; -1 also for a
  // point that is not finite and for an element without area.
  int ElementContaining(double x, double y, int e) const;
  // false when the signed double area of element e is at most 1e-12 of its longest side
  // squared: a repeated corner, or three corners on one line (up to rounding)
  bool HasArea(int e) const;
  // true when element e has a block that indexes the block and soil tables
  bool HasValidBlock(int e) const { return elements[e].Block >= 0 && elements[e].Block < NB; }
};

// The capacities never go below what the initial problem needs.
Capacities SafeCapacities(const Capacities& c);
std::array<Rgb, kPaletteSize> BuildPalette();
std::string BaseName(const std::string& path);

}  // namespace planaq
