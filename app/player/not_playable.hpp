// A scenario that this desktop cannot play faithfully: the runner reports it skipped, with the
// reason, never passed.
#pragma once

#include <stdexcept>

namespace player {

struct NotPlayable : std::runtime_error {
  using std::runtime_error::runtime_error;
};

}  // namespace player
