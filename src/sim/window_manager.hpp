// The simulated window manager: the desktop's top-level windows in their Z order, each with its
// class, title, styles, visibility, minimized or maximized state, owner and child windows, and
// the user32 functions the module calls, with Win32's semantics. Handles are 32-bit and never
// reused within a desktop's life. Titles and classes are UTF-8 here and Windows-1252 through the
// 8-bit functions.
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "platform/windows.hpp"

namespace sim {

/// Window styles and relations beyond those the port names.
inline constexpr platform::LONG WS_POPUP = static_cast<platform::LONG>(0x80000000u);
inline constexpr platform::LONG WS_CHILD = 0x40000000;
inline constexpr platform::LONG WS_MAXIMIZE = 0x01000000;
inline constexpr platform::LONG WS_CAPTION = 0x00C00000;
inline constexpr platform::LONG WS_SYSMENU = 0x00080000;
inline constexpr platform::LONG WS_OVERLAPPEDWINDOW = 0x00CF0000;
inline constexpr platform::LONG WS_EX_TOOLWINDOW = 0x00000080;
inline constexpr platform::UINT GW_HWNDFIRST = 0;
inline constexpr platform::UINT GW_HWNDLAST = 1;
inline constexpr int SW_SHOWNOACTIVATE = 4;
inline constexpr int SW_SHOWMINNOACTIVE = 7;
inline constexpr int SW_SHOWNA = 8;
inline constexpr int SW_SHOWDEFAULT = 10;
inline constexpr int SW_FORCEMINIMIZE = 11;

/// The class of the dialogs the system draws (file dialogs, message boxes).
inline constexpr const char* kDialogClass = "#32770";
/// The class of the Office assistant's balloon.
inline constexpr const char* kBalloonClass = "MSOBALLOON";

/// How a window is shown when it is visible.
enum class ShowState { kNormal, kMinimized, kMaximized };

/// Everything that defines a window when it is made (and when a saved desktop is reloaded).
struct WindowTraits {
  std::string class_name;
  std::string title;         // UTF-8
  platform::LONG style = 0;  // WS_VISIBLE, WS_MINIMIZE and WS_MAXIMIZE come from the fields below
  platform::LONG ex_style = 0;
  platform::HWND owner = 0;   // a top-level window's owner
  platform::HWND parent = 0;  // a child window's parent (then WS_CHILD is set)
  bool visible = true;
  ShowState state = ShowState::kNormal;
  bool ignores_close = false;  // WM_CLOSE does nothing
  std::uint32_t process = 0;   // the simulated process the window belongs to; 0: another program
};

class WindowManager : public platform::Windows {
 public:
  WindowManager();
  ~WindowManager() override;

  // --- user32 ----------------------------------------------------------------------------------
  /// The first top-level window in Z order whose class and title match (without case), hidden
  /// windows included.
  platform::HWND FindWindowA(const char* className, const char* windowName) override;
  /// The first child of `parent` (the top-level windows when 0) after `childAfter` that matches.
  platform::HWND FindWindowExA(platform::HWND parent, platform::HWND childAfter, const char* className,
                               const char* windowName) override;
  /// Nonzero when the window and every parent of it are visible.
  platform::BOOL IsWindowVisible(platform::HWND window) override;
  platform::BOOL IsIconic(platform::HWND window) override;
  /// Returns nonzero when the window was visible before the call.
  platform::BOOL ShowWindow(platform::HWND window, int command) override;
  platform::BOOL SetForegroundWindow(platform::HWND window) override;
  platform::HWND GetWindow(platform::HWND window, platform::UINT relation) override;
  int GetWindowTextA(platform::HWND window, char* buffer, int maxCount) override;
  platform::LONG GetWindowLongA(platform::HWND window, int index) override;
  platform::HWND GetParent(platform::HWND window) override;
  int GetClassNameA(platform::HWND window, char* buffer, int maxCount) override;
  /// WM_CLOSE destroys the window with its children and owned windows, unless the window ignores
  /// it or has a close handler of its own. Other messages do nothing and give 0.
  platform::LRESULT SendMessageA(platform::HWND window, platform::UINT message, platform::WPARAM wParam,
                                 platform::LPARAM lParam) override;

