// The Win32 adapters as the subjects of the ports' contracts: real windows of the test process,
// a scratch key under HKEY_CURRENT_USER and a scratch folder under the temporary folder, each
// removed when its subject goes. (No <windows.h> here: its macros carry the ports' names.)
#pragma once

#include <string>
#include <vector>

#include "platform/automation_contract.hpp"
#include "platform/filesystem_contract.hpp"
#include "platform/registry_contract.hpp"
#include "platform/windows_contract.hpp"
#include "win32/platform/clock.hpp"
#include "win32/platform/filesystem.hpp"
#include "win32/platform/registry.hpp"
#include "win32/platform/windows.hpp"

namespace contract {

class Win32RegistrySubject : public RegistrySubject {
 public:
  Win32RegistrySubject();
  ~Win32RegistrySubject() override;
  platform::Registry& registry() override { return registry_; }
  std::string scratch_key() override { return key_; }

 private:
  win32::HkcuRegistry registry_;
  std::string key_;
};

class Win32WindowsSubject : public WindowsSubject {
 public:
  ~Win32WindowsSubject() override;
  platform::Windows& windows() override { return windows_; }
  /// An overlapped window of a class of the test's own (registered on first use), shown.
  platform::HWND OpenWindow(const std::string& title, const std::string& class_name) override;
  /// A pop-up with a caption and WS_EX_DLGMODALFRAME, owned by `owner`, shown; WM_CLOSE destroys it.
  platform::HWND OpenDialog(platform::HWND owner, const std::string& title) override;
  platform::HWND OpenChild(platform::HWND parent, const std::string& class_name,
                           const std::string& title) override;

 private:
  win32::UserWindows windows_;
  std::vector<platform::HWND> made_;
};

class Win32FileSystemSubject : public FileSystemSubject {
 public:
  /// Makes the scratch folder and moves the current folder to its drive's root.
  Win32FileSystemSubject();
  /// Puts the current folder back and removes the scratch folder with what it holds.
  ~Win32FileSystemSubject() override;
  platform::FileSystem& files() override { return files_; }
  std::string scratch_folder() override { return folder_; }
  void MakeFile(const std::string& path) override;

 private:
  win32::DiskFileSystem files_;
  std::string folder_;
  std::wstring former_current_;
};

/// The system clock, for the clock's check of the automation contract (the automation itself is
/// another adapter's subject: asking this one for it fails the test).
class Win32ClockSubject : public AutomationSubject {
 public:
  platform::Automation& automation() override;
  platform::Clock& clock() override { return clock_; }
  std::string prog_id() override { return "K60418.Absent"; }

 private:
  win32::SystemClock clock_;
};

}  // namespace contract
