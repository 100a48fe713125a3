// Fuzzes the scenario parser in both of its modes (see CheckScenarioText). A first byte 1 picks the
// shell's mode for the rest of the text; otherwise the whole input is a scenario file, so that the
// course's scenarios serve as seeds as they are.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

#include "fuzz/oracles.hpp"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::string_view text(reinterpret_cast<const char*>(data), size);
  const bool interactive = !text.empty() && text.front() == '\x01';
  if (interactive) text.remove_prefix(1);
  const auto broken = fuzz::CheckScenarioText(text, interactive);
  if (broken) {
    std::fprintf(stderr, "scenario parser: %s\n", broken->c_str());
    std::abort();
  }
  return 0;
}
