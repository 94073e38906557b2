#include "grids/SoilsGrid.h"

#include <algorithm>
#include <limits>

namespace planaq {

namespace {

constexpr double kNone = std::numeric_limits<double>::infinity();

// One column of the grid: the field it shows, its limits and format.
struct SoilsField {
  LayerValues Soil::*values;  // nullptr: the infiltration I, which has no layer
  double lower;
  double upper;
  const char* format;
};

constexpr SoilsField kK{&Soil::K, 0.0001, kNone, "%12.6f"};
constexpr SoilsField kP{&Soil::P, 0.01, 1.0, "%8.4f"};
constexpr SoilsField kR{&Soil::R, 1.0, kNone, "%8.4f"};
constexpr SoilsField kKA{&Soil::KA, 0.000001, kNone, "%12.6f"};
constexpr SoilsField kPA{&Soil::PA, 0.01, 1.0, "%8.4f"};
constexpr SoilsField kRA{&Soil::RA, 1.0, kNone, "%8.4f"};
constexpr SoilsField kI{nullptr, -kNone, kNone, "%12.6f"};

constexpr SoilsField kLayer1[] = {kK, kP, kR, kI};
constexpr SoilsField kLayersBelow[] = {kKA, kPA, kRA, kK, kP, kR};

const SoilsField* FieldOf(int col, int layer) {
  if (col < 1 || col >= SoilsColumnCount(layer)) return nullptr;
  return layer == 0 ? &kLayer1[col - 1] : &kLayersBelow[col - 1];
}

double& ValueOf(Soil& soil, const SoilsField& field, int layer) {
  return field.values ? (soil.*field.values)[layer] : soil.I;
}
double ValueOf(const Soil& soil, const SoilsField& field, int layer) {
  return field.values ? (soil.*field.values)[layer] : soil.I;
}

double Clamped(const SoilsField& field, double v) {
  return std::min(std::max(v, field.lower), field.upper);
}

constexpr double kLargeInfiltration = 1.0;

}  // namespace

int SoilsColumnCount(int layer) { return layer == 0 ? 5 : 7; }

std::string SoilsCellText(const Problem& problem, int col, int entry, int layer) {
  if (col == 0) return FormatInt("%8d", entry + 1);
  const SoilsField* field = FieldOf(col, layer);
  if (!field) return {};
  return FormatReal(field->format, ValueOf(problem.soils[entry], *field, layer));
}

void ClampSoils(Problem& problem, int layer) {
  const int entries = std::min<int>(problem.NB, static_cast<int>(problem.soils.size()));
  for (int e = 0; e < entries; ++e)
    for (int col = 1; col < SoilsColumnCount(layer); ++col) {
      const SoilsField& field = *FieldOf(col, layer);
      if (!field.values) continue;
      double& v = ValueOf(problem.soils[e], field, layer);
      v = Clamped(field, v);
    }
}

CellOutcome StoreSoilsCell(Problem& problem, int col, int entry, int layer, const std::string& text,
                           InfiltrationWarning& warning) {
  const SoilsField* field = FieldOf(col, layer);
  if (!field) return CellOutcome{SoilsCellText(problem, col, entry, layer), {}, true};
  const CellReal read = ReadCellReal(text);
  if (!read.ok) return Refused(SoilsCellText(problem, col, entry, layer), read.message);
  ValueOf(problem.soils[entry], *field, layer) = Clamped(*field, read.value);
  std::string message;
  if (!field->values && read.value > kLargeInfiltration && warning.armed) {
    message = "Warning : This is a very large infiltration";
    warning.armed = false;
  }
  return CellOutcome{SoilsCellText(problem, col, entry, layer), message, true};
}

}  // namespace planaq

namespace planaq {

std::string SoilsHelpText(int NL) {
  std::string text = std::string("Block Properties in Layer 1 :\n\n") + "- i  : Block number,\n" +
                     "- K : Permeability in layer (m/d),\n" + "- P : Porosity in layer (-),\n" +
                     "- R : Retardation factor in layer (-),\n" +
                     "- I  : Infiltration in layer (m/d).\n\n";
  if (NL > 1)
    text += std::string("Block Properties in Layers 2..NL :\n\n") + "- i   : Block number,\n" +
            "- K' : Permeability in aquitard above layer (m/d),\n" +
            "- P' : Porosity in aquitard above layer (-),\n" +
            "- R' : Retardation factor in aquitard above layer (-),\n" +
            "- K  : Permeability in layer (m/d),\n" + "- P  : Porosity in layer (-),\n" +
            "- R  : Retardation factor in layer (-).\n";
  return text;
}

}  // namespace planaq
