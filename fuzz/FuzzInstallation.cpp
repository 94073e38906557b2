// libFuzzer target: the installation file reader on arbitrary bytes.
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>

#include "InstallationProperty.h"

namespace {

// The reader takes a folder, so each process keeps one scratch folder of its own.
std::string ScratchFolder() {
  const auto folder =
      std::filesystem::temp_directory_path() / ("planaq-fuzz-" + std::to_string(getpid()));
  std::filesystem::create_directories(folder);
  return folder.string();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const std::string folder = ScratchFolder();
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  const std::string broken = planaq::fuzz::CheckInstallationBytes(bytes, folder);
  if (!broken.empty()) {
    std::fprintf(stderr, "%s\n", broken.c_str());
    std::abort();
  }
  return 0;
}
