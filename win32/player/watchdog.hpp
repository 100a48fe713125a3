// A time limit on each scenario of a run through real COM: a call that never returns under Wine
// (a server that hangs, a release that deadlocks) must not stall the run. The watchdog's thread
// watches the stage the player is in; past the limit it says which scenario is stuck on the
// standard error, ends the stand-in PowerPoints (a call waiting on one of them then fails, and the
// scenario fails with it while the run goes on), and when the stage has still not moved on after
// a grace period, ends this process with exit status 1.
#pragma once

#include <chrono>
#include <string>

namespace win32 {

/// The seconds in the environment variable `name`, a positive number; `fallback` otherwise.
std::chrono::milliseconds LimitFromEnvironment(const char* name, std::chrono::milliseconds fallback);

class Watchdog {
 public:
  /// `limit`: how long one stage may take; `grace`: how long it may go on once the stand-ins
  /// are ended.
  Watchdog(std::chrono::milliseconds limit, std::chrono::milliseconds grace);
  ~Watchdog();
  Watchdog(const Watchdog&) = delete;
  Watchdog& operator=(const Watchdog&) = delete;

  /// A new stage begins (a scenario, named in the messages, or the closing of the run): its
  /// time starts now.
  void Enter(const std::string& stage);
  /// No stage is timed any longer.
  void Leave();

 private:
  struct State;
  State* state_;
};

}  // namespace win32
