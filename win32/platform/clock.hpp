// The Clock port over kernel32: the local time to the second, and a real wait.
#pragma once

#include "platform/clock.hpp"

namespace win32 {

class SystemClock : public platform::Clock {
 public:
  vb::Date Now() override;
  /// Waits that long on the caller's thread; zero or negative durations return at once.
  void Sleep(int milliseconds) override;
};

}  // namespace win32
