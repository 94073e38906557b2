#pragma once
// The one way the program writes a file. The target's name is followed through symbolic links;
// a target that is not a regular file, or that the user may not write, is refused. The bytes
// go to a new file with a unique short name beside the target, which is synced, given the
// permission bits (and owner, where allowed) of the file it replaces and renamed over it. A
// failure on any step leaves the target as it was and no temporary file behind. A save thus
// replaces a hard link by a new file. Only where the folder takes no new file but the target
// itself may be written are the bytes written into the target in place, after their room on
// the disk has been reserved.
//
// The cause of a failure names the path: "/d/x.aqd is read-only", "/d/x.aqd is not a regular
// file", "cannot write /d/x.aqd: No space left on device".

#include <string>

#include "files/Outcome.h"

namespace planaq {

class SafeFile {
 public:
  // Checks the target and makes the temporary file; ok() tells whether both succeeded.
  explicit SafeFile(const std::string& path);
  ~SafeFile();
  SafeFile(const SafeFile&) = delete;
  SafeFile& operator=(const SafeFile&) = delete;

  bool ok() const { return cause_.empty(); }
  const std::string& cause() const { return cause_; }
  // The file that ends as the target, after links are followed.
  const std::string& target() const { return target_; }
  // Where the bytes go until Commit; another writer (a PDF printer) may write it by name.
  const std::string& temporary() const { return temporary_; }

  bool Write(const std::string& bytes);
  // Syncs, sets the mode and owner and puts the file in place. The cause says what failed.
  bool Commit();

 private:
  bool Fail(const std::string& cause);
  bool CommitInPlace();
  std::string target_;
  std::string temporary_;
  std::string cause_;
  int fd_ = -1;
  bool inPlace_ = false;
  bool committed_ = false;
};

// The whole file at once; the outcome's message is the cause of a failure.
Outcome WriteFileSafely(const std::string& path, const std::string& bytes);

// What goes after the first line of a message when a write failed: a blank line and the cause.
std::string WithCause(const std::string& firstLine, const std::string& cause);

}  // namespace planaq
