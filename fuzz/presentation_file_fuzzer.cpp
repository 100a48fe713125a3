// Fuzzes the simulated PowerPoint's presentation file reader. Whatever the bytes, the reader either
// refuses them with a FileFormatError that says why, or gives a presentation; a presentation it
// gives is written back and read again to the very same text (nothing read is lost on the way).
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "sim/ppt/file_format.hpp"

namespace {

[[noreturn]] void Fail(const char* what, const std::string& detail) {
  std::fprintf(stderr, "presentation file reader: %s: %s\n", what, detail.c_str());
  std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view content(reinterpret_cast<const char*>(data), size);
  std::shared_ptr<sim::ppt::doc::Presentation> presentation;
  try {
    presentation = sim::ppt::LoadPresentation(content);
  } catch (const sim::ppt::FileFormatError& error) {
    if (std::string_view(error.what()).empty()) Fail("refused without a reason", "");
    return 0;
  }
  const std::string saved = sim::ppt::SavePresentation(*presentation);
  std::shared_ptr<sim::ppt::doc::Presentation> again;
  try {
    again = sim::ppt::LoadPresentation(saved);
  } catch (const sim::ppt::FileFormatError& error) {
    Fail("cannot read back what it wrote", error.what());
  }
  const std::string saved_again = sim::ppt::SavePresentation(*again);
  if (saved_again != saved) Fail("a second round trip changed the file", saved_again.substr(0, 200));
  return 0;
}
