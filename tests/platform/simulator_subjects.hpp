// The simulated desktop as the subject of the ports' contracts: each subject is a fresh desktop.
#pragma once

#include <memory>
#include <string>

#include "platform/automation_contract.hpp"
#include "platform/filesystem_contract.hpp"
#include "platform/registry_contract.hpp"
#include "platform/windows_contract.hpp"
#include "sim/automation.hpp"
#include "sim/clock.hpp"
#include "sim/desktop.hpp"
#include "sim/drives.hpp"
#include "sim/registry.hpp"
#include "sim/window_manager.hpp"

namespace contract {

class SimRegistrySubject : public RegistrySubject {
 public:
  platform::Registry& registry() override { return desktop.registry(); }
  std::string scratch_key() override { return "Software\\K60418 Contract"; }
  sim::Desktop desktop;
};

class SimWindowsSubject : public WindowsSubject {
 public:
  platform::Windows& windows() override { return desktop.windows(); }
  platform::HWND OpenWindow(const std::string& title, const std::string& class_name) override {
    return desktop.OpenWindow(title, class_name);
  }
  platform::HWND OpenDialog(platform::HWND owner, const std::string& title) override {
    return desktop.windows().OpenDialog(owner, title);
  }
  platform::HWND OpenChild(platform::HWND parent, const std::string& class_name,
                           const std::string& title) override {
    sim::WindowTraits traits;
    traits.class_name = class_name;
    traits.title = title;
    traits.parent = parent;
    return desktop.windows().Create(traits);
  }
  sim::Desktop desktop;
};

class SimFileSystemSubject : public FileSystemSubject {
 public:
  SimFileSystemSubject() { desktop.drives().MakeSureDirectoryPathExists(scratch_folder()); }
  platform::FileSystem& files() override { return desktop.drives(); }
  std::string scratch_folder() override { return "C:\\K60418 Contrat\\"; }
  void MakeFile(const std::string& path) override { desktop.drives().WriteFile(path, "contenu"); }
  sim::Desktop desktop;
};

class SimAutomationSubject : public AutomationSubject {
 public:
  platform::Automation& automation() override { return desktop.automation(); }
  platform::Clock& clock() override { return desktop.clock(); }
  std::string prog_id() override { return sim::kPowerPointProgId; }
  sim::Desktop desktop;
};

}  // namespace contract
