// The contracts catch the faults they are there for: each adapter below breaks one rule of its
// port, and the check of that rule must report it, while the sound simulator passes the same check.
#include <gtest/gtest.h>

#include "platform/simulator_subjects.hpp"

namespace contract {
namespace {

using namespace platform;

/// Reports string sizes without their NUL.
class SizeWithoutNul : public sim::Registry {
 public:
  LSTATUS RegQueryValueExA(HKEY key, const char* name, DWORD* reserved, DWORD* type, BYTE* data,
                           DWORD* size) override {
    const LSTATUS status = sim::Registry::RegQueryValueExA(key, name, reserved, type, data, size);
    if (status == ERROR_SUCCESS && size && *size > 0) --*size;
    return status;
  }
};

template <class Faulty>
class FaultyRegistrySubject : public RegistrySubject {
 public:
  platform::Registry& registry() override { return faulty; }
  std::string scratch_key() override { return "Software\\K60418 Contract"; }
  Faulty faulty;
};

/// Treats owned pop-ups as overlapped windows: no parent.
class ParentIsNotOwner : public sim::WindowManager {
 public:
  HWND GetParent(HWND window) override {
    return GetWindow(window, GW_OWNER) != 0 ? 0 : sim::WindowManager::GetParent(window);
  }
};

template <class Faulty>
class FaultyWindowsSubject : public WindowsSubject {
 public:
  platform::Windows& windows() override { return faulty; }
  HWND OpenWindow(const std::string& title, const std::string& class_name) override {
    return faulty.OpenWindow(title, class_name);
  }
  HWND OpenDialog(HWND owner, const std::string& title) override { return faulty.OpenDialog(owner, title); }
  HWND OpenChild(HWND parent, const std::string& class_name, const std::string& title) override {
    sim::WindowTraits traits;
    traits.class_name = class_name;
    traits.title = title;
    traits.parent = parent;
    return faulty.Create(traits);
  }
  Faulty faulty;
};

/// Deletes read-only files as if they were not.
class KillIgnoresReadOnly : public sim::Drives {
 public:
  using sim::Drives::Drives;
  void Kill(const std::string& path) override {
    SetAttr(path, attributes::kNormal);
    sim::Drives::Kill(path);
  }
};

template <class Faulty>
class FaultyFileSystemSubject : public FileSystemSubject {
 public:
  FaultyFileSystemSubject() : faulty(desktop.state_folder() / "faulty", desktop.clock()) {
    faulty.MakeSureDirectoryPathExists(scratch_folder());
  }
  platform::FileSystem& files() override { return faulty; }
  std::string scratch_folder() override { return "C:\\K60418 Contrat\\"; }
  void MakeFile(const std::string& path) override { faulty.WriteFile(path, "contenu"); }
  sim::Desktop desktop;
  Faulty faulty;
};

/// Gives the instance created last instead of the one registered first.
class NewestRunning : public AutomationSubject {
 public:
  class Faulty : public platform::Automation {
   public:
    explicit Faulty(platform::Automation& inner) : inner_(inner) {}
    vb::ObjectRef GetObject(std::string_view id) override { return last_ ? last_ : inner_.GetObject(id); }
    vb::ObjectRef CreateObject(std::string_view id) override { return last_ = inner_.CreateObject(id); }

   private:
    platform::Automation& inner_;
    vb::ObjectRef last_;
  };
  platform::Automation& automation() override { return faulty; }
  platform::Clock& clock() override { return desktop.clock(); }
  std::string prog_id() override { return sim::kPowerPointProgId; }
  sim::Desktop desktop;
  Faulty faulty{desktop.automation()};
};

template <class Subject, class Sound, class Faulty>
void ExpectCaught(const std::vector<Check<Subject>>& contract, const std::string& name) {
  const Check<Subject>& check = Named<Subject>(contract, name);
  Sound sound;
  Faulty faulty;
  EXPECT_EQ(0, FailuresOf<Subject>(check, sound)) << name << " fails the sound simulator";
  EXPECT_LT(0, FailuresOf<Subject>(check, faulty)) << name << " lets the fault through";
}

TEST(ContractFaults, RegistrySizeWithoutNul) {
  ExpectCaught<RegistrySubject, SimRegistrySubject, FaultyRegistrySubject<SizeWithoutNul>>(
      kRegistryContract, "StringSizesCountTheNul");
}

TEST(ContractFaults, WindowsParentIsNotOwner) {
  ExpectCaught<WindowsSubject, SimWindowsSubject, FaultyWindowsSubject<ParentIsNotOwner>>(
      kWindowsContract, "OwnerIsTheDialogsParent");
}

TEST(ContractFaults, FilesKillIgnoresReadOnly) {
  ExpectCaught<FileSystemSubject, SimFileSystemSubject, FaultyFileSystemSubject<KillIgnoresReadOnly>>(
      kFileSystemContract, "ReadOnlyRefusesKillAndName");
}

TEST(ContractFaults, AutomationNewestRunning) {
  ExpectCaught<AutomationSubject, SimAutomationSubject, NewestRunning>(kAutomationContract,
                                                                       "FirstRegisteredIsRunningObject");
}

}  // namespace
}  // namespace contract
