// Fuzzes the simulated PowerPoint's presentation file reader (see CheckPresentationFile).
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

#include "fuzz/oracles.hpp"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const auto broken =
      fuzz::CheckPresentationFile(std::string_view(reinterpret_cast<const char*>(data), size));
  if (broken) {
    std::fprintf(stderr, "presentation file reader: %s\n", broken->c_str());
    std::abort();
  }
  return 0;
}
