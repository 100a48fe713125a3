// Conformance of the simulated window manager beyond the port's contract: owned pop-ups of a
// minimized owner, restoring, handles, the balloon, windows that ignore WM_CLOSE.
#include <gtest/gtest.h>

#include "sim/desktop.hpp"
#include "sim/window_manager.hpp"
#include "vb/error.hpp"

namespace {

using namespace platform;

class DesktopWindows : public testing::Test {
 protected:
  sim::Desktop desktop;
  sim::WindowManager& windows = desktop.windows();
};

TEST_F(DesktopWindows, MinimizedOwnerHidesItsDialogs) {
  // An owned dialog disappears while its owner is minimized and comes back with it.
  const HWND main = desktop.StartPowerPoint().main_window();
  const HWND dialog = desktop.OpenDialog("Ouvrir");
  desktop.Minimize();
  EXPECT_EQ(0, windows.IsWindowVisible(dialog));
  // Its modal loop goes on: PowerPoint still has a modal dialog open.
  EXPECT_TRUE(windows.HasModalDialog(main));
  desktop.Restore();
  EXPECT_EQ(1, windows.IsWindowVisible(dialog));
}

TEST_F(DesktopWindows, RestoreReturnsToMaximized) {
  // A window minimized from the maximized state is restored maximized; restoring again makes it normal.
  const HWND main = desktop.StartPowerPoint().main_window();
  windows.ShowWindow(main, SW_SHOWMAXIMIZED);
  desktop.Minimize();
  EXPECT_EQ(sim::ShowState::kMinimized, windows.State(main));
  desktop.Restore();
  EXPECT_EQ(sim::ShowState::kMaximized, windows.State(main));
  desktop.Restore();
  EXPECT_EQ(sim::ShowState::kNormal, windows.State(main));
}

TEST_F(DesktopWindows, MinimizingHandsTheForegroundOn) {
  // The foreground goes to the next window shown below.
  const HWND other = desktop.OpenWindow("Bloc-notes", "Notepad");
  const HWND main = desktop.StartPowerPoint().main_window();
  EXPECT_EQ(main, windows.foreground());
  desktop.Minimize();
  EXPECT_EQ(other, windows.foreground());
  windows.SetForegroundWindow(main);
  EXPECT_EQ(main, windows.foreground());
  EXPECT_EQ(main, windows.TopLevel().front());
}

TEST_F(DesktopWindows, HandlesAreNeverReused) {
  // A destroyed window's handle is not given again, and stays invalid.
  const HWND first = desktop.OpenWindow("Un", "K60418Test");
  windows.SendMessageA(first, WM_CLOSE, 0, 0);
  const HWND second = desktop.OpenWindow("Deux", "K60418Test");
  EXPECT_NE(first, second);
  EXPECT_EQ(0, windows.IsWindowVisible(first));
  EXPECT_LT(0, second);
}

TEST_F(DesktopWindows, BalloonHasOneChild) {
  // The assistant's balloon: class "MSOBALLOON", no title, one child, found by FindWindowA.
  desktop.StartPowerPoint();
  const HWND balloon = desktop.ShowBalloon();
  EXPECT_EQ(balloon, windows.FindWindowA("MSOBALLOON", nullptr));
  char title[8] = {'x'};
  EXPECT_EQ(0, windows.GetWindowTextA(balloon, title, sizeof title));
  const HWND child = windows.FindWindowExA(balloon, 0, nullptr, nullptr);
  EXPECT_NE(0, child);
  EXPECT_EQ(0, windows.FindWindowExA(balloon, child, nullptr, nullptr));
  // It is no modal dialog: PowerPoint still answers.
  EXPECT_FALSE(windows.HasModalDialog(desktop.LatestPowerPoint()->main_window()));
  // Closing the child, then the balloon, leaves nothing.
  windows.SendMessageA(child, WM_CLOSE, 0, 0);
  EXPECT_EQ(0, windows.FindWindowExA(balloon, 0, nullptr, nullptr));
  windows.SendMessageA(balloon, WM_CLOSE, 0, 0);
  EXPECT_EQ(0, windows.FindWindowA("MSOBALLOON", nullptr));
}

TEST_F(DesktopWindows, WindowThatIgnoresClose) {
  // A window made to ignore WM_CLOSE survives it, until it answers again.
  const HWND obstinate = desktop.OpenWindow("Têtu", "K60418Test");
  windows.SetIgnoresClose(obstinate, true);
  windows.SendMessageA(obstinate, WM_CLOSE, 0, 0);
  EXPECT_TRUE(windows.Exists(obstinate));
  windows.SetIgnoresClose(obstinate, false);
  windows.SendMessageA(obstinate, WM_CLOSE, 0, 0);
  EXPECT_FALSE(windows.Exists(obstinate));
}

TEST_F(DesktopWindows, DialogOfADialog) {
  // A dialog opened by a dialog is owned by it, sits above it, and keeps PowerPoint modal.
  const HWND main = desktop.StartPowerPoint().main_window();
  const HWND first = desktop.OpenDialog("Imprimer");
  const HWND second = desktop.OpenDialog("Propriétés", "imprimer");
  EXPECT_EQ(first, windows.GetParent(second));
  EXPECT_EQ(second, windows.GetWindow(first, GW_HWNDPREV));
  EXPECT_EQ(first, windows.GetWindow(main, GW_HWNDPREV));
  // Closing the first dialog takes the one it owns.
  windows.SendMessageA(first, WM_CLOSE, 0, 0);
  EXPECT_FALSE(windows.Exists(second));
  EXPECT_FALSE(windows.HasModalDialog(main));
  // A dialog cannot be opened over one that is not there.
  EXPECT_THROW(desktop.OpenDialog("Options", "Absent"), vb::Error);
}

}  // namespace
