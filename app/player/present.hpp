// Presentations shown as readable text: a file of the course (`k60418 show FILE`) or the
// presentation a learner has in front of them (the shell's `show`).
#pragma once

#include <string>

#include "player/player.hpp"
#include "sim/ppt/model.hpp"

namespace player {

/// A presentation as readable text: enumerations with their names beside their numbers
/// ("view 9 (normal)", "placeholder 1 (title)"), sizes rounded as PowerPoint shows them (90.02);
/// only slide `slide` (from 1) when it is not 0.
std::string PresentationText(const sim::ppt::doc::Presentation& presentation, int slide = 0);

/// The active presentation of the PowerPoint the learner works in (or its slide `slide`), as
/// text; when there is none (no PowerPoint, no presentation open, PowerPoint refusing), a
/// sentence saying so.
std::string ActivePresentationText(TrainingPlayer& player, int slide = 0);

}  // namespace player
