#include <cstdarg>
#include <cstdio>

#include "files/Datafile.h"
#include "files/SafeWrite.h"
#include "files/Tokens.h"
#include "model/Windows1252.h"

namespace planaq {
namespace {

void Append(std::string& out, const char* format, ...) __attribute__((format(printf, 2, 3)));
void Append(std::string& out, const char* format, ...) {
  char buf[512];
  va_list args;
  va_start(args, format);
  const int n = std::vsnprintf(buf, sizeof buf, format, args);
  va_end(args);
  if (n < 0) return;
  if (n < static_cast<int>(sizeof buf)) {
    out.append(buf, n);
    return;
  }
  std::string big(n + 1, '\0');
  va_start(args, format);
  std::vsnprintf(big.data(), big.size(), format, args);
  va_end(args);
  out.append(big.data(), n);
}

void AppendHeader(std::string& out, const Problem& p) {
  out += "#  PLANAQ -- Finite Element Method for Plane Groundwater Flow\n";
  out += "#  File Name\n";
  out += NameLine(p.FileName, kLongestName);
  out += "#  Problem Name\n";
  out += NameLine(p.ProblemName, kLongestName);
  out += "#        LX (m)          LY (m)\n";
  Append(out, "%15.3f,%15.3f,\n", p.LX, p.LY);
  out += "#      NA        NB        NN        NM        NL        NW        NP       TM (d)\n";
  Append(out, "%9d,%9d,%9d,%9d,%9d,%9d,%9d,%12.3f,\n", p.NA, p.NB, p.NN, p.NM, p.NL, p.NW, p.NP,
         p.TM);
}

void AppendNodes(std::string& out, const Problem& p) {
  out += "#  Data of Nodes\n";
  out += "#    Definition of Type parameter :\n";
  out += "#      if (Type&1) : Top of layer 1 open, else Top of layer 1 closed\n";
  out +=
      "#      if ((Type>>L)&1) : Groundwater head (F) given in layer L, else Dischrage (Q) "
      "given\n";
  out += "#    Node     X (m)      Y (m)    Type\n";
  for (int L = 1; L <= p.NL; ++L)
    Append(out, "#  Layer %1d :  B (m)      T (m)      F (m)            Q (m\xB3/d)\n", L);
  for (int n = 0; n < p.NN; ++n) {
    const Node& node = p.nodes[n];
    Append(out, "%8d,%10.3f,%10.3f,  %4d,\n", n + 1, node.X, node.Y, node.Type);
    const NodeLayers& l = p.layers[n];
    for (int L = 0; L < p.NL; ++L)
      Append(out, "%19.3f,%10.3f,%16.9f,%16.9f,\n", l.B[L], l.T[L], l.F[L], l.Q[L]);
  }
}

void AppendBlocksAndSoils(std::string& out, const Problem& p) {
  out += "#  Data of Blocks\n";
  out += "#  Block    Node 1   Node 2   Node 3     Soil\n";
  for (int b = 0; b < p.NB; ++b) {
    const Block& k = p.blocks[b];
    Append(out, "%8d,%8d,%8d,%8d,%8d,\n", b + 1, k.Node[0] + 1, k.Node[1] + 1, k.Node[2] + 1,
           k.Soil + 1);
  }
  out += "#  Data of Soils\n";
  out += "#   Soil     K (m/d)     P        R         I (m/d)\n";
  for (int L = 2; L <= p.NL; ++L) {
    Append(out, "#  Layer %1d : K'(m/d)     P'       R'\n", L);
    Append(out, "#  Layer %1d : K (m/d)     P        R\n", L);
  }
  for (int s = 0; s < p.NB; ++s) {
    const Soil& soil = p.soils[s];
    Append(out, "%8d,%12.6f,%8.4f,%8.4f,%12.6f,\n", s + 1, soil.K[0], soil.P[0], soil.R[0], soil.I);
    for (int L = 1; L < p.NL; ++L) {
      Append(out, "%21.6f,%8.4f,%8.4f,\n", soil.KA[L], soil.PA[L], soil.RA[L]);
      Append(out, "%21.6f,%8.4f,%8.4f,\n", soil.K[L], soil.P[L], soil.R[L]);
    }
  }
}

void AppendElementsWellsParticles(std::string& out, const Problem& p) {
  out += "#  Data of Elements\n";
  out += "# Element   Node 1   Node 2   Node 3     Soil\n";
  for (int e = 0; e < p.NM; ++e) {
    const Element& el = p.elements[e];
    Append(out, "%8d,%8d,%8d,%8d,%8d,\n", e + 1, el.Node[0] + 1, el.Node[1] + 1, el.Node[2] + 1,
           el.Block + 1);
  }
  if (p.NW > 0) {
    out += "#  Data of Wells\n";
    out += "#    Well     Node    Layer     F (m)       Q (m\xB3/d)    Type\n";
    for (int w = 0; w < p.NW; ++w) {
      const Well& well = p.wells[w];
      Append(out, "%8d,%8d,%8d,%12.6f,%12.6f,%4d,\n", w + 1, well.Node + 1, well.Layer + 1,
             p.layers[well.Node].F[well.Layer], well.Q, p.nodes[well.Node].Type);
    }
  }
  if (p.NP > 0) {
    out += "#  Data of Particles\n";
    out += "#  Particle   X (m)        Y (m)        Z (m)\n";
    for (int i = 0; i < p.NP; ++i) {
      const Particle& q = p.particles[i];
      Append(out, "%8d,%12.6f,%12.6f,%12.6f,\n", i + 1, q.X0, q.Y0, q.Z0);
    }
  }
}

// The first line of every failed save, whatever the cause that follows it.
constexpr const char* kDiskFull = "Writing datafile failed.  Disk full ?";

}  // namespace

std::string FormatDatafile(const Problem& problem) {
  std::string out;
  out.reserve(256 + 400 * static_cast<std::size_t>(problem.NN));
  AppendHeader(out, problem);
  AppendNodes(out, problem);
  AppendBlocksAndSoils(out, problem);
  AppendElementsWellsParticles(out, problem);
  return out;
}

Outcome WriteDatafile(Problem& problem, const std::string& path) {
  const std::string refused = CheckWritable(problem);
  if (!refused.empty()) return Outcome::Fail(refused);
  problem.FileName = Utf8ToWindows1252(path);
  SafeFile file(path);
  if (!file.ok()) return Outcome::Fail(WithCause(kDiskFull, file.cause()));
  problem.FileName = Utf8ToWindows1252(BaseName(path));
  if (!file.Write(FormatDatafile(problem)) || !file.Commit()) {
    problem.FileName = Utf8ToWindows1252(path);
    return Outcome::Fail(WithCause(kDiskFull, file.cause()));
  }
  return Outcome{};
}

}  // namespace planaq
