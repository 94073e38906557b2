#include <algorithm>
#include <array>
#include <cstdio>

#include "files/Datafile.h"
#include "files/FixedText.h"
#include "files/SafeWrite.h"
#include "files/Tokens.h"
#include "model/Windows1252.h"

namespace planaq {
namespace {

// Entries formatted between two progress reports.
constexpr int kReportEvery = 8192;

class Lines {
 public:
  Lines(std::string& out, const Problem& p, DatafileProgress* progress)
      : text_(out), progress_(progress), total_(static_cast<long long>(p.NN) + p.NM) {}
  FixedText& line() { return text_; }
  // A comment or name line as it stands.
  void Text(std::string_view text) { text_.Text(text); }
  void End() { text_.Char(',').Char('\n'); }
  // One node or element done; the progress hears of every few thousand.
  void Entry() {
    if (++done_ % kReportEvery == 0 && progress_) progress_->Advanced(done_, total_);
  }

 private:
  FixedText text_;
  DatafileProgress* progress_;
  long long done_ = 0, total_;
};

void AppendHeader(Lines& w, const Problem& p) {
  w.Text("#  PLANAQ -- Finite Element Method for Plane Groundwater Flow\n");
  w.Text("#  File Name\n");
  w.Text(NameLine(p.FileName, kLongestName));
  w.Text("#  Problem Name\n");
  w.Text(NameLine(p.ProblemName, kLongestName));
  w.Text("#        LX (m)          LY (m)\n");
  // "%15.3f,%15.3f,\n"
  w.line().Real(p.LX, 15, 3).Char(',').Real(p.LY, 15, 3);
  w.End();
  w.Text("#      NA        NB        NN        NM        NL        NW        NP       TM (d)\n");
  // "%9d,%9d,%9d,%9d,%9d,%9d,%9d,%12.3f,\n"
  FixedText& l = w.line();
  for (int count : {p.NA, p.NB, p.NN, p.NM, p.NL, p.NW, p.NP}) l.Int(count, 9).Char(',');
  l.Real(p.TM, 12, 3);
  w.End();
}

// "#  Layer %1d :" and the rest of a heading of one layer.
void AppendLayerHeading(Lines& w, int L, std::string_view rest) {
  w.line().Text("#  Layer ").Int(L, 1).Text(rest);
}

void AppendNodes(Lines& w, const Problem& p) {
  w.Text("#  Data of Nodes\n");
  w.Text("#    Definition of Type parameter :\n");
  w.Text("#      if (Type&1) : Top of layer 1 open, else Top of layer 1 closed\n");
  w.Text(
      "#      if ((Type>>L)&1) : Groundwater head (F) given in layer L, else Dischrage (Q) "
      "given\n");
  w.Text("#    Node     X (m)      Y (m)    Type\n");
  for (int L = 1; L <= p.NL; ++L)
    AppendLayerHeading(w, L, " :  B (m)      T (m)      F (m)            Q (m\xB3/d)\n");
  for (int n = 0; n < p.NN; ++n) {
    const Node& node = p.nodes[n];
    // "%8d,%10.3f,%10.3f,  %4d,\n"
    w.line().Int(n + 1, 8).Char(',').Real(node.X, 10, 3).Char(',').Real(node.Y, 10, 3);
    w.line().Text(",  ").Int(node.Type, 4);
    w.End();
    const NodeLayers& l = p.layers[n];
    for (int L = 0; L < p.NL; ++L) {
      // "%19.3f,%10.3f,%16.9f,%16.9f,\n"
      w.line().Real(l.B[L], 19, 3).Char(',').Real(l.T[L], 10, 3).Char(',');
      w.line().Real(l.F[L], 16, 9).Char(',').Real(l.Q[L], 16, 9);
      w.End();
    }
    w.Entry();
  }
}

// "%8d,%8d,%8d,%8d,%8d,\n" of a block or an element.
void AppendTriangle(Lines& w, int number, const std::array<int, 3>& node, int owner) {
  w.line().Int(number, 8);
  for (int k : node) w.line().Char(',').Int(k + 1, 8);
  w.line().Char(',').Int(owner + 1, 8);
  w.End();
}

// "%21.6f,%8.4f,%8.4f,\n" of an aquitard or an aquifer below layer 1.
void AppendSoilLayer(Lines& w, double K, double P, double R) {
  w.line().Real(K, 21, 6).Char(',').Real(P, 8, 4).Char(',').Real(R, 8, 4);
  w.End();
}

void AppendBlocksAndSoils(Lines& w, const Problem& p) {
  w.Text("#  Data of Blocks\n");
  w.Text("#  Block    Node 1   Node 2   Node 3     Soil\n");
  for (int b = 0; b < p.NB; ++b) AppendTriangle(w, b + 1, p.blocks[b].Node, p.blocks[b].Soil);
  w.Text("#  Data of Soils\n");
  w.Text("#   Soil     K (m/d)     P        R         I (m/d)\n");
  for (int L = 2; L <= p.NL; ++L) {
    AppendLayerHeading(w, L, " : K'(m/d)     P'       R'\n");
    AppendLayerHeading(w, L, " : K (m/d)     P        R\n");
  }
  for (int s = 0; s < p.NB; ++s) {
    const Soil& soil = p.soils[s];
    // "%8d,%12.6f,%8.4f,%8.4f,%12.6f,\n"
    w.line().Int(s + 1, 8).Char(',').Real(soil.K[0], 12, 6).Char(',').Real(soil.P[0], 8, 4);
    w.line().Char(',').Real(soil.R[0], 8, 4).Char(',').Real(soil.I, 12, 6);
    w.End();
    for (int L = 1; L < p.NL; ++L) {
      AppendSoilLayer(w, soil.KA[L], soil.PA[L], soil.RA[L]);
      AppendSoilLayer(w, soil.K[L], soil.P[L], soil.R[L]);
    }
  }
}

void AppendWells(Lines& w, const Problem& p) {
  w.Text("#  Data of Wells\n");
  w.Text("#    Well     Node    Layer     F (m)       Q (m\xB3/d)    Type\n");
  for (int i = 0; i < p.NW; ++i) {
    const Well& well = p.wells[i];
    // "%8d,%8d,%8d,%12.6f,%12.6f,%4d,\n"
    FixedText& l = w.line();
    l.Int(i + 1, 8).Char(',').Int(well.Node + 1, 8).Char(',').Int(well.Layer + 1, 8).Char(',');
    l.Real(p.layers[well.Node].F[well.Layer], 12, 6).Char(',').Real(well.Q, 12, 6).Char(',');
    l.Int(p.nodes[well.Node].Type, 4);
    w.End();
  }
}

void AppendParticles(Lines& w, const Problem& p) {
  w.Text("#  Data of Particles\n");
  w.Text("#  Particle   X (m)        Y (m)        Z (m)\n");
  for (int i = 0; i < p.NP; ++i) {
    const Particle& q = p.particles[i];
    // "%8d,%12.6f,%12.6f,%12.6f,\n"
    w.line().Int(i + 1, 8).Char(',').Real(q.X0, 12, 6).Char(',').Real(q.Y0, 12, 6);
    w.line().Char(',').Real(q.Z0, 12, 6);
    w.End();
  }
}

void AppendElementsWellsParticles(Lines& w, const Problem& p) {
  w.Text("#  Data of Elements\n");
  w.Text("# Element   Node 1   Node 2   Node 3     Soil\n");
  for (int e = 0; e < p.NM; ++e) {
    AppendTriangle(w, e + 1, p.elements[e].Node, p.elements[e].Block);
    w.Entry();
  }
  if (p.NW > 0) AppendWells(w, p);
  if (p.NP > 0) AppendParticles(w, p);
}

// The length of the text where no value is wider than its field, so that it is allocated
// once (a large file copied while it grows costs as much again as writing it).
std::size_t ExpectedLength(const Problem& p) {
  const std::size_t NL = static_cast<std::size_t>(std::max(p.NL, 1));
  const std::size_t length =
      4096 + static_cast<std::size_t>(p.NN) * (39 + 66 * NL) +
      static_cast<std::size_t>(p.NM + p.NB) * 46 + static_cast<std::size_t>(p.NB) * (58 + 76 * NL) +
      static_cast<std::size_t>(p.NW) * 62 + static_cast<std::size_t>(p.NP) * 48;
  return length + length / 64;
}

// The first line of every failed save, whatever the cause that follows it.
constexpr const char* kDiskFull = "Writing datafile failed.  Disk full ?";

}  // namespace

std::string FormatDatafile(const Problem& problem, DatafileProgress* progress) {
  std::string out;
  out.reserve(ExpectedLength(problem));
  {
    Lines w(out, problem, progress);  // out has its length when w is gone
    AppendHeader(w, problem);
    AppendNodes(w, problem);
    AppendBlocksAndSoils(w, problem);
    AppendElementsWellsParticles(w, problem);
  }
  return out;
}

Outcome WriteDatafile(Problem& problem, const std::string& path, DatafileProgress* progress) {
  const std::string refused = CheckWritable(problem);
  if (!refused.empty()) return Outcome::Fail(refused);
  problem.FileName = Utf8ToWindows1252(path);
  SafeFile file(path);
  if (!file.ok()) return Outcome::Fail(WithCause(kDiskFull, file.cause()));
  problem.FileName = Utf8ToWindows1252(BaseName(path));
  if (!file.Write(FormatDatafile(problem, progress)) || !file.Commit()) {
    problem.FileName = Utf8ToWindows1252(path);
    return Outcome::Fail(WithCause(kDiskFull, file.cause()));
  }
  return Outcome{};
}

}  // namespace planaq
