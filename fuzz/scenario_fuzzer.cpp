// Fuzzes the scenario parser in both of its modes (a scenario file, the shell's lines). Whatever
// the text, it either gives statements or refuses the text with a ParseError that names a place
// inside the text and says what was expected there.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "scenario/parser.hpp"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  // A first byte 1 picks the shell's mode for the rest of the text; otherwise the whole input is
  // a scenario file, so that the course's scenarios serve as seeds as they are.
  scenario::ParseOptions options;
  std::string_view text(reinterpret_cast<const char*>(data), size);
  if (!text.empty() && text.front() == '\x01') {
    options.interactive = true;
    text.remove_prefix(1);
  }
  try {
    const scenario::Scenario parsed = scenario::Parse(text, "fuzz.scn", options);
    (void)parsed;
  } catch (const scenario::ParseError& error) {
    const scenario::Position where = error.position();
    // A place in the text: line 1 up to one past the last line, column from 1.
    // Lines end with LF, CR or CR LF.
    long lines = 1;
    for (std::size_t k = 0; k < text.size(); ++k) {
      if (text[k] == '\n' || (text[k] == '\r' && (k + 1 == text.size() || text[k + 1] != '\n'))) ++lines;
    }
    if (where.line < 1 || where.line > lines + 1 || where.column < 1 ||
        std::string_view(error.what()).empty()) {
      std::fprintf(stderr, "scenario parser: bad error \"%s\" at line %d, column %d (%ld lines)\n",
                   error.what(), where.line, where.column, lines);
      std::abort();
    }
    const std::string described = scenario::DescribeParseError("fuzz.scn", error);
    if (described.find("fuzz.scn") == std::string::npos) std::abort();
  }
  return 0;
}
