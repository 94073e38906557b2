#include "model/Fingerprint.h"

#include <cstring>
#include <string>

namespace planaq {
namespace {

class Hasher {
 public:
  void Add(std::uint64_t v) {
    h_ = (h_ ^ v) * 0x100000001B3ULL;
    h_ ^= h_ >> 29;
  }
  void Add(double v) {
    std::uint64_t bits = 0;
    std::memcpy(&bits, &v, sizeof bits);
    Add(bits);
  }
  void Add(int v) { Add(static_cast<std::uint64_t>(static_cast<std::uint32_t>(v))); }
  void Add(const std::string& s) {
    Add(static_cast<std::uint64_t>(s.size()));
    for (unsigned char c : s) Add(static_cast<std::uint64_t>(c));
  }
  void Add(const LayerValues& v, int layers) {
    for (int L = 0; L < layers; ++L) Add(v[L]);
  }
  std::uint64_t value() const { return h_; }

 private:
  std::uint64_t h_ = 0xCBF29CE484222325ULL;
};

void AddGeneral(Hasher& h, const Problem& p) {
  h.Add(p.FileName);
  h.Add(p.ProblemName);
  for (double v : {p.LX, p.LY, p.TM}) h.Add(v);
  for (int v : {p.NA, p.NB, p.NN, p.NM, p.NL, p.NW, p.NP}) h.Add(v);
}

void AddTables(Hasher& h, const Problem& p) {
  const int NL = p.NL;
  for (int n = 0; n < p.NN; ++n) {
    h.Add(p.nodes[n].X);
    h.Add(p.nodes[n].Y);
    h.Add(p.nodes[n].Type);
    const NodeLayers& l = p.layers[n];
    for (const LayerValues* v : {&l.B, &l.T, &l.F, &l.Q}) h.Add(*v, NL);
  }
  for (int b = 0; b < p.NB; ++b) {
    for (int node : p.blocks[b].Node) h.Add(node);
    h.Add(p.blocks[b].Soil);
    const Soil& s = p.soils[b];
    for (const LayerValues* v : {&s.K, &s.P, &s.R, &s.KA, &s.PA, &s.RA}) h.Add(*v, NL);
    h.Add(s.I);
  }
  for (int e = 0; e < p.NM; ++e) {
    for (int node : p.elements[e].Node) h.Add(node);
    h.Add(p.elements[e].Block);
  }
  for (int w = 0; w < p.NW; ++w) {
    h.Add(p.wells[w].Node);
    h.Add(p.wells[w].Layer);
    h.Add(p.wells[w].Q);
  }
  for (int i = 0; i < p.NP; ++i)
    for (double v : {p.particles[i].X0, p.particles[i].Y0, p.particles[i].Z0}) h.Add(v);
}

}  // namespace

std::uint64_t DatafileFingerprint(const Problem& problem) {
  Hasher h;
  AddGeneral(h, problem);
  // the counts may run ahead of the tables only in a damaged problem; hash nothing then
  const Capacities c = problem.AllocatedCapacities();
  if (problem.NN > c.NMAX || problem.NM > c.MMAX || problem.NB > c.BMAX || problem.NW > c.BMAX ||
      problem.NP > c.PMAX || problem.NL < 1 || problem.NL > kMaxLayers)
    return h.value();
  AddTables(h, problem);
  return h.value();
}

}  // namespace planaq
