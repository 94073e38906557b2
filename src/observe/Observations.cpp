#include "observe/Observations.h"

#include <cstdio>
#include <fstream>
#include <iterator>
#include <sstream>

namespace planaq {

std::string ObservationSidePath(const std::string& datafilePath) { return datafilePath + ".obs"; }

ObservationRead ReadObservationsFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    ObservationRead read;
    read.ok = false;
    read.message = "Observations: cannot open " + path;
    return read;
  }
  const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  return ParseObservationsCsv(text);
}

std::string WriteObservationsFile(const ObservationSet& set, const std::string& path) {
  const std::string failed = "Writing observations failed.  Disk full ?";
  const std::string temporary = path + ".planaq-save.tmp";
  std::FILE* f = std::fopen(temporary.c_str(), "wb");
  if (!f) return failed;
  const std::string text = FormatObservationsCsv(set);
  const bool written = std::fwrite(text.data(), 1, text.size(), f) == text.size();
  const bool closed = std::fclose(f) == 0;
  if (!written || !closed || std::rename(temporary.c_str(), path.c_str()) != 0) {
    std::remove(temporary.c_str());
    return failed;
  }
  return "";
}

std::string CheckObservationName(const ObservationSet& set, int row, const std::string& name) {
  if (name.find_first_not_of(" \t") == std::string::npos) return "Enter a name";
  if (name.find_first_of("\r\n") != std::string::npos) return "A name is one line";
  for (int i = 0; i < set.size(); ++i) {
    if (i != row && set.points[i].name == name) return "The name " + name + " is taken";
  }
  return "";
}

}  // namespace planaq
