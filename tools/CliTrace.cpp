// planaq-cli trace and contours: the pathlines and the contour segments of the contour figure,
// computed by the same code that draws the figure.

#include <cstdio>
#include <cstdlib>
#include <string>

#include "Cli.h"
#include "results/ContourFigure.h"
#include "results/ContourLevels.h"
#include "results/DiscardCanvas.h"

namespace planaq::cli {

namespace {

// The client area the figure is computed for; the rows are in world coordinates, and the
// length scale and capture distance do not depend on it.
constexpr int kClientWidth = 1024;
constexpr int kClientHeight = 768;

struct FigureArgs {
  std::string path;
  int layer = 1;  // 1-based, as the user counts layers
  long long maxPasses = kTracePassLimit;
};

bool ParseCount(const std::string& text, long long& value) {
  char* end = nullptr;
  const long long v = std::strtoll(text.c_str(), &end, 10);
  if (text.empty() || *end != '\0' || v < 1) return false;
  value = v;
  return true;
}

// Reads IN.aqd [--layer L] [--max-passes N]; false for anything else.
bool ParseFigureArgs(const Args& args, bool passes, FigureArgs& out) {
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    long long v = 0;
    if (a == "--layer" && i + 1 < args.size() && ParseCount(args[i + 1], v) && v <= kMaxLayers) {
      out.layer = static_cast<int>(v);
      ++i;
    } else if (passes && a == "--max-passes" && i + 1 < args.size() && ParseCount(args[i + 1], v)) {
      out.maxPasses = v;
      ++i;
    } else if (!IsOption(a) && out.path.empty()) {
      out.path = a;
    } else {
      out.path.clear();
      break;
    }
  }
  return !out.path.empty();
}

bool OpenForFigure(Problem& problem, const FigureArgs& a) {
  if (!OpenDatafile(problem, a.path)) return false;
  if (a.layer > problem.NL) {
    std::fprintf(stderr, "planaq-cli: layer %d is outside 1..%d\n", a.layer, problem.NL);
    return false;
  }
  return true;
}

// The layer of a step as the user counts: L in aquifer L, -L in the aquitard above layer L.
int ShownLayer(int code) { return code >= 0 ? code + 1 : code - 1; }

class CsvRows : public TraceObserver {
 public:
  void OnStep(const TraceStep& s) override {
    std::printf("%d,%lld,%.6f,%.6f,%.6f,%d,%d\n", s.particle + 1, s.step, s.x, s.y, s.z,
                ShownLayer(s.layerCode), s.mark ? 1 : 0);
  }
};

}  // namespace

int Trace(const Args& args) {
  FigureArgs a;
  const char* usage = "trace IN.aqd [--layer L] [--max-passes N]";
  if (!ParseFigureArgs(args, true, a)) return Misuse(usage);
  if (StdoutIsInput(a.path)) return 1;
  Problem problem = StartedProblem();
  if (!OpenForFigure(problem, a)) return 1;
  const int layer = a.layer - 1;
  const ContourMapping mapping = ScreenContourMapping(problem, kClientWidth, kClientHeight);
  if (!mapping.valid) {
    std::fprintf(stderr, "planaq-cli: the nodes span no area; nothing is traced\n");
    return 1;
  }
  DiscardCanvas canvas(kClientWidth, kClientHeight);
  NoPendingEvents events;
  CsvRows rows;
  TraceSettings settings = ScreenContourTraceSettings(mapping, layer);
  settings.observer = &rows;
  settings.maxPasses = a.maxPasses;
  std::printf("particle,step,x,y,z,layer,mark\n");
  const TraceResult r =
      TraceParticles(problem, ContourPathMapping(mapping), settings, canvas, events);
  if (r.unfinished > 0)
    std::fprintf(stderr, "planaq-cli: %d particle(s) still under way after %lld passes\n",
                 r.unfinished, r.passes);
  return 0;
}

int Contours(const Args& args) {
  FigureArgs a;
  const char* usage = "contours IN.aqd [--layer L]";
  if (!ParseFigureArgs(args, false, a)) return Misuse(usage);
  if (StdoutIsInput(a.path)) return 1;
  Problem problem = StartedProblem();
  if (!OpenForFigure(problem, a)) return 1;
  const int layer = a.layer - 1;
  const ContourLevelSet set = ContourLevels(problem, layer);
  std::printf("%s\n", ContourLegend(set).c_str());
  std::printf("element,level,x1,y1,x2,y2\n");
  ForEachContourSegment(problem, layer, set, [](int e, double level, const ContourLine& line) {
    std::printf("%d,%.6f,%.6f,%.6f,%.6f,%.6f\n", e + 1, level, line.from.x, line.from.y, line.to.x,
                line.to.y);
  });
  return 0;
}

}  // namespace planaq::cli
