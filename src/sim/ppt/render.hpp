// A presentation or template as readable text: what `k60418 show FILE` prints and what tests show
// when they compare presentations.
#pragma once

#include <string>
#include <string_view>

#include "sim/ppt/model.hpp"

namespace sim::ppt {

/// The whole presentation: its properties, page setup, designs with their masters, the notes and
/// handout masters, the standard colour schemes, then each slide with its shapes, tags,
/// paragraphs (with their formats) and runs (with their fonts).
std::string RenderPresentation(const doc::Presentation& presentation);

/// Reads a file's content and renders it; throws FileFormatError when it is not a presentation.
std::string RenderPresentationFile(std::string_view content);

}  // namespace sim::ppt
