#include "solver/SolveChecks.h"

#include <cmath>
#include <cstdio>
#include <vector>

#include "solver/Assembly.h"
#include "solver/ElementGeometry.h"
#include "solver/FlowField.h"

namespace planaq {

namespace {

constexpr int kListed = 10;

// A heading and at most ten of its lines, then "and N more.".
class Listing {
 public:
  explicit Listing(const char* heading) : text_(heading) {}
  void Add(const char* line) {
    if (++count_ <= kListed) text_ += std::string("\n") + line;
  }
  bool empty() const { return count_ == 0; }
  std::string Text() const {
    if (count_ <= kListed) return text_;
    char more[48];
    std::snprintf(more, sizeof more, "\nand %d more.", count_ - kListed);
    return text_ + more;
  }

 private:
  std::string text_;
  int count_ = 0;
};

void Append(std::string& text, const Listing& listing) {
  if (listing.empty()) return;
  if (!text.empty()) text += "\n\n";
  text += listing.Text();
}

// Which nodes and blocks the elements with a block use.
struct Used {
  std::vector<unsigned char> node, block;
};

Used UsedByElements(const Problem& problem) {
  Used used{std::vector<unsigned char>(problem.NN, 0), std::vector<unsigned char>(problem.NB, 0)};
  for (int e = 0; e < problem.NM; ++e) {
    if (!problem.HasValidBlock(e)) continue;
    used.block[problem.elements[e].Block] = 1;
    for (int n : problem.elements[e].Node) used.node[n] = 1;
  }
  return used;
}

void ListBottomsAboveTops(const Problem& problem, const Used& used, Listing& list) {
  for (int i = 0; i < problem.NN; ++i) {
    if (!used.node[i]) continue;
    const NodeLayers& nl = problem.layers[i];
    for (int L = 0; L < problem.NL; ++L) {
      if (!(nl.B[L] > nl.T[L])) continue;
      char line[128];
      std::snprintf(line, sizeof line, "Node %d, layer %d: B = %g, T = %g", i + 1, L + 1, nl.B[L],
                    nl.T[L]);
      list.Add(line);
    }
  }
}

void ListPermeabilities(const Problem& problem, const Used& used, Listing& aquifers,
                        Listing& aquitards) {
  for (int b = 0; b < problem.NB; ++b) {
    if (!used.block[b]) continue;
    const Soil& soil = problem.soils[b];
    for (int L = 0; L < problem.NL; ++L) {
      char line[96];
      if (!(soil.K[L] > 0.0)) {
        std::snprintf(line, sizeof line, "Block %d, layer %d: K = %g", b + 1, L + 1, soil.K[L]);
        aquifers.Add(line);
      }
      if (L > 0 && soil.KA[L] < 0.0) {
        std::snprintf(line, sizeof line, "Block %d, layer %d: K' = %g", b + 1, L + 1, soil.KA[L]);
        aquitards.Add(line);
      }
    }
  }
}

void ListZeroAreas(const Problem& problem, Listing& list) {
  for (int e = 0; e < problem.NM; ++e) {
    if (!problem.HasValidBlock(e) || std::fabs(GeometryOf(problem, e).det) > 0.0) continue;
    const auto& nd = problem.elements[e].Node;
    char line[96];
    std::snprintf(line, sizeof line, "Element %d (nodes %d, %d, %d)", e + 1, nd[0] + 1, nd[1] + 1,
                  nd[2] + 1);
    list.Add(line);
  }
}

// The porosity and retardation the tracing divides by, from the soil it takes for the block.
void ListStorage(const Problem& problem, const Used& used, Listing& list) {
  for (int b = 0; b < problem.NB; ++b) {
    if (!used.block[b]) continue;
    const int s = problem.blocks[b].Soil;
    if (s < 0 || s >= static_cast<int>(problem.soils.size())) continue;
    const Soil& soil = problem.soils[s];
    for (int L = 0; L < problem.NL; ++L) {
      const struct {
        const char* name;
        double value;
        bool used;
      } fields[] = {{"P", soil.P[L], true},
                    {"R", soil.R[L], true},
                    {"P'", soil.PA[L], L > 0},
                    {"R'", soil.RA[L], L > 0}};
      for (const auto& f : fields) {
        if (!f.used || f.value > 0.0) continue;
        char line[96];
        std::snprintf(line, sizeof line, "Block %d, layer %d: %s = %g", b + 1, L + 1, f.name,
                      f.value);
        list.Add(line);
      }
    }
  }
}

// Union-find over node and layer, j = i * NL + L; the root of a set is its lowest member.
class Parts {
 public:
  explicit Parts(std::size_t n) : parent_(n), active_(n, 0) {
    for (std::size_t j = 0; j < n; ++j) parent_[j] = static_cast<int>(j);
  }
  int Find(int j) {
    while (parent_[j] != j) {
      parent_[j] = parent_[parent_[j]];
      j = parent_[j];
    }
    return j;
  }
  void Join(int a, int b) {
    active_[a] = active_[b] = 1;
    a = Find(a);
    b = Find(b);
    if (a < b) parent_[b] = a;
    if (b < a) parent_[a] = b;
  }
  bool Active(int j) const { return active_[j] != 0; }

