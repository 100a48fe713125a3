// Conformance of PowerPoint processes on the desktop: starting, running objects, the gate seen
// through the Application object, the desktop's events, the Office installation.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>

#include "error_number.hpp"
#include "powerpoint/ppt.hpp"
#include "sim/automation.hpp"
#include "sim/desktop.hpp"
#include "sim/drives.hpp"
#include "sim/registry.hpp"
#include "sim/window_manager.hpp"
#include "vb/error.hpp"

namespace {

using namespace platform;
namespace fs = std::filesystem;

constexpr int kRejected = -2147418111;
constexpr int kUnavailable = -2147023174;

using test_support::ErrorNumberOf;

// A call PowerPoint answers whatever it holds.
int ReadWindowState(const vb::ObjectRef& application) {
  return ErrorNumberOf([&] { application->Invoke("WindowState", vb::CallKind::Get, {}); });
}

class DesktopPowerPoint : public testing::Test {
 protected:
  sim::Desktop desktop;
  sim::WindowManager& windows = desktop.windows();
};

TEST_F(DesktopPowerPoint, CreateObjectStartsAHiddenInstance) {
  // CreateObject's PowerPoint has a hidden main window, found by FindWindowA all the same.
  const vb::ObjectRef application = desktop.automation().CreateObject("powerpoint.application.11");
  sim::PowerPointProcess* process = desktop.FindProcess(application);
  ASSERT_NE(nullptr, process);
  EXPECT_EQ(0, windows.IsWindowVisible(process->main_window()));
  EXPECT_EQ(process->main_window(), windows.FindWindowA("PP11FrameClass", nullptr));
  // The version-independent ProgID reaches the same class.
  EXPECT_TRUE(vb::SameObject(application, desktop.automation().GetObject("PowerPoint.Application")));
}

TEST_F(DesktopPowerPoint, GetObjectFollowsRegistrationOrder) {
  // The instance registered first is the running object until it ends, then the next one.
  sim::PowerPointProcess& first = desktop.StartPowerPoint();
  sim::PowerPointProcess& second = desktop.CreatePowerPoint();
  EXPECT_TRUE(vb::SameObject(first.application(), desktop.automation().GetObject(sim::kPowerPointProgId)));
  desktop.QuitPowerPoint(&first);
  EXPECT_TRUE(vb::SameObject(second.application(), desktop.automation().GetObject(sim::kPowerPointProgId)));
  desktop.QuitPowerPoint();
  EXPECT_EQ(429, ErrorNumberOf([&] { desktop.automation().GetObject(sim::kPowerPointProgId); }));
  EXPECT_EQ(0, desktop.PowerPointRunning());
  EXPECT_EQ(2u, desktop.processes().size());
}

TEST_F(DesktopPowerPoint, EndedProcessTakesItsWindowsAndStopsAnswering) {
  // Quitting destroys the main window and its dialogs; every later call fails.
  sim::PowerPointProcess& process = desktop.StartPowerPoint();
  const HWND main = process.main_window();
  const HWND dialog = desktop.OpenDialog("Enregistrer sous");
  desktop.QuitPowerPoint();
  EXPECT_FALSE(windows.Exists(main));
  EXPECT_FALSE(windows.Exists(dialog));
  EXPECT_EQ(0, process.main_window());
  EXPECT_FALSE(process.running());
  EXPECT_EQ(kUnavailable, ReadWindowState(process.application()));
  EXPECT_FALSE(desktop.WindowVisible());
}

TEST_F(DesktopPowerPoint, DialogRefusesCallsUntilClosed) {
  // A modal dialog makes PowerPoint refuse calls with RPC_E_CALL_REJECTED; closing it by WM_CLOSE
  // ends the refusal.
  sim::PowerPointProcess& process = desktop.StartPowerPoint();
  const HWND dialog = desktop.OpenDialog("Ouvrir");
  try {
    process.application()->Invoke("WindowState", vb::CallKind::Get, {});
    ADD_FAILURE() << "the call was not refused";
  } catch (const vb::Error& error) {
    EXPECT_EQ(kRejected, error.number());
    EXPECT_EQ("Call was rejected by callee.", error.description());
    EXPECT_EQ("PowerPoint", error.source());
  }
  windows.SendMessageA(dialog, WM_CLOSE, 0, 0);
  EXPECT_EQ(0, ReadWindowState(process.application()));
}

TEST_F(DesktopPowerPoint, HiddenWindowStillAnswers) {
  // Closing the main window hides it; the process lives on and answers.
  sim::PowerPointProcess& process = desktop.StartPowerPoint();
  windows.SendMessageA(process.main_window(), WM_CLOSE, 0, 0);
  EXPECT_TRUE(windows.Exists(process.main_window()));
  EXPECT_FALSE(desktop.WindowVisible());
  EXPECT_EQ(0, ReadWindowState(process.application()));
  desktop.HideWindow();
  EXPECT_TRUE(process.running());
}

TEST_F(DesktopPowerPoint, FailCallsWithNoPowerPointRunningWaitsForTheNextOne) {
  // Before any PowerPoint: the instance CreateObject starts fails, once.
  desktop.FailCalls("WindowState", 1);
  const vb::ObjectRef created = desktop.automation().CreateObject("PowerPoint.Application.11");
  EXPECT_EQ(-2147188160, ReadWindowState(created));
  EXPECT_EQ(0, ReadWindowState(created));

  // After the last one ended: the instance the user starts next fails, and only it.
  desktop.QuitPowerPoint();
  desktop.FailCalls("WindowState", 2);
  sim::PowerPointProcess& next = desktop.StartPowerPoint();
  sim::PowerPointProcess& later = desktop.StartPowerPoint();
  EXPECT_EQ(0, ReadWindowState(later.application()));
  EXPECT_EQ(-2147188160, ReadWindowState(next.application()));
  EXPECT_EQ(-2147188160, ReadWindowState(next.application()));
  EXPECT_EQ(0, ReadWindowState(next.application()));
}

TEST_F(DesktopPowerPoint, HiddenExtensionsLeaveThemOutOfASavedPresentationsName) {
  sim::PowerPointProcess& process = desktop.StartPowerPoint();
  const ppt::Application application(process.application());
  desktop.drives().MakeSureDirectoryPathExists("C:\\ZUK\\");
  desktop.drives().PlaceHostFile(fs::path(K60418_COURSE_DIR) / "models" / "02131201.ppt",
                                 "C:\\ZUK\\Ciné.ppt");
  const ppt::Presentation opened = application.Presentations().Open("C:\\ZUK\\Ciné.ppt");
  const ppt::Presentation untitled = application.Presentations().Add();
  const std::string untitledName = untitled.Name();
  const auto hide = [&](std::uint32_t value, DWORD type) {
    HKEY key = 0;
    ASSERT_EQ(ERROR_SUCCESS, desktop.registry().RegCreateKeyA(
                                 HKEY_CURRENT_USER,
                                 "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Advanced", &key));
    ASSERT_EQ(ERROR_SUCCESS, desktop.registry().RegSetValueExA(key, "HideFileExt", 0, type,
                                                               reinterpret_cast<const BYTE*>(&value), 4));
    desktop.registry().RegCloseKey(key);
  };

  // Extensions shown (a fresh desktop): the file's name as it is.
  EXPECT_EQ("Ciné.ppt", opened.Name());

  // Extensions hidden: Name without ".ppt", FullName whole, an unsaved presentation's name as it is.
  hide(1, 4);
  EXPECT_EQ("Ciné", opened.Name());
  EXPECT_EQ("C:\\ZUK\\Ciné.ppt", opened.FullName());
  EXPECT_EQ(untitledName, untitled.Name());

  // A template saved with its extension hidden.
  untitled.Call("SaveAs", ppt::Args(std::string("C:\\ZUK\\Modèle.pot")));
  EXPECT_EQ("Modèle", untitled.Name());

  // HideFileExt 0, or not a number: extensions shown.
  hide(0, 4);
  EXPECT_EQ("Ciné.ppt", opened.Name());
  hide(1, REG_SZ);
  EXPECT_EQ("Ciné.ppt", opened.Name());
}

TEST(DesktopOffice, InstallationComesFromTheCourse) {
  // The course's design and content templates are installed in Office's folders.
  const fs::path course = fs::temp_directory_path() / "k60418-course-test";
  fs::remove_all(course);
  fs::create_directories(course / "office" / "designs");
  std::ofstream(course / "office" / "designs" / "Texture.pot") << "texture";
  {
    sim::Desktop desktop(sim::DesktopOptions{{}, course});
    EXPECT_EQ('\\', desktop.DesignsFolder().back());
    EXPECT_EQ("texture", desktop.drives().ReadFile(desktop.DesignsFolder() + "TEXTURE.POT"));
    EXPECT_EQ(vb::Date::FromParts(2003, 7, 11, 12, 0, 0),
              desktop.drives().FileDateTime(desktop.DesignsFolder() + "Texture.pot"));
    // No content folder in this course: Office's folder is there, empty.
    EXPECT_TRUE(desktop.FileExists(desktop.ContentFolder()));
    EXPECT_TRUE(desktop.drives().List(desktop.ContentFolder()).empty());
  }
  fs::remove_all(course);
}

}  // namespace
