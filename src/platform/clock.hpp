// The current local date and time (VB's Now), and waiting.
#pragma once

#include "vb/date.hpp"

namespace platform {

class Clock {
 public:
  virtual ~Clock() = default;
  virtual vb::Date Now() = 0;
  /// Kernel32's Sleep: lets the given time pass (the simulator moves its clock instead).
  virtual void Sleep(int milliseconds) = 0;
};

}  // namespace platform
