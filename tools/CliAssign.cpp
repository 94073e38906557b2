// planaq-cli assign: select nodes and elements by a polygon, a line or a rectangle and set
// their data at once, as the mesh window's Select key does; or fill B, T or F of a layer from a
// raster or from points, at every node or at the selected ones. Bad input exits with 2 and
// writes nothing.

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "Cli.h"
#include "maps/GeoSideFile.h"
#include "maps/MapExport.h"
#include "maps/MapSampling.h"
#include "mesh/NodeValuesAssign.h"
#include "mesh/Selection.h"
#include "mesh/SelectionAssign.h"
#include "model/Values.h"

namespace planaq::cli {

namespace {

constexpr int kBadInput = 2;

struct AssignArgs {
  std::string in, out;
  SelectionShape shape;
  int shapes = 0;
  bool layerGiven = false;
  bool allLayers = false;
  int layer = 1;  // 1-based as typed
  bool open = false, closed = false;
  std::optional<double> headFrom, headTo;
  Assignment assignment;
  // a map instead of values
  std::string map, field;
  NodeQuantity quantity = NodeQuantity::Top;
  int maps = 0;
  bool originGiven = false;
  bool remember = false;  // keep the origin beside OUT
  double X0 = 0.0, Y0 = 0.0;
};

// the whole text is one finite number within the datafile's limit
bool Number(const std::string& text, double& value) {
  char* end = nullptr;
  errno = 0;
  value = std::strtod(text.c_str(), &end);
  return !text.empty() && *end == '\0' && IsStorable(value);
}

bool WholeNumber(const std::string& text, int& value) {
  char* end = nullptr;
  errno = 0;
  const long v = std::strtol(text.c_str(), &end, 10);
  if (text.empty() || *end != '\0' || errno != 0 || v < -1000000 || v > 1000000) return false;
  value = static_cast<int>(v);
  return true;
}

// "x1,y1 x2,y2 ..." (blanks or semicolons between the points)
bool Points(const std::string& text, std::vector<ShapePoint>& points) {
  std::string spaced = text;
  for (char& c : spaced)
    if (c == ';') c = ' ';
  std::istringstream words(spaced);
  std::string word;
  while (words >> word) {
    const auto comma = word.find(',');
    ShapePoint p;
    if (comma == std::string::npos || !Number(word.substr(0, comma), p.x) ||
        !Number(word.substr(comma + 1), p.y))
      return false;
    points.push_back(p);
  }
  return true;
}

// "X1,Y1,X2,Y2"
bool Corners(const std::string& text, std::vector<ShapePoint>& points) {
  std::string spaced = text;
  int commas = 0;
  for (char& c : spaced)
    if (c == ',' && ++commas == 2) c = ' ';
  return commas == 3 && Points(spaced, points) && points.size() == 2;
}

bool Fail(const std::string& message) {
  std::fprintf(stderr, "planaq-cli assign: %s\n", message.c_str());
  return false;
}

bool ParseShape(const std::string& option, const std::string& value, AssignArgs& r) {
  ++r.shapes;
  r.shape.points.clear();
  if (option == "--polygon") {
    r.shape.kind = ShapeKind::Polygon;
    return Points(value, r.shape.points) || Fail("--polygon needs \"x1,y1 x2,y2 ...\" in metres");
  }
  if (option == "--line") {
    r.shape.kind = ShapeKind::Polyline;
    return Points(value, r.shape.points) || Fail("--line needs \"x1,y1 x2,y2 ...\" in metres");
  }
  r.shape.kind = ShapeKind::Rectangle;
  return Corners(value, r.shape.points) || Fail("--rect needs X1,Y1,X2,Y2 in metres");
}

// "X0,Y0"
bool Origin(const std::string& text, AssignArgs& r) {
  const auto comma = text.find(',');
  return comma != std::string::npos && Number(text.substr(0, comma), r.X0) &&
         Number(text.substr(comma + 1), r.Y0);
}

bool ParseMap(const std::string& option, const std::string& value, AssignArgs& r) {
  if (option == "--field") {
    r.field = value;
    return true;
  }
  r.originGiven = r.originGiven || option == "--origin";
  if (option == "--origin")
    return Origin(value, r) || Fail("--origin needs X0,Y0 as two numbers within 1e12");
  ++r.maps;
  r.map = value;
  r.quantity = option == "--top-map"      ? NodeQuantity::Top
               : option == "--bottom-map" ? NodeQuantity::Bottom
                                          : NodeQuantity::Head;
  return true;
}

bool IsMapOption(const std::string& option) {
  return option == "--top-map" || option == "--bottom-map" || option == "--head-map" ||
         option == "--field" || option == "--origin";
}

bool ParseValue(const std::string& option, const std::string& value, AssignArgs& r) {
  if (IsMapOption(option)) return ParseMap(option, value, r);
  Assignment& a = r.assignment;
  if (option == "--layer") {
    r.layerGiven = true;
    r.allLayers = value == "all";
    return r.allLayers || WholeNumber(value, r.layer) || Fail("--layer needs a number or all");
  }
  if (option == "--soil") {
    int soil = 0;
    if (!WholeNumber(value, soil)) return Fail("--soil needs a whole number");
    a.soil = soil;
    return true;
  }
  double v = 0.0;
  if (!Number(value, v)) return Fail(option + " needs a finite number within 1e12");
  if (option == "--width") r.shape.width = v;
  if (option == "--given-head") a.givenHead = v;
  if (option == "--head-from") r.headFrom = v;
  if (option == "--head-to") r.headTo = v;
  if (option == "--head") a.head = v;
  if (option == "--bottom") a.bottom = v;
  if (option == "--top") a.top = v;
  if (option == "--supply") a.extraSupply = v;
  return true;
}

bool TakesValue(const std::string& option) {
  for (const char* o :
       {"--polygon", "--line", "--rect", "--width", "--layer", "--given-head", "--head-from",
        "--head-to", "--head", "--bottom", "--top", "--supply", "--soil"})
    if (option == o) return true;
  return IsMapOption(option);
}

// A map fills one quantity of one layer, at every node or at those of one shape.
bool CheckMapArgs(const AssignArgs& r, double width) {
  if (r.maps > 1) return Fail("give one of --top-map, --bottom-map or --head-map");
  if (!r.assignment.Empty() || r.headFrom || r.open || r.closed)
    return Fail("a map is assigned alone, without other values");
  if (!r.layerGiven || r.allLayers) return Fail("a map fills one layer: give --layer L");
  if (r.shapes > 1) return Fail("give one of --polygon, --line or --rect, or none");
  if (r.shape.kind != ShapeKind::Polyline && width != 0.0) return Fail("--width is for --line");
  if (r.remember && !r.originGiven) return Fail("--remember goes with --origin");
  return true;
}

bool Parse(const Args& args, AssignArgs& r) {
  std::vector<std::string> files;
  double width = 0.0;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& o = args[i];
    if (TakesValue(o)) {
      if (i + 1 >= args.size()) return Fail(o + " needs a value");
      const std::string& value = args[++i];
      const bool shape = o == "--polygon" || o == "--line" || o == "--rect";
      if (!(shape ? ParseShape(o, value, r) : ParseValue(o, value, r))) return false;
      if (o == "--width") width = r.shape.width;
    } else if (o == "--given-supply") {
      r.assignment.givenSupply = true;
    } else if (o == "--remember") {
      r.remember = true;
    } else if (o == "--open" || o == "--closed") {
      (o == "--open" ? r.open : r.closed) = true;
    } else if (o.rfind("--", 0) == 0) {
      return Fail("unknown option '" + o + "'");
    } else {
      files.push_back(o);
    }
  }
  r.shape.width = width;
  if (files.size() != 2)
    return Fail(
        "usage: planaq-cli assign IN.aqd OUT.aqd --polygon|--line|--rect ... [options]\n"
        "   or: planaq-cli assign IN.aqd OUT.aqd --layer L --top-map|--bottom-map|--head-map "
        "FROM [--field NAME] [--origin X0,Y0 [--remember]] [--polygon|--line|--rect ...]");
  r.in = files[0];
  r.out = files[1];
  if (r.maps > 0) return CheckMapArgs(r, width);
  if (!r.field.empty() || r.originGiven || r.remember)
    return Fail("--field, --origin and --remember go with a map");
  if (r.shapes != 1) return Fail("give one of --polygon, --line or --rect");
  if (r.shape.kind != ShapeKind::Polyline && width != 0.0) return Fail("--width is for --line");
  if (r.open && r.closed) return Fail("--open and --closed contradict each other");
  if (r.open || r.closed) r.assignment.topOpen = r.open;
  if (r.headFrom.has_value() != r.headTo.has_value())
    return Fail("--head-from and --head-to go together");
  if (r.headFrom) r.assignment.headAlong = HeadAlongLine{*r.headFrom, *r.headTo};
  const Assignment& a = r.assignment;
  const bool layered =
      a.givenHead || a.headAlong || a.givenSupply || a.head || a.bottom || a.top || a.extraSupply;
  if (layered && !r.layerGiven) return Fail("--layer L|all is needed for heads, B, T and Q");
  return true;
}

// Every node, or the nodes of the shape when one is given.
bool NodesToFill(const Problem& problem, const AssignArgs& r, std::vector<int>& nodes) {
  if (r.shapes == 0) {
    for (int n = 0; n < problem.NN; ++n) nodes.push_back(n);
    return true;
  }
  if (const std::string refused = CheckShape(problem, r.shape); !refused.empty())
    return Fail(refused);
  nodes = Select(problem, r.shape).nodes;
  std::printf("Selected : %zu nodes\n", nodes.size());
  return true;
}

// Without --origin, the origin remembered beside the datafile, if any.
bool TakeRememberedOrigin(AssignArgs& r) {
  if (r.originGiven) return true;
  const GeoReadOutcome side = ReadGeoSideFile(r.in);
  if (!side.message.empty()) return Fail(side.message);
  r.X0 = side.georeference.X0;
  r.Y0 = side.georeference.Y0;
  return true;
}

// The origin given goes beside OUT, with the CRS remembered for IN.
bool RememberOrigin(const AssignArgs& r) {
  Georeference g = ReadGeoSideFile(r.in).georeference;
  g.X0 = r.X0;
  g.Y0 = r.Y0;
  const std::string error = WriteGeoSideFile(r.out, g);
  if (!error.empty()) return Fail(error);
  std::printf("Kept     : %s\n", GeoSideFilePath(r.out).c_str());
  return true;
}

int AssignFromMap(Problem& problem, AssignArgs& r) {
  if (!TakeRememberedOrigin(r)) return kBadInput;
  std::vector<int> nodes;
  if (!NodesToFill(problem, r, nodes)) return kBadInput;
  std::vector<MapPoint> at;
  at.reserve(nodes.size());
  for (int n : nodes) at.push_back({problem.nodes[n].X + r.X0, problem.nodes[n].Y + r.Y0});
  const MapSamples samples = SampleMap(r.map, r.field, at);
  if (!samples.message.empty()) {
    Fail(samples.message);
    return kBadInput;
  }
  const NodeValuesOutcome out =
      AssignNodeValues(problem, r.quantity, r.layer - 1, nodes, samples.values);
  std::printf("Changed  : %d nodes\n", out.changed);
  std::printf("Left     : %d nodes (outside the map or on no-data)\n", out.left);
  if (!SaveDatafile(problem, r.out)) return 1;
  return !r.remember || RememberOrigin(r) ? 0 : 1;
}

}  // namespace

