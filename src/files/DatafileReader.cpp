#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cmath>
#include <cstdio>
#include <cstring>
#include <memory>

#include "files/BlockLines.h"
#include "files/Datafile.h"
#include "files/Tokens.h"
#include "files/WrittenValue.h"
#include "model/Windows1252.h"

namespace planaq {
namespace {

constexpr std::size_t kLineChars = 99;

// What a file holds, read completely before anything in memory changes.
struct Contents {
  std::string fileName, problemName;
  double LX = 0, LY = 0, TM = 0;
  int NA = 0, NB = 0, NN = 0, NM = 0, NL = 0, NW = 0, NP = 0;
  std::vector<Node> nodes;
  std::vector<NodeLayers> layers;
  std::vector<Block> blocks;
  std::vector<Soil> soils;
  std::vector<Element> elements;
  std::vector<Well> wells;
  std::vector<double> wellHead;
  std::vector<int> wellType;
  std::vector<Particle> particles;
  bool waterLevelBelowBottom = false;
};

struct Damaged {
  std::string message;
};

std::string LineMessage(int line, const std::string& what) {
  return "Reading datafile failed.\n\nLine " + std::to_string(line) + ": " + what + ".";
}

class LineReader {
 public:
  LineReader(std::FILE* f, DatafileProgress* progress) : lines_(f, progress) {}

  std::string NameLine() {
    Next();
    return NameField(std::string(line_), 40);
  }
  // The next data line as tokens; reals and integers are taken from it in order.
  void Tokens() {
    Next();
    tokens_.clear();
    std::size_t pos = 0;
    for (std::string_view t = NextToken(line_, pos); !t.empty(); t = NextToken(line_, pos))
      tokens_.push_back(t);
    next_ = 0;
  }
  double Real(const char* what) {
    const double v = LeadingReal(Token());
    if (!std::isfinite(v))
      throw Damaged{LineMessage(number_, std::string(what) + " is not a finite number")};
    if (std::fabs(v) > kLargestDatafileValue)
      throw Damaged{LineMessage(number_, std::string(what) + " is too large")};
    return v;
  }
  // The sides of the problem area, which every coordinate lies within, are positive at the
  // file's resolution of 1 mm, so that the side written back is still read.
  double Length(const char* what) {
    const double v = Real(what);
    if (!(std::round(v * 1000.0) > 0.0))
      throw Damaged{LineMessage(number_, std::string(what) + " is not greater than 0")};
    return v;
  }
  // A quantity whose positive value must not turn into zero when the file is written again.
  double Kept(const KeptColumn& column) {
    const double v = Real(column.name);
    const std::string zero = WrittenAsZero(column, v);
    if (!zero.empty()) throw Damaged{LineMessage(number_, zero)};
    return v;
  }
  int Int() { return LeadingInt(Token()); }
  // A 1-based reference that must lie in 1..count; stored 0-based.
  int Reference(const char* what, int count) {
    const int v = Int();
    if (v < 1 || v > count)
      throw Damaged{LineMessage(number_, std::string(what) + " " + std::to_string(v) +
                                             " is outside 1.." + std::to_string(count))};
    return v - 1;
  }
  int line() const { return number_; }

 private:
  void Next() {
    if (!lines_.NextDataLine(kLineChars, line_, number_))
      throw Damaged{"Reading datafile failed.\n\nThe file ends early, after line " +
                    std::to_string(number_) + "."};
  }
  std::string_view Token() {
    return next_ < tokens_.size() ? tokens_[next_++] : std::string_view();
  }

