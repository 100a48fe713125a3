// The simulated desktop as the player's learner desktop: every event and value on sim::Desktop,
// PowerPoint's processes found by the Application the module holds.
#pragma once

#include <memory>

#include "player/learner_desktop.hpp"
#include "sim/desktop.hpp"

namespace player {

class SimulatedDesktop : public LearnerDesktop {
 public:
  /// A desktop kept in options.state_folder when one is given (loaded from it when it holds one),
  /// otherwise a fresh, temporary one.
  explicit SimulatedDesktop(const sim::DesktopOptions& options);
  ~SimulatedDesktop() override;

  /// The simulated desktop itself, for what only a simulation can do or show.
  sim::Desktop& desktop() { return *desktop_; }

  platform::Platform Platform() override;
  bool MakeFolder(const std::string& folder) override;
  void PlaceHostFile(const std::string& host_path, const std::string& to) override;

  vb::ObjectRef PowerPoint(const vb::ObjectRef& held) override;
  CallCounts Calls() override;

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
  /// The process an event acts on: the held Application's while it runs, else the newest
  /// started; null when none was ever started.
  sim::PowerPointProcess* Process(const vb::ObjectRef& held);

  std::unique_ptr<sim::Desktop> desktop_;
  bool keeps_state_ = false;
};

/// The simulated desktop under a learner desktop (tests and benchmarks reach it for what only a
/// simulation does); raises std::logic_error for a desktop of another kind.
sim::Desktop& SimulatedDesktopOf(LearnerDesktop& desktop);

}  // namespace player
