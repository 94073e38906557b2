#pragma once
// The observation set of a problem: piezometers with their measured heads. It lives beside
// the datafile in NAME.aqd.obs, a CSV file with the header name,x,y,layer,head,weight, and is
// read from any CSV with those columns (weight may be missing: 1). Names are UTF-8.

#include <string>
#include <vector>

namespace planaq {

struct Observation {
  std::string name;
  double X = 0.0, Y = 0.0;
  int layer = 0;  // 0-based aquifer; 1-based in the file
  double head = 0.0;
  double weight = 1.0;
};

struct ObservationSet {
  std::vector<Observation> points;
  bool empty() const { return points.empty(); }
  int size() const { return static_cast<int>(points.size()); }
};

struct ObservationRead {
  bool ok = true;
  std::string message;  // when not ok: what is wrong and on which line
  ObservationSet set;
};

// The side file that goes with a datafile: the datafile's path with ".obs" appended.
std::string ObservationSidePath(const std::string& datafilePath);

// The CSV text: the header, then one line per observation. Numbers are written in the
// shortest form that reads back to the same value, so a file read and written again is the
// same file byte for byte.
std::string FormatObservationsCsv(const ObservationSet& set);
// Reads the text of a CSV file. Missing columns, a text in a number column, a layer outside
// 1..6, a value beyond 1e12, a negative weight, an empty or duplicate name and an empty text
// are refused with a message naming the line; a header without rows is an empty set.
ObservationRead ParseObservationsCsv(const std::string& text);

ObservationRead ReadObservationsFile(const std::string& path);
// Written to a temporary file beside the target and renamed over it; "" or the message.
std::string WriteObservationsFile(const ObservationSet& set, const std::string& path);

// The rules a cell of the observation grid applies: "" when the name can be given to row
// (0-based) of the set, else the message.
std::string CheckObservationName(const ObservationSet& set, int row, const std::string& name);

constexpr int kMaxObservationLayer = 6;

}  // namespace planaq
