// Shape identity tags: the exercise marks every shape of a slide with its position at preparation,
// and its check finds a shape again by that mark, wherever the learner has moved it in the slide's
// z-order. A lookup that finds nothing returns 0 and raises the flag FormeAbsente.
#pragma once

#include <cstdint>
#include <string>

#include "inspect/api.hpp"
#include "powerpoint/ppt.hpp"

namespace k60418 {

/// Marks shape i of slide inDiapo of the active presentation with "ZUK" & i, for every shape of
/// that slide. Members of group shapes are not marked (no exercise looks inside a group). Errors
/// of PowerPoint (a slide position beyond the end …) reach the caller.
void MarqueFormes(std::int16_t inDiapo, const ppt::Application& ioApplication);

/// The index, in the Shapes of slide inDiapo of the active presentation, of the first shape whose
/// identity tag is exactly isIdentite (case-sensitive, whole string); 0 when no shape carries it.
/// Sets FormeAbsente to whether the shape was missing. Errors of PowerPoint reach the caller.
std::int16_t ChercheForme(Api& api, std::int16_t inDiapo, const std::string& isIdentite,
                          const ppt::Application& ioApplication);

}  // namespace k60418
