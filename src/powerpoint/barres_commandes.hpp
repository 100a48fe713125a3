// The arrangement of PowerPoint's toolbars and task pane that every exercise starts with.
// The arrangement stays in PowerPoint after the exercise: the user's former one is not put back.
#pragma once

#include "powerpoint/ppt.hpp"

namespace k60418 {

/// Docks the Standard and Formatting toolbars at the top, visible; moves a visible Drawing
/// toolbar to the bottom (a hidden one stays hidden, all are enabled); docks an enabled task
/// pane at the right, shown as bTaskPaneVisible says. Every step that fails is skipped: a bar
/// that does not exist is simply not arranged. Never raises.
void InitCommandBar(const ppt::Application& oApplication, bool bTaskPaneVisible);

}  // namespace k60418