  // --- Events of the desktop -----------------------------------------------------------------
  /// Makes a window: a top-level one goes above every other, a child below its siblings (so that
  /// children are listed in the order they were made). A visible top-level window becomes the
  /// foreground window.
  platform::HWND Create(const WindowTraits& traits);
  /// Another program's visible top-level window, above everything.
  platform::HWND OpenWindow(const std::string& title, const std::string& class_name);
  /// A visible, titled modal dialog (WS_EX_DLGMODALFRAME) owned by `owner`, above it.
  platform::HWND OpenDialog(platform::HWND owner, const std::string& title);
  /// The Office assistant's balloon (class "MSOBALLOON", no title) with its one child window.
  platform::HWND ShowBalloon(platform::HWND owner, std::uint32_t process);
  /// Makes a window ignore WM_CLOSE (or answer it again).
  void SetIgnoresClose(platform::HWND window, bool ignores);
  /// Replaces what WM_CLOSE does to a window (PowerPoint's main window hides itself instead).
  void SetCloseHandler(platform::HWND window, std::function<void()> handler);
  void SetTitle(platform::HWND window, const std::string& title);
  /// Destroys a window with its children and owned windows; false when it does not exist.
  bool Destroy(platform::HWND window);
  /// Destroys every window of a process (the process ended).
  void DestroyProcessWindows(std::uint32_t process);

  // --- Reading the desktop ------------------------------------------------------------------
  bool Exists(platform::HWND window) const;
  /// The window's own visibility flag (IsWindowVisible also looks at its parents).
  bool Visible(platform::HWND window) const;
  ShowState State(platform::HWND window) const;
  std::string Title(platform::HWND window) const;
  std::string ClassName(platform::HWND window) const;
  platform::HWND Owner(platform::HWND window) const;
  std::uint32_t ProcessOf(platform::HWND window) const;
  platform::HWND foreground() const { return foreground_; }
  /// The top-level windows from the top of the Z order down.
  const std::vector<platform::HWND>& TopLevel() const { return z_order_; }
  /// A window's children from the top of their Z order down.
  std::vector<platform::HWND> Children(platform::HWND window) const;
  /// True while a modal dialog owned by `main` (directly or through other dialogs) is open:
  /// shown, or hidden only because its owner is minimized, which keeps its modal loop running.
  bool HasModalDialog(platform::HWND main) const;
  /// The first modal dialog in Z order owned by `main` (directly or through other dialogs) with
  /// that title (compared exactly first, then without case); 0 when none.
  platform::HWND FindDialog(platform::HWND main, const std::string& title) const;

  // --- State ------------------------------------------------------------------------------------
  /// One window as a saved desktop keeps it; children follow their parent in `Records`.
  struct Record {
    platform::HWND handle = 0;
    WindowTraits traits;
  };
  /// The windows of other programs (process 0), top-level ones in Z order from the top, each
  /// followed by its children: what a saved desktop keeps.
  std::vector<Record> Records() const;
  /// Recreates saved windows under their handles; the next handle follows both them and `next`.
  void Restore(const std::vector<Record>& records, platform::HWND next);
  /// The handle the next window will get.
  platform::HWND next_handle() const { return next_handle_; }

 private:
  struct Window;
  Window* Find(platform::HWND window);
  const Window* Find(platform::HWND window) const;
  platform::HWND Make(const WindowTraits& traits, platform::HWND handle);
  /// Puts a top-level window on top, its owned windows above it.
  void BringToTop(platform::HWND window);
  std::vector<platform::HWND> OwnedBy(platform::HWND owner) const;
  void SetMinimized(platform::HWND window, bool minimized);
  void Activate(platform::HWND window);
  void ForegroundToNext();
  bool OwnedThroughDialogs(const Window& window, platform::HWND main) const;
  std::vector<platform::HWND>* SiblingsOf(const Window& window);

  std::map<platform::HWND, Window> windows_;
  std::vector<platform::HWND> z_order_;  // top-level windows, top first
  platform::HWND foreground_ = 0;
  platform::HWND next_handle_;
};

}  // namespace sim
