#include "maps/GeoSideFile.h"

#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>

#include "files/SafeWrite.h"

namespace planaq {

namespace {

constexpr double kLargestValue = 1e12;
constexpr std::streamsize kLargestFile = 1 << 20;  // a CRS in WKT is a few kB

bool ReadNumber(std::istream& in, double& value) {
  std::string text;
  if (!(in >> text)) return false;
  char* end = nullptr;
  errno = 0;
  const double v = std::strtod(text.c_str(), &end);
  if (*end != '\0' || errno == ERANGE || !std::isfinite(v) || std::fabs(v) > kLargestValue)
    return false;
  value = v;
  return true;
}

// A WKT may come in many lines; the file keeps it in one (WKT does not care for line breaks).
std::string OneLine(std::string text) {
  for (char& c : text)
    if (c == '\n' || c == '\r') c = ' ';
  return text;
}

std::string Trimmed(const std::string& s) {
  const std::size_t first = s.find_first_not_of(" \t\r");
  if (first == std::string::npos) return {};
  return s.substr(first, s.find_last_not_of(" \t\r") - first + 1);
}

bool ParseLine(const std::string& line, Georeference& g, bool& origin) {
  std::istringstream in(line);
  std::string key;
  if (!(in >> key)) return true;  // blank
  if (key == "origin") {
    std::string rest;
    origin = ReadNumber(in, g.X0) && ReadNumber(in, g.Y0) && !(in >> rest);
    return origin;
  }
  if (key == "crs") {
    g.crs = Trimmed(line.substr(line.find("crs") + 3));
    return !g.crs.empty();
  }
  return false;
}

}  // namespace

std::string GeoSideFilePath(const std::string& datafile) { return datafile + ".geo"; }

GeoReadOutcome ReadGeoSideFile(const std::string& datafile) {
  const std::string path = GeoSideFilePath(datafile);
  GeoReadOutcome out;
  std::ifstream file(path, std::ios::binary);
  if (!file) return out;
  out.found = true;
  std::string text(static_cast<std::size_t>(kLargestFile) + 1, '\0');
  file.read(text.data(), kLargestFile + 1);
  text.resize(static_cast<std::size_t>(file.gcount()));
  const std::string bad = "the georeference file " + path + " cannot be used";
  if (file.gcount() > kLargestFile) {
    out.message = bad + ": it is too long";
    return out;
  }
  std::istringstream lines(text);
  std::string line;
  bool origin = false;
  for (int number = 1; std::getline(lines, line); ++number)
    if (!ParseLine(line, out.georeference, origin)) {
      out.message =
          bad + ": line " + std::to_string(number) + " is not \"origin X0 Y0\" or \"crs CRS\"";
      return out;
    }
  if (!origin) out.message = bad + ": it has no origin";
  return out;
}

std::string WriteGeoSideFile(const std::string& datafile, const Georeference& g) {
  char origin[96];
  std::snprintf(origin, sizeof origin, "origin %.17g %.17g\n", g.X0, g.Y0);
  std::string text = origin;
  const std::string crs = Trimmed(OneLine(g.crs));
  if (!crs.empty()) text += "crs " + crs + "\n";
  const Outcome written = WriteFileSafely(GeoSideFilePath(datafile), text);
  return written.ok ? std::string() : written.message;
}

}  // namespace planaq
