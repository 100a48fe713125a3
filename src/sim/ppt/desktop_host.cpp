// The host of a PowerPoint process running on the simulated desktop: its drives, its clock and the
// process's main window through the desktop's window functions. The process has a current folder
// of its own, as a process of its own has: the module's ChDir does not move it.
#include <cstdint>
#include <memory>
#include <string>

#include "sim/clock.hpp"
#include "sim/desktop.hpp"
#include "sim/drives.hpp"
#include "sim/ppt/application.hpp"
#include "sim/ppt/host.hpp"

namespace sim::ppt {
namespace {

class DesktopHost : public Host {
 public:
  explicit DesktopHost(std::shared_ptr<Context> context) : context_(std::move(context)) {}

  std::string ReadFile(const std::string& path) override { return desktop().drives().ReadFile(path); }
  void WriteFile(const std::string& path, const std::string& content) override {
    desktop().drives().WriteFile(path, content);
  }
  bool FileExists(const std::string& path) override { return desktop().drives().Exists(path); }
  // The process's own current folder: where it started, whatever folder the module makes current
  // in its own process.
  std::string CurrentFolder() override { return current_folder_; }
  vb::Date Now() override { return desktop().clock().Now(); }

  bool MainWindowVisible() override {
    const auto window = main_window();
    return window != 0 && windows().IsWindowVisible(window) != 0;
  }
  void SetMainWindowVisible(bool visible) override {
    const auto window = main_window();
    if (window == 0) return;
    if (!visible) {
      state_ = MainWindowState();
      windows().ShowWindow(window, platform::SW_HIDE);
    } else {
      windows().ShowWindow(window, state_ == 3
                                       ? platform::SW_SHOWMAXIMIZED
                                       : (state_ == 2 ? platform::SW_SHOWMINIMIZED : platform::SW_SHOW));
    }
  }
  int MainWindowState() override {
    const auto window = main_window();
    if (window == 0 || !windows().IsWindowVisible(window)) return state_;
    if (windows().IsIconic(window)) return 2;
    return (windows().GetWindowLongA(window, platform::GWL_STYLE) & kMaximized) ? 3 : 1;
  }
  void SetMainWindowState(int state) override {
    state_ = state;
    const auto window = main_window();
    // A hidden window keeps its state for when it is shown again.
    if (window == 0 || !windows().IsWindowVisible(window)) return;
    windows().ShowWindow(window, state == 3 ? platform::SW_SHOWMAXIMIZED
                                            : (state == 2 ? platform::SW_MINIMIZE : platform::SW_RESTORE));
  }

  bool HidesKnownExtensions() override {
    platform::Registry& registry = desktop().Platform().registry;
    platform::HKEY key = 0;
    if (registry.RegOpenKeyExA(platform::HKEY_CURRENT_USER, kExplorerAdvanced, 0, platform::KEY_QUERY_VALUE,
                               &key) != platform::ERROR_SUCCESS) {
      return false;
    }
    platform::DWORD type = 0;
    std::uint32_t value = 0;
    platform::DWORD size = sizeof value;
    const platform::LSTATUS status = registry.RegQueryValueExA(
        key, "HideFileExt", nullptr, &type, reinterpret_cast<platform::BYTE*>(&value), &size);
    registry.RegCloseKey(key);
    return status == platform::ERROR_SUCCESS && type == kRegDword && size == sizeof value && value != 0;
  }

 private:
  /// Where Explorer keeps its view settings, and the type of a 32-bit number value.
  static constexpr const char* kExplorerAdvanced =
      "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Advanced";
  static constexpr platform::DWORD kRegDword = 4;

  Desktop& desktop() const { return *context_->desktop; }
  platform::Windows& windows() const { return context_->desktop->Platform().windows; }
  platform::HWND main_window() const { return context_->process ? context_->process->main_window() : 0; }

  std::shared_ptr<Context> context_;
  /// PowerPoint starts in its default file location, the user's documents folder, and nothing
  /// in the object model moves it.
  std::string current_folder_ = Desktop::DocumentsFolder();
  /// WS_MAXIMIZE, the style bit of a maximized window.
  static constexpr platform::LONG kMaximized = 0x01000000;
  /// The state last asked for (ppWindowNormal 1, minimized 2, maximized 3), which a hidden
  /// window takes when it is shown.
  int state_ = 1;
};

}  // namespace

std::shared_ptr<Host> MakeDesktopHost(std::shared_ptr<Context> context) {
  return std::make_shared<DesktopHost>(std::move(context));
}

vb::ObjectRef CreateApplication(std::shared_ptr<Context> context) {
  auto host = MakeDesktopHost(context);
  return CreateApplicationOn(std::move(context), std::move(host));
}

}  // namespace sim::ppt
