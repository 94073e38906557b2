#include "maps/MapPlacement.h"

#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <filesystem>

namespace planaq {

namespace fs = std::filesystem;

StagingFolder::StagingFolder(const std::string& targetFolder) : target_(targetFolder) {
  std::string pattern = (fs::path(targetFolder) / ".planaq-export-XXXXXX").string();
  if (::mkdtemp(pattern.data()) == nullptr)
    error_ = "cannot write in " + targetFolder + ": " + std::strerror(errno);
  else
    path_ = pattern;
}

StagingFolder::~StagingFolder() {
  std::error_code ec;
  if (!path_.empty()) fs::remove_all(path_, ec);
}

std::string StagingFolder::File(const std::string& name) const {
  return (fs::path(path_) / name).string();
}

std::vector<std::string> StagingFolder::MoveIntoPlace() {
  std::vector<std::string> moved;
  std::error_code ec;
  std::vector<fs::path> files;
  for (const auto& entry : fs::directory_iterator(path_, ec))
    if (entry.is_regular_file()) files.push_back(entry.path());
  std::sort(files.begin(), files.end());
  for (const fs::path& file : files) {
    const fs::path target = fs::path(target_) / file.filename();
    fs::rename(file, target, ec);
    if (ec) {
      error_ = "cannot write " + target.string() + ": " + ec.message();
      return moved;
    }
    moved.push_back(target.string());
  }
  return moved;
}

}  // namespace planaq