  BlockLines lines_;
  // line_ and tokens_ look into the block buffer and hold until the next line is read
  std::string_view line_;
  std::vector<std::string_view> tokens_;
  std::size_t next_ = 0;
  int number_ = 0;
};

void ReadHeader(LineReader& in, Contents& c) {
  c.fileName = in.NameLine();
  c.problemName = in.NameLine();
  in.Tokens();
  c.LX = in.Length("LX");
  c.LY = in.Length("LY");
  in.Tokens();
  const int line = in.line();
  c.NA = in.Int();
  c.NB = in.Int();
  c.NN = in.Int();
  c.NM = in.Int();
  c.NL = in.Int();
  c.NW = in.Int();
  c.NP = in.Int();
  c.TM = in.Kept(kKeptTM);
  if (c.NL < 1 || c.NL > kMaxLayers)
    throw Damaged{LineMessage(line, "the number of layers " + std::to_string(c.NL) +
                                        " is outside 1..6")};
  if (c.NA < 0 || c.NB < 0 || c.NN < 0 || c.NM < 0 || c.NW < 0 || c.NP < 0)
    throw Damaged{LineMessage(line, "a count is negative")};
  if (c.NA > c.NN)
    throw Damaged{LineMessage(line, "there are more main nodes than nodes")};
}

// The capacity message of the first count that does not fit, or empty.
std::string CapacityMessage(const Contents& c, const Capacities& caps) {
  auto message = [](const char* what, const char* name) {
    return std::string("Capacity exceeded\n\nThe number of ") + what +
           " in the problem is too large.\n\n"
           "The capacity of the program can be increased by increasing the value of " +
           name + " in the Installation Grid.";
  };
  if (c.NP > caps.PMAX) return message("particles", "PMAX");
  if (c.NW > caps.BMAX) return message("wells", "BMAX");
  if (c.NN > caps.NMAX || c.NA > caps.NMAX) return message("nodes", "NMAX");
  if (c.NM > caps.MMAX) return message("elements", "MMAX");
  if (c.NB > caps.BMAX) return message("blocks", "BMAX");
  return {};
}

void ReadNodes(LineReader& in, Contents& c) {
  c.nodes.resize(c.NN);
  c.layers.resize(c.NN);
  for (int n = 0; n < c.NN; ++n) {
    in.Tokens();
    in.Int();
    Node& node = c.nodes[n];
    node.X = in.Real("X");
    node.Y = in.Real("Y");
    node.Type = in.Int();
    NodeLayers& l = c.layers[n];
    for (int L = 0; L < c.NL; ++L) {
      in.Tokens();
      l.B[L] = in.Real("B");
      l.T[L] = in.Real("T");
      l.F[L] = in.Real("F");
      l.Q[L] = in.Real("Q");
    }
    if (l.F[0] < l.B[0]) c.waterLevelBelowBottom = true;
  }
}

void ReadBlocksAndSoils(LineReader& in, Contents& c) {
  c.blocks.resize(c.NB);
  for (Block& b : c.blocks) {
    in.Tokens();
    in.Int();
    for (int& node : b.Node) node = in.Reference("block node", c.NN);
    b.Soil = in.Reference("soil", c.NB);
  }
  c.soils.resize(c.NB);
  for (Soil& s : c.soils) {
    in.Tokens();
    in.Int();
    s.K[0] = in.Kept(kKeptK);
    s.P[0] = in.Kept(kKeptP);
    s.R[0] = in.Kept(kKeptR);
    s.I = in.Real("I");
    for (int L = 1; L < c.NL; ++L) {
      in.Tokens();
      s.KA[L] = in.Kept(kKeptKA);
      s.PA[L] = in.Kept(kKeptPA);
      s.RA[L] = in.Kept(kKeptRA);
      in.Tokens();
      s.K[L] = in.Kept(kKeptK);
      s.P[L] = in.Kept(kKeptP);
      s.R[L] = in.Kept(kKeptR);
    }
  }
}

void ReadElementsWellsParticles(LineReader& in, Contents& c) {
  c.elements.resize(c.NM);
  for (Element& e : c.elements) {
    in.Tokens();
    in.Int();
    for (int& node : e.Node) node = in.Reference("element node", c.NN);
    // Block 0 is kept: such an element belongs to no block and contributes nothing.
    const int block = in.Int();
    if (block < 0 || block > c.NB)
      throw Damaged{LineMessage(in.line(), "element block " + std::to_string(block) +
                                               " is outside 1.." + std::to_string(c.NB))};
    e.Block = block - 1;
  }
  c.wells.resize(c.NW);
  c.wellHead.resize(c.NW);
  c.wellType.resize(c.NW);
  for (int w = 0; w < c.NW; ++w) {
    in.Tokens();
    in.Int();
    c.wells[w].Node = in.Reference("well node", c.NN);
    c.wells[w].Layer = in.Reference("well layer", c.NL);
    c.wellHead[w] = in.Real("F");
    c.wells[w].Q = in.Real("Q");
    c.wellType[w] = in.Int();
  }
  c.particles.resize(c.NP);
  for (Particle& p : c.particles) {
    in.Tokens();
    in.Int();
    p.X0 = in.Real("X");
    p.Y0 = in.Real("Y");
    p.Z0 = in.Real("Z");
  }
}

// A well line repeats the head of its node with six decimals. Where it is that same head, the
// node line's nine decimals are kept, so that saving and opening a file does not round the
// heads at well nodes; a head edited by hand on the well line still sets the head.
double HeadAtWell(double nodeHead, double wellLineHead) {
  char fromNode[64], fromWell[64];
  std::snprintf(fromNode, sizeof fromNode, "%12.6f", nodeHead);
  std::snprintf(fromWell, sizeof fromWell, "%12.6f", wellLineHead);
  return std::strcmp(fromNode, fromWell) == 0 ? nodeHead : wellLineHead;
}

void Commit(Contents& c, Problem& p) {
  p.FileName = c.fileName;
  p.ProblemName = c.problemName;
  p.LX = c.LX;
  p.LY = c.LY;
  p.NA = c.NA;
  p.NB = c.NB;
  p.NN = c.NN;
  p.NM = c.NM;
  p.NL = c.NL;
  p.NW = c.NW;
  p.NP = c.NP;
  p.TM = c.TM;
  std::copy(c.nodes.begin(), c.nodes.end(), p.nodes.begin());
  std::copy(c.layers.begin(), c.layers.end(), p.layers.begin());
  std::copy(c.blocks.begin(), c.blocks.end(), p.blocks.begin());
  std::copy(c.soils.begin(), c.soils.end(), p.soils.begin());
  std::copy(c.elements.begin(), c.elements.end(), p.elements.begin());
  for (int w = 0; w < c.NW; ++w) {
    const Well& well = c.wells[w];
    p.wells[w] = well;
    double& head = p.layers[well.Node].F[well.Layer];
    head = HeadAtWell(head, c.wellHead[w]);
    p.nodes[well.Node].Type = c.wellType[w];
  }
  for (int i = 0; i < c.NP; ++i) {
    p.particles[i] = Particle{};
    p.particles[i].X0 = c.particles[i].X0;
    p.particles[i].Y0 = c.particles[i].Y0;
    p.particles[i].Z0 = c.particles[i].Z0;
  }
  if (c.waterLevelBelowBottom) p.waterLevelWarning = true;
  p.TakeSnapshot();
}

struct FileCloser {
  void operator()(std::FILE* f) const { std::fclose(f); }
};

// Opened without waiting: a FIFO would block until a writer came, and a device or a folder
// holds no datafile; either is refused before a byte is read.
std::FILE* OpenRegularFile(const std::string& path, bool& regular) {
  const int fd = open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) return nullptr;
  struct stat st {};
  regular = fstat(fd, &st) == 0 && S_ISREG(st.st_mode);
  if (!regular || fcntl(fd, F_SETFL, fcntl(fd, F_GETFL) & ~O_NONBLOCK) != 0) {
    close(fd);
    return nullptr;
  }
  std::FILE* file = fdopen(fd, "rb");
  if (!file) close(fd);
  return file;
}

}  // namespace

