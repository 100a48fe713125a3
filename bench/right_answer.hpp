// An exercise brought to its right-answer state on a simulated desktop, by the course's bundled
// right-answer scenario played up to its first check.
#pragma once

#include <cstdint>
#include <memory>

#include "player/player.hpp"

namespace bench {

/// A host whose exercise is set up and done right, ready for its check.
class RightAnswer {
 public:
  explicit RightAnswer(int exercise);
  player::TrainingPlayer& host() { return *host_; }
  /// Object-model calls made so far, over every PowerPoint process.
  std::uint64_t Calls() const;

 private:
  std::unique_ptr<player::TrainingPlayer> host_;
};

}  // namespace bench
