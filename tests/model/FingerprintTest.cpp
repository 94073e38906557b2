// The fingerprint tells every change that a saved file would show, and nothing else.

#include "model/Fingerprint.h"

#include <gtest/gtest.h>

#include <functional>

namespace planaq {
namespace {

Problem TwoLayers() {
  Problem p;
  EXPECT_EQ(p.StartUp(Capacities{}), "");
  p.NL = 2;
  p.NW = 1;
  p.wells[0] = Well{1, 1, -50.0};
  p.NP = 1;
  return p;
}

TEST(Fingerprint, EveryChangeOfWhatIsSavedShows) {
  const std::vector<std::pair<const char*, std::function<void(Problem&)>>> edits = {
      {"problem name", [](Problem& p) { p.ProblemName += "x"; }},
      {"file name", [](Problem& p) { p.FileName = "b.aqd"; }},
      {"LX", [](Problem& p) { p.LX += 1e-9; }},
      {"TM", [](Problem& p) { p.TM = 1.0; }},
      {"NL", [](Problem& p) { p.NL = 3; }},
      {"node X", [](Problem& p) { p.nodes[2].X += 1.0; }},
      {"node type", [](Problem& p) { p.nodes[0].Type ^= 4; }},
      {"B of layer 2", [](Problem& p) { p.layers[1].B[1] -= 1.0; }},
      {"Q of layer 1", [](Problem& p) { p.layers[0].Q[0] = 3.0; }},
      {"block soil", [](Problem& p) { p.blocks[0].Soil = 1; }},
      {"K' of layer 2", [](Problem& p) { p.soils[0].KA[1] *= 2.0; }},
      {"infiltration", [](Problem& p) { p.soils[0].I = 0.001; }},
      {"element block", [](Problem& p) { p.elements[0].Block = -1; }},
      {"well discharge", [](Problem& p) { p.wells[0].Q = -60.0; }},
      {"particle Z", [](Problem& p) { p.particles[0].Z0 = 5.0; }},
  };
  const Problem start = TwoLayers();
  const std::uint64_t before = DatafileFingerprint(start);
  for (const auto& [what, edit] : edits) {
    Problem p = TwoLayers();
    edit(p);
    EXPECT_NE(DatafileFingerprint(p), before) << what;
  }
}

TEST(Fingerprint, WhatIsNotSavedDoesNotShow) {
  Problem p = TwoLayers();
  const std::uint64_t before = DatafileFingerprint(p);
  p.layers[0].W[0] = 9.0;               // the solver's working supply
  p.nodes[0].RowStart = 7;              // the solver's pattern
  p.particles[0].X = 3.0;               // the tracing state
  p.layers[0].F[4] = 1.0;               // a layer beyond NL
  p.nodes[p.NN].X = 5.0;                // a node beyond NN
  EXPECT_EQ(DatafileFingerprint(p), before);
}

}  // namespace
}  // namespace planaq
