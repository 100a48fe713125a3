// Conformance of the state folder: a saved desktop comes back whole, and a save is atomic.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>

#include "sim/clock.hpp"
#include "sim/desktop.hpp"
#include "sim/drives.hpp"
#include "sim/registry.hpp"
#include "sim/window_manager.hpp"
#include "vb/error.hpp"

namespace {

using namespace platform;
namespace fs = std::filesystem;

class DesktopState : public testing::Test {
 protected:
  void SetUp() override {
    folder = fs::temp_directory_path() /
             (std::string("k60418-state-") + testing::UnitTest::GetInstance()->current_test_info()->name() +
              "-" + std::to_string(std::random_device{}()));
    fs::remove_all(folder);
  }
  void TearDown() override { fs::remove_all(folder); }
  fs::path folder;
};

TEST_F(DesktopState, SavedDesktopComesBackWhole) {
  const vb::Date now = vb::Date::FromParts(2026, 5, 4, 10, 20, 30);
  HWND notepad = 0, button = 0, next = 0;
  {
    sim::Desktop desktop(folder);
    desktop.clock().Set(now);
    desktop.SetRegistry("Software\\K60418", "Modèle", "‹en-tête›");
    // A byte Windows-1252 leaves undefined survives the trip too.
    const BYTE odd[] = {'a', 0x81, 0};
    HKEY key = 0;
    desktop.registry().RegCreateKeyA(HKEY_CURRENT_USER, "Software\\K60418", &key);
    desktop.registry().RegSetValueExA(key, "Octets", 0, REG_SZ, odd, sizeof odd);
    desktop.registry().RegCloseKey(key);
    desktop.DeleteRegistry("SOFTWARE\\Microsoft\\Office\\11.0\\PowerPoint\\RecentFolderList", "PictureDir");
    desktop.drives().MakeSureDirectoryPathExists("C:\\ZUK\\Travail\\");
    desktop.drives().WriteFile("C:\\ZUK\\Travail\\Cinéloisirs.ppt", "contenu");
    desktop.SetReadOnly("C:\\ZUK\\Travail\\Cinéloisirs.ppt");
    desktop.drives().ChDir("C:\\ZUK\\Travail");
    notepad = desktop.OpenWindow("Sans titre - Bloc-notes", "Notepad");
    sim::WindowTraits traits;
    traits.class_name = "Button";
    traits.title = "OK";
    traits.parent = notepad;
    button = desktop.windows().Create(traits);
    desktop.windows().ShowWindow(notepad, SW_MINIMIZE);
    desktop.StartPowerPoint();
    next = desktop.windows().next_handle();
    desktop.Wait(5);
    desktop.Save();
  }
  sim::Desktop desktop(folder);
  // The clock, where it was at the save.
  EXPECT_EQ(now.PlusSeconds(5).ToIso(), desktop.clock().Now().ToIso());
  // The registry, values and deletions alike.
  EXPECT_EQ("‹en-tête›", desktop.RegistryValue("Software\\K60418", "modèle").value_or("<none>"));
  char data[8] = {};
  DWORD size = sizeof data;
  HKEY key = 0;
  ASSERT_EQ(ERROR_SUCCESS,
            desktop.registry().RegOpenKeyExA(HKEY_CURRENT_USER, "Software\\K60418", 0, KEY_READ, &key));
  EXPECT_EQ(ERROR_SUCCESS, desktop.registry().RegQueryValueExA(key, "Octets", nullptr, nullptr,
                                                               reinterpret_cast<BYTE*>(data), &size));
  EXPECT_EQ(std::string("a\x81"), std::string(data));
  desktop.registry().RegCloseKey(key);
  EXPECT_FALSE(
      desktop.RegistryValue("SOFTWARE\\Microsoft\\Office\\11.0\\PowerPoint\\RecentFolderList", "PictureDir"));
  EXPECT_EQ(
      "Modèles",
      desktop.RegistryValue("SOFTWARE\\Microsoft\\Office\\11.0\\Common\\General", "Templates").value_or(""));
  // The drives: content, read-only flag, date, current folder.
  EXPECT_EQ("contenu", desktop.drives().ReadFile("C:\\ZUK\\Travail\\Cinéloisirs.ppt"));
  EXPECT_EQ(attributes::kReadOnly | attributes::kArchive,
            desktop.drives().GetAttr("C:\\ZUK\\Travail\\Cinéloisirs.ppt"));
  EXPECT_EQ(now, desktop.drives().FileDateTime("C:\\ZUK\\Travail\\Cinéloisirs.ppt"));
  EXPECT_EQ("C:\\ZUK\\Travail", desktop.drives().CurDir());
  // Other programs' windows, under their handles and states; no PowerPoint runs.
  EXPECT_EQ(notepad, desktop.windows().FindWindowA("Notepad", nullptr));
  EXPECT_EQ(1, desktop.windows().IsIconic(notepad));
  EXPECT_EQ(button, desktop.windows().FindWindowExA(notepad, 0, "Button", "OK"));
  EXPECT_EQ(0, desktop.windows().FindWindowA("PP11FrameClass", nullptr));
  EXPECT_EQ(0, desktop.PowerPointRunning());
  // Handles given before the save are not given again.
  EXPECT_LE(next, desktop.OpenWindow("Nouveau", "K60418Test"));
}

TEST_F(DesktopState, FailedSaveLeavesThePreviousState) {
  // A save that cannot complete raises and leaves the former state readable.
  {
    sim::Desktop desktop(folder);
    desktop.SetRegistry("Software\\K60418", "Version", "1");
    desktop.Save();
    desktop.SetRegistry("Software\\K60418", "Version", "2");
    // The temporary file cannot be made: a folder stands in its place.
    fs::create_directory(folder / "state.json.tmp");
    EXPECT_THROW(desktop.Save(), vb::Error);
    fs::remove(folder / "state.json.tmp");
  }
  sim::Desktop desktop(folder);
  EXPECT_EQ("1", desktop.RegistryValue("Software\\K60418", "Version").value_or("<none>"));
}

TEST_F(DesktopState, LeftoverTemporaryFileIsIgnored) {
  // A save cut short leaves a partial temporary file; loading reads the complete state beside it.
  {
    sim::Desktop desktop(folder);
    desktop.SetRegistry("Software\\K60418", "Version", "1");
    desktop.Save();
  }
  std::ofstream(folder / "state.json.tmp") << "{\"format\": \"k60418 desk";
  sim::Desktop desktop(folder);
  EXPECT_EQ("1", desktop.RegistryValue("Software\\K60418", "Version").value_or("<none>"));
}

TEST_F(DesktopState, DamagedStateIsRefusedByName) {
  // A state file that is not one, or is cut, raises 75 naming the file.
  fs::create_directories(folder);
  for (const char* text : {"not json at all", "{\"format\": \"k60418 desktop\", \"version\": 1}",
                           "{\"format\": \"autre\"}", "[[[[[[[[[[", ""}) {
    std::ofstream(folder / "state.json", std::ios::trunc) << text;
    try {
      sim::Desktop desktop(folder);
      ADD_FAILURE() << "accepted: " << text;
    } catch (const vb::Error& error) {
      EXPECT_EQ(75, error.number()) << text;
      EXPECT_NE(std::string::npos, error.description().find("state.json")) << error.description();
    }
  }
}

}  // namespace
