#pragma once
// The georeference of the datafile in hand, kept beside it in NAME.aqd.geo: read when a datafile
// is opened, forgotten at New, written when the user sets one in a map dialog with "Remember"
// ticked, and carried along when the datafile is saved under another name. The map dialogs
// start from it.

#include <string>

#include "maps/GeoSideFile.h"

namespace planaq::ui {

class RememberedGeoreference {
 public:
  // After a datafile was opened: its side file, if any; the message of one that cannot be used
  // (then none is remembered).
  std::string Open(const std::string& datafile);
  // After a datafile was saved: a georeference the user set goes beside the new file too.
  std::string Saved(const std::string& datafile);
  // New: no datafile, no georeference.
  void Forget();

  const Georeference& Value() const { return value_; }
  // a datafile on disk, beside which the georeference can be kept
  bool CanRemember() const { return !datafile_.empty(); }
  // The georeference the user set: written beside the datafile when it differs from the one
  // remembered. The message says why it could not be written.
  std::string Remember(const Georeference& georeference);

 private:
  std::string datafile_;
  Georeference value_;
  bool set_ = false;  // read from a side file or set by the user
};

bool SameGeoreference(const Georeference& a, const Georeference& b);

}  // namespace planaq::ui
