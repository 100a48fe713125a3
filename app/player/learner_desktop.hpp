// The desktop a scenario acts on and reads: the simulated desktop (the default), or, on Windows,
// the real one, whose PowerPoint is the stand-in automation server in processes of its own. The
// player turns the scenario's Sim. statements into these calls; the module reaches the same
// desktop through Platform().
//
// Events aimed at PowerPoint take `held`, the Application the module holds (Nothing when none):
// they act on its process while it runs, otherwise on the newest PowerPoint started. They raise
// error 5 (source "Sim") when there is none, or when it has ended and the event needs it running.
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>

#include "platform/platform.hpp"
#include "vb/dispatch.hpp"

namespace player {

/// Object-model calls counted per member name (lower-cased), over every PowerPoint process.
using CallCounts = std::map<std::string, std::uint64_t>;

class LearnerDesktop {
 public:
  virtual ~LearnerDesktop() = default;

  /// The ports the in-process module and the player's own file placing use.
  virtual platform::Platform Platform() = 0;

  // --- What the host does on it -----------------------------------------------------------------
  /// Makes a folder and its parents (a path ending with a backslash); false when it cannot.
  virtual bool MakeFolder(const std::string& folder) = 0;
  /// Copies a file of this machine (a course model) onto the desktop's drives at `to`.
  virtual void PlaceHostFile(const std::string& host_path, const std::string& to) = 0;

  // --- The learner's PowerPoint -------------------------------------------------------------------
  /// The Application a learner's statement acts on: `held` when not Nothing, else the newest
  /// PowerPoint started; raises 91 when none ever started.
  virtual vb::ObjectRef PowerPoint(const vb::ObjectRef& held) = 0;
  /// Object-model calls made so far, per member, over every PowerPoint process, the ended ones
  /// included.
  virtual CallCounts Calls() = 0;

  // --- Desktop events -----------------------------------------------------------------------------
  virtual void StartPowerPoint() = 0;
  virtual void HideWindow(const vb::ObjectRef& held) = 0;
  virtual void QuitPowerPoint(const vb::ObjectRef& held) = 0;
  virtual void Minimize(const vb::ObjectRef& held) = 0;
  virtual void Restore(const vb::ObjectRef& held) = 0;
  /// A modal dialog over PowerPoint's main window, or over its dialog titled `owner_title`.
  virtual void OpenDialog(const std::string& title, const std::string& owner_title, const vb::ObjectRef& held) = 0;
  /// Another program's visible top-level window.
  virtual void OpenWindow(const std::string& title, const std::string& class_name) = 0;
  virtual void ShowBalloon(const vb::ObjectRef& held) = 0;
  /// PowerPoint's main window is destroyed while its process goes on answering.
  virtual void DestroyMainWindow(const vb::ObjectRef& held) = 0;
  /// The clock moves forward by `seconds` (not negative, at most 100 years).
  virtual void Wait(double seconds) = 0;
  /// The next `count` calls of that member fail with error -2147188160 (see sim::Desktop).
  virtual void FailCalls(const std::string& member, std::int32_t count, const vb::ObjectRef& held) = 0;
  virtual void SetRegistry(const std::string& key, const std::string& value_name, const std::string& data) = 0;
  /// Removes a key with its sub-keys (value_name absent) or one value.
  virtual void DeleteRegistry(const std::string& key, const std::optional<std::string>& value_name) = 0;
  virtual void CopyFile(const std::string& from, const std::string& to) = 0;
  virtual void DeleteFile(const std::string& path) = 0;
  virtual void SetReadOnly(const std::string& path) = 0;

  // --- Values read by scenarios --------------------------------------------------------------
  virtual std::string DesignsFolder() = 0;
  virtual std::string ContentFolder() = 0;
  virtual bool FileExists(const std::string& path) = 0;
  /// An HKEY_CURRENT_USER string value, or nullopt when the key or the value is missing.
  virtual std::optional<std::string> RegistryValue(const std::string& key, const std::string& value_name) = 0;
  /// True when that PowerPoint's main window is visible (false when none runs).
  virtual bool WindowVisible(const vb::ObjectRef& held) = 0;
  /// Live PowerPoint instances.
  virtual std::int32_t PowerPointRunning() = 0;
  /// The top-level window with that title (FindWindow), 0 when none.
  virtual std::int32_t WindowHandle(const std::string& title) = 0;

  /// Keeps the desktop in its state folder, for a desktop that has one; otherwise nothing.
  virtual void SaveState() = 0;
};

}  // namespace player
