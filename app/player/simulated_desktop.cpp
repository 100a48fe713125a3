#include "player/simulated_desktop.hpp"

#include <stdexcept>

#include "player/player.hpp"
#include "sim/clock.hpp"
#include "sim/drives.hpp"
#include "sim/window_manager.hpp"
#include "vb/strings.hpp"

namespace player {

SimulatedDesktop::SimulatedDesktop(const sim::DesktopOptions& options)
    : desktop_(std::make_unique<sim::Desktop>(options)), keeps_state_(!options.state_folder.empty()) {}

SimulatedDesktop::~SimulatedDesktop() = default;

platform::Platform SimulatedDesktop::Platform() {
  return desktop_->Platform();
}

bool SimulatedDesktop::MakeFolder(const std::string& folder) {
  return desktop_->drives().MakeSureDirectoryPathExists(folder);
}

void SimulatedDesktop::PlaceHostFile(const std::string& host_path, const std::string& to) {
  // The host path is UTF-8, as every string inside.
  desktop_->drives().PlaceHostFile(std::filesystem::path(std::u8string(host_path.begin(), host_path.end())),
                                   to);
}

sim::PowerPointProcess* SimulatedDesktop::Process(const vb::ObjectRef& held) {
  if (held) {
    if (auto* process = desktop_->FindProcess(held); process && process->running()) return process;
  }
  return desktop_->LatestPowerPoint();
}

vb::ObjectRef SimulatedDesktop::PowerPoint(const vb::ObjectRef& held) {
  if (held) return held;
  if (auto* latest = desktop_->LatestPowerPoint()) return latest->application();
  vb::Raise(vb::errors::kObjectNotSet, kPlayerSource, "no PowerPoint has been started on this desktop");
}

CallCounts SimulatedDesktop::Calls() {
  CallCounts counts;
  for (const auto& process : desktop_->processes()) {
    for (const auto& [member, count] : process->gate().calls_by_member()) counts[member] += count;
  }
  return counts;
}

// --- events ------------------------------------------------------------------------------------

void SimulatedDesktop::StartPowerPoint() {
  desktop_->StartPowerPoint();
}

void SimulatedDesktop::HideWindow(const vb::ObjectRef& held) {
  desktop_->HideWindow(Process(held));
}

void SimulatedDesktop::QuitPowerPoint(const vb::ObjectRef& held) {
  desktop_->QuitPowerPoint(Process(held));
}

void SimulatedDesktop::Minimize(const vb::ObjectRef& held) {
  desktop_->Minimize(Process(held));
}

void SimulatedDesktop::Restore(const vb::ObjectRef& held) {
  desktop_->Restore(Process(held));
}

void SimulatedDesktop::OpenDialog(const std::string& title, const std::string& owner_title,
                                  const vb::ObjectRef& held) {
  desktop_->OpenDialog(title, owner_title, Process(held));
}

void SimulatedDesktop::OpenWindow(const std::string& title, const std::string& class_name) {
  desktop_->OpenWindow(title, class_name);
}

void SimulatedDesktop::ShowBalloon(const vb::ObjectRef& held) {
  desktop_->ShowBalloon(Process(held));
}

void SimulatedDesktop::DestroyMainWindow(const vb::ObjectRef& held) {
  // PowerPoint's frame is gone while its process goes on answering, as after a fault of its
  // user interface: the one way a learner's desktop has no PowerPoint main window left.
  sim::PowerPointProcess* process = Process(held);
  if (!process || !process->running() || !desktop_->windows().Destroy(process->main_window())) {
    vb::Raise(vb::errors::kInvalidCall, kPlayerSource, "no running PowerPoint has a main window to destroy");
  }
}

void SimulatedDesktop::Wait(double seconds) {
  desktop_->Wait(seconds);
}

void SimulatedDesktop::FailCalls(const std::string& member, std::int32_t count, const vb::ObjectRef& held) {
  desktop_->FailCalls(member, count, Process(held));
}

void SimulatedDesktop::SetRegistry(const std::string& key, const std::string& value_name,
                                   const std::string& data) {
  desktop_->SetRegistry(key, value_name, data);
}

void SimulatedDesktop::DeleteRegistry(const std::string& key, const std::optional<std::string>& value_name) {
  if (value_name) {
    desktop_->DeleteRegistry(key, *value_name);
  } else {
    desktop_->DeleteRegistry(key);
  }
}

void SimulatedDesktop::CopyFile(const std::string& from, const std::string& to) {
  desktop_->CopyFile(from, to);
}

void SimulatedDesktop::DeleteFile(const std::string& path) {
  desktop_->DeleteFile(path);
}

void SimulatedDesktop::SetReadOnly(const std::string& path) {
  desktop_->SetReadOnly(path);
}

// --- values ------------------------------------------------------------------------------------

std::string SimulatedDesktop::DesignsFolder() {
  return sim::Desktop::DesignsFolder();
}

std::string SimulatedDesktop::ContentFolder() {
  return sim::Desktop::ContentFolder();
}

bool SimulatedDesktop::FileExists(const std::string& path) {
  return desktop_->FileExists(path);
}

std::optional<std::string> SimulatedDesktop::RegistryValue(const std::string& key,
                                                           const std::string& value_name) {
  return desktop_->RegistryValue(key, value_name);
}

bool SimulatedDesktop::WindowVisible(const vb::ObjectRef& held) {
  return desktop_->WindowVisible(Process(held));
}

std::int32_t SimulatedDesktop::PowerPointRunning() {
  return static_cast<std::int32_t>(desktop_->PowerPointRunning());
}

std::int32_t SimulatedDesktop::WindowHandle(const std::string& title) {
  // Window titles are 8-bit on the desktop, as FindWindowA reads them.
  const std::string narrow = vb::ToWindows1252(title);
  return static_cast<std::int32_t>(desktop_->windows().FindWindowA(nullptr, narrow.c_str()));
}

void SimulatedDesktop::SaveState() {
  if (keeps_state_) desktop_->Save();
}

sim::Desktop& SimulatedDesktopOf(LearnerDesktop& desktop) {
  auto* simulated = dynamic_cast<SimulatedDesktop*>(&desktop);
  if (!simulated) throw std::logic_error("the player's desktop is not the simulated one");
  return simulated->desktop();
}

}  // namespace player