Outcome ReadDatafileFrom(Problem& problem, std::FILE* file, DatafileProgress* progress) {
  LineReader in(file, progress);
  Contents c;
  try {
    ReadHeader(in, c);
    const std::string capacity = CapacityMessage(c, problem.caps);
    if (!capacity.empty()) {
      problem.FileName = "Data1.aqd";
      problem.ProblemName = "Example 1";
      problem.RestoreCountsFromSnapshot();
      problem.NL = c.NL;
      problem.TM = c.TM;
      return Outcome::Fail(capacity);
    }
    ReadNodes(in, c);
    ReadBlocksAndSoils(in, c);
    ReadElementsWellsParticles(in, c);
  } catch (const Damaged& damaged) {
    return Outcome::Fail(damaged.message);
  }
  Commit(c, problem);
  return Outcome{};
}

Outcome ReadDatafile(Problem& problem, const std::string& path, DatafileProgress* progress) {
  const std::string fileNameBefore = problem.FileName;
  problem.FileName = Utf8ToWindows1252(path);
  bool regular = true;
  std::unique_ptr<std::FILE, FileCloser> file(OpenRegularFile(path, regular));
  if (!regular)
    return Outcome::Fail("Reading datafile failed.\n\n" + path + " is not a regular file");
  if (!file) return Outcome::Fail("Reading datafile failed.  Unknown name ?");
  const Outcome read = ReadDatafileFrom(problem, file.get(), progress);
  if (!read.ok && read.message.rfind("Reading datafile failed.", 0) == 0)
    problem.FileName = fileNameBefore;
  return read;
}

}  // namespace planaq
