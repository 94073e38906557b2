// libFuzzer target: the datafile reader on arbitrary bytes.
#include <cstdint>
#include <cstdio>
#include <cstdlib>

#include "DatafileProperty.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  const std::string broken = planaq::fuzz::CheckDatafileBytes(bytes);
  if (!broken.empty()) {
    std::fprintf(stderr, "%s\n", broken.c_str());
    std::abort();
  }
  return 0;
}
