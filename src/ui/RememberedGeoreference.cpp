#include "ui/RememberedGeoreference.h"

namespace planaq::ui {

bool SameGeoreference(const Georeference& a, const Georeference& b) {
  return a.X0 == b.X0 && a.Y0 == b.Y0 && a.crs == b.crs;
}

std::string RememberedGeoreference::Open(const std::string& datafile) {
  datafile_ = datafile;
  value_ = {};
  set_ = false;
  const GeoReadOutcome read = ReadGeoSideFile(datafile);
  if (!read.found) return {};
  if (!read.message.empty()) return read.message + "\n\nThe georeference was not read.";
  value_ = read.georeference;
  set_ = true;
  return {};
}

std::string RememberedGeoreference::Saved(const std::string& datafile) {
  const bool moved = datafile != datafile_;
  datafile_ = datafile;
  if (!set_ || !moved) return {};
  return WriteGeoSideFile(datafile_, value_);
}

void RememberedGeoreference::Forget() {
  datafile_.clear();
  value_ = {};
  set_ = false;
}

std::string RememberedGeoreference::Remember(const Georeference& georeference) {
  if (datafile_.empty() || (set_ && SameGeoreference(georeference, value_))) return {};
  // a problem never georeferenced gains no side file from the fields' defaults
  if (!set_ && SameGeoreference(georeference, Georeference{})) return {};
  if (std::string refused = WriteGeoSideFile(datafile_, georeference); !refused.empty())
    return refused;
  value_ = georeference;
  set_ = true;
  return {};
}

}  // namespace planaq::ui
