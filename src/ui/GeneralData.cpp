#include "ui/GeneralData.h"

#include <cstdio>

#include "files/Installation.h"
#include "files/Tokens.h"
#include "model/Memory.h"
#include "model/Values.h"

namespace planaq::ui {

namespace {

std::string Format(const char* format, double v) {
  char text[64];
  std::snprintf(text, sizeof text, format, v);
  return text;
}

std::string Format(const char* format, int v) {
  char text[64];
  std::snprintf(text, sizeof text, format, v);
  return text;
}

std::string Trimmed(const std::string& text) {
  const std::size_t first = text.find_first_not_of(" \t");
  return first == std::string::npos ? std::string() : text.substr(first);
}

double RealOf(const std::string& text) {
  const double v = LeadingReal(Trimmed(text));
  return v == 0.0 ? 0.0 : v;  // "-0" is zero, never shown as "-0.000"
}
int IntOf(const std::string& text) { return LeadingInt(Trimmed(text)); }

// A refused entry leaves the model's value and keeps the user on the cell.
GeneralCheck PositiveLength(double& stored, const std::string& text) {
  const double v = RealOf(text);
  if (v > 0.0 && !IsStorable(v)) return {Format("%15.3f", stored), kValueTooLargeMessage, false};
  // a length below half a millimetre would be written as 0.000
  if (!IsWritablePositive(v))
    return {Format("%15.3f", 100.0), "Enter positive real number", false};
  stored = v;
  return {Format("%15.3f", v), "", true};
}

GeneralCheck IntegerInRange(int& stored, const std::string& text, int lowest, int highest,
                            const char* lowMessage, const char* highMessage) {
  int v = IntOf(text);
  std::string message;
  if (v < lowest) {
    v = lowest;
    message = lowMessage;
  } else if (v > highest) {
    v = highest;
    message = highMessage;
  }
  stored = v;
  return {Format("%12d", v), message, true};
}

RowCheck CapacityRow(const Problem& p, int row, const std::string& text) {
  return CheckCapacityRow(p.caps, row, Trimmed(text), AvailableMemoryBytes());
}

GeneralCheck FromRowCheck(int& stored, const RowCheck& check) {
  stored = check.value;
  return {check.text, check.message, true, check.kept};
}

}  // namespace

const char* GeneralLabel(int row) {
  static const char* const kLabels[kGeneralRows] = {
      "File Name", "NA", "NB", "NW", "NN", "NM", "Problem Name", "LX (m)", "LY (m)", "NL", "NP",
      "TM (d)"};
  return row >= 0 && row < kGeneralRows ? kLabels[row] : "";
}

std::string GeneralValueText(const Problem& p, int row) {
  switch (row) {
    case kRowFileName: return p.FileName;
    case kRowNA: return Format("%12d", p.NA);
    case kRowNB: return Format("%12d", p.NB);
    case kRowNW: return Format("%12d", p.NW);
    case kRowNN: return Format("%12d", p.NN);
    case kRowNM: return Format("%12d", p.NM);
    case kRowProblemName: return p.ProblemName;
    case kRowLX: return Format("%15.3f", p.LX);
    case kRowLY: return Format("%15.3f", p.LY);
    case kRowNL: return Format("%12d", p.NL);
    case kRowNP: return Format("%12d", p.NP);
    case kRowTM: return Format("%15.3f", p.TM);
    default: return "";
  }
}

GeneralCheck CheckGeneralRow(Problem& p, int row, const std::string& text) {
  switch (row) {
    case kRowProblemName:
      // the name's line in the datafile ends at a comma: the rest would be lost on reopening
      if (text.find(',') != std::string::npos)
        return {p.ProblemName, kNameCommaMessage, false, true};
      p.ProblemName = text.substr(0, 60);
      return {p.ProblemName, "", true};
    case kRowLX: return PositiveLength(p.LX, text);
    case kRowLY: return PositiveLength(p.LY, text);
    case kRowNL:
      return IntegerInRange(p.NL, text, 1, kMaxLayers, "Enter integer value >= 1",
                            "Enter integer value <= 6");
    case kRowNP:
      return IntegerInRange(p.NP, text, 0, p.caps.PMAX, "Enter integer value >= 0",
                            "Enter integer value <= PMAX");
    case kRowTM: {
      const double v = RealOf(text);
      if (v > 0.0 && !IsStorable(v)) return {Format("%15.3f", p.TM), kValueTooLargeMessage, true};
      const bool ok = IsWritablePositive(v);
      p.TM = ok ? v : 100.0;
      return {Format("%15.3f", p.TM), ok ? "" : "Enter positive real number", true};
    }
    default: return {text, "", true};  // the fixed rows are shown, not checked
  }
}

const char* InstallationLabel(int row) {
  static const char* const kLabels[kInstallationRows] = {"User Name", "BMAX", "NMAX", "MMAX",
                                                         "PMAX"};
  return row >= 0 && row < kInstallationRows ? kLabels[row] : "";
}

std::string InstallationValueText(const Problem& p, int row) {
  switch (row) {
    case 0: return p.UserName;
    case 1: return Format("%12d", p.caps.BMAX);
    case 2: return Format("%12d", p.caps.NMAX);
    case 3: return Format("%12d", p.caps.MMAX);
    case 4: return Format("%12d", p.caps.PMAX);
    default: return "";
  }
}

GeneralCheck CheckInstallationRow(Problem& p, int row, const std::string& text) {
  switch (row) {
    case 0:
      // the installation file ends the name at a comma as the datafile does
      if (text.find(',') != std::string::npos) return {p.UserName, kNameCommaMessage, true, true};
      p.UserName = CheckUserName(text);
      return {p.UserName, "", true};
    case 1: return FromRowCheck(p.caps.BMAX, CapacityRow(p, row, text));
    case 2: return FromRowCheck(p.caps.NMAX, CapacityRow(p, row, text));
    case 3: return FromRowCheck(p.caps.MMAX, CapacityRow(p, row, text));
    case 4: return FromRowCheck(p.caps.PMAX, CapacityRow(p, row, text));
    default: return {text, "", true};
  }
}

}  // namespace planaq::ui
