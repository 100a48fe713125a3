// The simulated clock: local date and time of the desktop, starting at the host's local time and
// moved forward only by the desktop's events (Sim.Wait) and by Sleep. It keeps whole seconds
// for Now, as VB's Now gives them; Sleep's milliseconds accumulate.
#pragma once

#include <cstdint>

#include "platform/clock.hpp"

namespace sim {

class SimClock : public platform::Clock {
 public:
  /// A clock set to the host's current local time.
  SimClock();

  /// The current local date and time, to the second.
  vb::Date Now() override;
  /// Lets the time pass at once: the clock moves forward, nothing really waits. Negative or zero
  /// durations do nothing.
  void Sleep(int milliseconds) override;

  /// Moves the clock forward by a number of seconds (Sim.Wait); negative values are refused.
  void Wait(double seconds);
  /// Sets the clock (a reloaded desktop, a test that needs a fixed date).
  void Set(vb::Date date);

 private:
  /// Milliseconds since the OLE epoch (1899-12-30 00:00, local time).
  std::int64_t milliseconds_ = 0;
};

}  // namespace sim
