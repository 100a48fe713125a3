// The real desktop a scenario acts on, on Windows (or under Wine): PowerPoint is the stand-in
// automation server (StandinPowerPoint.exe) in processes of its own, windows go through user32,
// the registry through advapi32 (HKEY_CURRENT_USER), files through kernel32, the clock is the
// system's. Each RealDesktop starts from the state the simulated desktop's default user has: it
// ends stand-ins left running, re-seeds the user's registry values, folders and templates, empties
// the folders scenarios write into and closes windows a previous desktop opened.
//
// The thread that makes and uses a RealDesktop has COM initialised as a single-threaded apartment
// (CoInitializeEx(COINIT_APARTMENTTHREADED)) for as long as the desktop lives.
//
// Include it before windows.h, whose macros rename CopyFile and DeleteFile (#undef them after).
//
// What cannot be done faithfully raises player::NotPlayable with the reason (a Wait beyond a
// minute of real time, …).
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "player/learner_desktop.hpp"

namespace win32 {

struct RealDesktopOptions {
  /// StandinPowerPoint.exe, as a path of this system (UTF-8).
  std::string standin_exe;
  /// The course's office folder (holding designs\ and content\), as a path of this system (UTF-8).
  std::string office_folder;
  /// The longest Wait played on the real clock, in seconds; a longer one is not playable.
  double longest_wait = 60;
  /// Keeps one stand-in started ahead, waiting unseen for the next CreateObject (under Wine, a
  /// CreateObject that starts the server itself takes a whole second more). It survives the
  /// desktop, is no PowerPoint until it serves, and a fresh desktop leaves it running.
  bool keep_one_waiting = false;
};

class RealDesktop final : public player::LearnerDesktop {
 public:
  /// Makes the prefix's user state fresh (see above). Throws vb::Error when it cannot.
  explicit RealDesktop(const RealDesktopOptions& options);
  /// Ends the stand-in processes this desktop knows of and closes the windows it opened.
  ~RealDesktop() override;
  RealDesktop(const RealDesktop&) = delete;
  RealDesktop& operator=(const RealDesktop&) = delete;

  platform::Platform Platform() override;

  bool MakeFolder(const std::string& folder) override;
  void PlaceHostFile(const std::string& host_path, const std::string& to) override;

  vb::ObjectRef PowerPoint(const vb::ObjectRef& held) override;
  player::CallCounts Calls() override;

  void StartPowerPoint() override;
  void HideWindow(const vb::ObjectRef& held) override;
  void QuitPowerPoint(const vb::ObjectRef& held) override;
  void Minimize(const vb::ObjectRef& held) override;
  void Restore(const vb::ObjectRef& held) override;
  void OpenDialog(const std::string& title, const std::string& owner_title,
                  const vb::ObjectRef& held) override;
  void OpenWindow(const std::string& title, const std::string& class_name) override;
  void ShowBalloon(const vb::ObjectRef& held) override;
  void DestroyMainWindow(const vb::ObjectRef& held) override;
  void Wait(double seconds) override;
  void FailCalls(const std::string& member, std::int32_t count, const vb::ObjectRef& held) override;
  void SetRegistry(const std::string& key, const std::string& value_name, const std::string& data) override;
  void DeleteRegistry(const std::string& key, const std::optional<std::string>& value_name) override;
  void CopyFile(const std::string& from, const std::string& to) override;
  void DeleteFile(const std::string& path) override;
  void SetReadOnly(const std::string& path) override;

  std::string DesignsFolder() override;
  std::string ContentFolder() override;
  bool FileExists(const std::string& path) override;
  std::optional<std::string> RegistryValue(const std::string& key, const std::string& value_name) override;
  bool WindowVisible(const vb::ObjectRef& held) override;
  std::int32_t PowerPointRunning() override;
  std::int32_t WindowHandle(const std::string& title) override;

  void SaveState() override;

 private:
  struct State;
  std::unique_ptr<State> state_;
};

}  // namespace win32