int Assign(const Args& args) {
  AssignArgs r;
  if (!Parse(args, r)) return kBadInput;
  if (r.maps > 0 && !MapsAvailable()) {
    Fail(SampleMap("", "", {}).message);
    return kBadInput;
  }
  Problem problem = StartedProblem();
  if (!OpenDatafile(problem, r.in)) return 1;
  if (!r.allLayers && (r.layer < 1 || r.layer > problem.NL)) {
    Fail("the layer must be 1.." + std::to_string(problem.NL) + " or all");
    return kBadInput;
  }
  if (r.maps > 0) return AssignFromMap(problem, r);
  r.assignment.layer = r.allLayers ? Assignment::kAllLayers : r.layer - 1;
  std::string refused = CheckShape(problem, r.shape);
  if (refused.empty()) refused = CheckAssignment(problem, r.shape, r.assignment);
  const Selection selection = refused.empty() ? Select(problem, r.shape) : Selection{};
  const AssignOutcome out = refused.empty()
                                ? AssignSelection(problem, r.shape, selection, r.assignment)
                                : AssignOutcome{refused};
  if (!out.message.empty()) {
    Fail(out.message);
    return kBadInput;
  }
  std::printf("Selected : %d nodes, %d elements\n", out.nodesSelected, out.elementsSelected);
  std::printf("Changed  : %d nodes, %d elements\n", out.nodesChanged, out.elementsChanged);
  return SaveDatafile(problem, r.out) ? 0 : 1;
}

}  // namespace planaq::cli
