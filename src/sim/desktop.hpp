// The simulated desktop: a French Windows XP session of the user "Apprenant" with its windows,
// registry, drives, running objects and clock, and the PowerPoint 2003 processes started on it.
// It is the embedded default platform: Platform() hands its ports to the module.
#pragma once

#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "platform/platform.hpp"
#include "sim/gate.hpp"
#include "vb/dispatch.hpp"

namespace sim {

class WindowManager;  // sim/window_manager.hpp: platform::Windows and the window events
class Registry;       // sim/registry.hpp: platform::Registry
class Drives;         // sim/drives.hpp: platform::FileSystem over a host folder, file contents
class SimClock;       // sim/clock.hpp: platform::Clock, moved forward by Wait
class Automation;     // sim/automation.hpp: platform::Automation and the running-object table

/// The ProgID under which PowerPoint 2003 registers.
inline constexpr const char* kPowerPointProgId = "PowerPoint.application.11";
/// The class of PowerPoint's main window.
inline constexpr const char* kPowerPointFrameClass = "PP11FrameClass";

/// One running (or ended) PowerPoint 2003 process of the desktop.
class PowerPointProcess {
 public:
  virtual ~PowerPointProcess() = default;
  /// The gate every object-model call of this process crosses.
  virtual Gate& gate() = 0;
  /// The main window (class "PP11FrameClass"); 0 once the process has ended.
  virtual platform::HWND main_window() const = 0;
  virtual bool running() const = 0;
  /// The Application object of this process.
  virtual vb::ObjectRef application() = 0;
};

class Desktop {
 public:
  /// A fresh desktop (default registry, drives with the Office installation only, no PowerPoint
  /// running), its drives kept in a temporary host folder removed with the desktop.
  Desktop();
  /// A desktop kept in a state folder: loaded from it when it holds a saved state, otherwise fresh;
  /// Save() writes it back there.
  explicit Desktop(const std::filesystem::path& state_folder);
  ~Desktop();
  Desktop(const Desktop&) = delete;
  Desktop& operator=(const Desktop&) = delete;

  /// The ports handed to the module.
  platform::Platform Platform();

  WindowManager& windows();
  Registry& registry();
  Drives& drives();
  SimClock& clock();
  Automation& automation();

  /// Saves the whole state (registry, windows, clock, drives) into the state folder, atomically.
  void Save();

  // --- Desktop events (the Sim. statements of scenarios) -----------------------------------
  /// The user starts PowerPoint: a new visible instance, registered as running, no presentation.
  PowerPointProcess& StartPowerPoint();
  /// Starts an instance as CreateObject does: hidden main window, registered as running.
  PowerPointProcess& CreatePowerPoint();
  /// All PowerPoint processes started on this desktop, the ended ones included, oldest first.
  const std::vector<std::unique_ptr<PowerPointProcess>>& processes() const;
  /// Live instances.
  int PowerPointRunning() const;
  /// The instance a learner's statement acts on when the module holds none: the newest started.
  PowerPointProcess* LatestPowerPoint();

  /// Where PowerPoint's design templates and content templates are ("…\" ending with a backslash).
  std::string DesignsFolder() const;
  std::string ContentFolder() const;

 private:
  struct State;
  std::unique_ptr<State> state_;
};

}  // namespace sim
