// The presentation file format of the simulated PowerPoint: one human-readable, versioned JSON
// document for presentations (.ppt) and design templates (.pot) alike. The file name's extension
// says what the file is to PowerPoint; the content says what it holds. course/FORMAT.md describes
// the fields.
#pragma once

#include <cstddef>
#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>

#include "sim/ppt/model.hpp"

namespace sim::ppt {

/// The identification every file starts with, and the versions this reader understands.
inline constexpr const char* kFileFormatName = "k60418-presentation";
inline constexpr int kFileFormatVersion = 1;
/// The largest file this reader accepts (64 MiB); larger ones are refused before parsing.
inline constexpr std::size_t kMaximumFileBytes = std::size_t{64} << 20;

/// Why a file cannot be read: a readable reason ("it is a binary PowerPoint 97-2003 file",
/// "slides[2].shapes[0].left: expected a number", "line 3, column 14: …" for text that is not
/// JSON, "slides[0].shapes[1].txt: unknown field"), without the file's name.
class FileFormatError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

/// The file's text for a presentation.
std::string SavePresentation(const doc::Presentation& presentation);
/// Reads a file's content, validating everything it reads; throws FileFormatError.
std::shared_ptr<doc::Presentation> LoadPresentation(std::string_view content);

}  // namespace sim::ppt
