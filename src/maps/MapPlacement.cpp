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

namespace {

// Side files a shapefile may have; one left from an earlier export would describe the new
// file wrongly (a CRS it does not have, an index of other shapes).
const char* const kSideFiles[] = {".prj", ".cpg", ".qix", ".sbn", ".sbx", ".qpj"};

void RemoveStaleSideFiles(const std::vector<fs::path>& staged, const fs::path& target) {
  std::error_code ec;
  for (const fs::path& file : staged)
    for (const char* ext : kSideFiles) {
      fs::path side = file;
      side.replace_extension(ext);
      if (std::find(staged.begin(), staged.end(), side) == staged.end())
        fs::remove(target / side.filename(), ec);
    }
}

}  // namespace

std::vector<std::string> StagingFolder::MoveIntoPlace() {
  std::vector<std::string> moved;
  std::error_code ec;
  std::vector<fs::path> files;
  for (const auto& entry : fs::directory_iterator(path_, ec))
    if (entry.is_regular_file()) files.push_back(entry.path());
  std::sort(files.begin(), files.end());
  RemoveStaleSideFiles(files, target_);
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
