#pragma once
// What a long datafile read or write reports, so that a window can show how far it is and
// keep painting; the command-line tool and the tests pass none.

namespace planaq {

class DatafileProgress {
 public:
  virtual ~DatafileProgress() = default;
  // done of total bytes read, or lines formatted; total is 0 when the size is not known.
  virtual void Advanced(long long /*done*/, long long /*total*/) {}
};

}  // namespace planaq
