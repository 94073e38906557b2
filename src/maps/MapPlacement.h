#pragma once
// The files of one export are written into a staging folder beside the target (GDAL names the
// side files of a format itself) and go into place through the safe writer only when all of them
// are complete, so a failed export leaves nothing half-written.

#include <string>
#include <vector>

namespace planaq {

class StagingFolder {
 public:
  // Makes a uniquely named folder inside targetFolder; error() tells when that failed.
  explicit StagingFolder(const std::string& targetFolder);
  ~StagingFolder();  // removes the folder with whatever is still in it
  StagingFolder(const StagingFolder&) = delete;
  StagingFolder& operator=(const StagingFolder&) = delete;

  const std::string& error() const { return error_; }
  std::string File(const std::string& name) const;
  // Writes every file of the folder into the target folder through the safe writer, over files
  // of the same name (following links, refusing what is not a regular file or is read-only).
  // Returns the target paths; on failure error() says why.
  std::vector<std::string> MoveIntoPlace();

 private:
  std::string target_;
  std::string path_;
  std::string error_;
};

}  // namespace planaq