 private:
  std::vector<int> parent_;
  std::vector<unsigned char> active_;
};

// Whether element e (of a valid block and area 2 delta > 0) has a positive conductance in
// layer L in the first cycle.
bool ConductsInLayer(const Problem& problem, int e, int L, double delta) {
  const Element& el = problem.elements[e];
  double D = 0.0;
  for (int n : el.Node) {
    const NodeLayers& nl = problem.layers[n];
    D += SaturatedThickness(nl.B[L], nl.T[L], nl.F[L], 0);
  }
  return problem.soils[el.Block].K[L] * (D / 3.0) / (2.0 * delta) > 0.0;
}

// True when some element conducts in some layer; otherwise there is no flow to compute.
bool AnyAquiferConducts(const Problem& problem) {
  for (int e = 0; e < problem.NM; ++e) {
    if (!problem.HasValidBlock(e)) continue;
    const double delta = std::fabs(GeometryOf(problem, e).det);
    if (!(delta > 0.0)) continue;
    for (int L = 0; L < problem.NL; ++L)
      if (ConductsInLayer(problem, e, L, delta)) return true;
  }
  return false;
}

// The joins of one element, as the assembly of the first cycle couples its nodes: in a layer
// where its conductance is positive, and across an aquitard whose leakage is positive.
void JoinElement(const Problem& problem, int e, Parts& parts) {
  if (!problem.HasValidBlock(e)) return;
  const double delta = std::fabs(GeometryOf(problem, e).det);
  if (!(delta > 0.0)) return;
  const int NL = problem.NL;
  const Element& el = problem.elements[e];
  auto at = [NL](int node, int L) { return node * NL + L; };
  bool conducts[kMaxLayers] = {};
  for (int L = 0; L < NL; ++L) {
    conducts[L] = ConductsInLayer(problem, e, L, delta);
    if (!conducts[L]) continue;
    parts.Join(at(el.Node[0], L), at(el.Node[1], L));
    parts.Join(at(el.Node[0], L), at(el.Node[2], L));
  }
  for (int L = 0; L + 1 < NL; ++L) {
    const double c = AquitardResistance(problem, L, e);
    if (!(c > 0.0 && delta / (24.0 * c) > 0.0)) continue;
    // the leakage couples every node of the element in both layers
    if (conducts[L] && conducts[L + 1]) {
      parts.Join(at(el.Node[0], L), at(el.Node[0], L + 1));
      continue;
    }
    for (int n : el.Node) {
      parts.Join(at(el.Node[0], L), at(n, L));
      parts.Join(at(el.Node[0], L), at(n, L + 1));
    }
  }
}

std::string LayerNames(unsigned layers) {
  std::vector<int> named;
  for (int L = 0; L < kMaxLayers; ++L)
    if (layers & (1u << L)) named.push_back(L + 1);
  if (named.size() == 1) return "layer " + std::to_string(named[0]);
  std::string text = "layers ";
  for (std::size_t k = 0; k < named.size(); ++k) {
    if (k > 0) text += k + 1 == named.size() ? " and " : ", ";
    text += std::to_string(named[k]);
  }
  return text;
}

struct UndeterminedPart {
  int node = 0, layer = 0;  // the lowest node of its lowest layer
  unsigned layers = 0;      // bit L: the part reaches layer L
};

std::string PartSentence(const UndeterminedPart& part) {
  std::string text = "No head is given in " + LayerNames(part.layers) +
                     " at nodes connected to node " + std::to_string(part.node + 1);
  if (part.layers != (1u << part.layer)) text += " of layer " + std::to_string(part.layer + 1);
  return text + ": the heads cannot be determined.";
}

}  // namespace

DataCheck CheckData(const Problem& problem) {
  const Used used = UsedByElements(problem);
  Listing bottoms("The bottom of an aquifer lies above its top (B must not exceed T):");
  Listing aquifers("The permeability of an aquifer must be greater than 0:");
  Listing aquitards("The permeability of an aquitard must not be less than 0:");
  ListBottomsAboveTops(problem, used, bottoms);
  ListPermeabilities(problem, used, aquifers, aquitards);
  DataCheck check;
  Append(check.refusal, bottoms);
  Append(check.refusal, aquifers);
  Append(check.refusal, aquitards);
  if (check.refusal.empty() && problem.NM > 0 && !AnyAquiferConducts(problem))
    check.refusal =
        "No aquifer conducts: the top T equals the bottom B in every layer at the nodes of "
        "every element, so the transmissivity is 0 everywhere.";
  if (!check.refusal.empty()) check.refusal += "\n\nThe heads cannot be computed from these data.";

  Listing zero("These elements have zero area and take no part in the solution:");
  ListZeroAreas(problem, zero);
  Append(check.warning, zero);
  if (problem.NP > 0) {
    Listing storage(
        "Particles cannot be traced where the porosity or the retardation factor is "
        "0 or less:");
    ListStorage(problem, used, storage);
    Append(check.warning, storage);
  }
  return check;
}

std::string CheckDetermined(const Problem& problem) {
  const int NN = problem.NN, NL = problem.NL;
  Parts parts(static_cast<std::size_t>(NN) * NL);
  for (int e = 0; e < problem.NM; ++e) JoinElement(problem, e, parts);

  std::vector<unsigned char> given(static_cast<std::size_t>(NN) * NL, 0);
  for (int i = 0; i < NN; ++i)
    for (int L = 0; L < NL; ++L)
      if (problem.nodes[i].Type & (1 << (L + 1))) given[parts.Find(i * NL + L)] = 1;

  // the parts without a head, by their lowest layer and then their lowest node in it
  std::vector<int> partOf(static_cast<std::size_t>(NN) * NL, -1);
  std::vector<UndeterminedPart> found;
  for (int L = 0; L < NL; ++L)
    for (int i = 0; i < NN; ++i) {
      const int j = i * NL + L;
      if (!parts.Active(j)) continue;
      const int root = parts.Find(j);
      if (given[root]) continue;
      if (partOf[root] < 0) {
        partOf[root] = static_cast<int>(found.size());
        found.push_back({i, L, 0});
      }
      found[partOf[root]].layers |= 1u << L;
    }
  if (found.empty()) return "";

  std::string text;
  for (std::size_t k = 0; k < found.size() && k < kListed; ++k) {
    if (k > 0) text += "\n";
    text += PartSentence(found[k]);
  }
  if (found.size() > kListed) text += "\nand " + std::to_string(found.size() - kListed) + " more.";
  text += found.size() == 1 ? " Give the head (F/Q = F) at one node at least."
                            : "\nGive the head (F/Q = F) at one node at least of each part.";
  return text;
}

}  // namespace planaq
