// A presentation or template as readable text: what `k60418 show FILE` and the shell's `show`
// print, and what tests compare.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "sim/ppt/model.hpp"

namespace sim::ppt {

/// The whole presentation: its properties, page setup, print options and view, the standard
/// colour schemes, its designs with their masters, the notes and handout masters, then each slide
/// with its shapes, tags, paragraphs (with their formats) and runs (with their fonts).
/// Enumerations show their names beside their numbers ("view 9 (normal)", "placeholder 1
/// (title)"), sizes are rounded as PowerPoint shows them (90.018005 → 90.02).
std::string RenderPresentation(const doc::Presentation& presentation);

/// Slide `slide` alone (from 1, at most the number of slides), as RenderPresentation shows it.
std::string RenderSlide(const doc::Presentation& presentation, std::size_t slide);

/// Reads a file's content and renders it; throws FileFormatError when it is not a presentation.
std::string RenderPresentationFile(std::string_view content);

}  // namespace sim::ppt
