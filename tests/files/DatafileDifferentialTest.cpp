// The block reader, the from_chars parser and the to_chars formatter against the routines they
// replaced, kept here literally: fgetc chunks, strtod / strtoll on the leading number, and
// vsnprintf with the written format strings. Equal means equal bytes and equal bits.
#include <gtest/gtest.h>

#include <cstdarg>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <random>

#include "DatafileProperty.h"
#include "files/BlockLines.h"
#include "files/Datafile.h"
#include "files/Tokens.h"
#include "support/TempDir.h"

namespace planaq {
namespace {

namespace reference {

std::size_t Digits(const std::string& s, std::size_t i) {
  while (i < s.size() && std::isdigit(static_cast<unsigned char>(s[i]))) ++i;
  return i;
}

double LeadingReal(const std::string& token) {
  std::size_t i = 0;
  while (i < token.size() && std::isspace(static_cast<unsigned char>(token[i]))) ++i;
  const std::size_t begin = i;
  if (i < token.size() && (token[i] == '+' || token[i] == '-')) ++i;
  const std::size_t intEnd = Digits(token, i);
  bool hasDigits = intEnd > i;
  i = intEnd;
  if (i < token.size() && token[i] == '.') {
    const std::size_t fracEnd = Digits(token, i + 1);
    hasDigits = hasDigits || fracEnd > i + 1;
    i = fracEnd;
  }
  if (!hasDigits) return 0.0;
  if (i < token.size() && (token[i] == 'e' || token[i] == 'E')) {
    std::size_t j = i + 1;
    if (j < token.size() && (token[j] == '+' || token[j] == '-')) ++j;
    const std::size_t expEnd = Digits(token, j);
    if (expEnd > j) i = expEnd;
  }
  return std::strtod(token.substr(begin, i - begin).c_str(), nullptr);
}

long long LeadingLong(const std::string& token) {
  std::size_t i = 0;
  while (i < token.size() && std::isspace(static_cast<unsigned char>(token[i]))) ++i;
  const std::size_t begin = i;
  if (i < token.size() && (token[i] == '+' || token[i] == '-')) ++i;
  const std::size_t end = Digits(token, i);
  if (end == i) return 0;
  return std::strtoll(token.substr(begin, end - begin).c_str(), nullptr, 10);
}

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

std::string FormatDatafile(const Problem& p) {
  std::string out;
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
  return out;
}

}  // namespace reference

bool SameBits(double a, double b) { return std::memcmp(&a, &b, sizeof a) == 0; }

// Numbers that test the rounding: ties at every written precision, values that round to
// zero, both zeros, every magnitude from denormals to beyond the file's limit, and the
// values that are not finite.
double AwkwardValue(std::mt19937_64& rng) {
  std::uniform_int_distribution<int> kind(0, 7), power(-12, 15), digits(0, 9);
  std::uniform_real_distribution<double> unit(-1.0, 1.0);
  switch (kind(rng)) {
    case 0:
      return std::ldexp(static_cast<double>(rng() % 100000) - 50000, -(digits(rng) + 1));
    case 1:
      return (static_cast<double>(rng() % 20001) - 10000.5) / std::pow(10.0, digits(rng));
    case 2:
      return unit(rng) * 1e-3;
    case 3:
      return unit(rng) > 0 ? 0.0 : -0.0;
    case 4:
      return std::ldexp(unit(rng), static_cast<int>(rng() % 2100) - 1075);
    case 5:
      return unit(rng) > 0.9 ? HUGE_VAL : (unit(rng) > 0 ? -HUGE_VAL : std::nan(""));
    default:
      return unit(rng) * std::pow(10.0, power(rng));
  }
}

// A problem of random counts and values, with references inside the tables.
Problem RandomProblem(std::mt19937_64& rng) {
  Problem p;
  p.StartUp(Capacities{20, 200, 300, 20});
  auto pick = [&rng](int n) { return static_cast<int>(rng() % static_cast<unsigned>(n)); };
  p.NL = 1 + pick(6);
  p.NN = 1 + pick(200);
  p.NA = pick(p.NN + 1);
  p.NM = pick(300);
  p.NB = 1 + pick(20);
  p.NW = pick(21);
  p.NP = pick(21);
  p.LX = AwkwardValue(rng);
  p.LY = AwkwardValue(rng);
  p.TM = AwkwardValue(rng);
  for (int n = 0; n < p.NN; ++n) {
    p.nodes[n] = Node{AwkwardValue(rng), AwkwardValue(rng), pick(128) - 2};
    for (int L = 0; L < p.NL; ++L)
      for (double* v : {&p.layers[n].B[L], &p.layers[n].T[L], &p.layers[n].F[L], &p.layers[n].Q[L]})
        *v = AwkwardValue(rng);
  }
  for (int b = 0; b < p.NB; ++b) {
    p.blocks[b].Node = {pick(p.NN), pick(p.NN), pick(p.NN)};
    p.blocks[b].Soil = pick(p.NB);
    Soil& s = p.soils[b];
    s.I = AwkwardValue(rng);
    for (int L = 0; L < p.NL; ++L)
      for (double* v : {&s.K[L], &s.P[L], &s.R[L], &s.KA[L], &s.PA[L], &s.RA[L]})
        *v = AwkwardValue(rng);
  }
  for (int e = 0; e < p.NM; ++e) {
    p.elements[e].Node = {pick(p.NN), pick(p.NN), pick(p.NN)};
    p.elements[e].Block = pick(p.NB + 1) - 1;
  }
  for (int w = 0; w < p.NW; ++w) p.wells[w] = Well{pick(p.NN), pick(p.NL), AwkwardValue(rng)};
  for (int i = 0; i < p.NP; ++i) {
    p.particles[i].X0 = AwkwardValue(rng);
    p.particles[i].Y0 = AwkwardValue(rng);
    p.particles[i].Z0 = AwkwardValue(rng);
  }
  return p;
}

TEST(DatafileDifferential, FormatterWritesTheBytesOfTheFormatStringsOnRandomProblems) {
  std::mt19937_64 rng(33);
  for (int run = 0; run < 200; ++run) {
    const Problem p = RandomProblem(rng);
    ASSERT_EQ(FormatDatafile(p), reference::FormatDatafile(p)) << "run " << run;
  }
}

// Decimal texts as people and programs write them, and texts that are almost numbers.
std::string AwkwardText(std::mt19937_64& rng) {
  static const char* formats[] = {"%.17g", "%.9f", "%.3f", "%e", "%.0f", "%.25g", "%a"};
  char buf[400];
  if (rng() % 3 == 0) {
    static const char alphabet[] = "0123456789..++--eE \t\v\r\nx";
    std::string s;
    for (std::size_t n = rng() % 12; n > 0; --n) s += alphabet[rng() % (sizeof alphabet - 1)];
    return s;
  }
  std::snprintf(buf, sizeof buf, formats[rng() % 7], AwkwardValue(rng));
  std::string s = buf;
  if (rng() % 4 == 0) s = "+" + s.substr(s[0] == '-');
  if (rng() % 4 == 0) s = "\t " + s;
  if (rng() % 4 == 0) s += "e" + std::to_string(static_cast<int>(rng() % 800) - 400);
  return s;
}

TEST(DatafileDifferential, LeadingNumbersAreTheBitsOfStrtodAndStrtoll) {
  const char* edges[] = {"1e309",
                         "-1e309",
                         "1e-400",
                         "-1e-400",
                         "2.4703282292062327e-324",
                         "2.4703282292062328e-324",
                         "1.7976931348623159e308",
                         "-0",
                         "+0.e5",
                         "0.0000000000000000000000000000000001e-300",
                         ".e5",
                         "1e",
                         "1e+",
                         "00000001234.5000",
                         "9e99999999999999999999",
                         "1e-99999999999999999",
                         "0e99999",
                         "99999999999999999999999",
                         "-9223372036854775809",
                         "+-1",
                         "\v\f\r\n 7"};
  std::vector<std::string> texts(std::begin(edges), std::end(edges));
  texts.push_back(std::string(98, '9'));
  texts.push_back(
      std::string("1.5\0"
                  "2",
                  5));
  std::mt19937_64 rng(1);
  for (int i = 0; i < 200000; ++i) texts.push_back(AwkwardText(rng));
  for (const std::string& t : texts) {
    ASSERT_TRUE(SameBits(LeadingReal(t), reference::LeadingReal(t))) << '"' << t << '"';
    ASSERT_EQ(LeadingLong(t), reference::LeadingLong(t)) << '"' << t << '"';
  }
}

std::vector<std::string> FuzzInputs() {
  std::vector<std::string> inputs;
  const auto folder = std::filesystem::path(PLANAQ_TEST_DATA) / "fuzz";
  for (const auto& entry : std::filesystem::directory_iterator(folder))
    inputs.push_back(test::ReadFile(entry.path().string()));
  return inputs;
}

// What the fgetc reader gave, chunk by chunk, and what the block reader gives.
std::vector<std::string> Chunks(const std::string& bytes, bool blocks) {
  std::vector<std::string> chunks;
  std::FILE* f = fuzz::OpenBytes(bytes);
  if (blocks) {
    BlockLines lines(f);
    std::string_view chunk;
    while (lines.NextChunk(99, chunk)) chunks.emplace_back(chunk);
  } else {
    std::string chunk;
    while (ReadChunk(f, 99, chunk)) chunks.push_back(chunk);
  }
  std::fclose(f);
  return chunks;
}

TEST(DatafileDifferential, CorpusInputsGiveTheSameChunksTokensAndFiles) {
  std::vector<std::string> inputs = FuzzInputs();
  // long lines across the 1 MiB blocks, NUL bytes and a file without a last line feed
  std::mt19937_64 rng(7);
  std::string big;
  while (big.size() < 3u << 20) big += std::string(rng() % 300, "1.5e3,\0;#-x"[rng() % 11]) + "\n";
  inputs.push_back(big + "no line feed");
  for (const std::string& bytes : inputs) {
    const std::vector<std::string> chunks = Chunks(bytes, true);
    ASSERT_EQ(chunks, Chunks(bytes, false));
    for (const std::string& chunk : chunks)
      for (const std::string& token : SplitTokens(chunk))
        ASSERT_TRUE(SameBits(LeadingReal(token), reference::LeadingReal(token))) << token;
    Problem p;
    p.StartUp(Capacities{20, 200, 300, 20});
    std::FILE* f = fuzz::OpenBytes(bytes);
    if (ReadDatafileFrom(p, f).ok) {
      EXPECT_EQ(FormatDatafile(p), reference::FormatDatafile(p));
    }
    std::fclose(f);
  }
}

}  // namespace
}  // namespace planaq
