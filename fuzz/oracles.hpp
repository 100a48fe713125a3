// What the fuzz targets demand of the code they feed, as functions that give the broken promise in
// words (nullopt when all holds). The fuzz targets abort on a broken promise; the test suite runs
// the same checks on the inputs kept in fuzz/regressions, with any compiler.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "scenario/parser.hpp"
#include "sim/ppt/file_format.hpp"

namespace fuzz {

/// The presentation file reader either refuses the bytes with a reason, or reads a presentation
/// that it writes back and reads again to the very same text.
inline std::optional<std::string> CheckPresentationFile(std::string_view content) {
  std::shared_ptr<sim::ppt::doc::Presentation> presentation;
  try {
    presentation = sim::ppt::LoadPresentation(content);
  } catch (const sim::ppt::FileFormatError& error) {
    if (std::string_view(error.what()).empty()) return "refused without a reason";
    return std::nullopt;
  }
  const std::string saved = sim::ppt::SavePresentation(*presentation);
  std::shared_ptr<sim::ppt::doc::Presentation> again;
  try {
    again = sim::ppt::LoadPresentation(saved);
  } catch (const sim::ppt::FileFormatError& error) {
    return std::string("cannot read back what it wrote: ") + error.what();
  }
  if (sim::ppt::SavePresentation(*again) != saved) return "a second round trip changed the file";
  return std::nullopt;
}

/// The scenario parser either gives statements or refuses the text with a ParseError that names a
/// place inside the text (lines end with LF, CR or CR LF) and says what was expected there.
inline std::optional<std::string> CheckScenarioText(std::string_view text, bool interactive) {
  scenario::ParseOptions options;
  options.interactive = interactive;
  try {
    scenario::Parse(text, "fuzz.scn", options);
  } catch (const scenario::ParseError& error) {
    long lines = 1;
    for (std::size_t k = 0; k < text.size(); ++k) {
      if (text[k] == '\n' || (text[k] == '\r' && (k + 1 == text.size() || text[k + 1] != '\n'))) ++lines;
    }
    const scenario::Position where = error.position();
    if (where.line < 1 || where.line > lines || where.column < 1)
      return "error placed outside the text: line " + std::to_string(where.line) + ", column " +
             std::to_string(where.column) + " of " + std::to_string(lines) + " lines";
    if (std::string_view(error.what()).empty()) return "refused without a reason";
    if (scenario::DescribeParseError("fuzz.scn", error).find("fuzz.scn") == std::string::npos)
      return "the description does not name the file";
  }
  return std::nullopt;
}

}  // namespace fuzz
