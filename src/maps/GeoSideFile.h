#pragma once
// The georeference of a datafile, kept beside it in NAME.aqd.geo: plain text of two lines,
//   origin X0 Y0
//   crs TEXT
// the crs line left out when there is none. The datafile itself knows nothing of it.

#include <string>

namespace planaq {

struct Georeference {
  double X0 = 0.0, Y0 = 0.0;
  std::string crs;  // empty: none
};

std::string GeoSideFilePath(const std::string& datafile);

struct GeoReadOutcome {
  bool found = false;   // false: no side file (not an error)
  std::string message;  // a side file that cannot be used; empty otherwise
  Georeference georeference;
};

GeoReadOutcome ReadGeoSideFile(const std::string& datafile);

// Through the safe writer; the message is empty when written.
std::string WriteGeoSideFile(const std::string& datafile, const Georeference& georeference);

}  // namespace planaq
