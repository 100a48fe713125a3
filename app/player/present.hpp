// Presentations shown as readable text (through sim/ppt/render.hpp): a file of the course
// (`k60418 show FILE`) or the presentation a learner has in front of them (the shell's `show`).
#pragma once

#include <string>

#include "player/player.hpp"

namespace player {

/// The active presentation of the PowerPoint the learner works in (or its slide `slide`), as
/// text; when there is none (no PowerPoint, no presentation open, PowerPoint refusing), a
/// sentence saying so.
std::string ActivePresentationText(TrainingPlayer& player, int slide = 0);

}  // namespace player
