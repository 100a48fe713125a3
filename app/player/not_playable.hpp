// What a desktop raises for an event or a value it cannot give (the real desktop has no way to
// destroy PowerPoint's frame, say). The runner stops the scenario there and reports it skipped,
// with what() as the reason: a scenario that could not be played is neither passed nor failed.
#pragma once

#include <stdexcept>

namespace player {

struct NotPlayable : std::runtime_error {
  using std::runtime_error::runtime_error;
};

}  // namespace player
