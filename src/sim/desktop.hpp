// The simulated desktop: a French Windows XP session of the user "Apprenant" with its windows,
// registry, drives, running objects and clock, and the PowerPoint 2003 processes started on it.
// It is the embedded default platform: Platform() hands its ports to the module.
//
// Objects of a simulated PowerPoint (an Application and all it leads to) must not be called once
// their desktop is destroyed.
#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
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
/// The title of PowerPoint's main window.
inline constexpr const char* kPowerPointTitle = "Microsoft PowerPoint";

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
  /// The process identifier, as its windows carry it.
  virtual std::uint32_t id() const = 0;
};

/// How a desktop is made.
struct DesktopOptions {
  /// Where the desktop is kept (state.json and the drives); empty: a temporary folder removed
  /// with the desktop.
  std::filesystem::path state_folder;
  /// The course's data, whose office/designs and office/content folders hold the Office
  /// installation's templates; empty: the course of the source tree.
  std::filesystem::path course_folder;
};

class Desktop {
 public:
  /// A fresh desktop (default registry, drives with the Office installation only, no PowerPoint
  /// running), its drives kept in a temporary host folder removed with the desktop.
  Desktop();
  /// A desktop kept in a state folder: loaded from it when it holds a saved state, otherwise fresh;
  /// Save() writes it back there. A saved state that cannot be read raises error 75 naming it.
  explicit Desktop(const std::filesystem::path& state_folder);
  explicit Desktop(const DesktopOptions& options);
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

  /// Saves the whole state (registry, windows of other programs, clock, drives' attributes and
  /// dates) into the state folder, atomically: until the new state is complete, the previous one
  /// stays in place. PowerPoint processes are not saved: a reloaded desktop has none running.
  void Save();
  /// The state folder (a temporary one for a desktop made without).
  const std::filesystem::path& state_folder() const;

  // --- Desktop events (the Sim. statements of scenarios) -----------------------------------
  // Events aimed at PowerPoint take the process to act on; without one they act on the newest
  // started (LatestPowerPoint). They raise error 5 (source "Sim") when there is none, or when it
  // has ended and the event needs it running.

  /// The user starts PowerPoint: a new visible instance, registered as running, no presentation.
  PowerPointProcess& StartPowerPoint();
  /// Starts an instance as CreateObject does: hidden main window, registered as running.
  PowerPointProcess& CreatePowerPoint();
  /// Called with every PowerPoint process as soon as it exists (started by the user or by
  /// CreateObject), before any object-model call reaches it: a test arms the new process's gate
  /// there. One observer at a time; an empty function removes it.
  void SetProcessObserver(std::function<void(PowerPointProcess&)> observer);
  /// All PowerPoint processes started on this desktop, the ended ones included, oldest first.
  const std::vector<std::unique_ptr<PowerPointProcess>>& processes() const;
  /// Live instances.
  int PowerPointRunning() const;
  /// The instance a learner's statement acts on when the module holds none: the newest started.
  PowerPointProcess* LatestPowerPoint();
  /// The process whose Application object this is (VB's Is), or null.
  PowerPointProcess* FindProcess(const vb::ObjectRef& application);

  /// The learner closes PowerPoint's main window while the process still answers (it hides).
  void HideWindow(PowerPointProcess* process = nullptr);
  /// PowerPoint's process ends: its windows go, references to it stop answering.
  void QuitPowerPoint(PowerPointProcess* process = nullptr);
  void Minimize(PowerPointProcess* process = nullptr);
  void Restore(PowerPointProcess* process = nullptr);
  /// PowerPoint opens a modal dialog over its main window, or over its dialog titled
  /// `owner_title` when one is given.
  platform::HWND OpenDialog(const std::string& title, const std::string& owner_title = {},
                            PowerPointProcess* process = nullptr);
  /// Another program's visible top-level window appears above everything.
  platform::HWND OpenWindow(const std::string& title, const std::string& class_name);
  /// The Office assistant's balloon appears, owned by PowerPoint's main window when one runs.
  platform::HWND ShowBalloon(PowerPointProcess* process = nullptr);
  /// The simulated clock moves forward.
  void Wait(double seconds);
  /// The next n object-model calls of that member name fail with error -2147188160: calls to that
  /// PowerPoint (the newest when none is named) while it runs, otherwise calls to the next
  /// PowerPoint started, by the user or by CreateObject.
  void FailCalls(const std::string& member, int n, PowerPointProcess* process = nullptr);
  /// Writes an HKEY_CURRENT_USER string value, creating the key if missing.
  void SetRegistry(const std::string& key, const std::string& value_name, const std::string& data);
  /// Removes a key with its sub-keys; false when it did not exist.
  bool DeleteRegistry(const std::string& key);
  /// Removes one value; false when it did not exist.
  bool DeleteRegistry(const std::string& key, const std::string& value_name);
  /// Copies a file, keeping its date and time.
  void CopyFile(const std::string& from, const std::string& to);
  void DeleteFile(const std::string& path);
  void SetReadOnly(const std::string& path);

  // --- Values read by scenarios --------------------------------------------------------------
  /// Where PowerPoint's design templates and content templates are ("…\" ending with a backslash).
  /// The same on every desktop, the simulated one and a real one made ready for the course.
  static std::string DesignsFolder();
  static std::string ContentFolder();
  /// The user's folders that Windows made at the first logon and the registry names.
  static std::vector<std::string> UserFolders();
  /// The user's documents folder ("…\Mes documents\"): PowerPoint's default file location, the
  /// current folder each PowerPoint process starts in.
  static std::string DocumentsFolder();
  bool FileExists(const std::string& path);
  /// An HKEY_CURRENT_USER string value, or nullopt when the key or the value is missing.
  std::optional<std::string> RegistryValue(const std::string& key, const std::string& value_name) const;
  /// True when that PowerPoint's main window is visible (false when none runs).
  bool WindowVisible(PowerPointProcess* process = nullptr);

 private:
  struct State;
  PowerPointProcess& Target(PowerPointProcess* process, bool must_run);
  void LoadState();
  void MakeFresh();
  std::unique_ptr<State> state_;
};

}  // namespace sim
