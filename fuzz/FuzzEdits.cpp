// libFuzzer target: random sequences of accepted edits, then Save and Open.
#include <cstdint>
#include <cstdio>
#include <cstdlib>

#include "EditProperty.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  const std::string broken = planaq::fuzz::CheckEditBytes(bytes);
  if (!broken.empty()) {
    std::fprintf(stderr, "%s\n", broken.c_str());
    std::abort();
  }
  return 0;
}
