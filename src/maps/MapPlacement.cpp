#include "maps/MapPlacement.h"

#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <memory>

#include "files/SafeWrite.h"

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

// The staged bytes in pieces, so a large raster never sits in memory whole. Empty when copied.
std::string CopyInto(const fs::path& staged, SafeFile& target) {
  if (!target.ok()) return target.cause();
  std::ifstream in(staged, std::ios::binary);
  std::string chunk(std::size_t{1} << 20, '\0');
  while (in) {
    in.read(chunk.data(), static_cast<std::streamsize>(chunk.size()));
    const std::size_t got = static_cast<std::size_t>(in.gcount());
    if (got > 0 && !target.Write(chunk.substr(0, got))) return target.cause();
  }
  return in.eof() ? std::string() : "cannot read " + staged.string();
}

}  // namespace

std::vector<std::string> StagingFolder::MoveIntoPlace() {
  std::error_code ec;
  std::vector<fs::path> files;
  for (const auto& entry : fs::directory_iterator(path_, ec))
    if (entry.is_regular_file()) files.push_back(entry.path());
  std::sort(files.begin(), files.end());
  // every file is written beside its target first; none is put in place before all are written
  std::vector<std::unique_ptr<SafeFile>> written;
  for (const fs::path& file : files) {
    written.push_back(std::make_unique<SafeFile>((fs::path(target_) / file.filename()).string()));
    if (std::string error = CopyInto(file, *written.back()); !error.empty()) {
      error_ = error;
      return {};
    }
  }
  RemoveStaleSideFiles(files, target_);
  std::vector<std::string> moved;
  for (std::size_t i = 0; i < written.size(); ++i) {
    if (!written[i]->Commit()) {
      error_ = written[i]->cause();
      return moved;
    }
    moved.push_back((fs::path(target_) / files[i].filename()).string());
  }
  return moved;
}

}  // namespace planaq
