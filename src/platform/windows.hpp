// The user32 subset the module calls, shaped after the real functions: 32-bit handles,
// 8-bit (Windows-1252) strings, Win32's return conventions (0 for "none" or failure).
#pragma once

#include <cstdint>

namespace platform {

using HWND = std::int32_t;
using BOOL = std::int32_t;
using LONG = std::int32_t;
using UINT = std::uint32_t;
using WPARAM = std::uint32_t;
using LPARAM = std::int32_t;
using LRESULT = std::int32_t;

inline constexpr UINT GW_HWNDNEXT = 2;
inline constexpr UINT GW_HWNDPREV = 3;
inline constexpr UINT GW_OWNER = 4;
inline constexpr UINT GW_CHILD = 5;
inline constexpr int GWL_STYLE = -16;
inline constexpr int GWL_EXSTYLE = -20;
inline constexpr LONG WS_EX_DLGMODALFRAME = 0x1;
inline constexpr LONG WS_VISIBLE = 0x10000000;
inline constexpr LONG WS_MINIMIZE = 0x20000000;
inline constexpr UINT WM_CLOSE = 0x10;
inline constexpr int SW_HIDE = 0;
inline constexpr int SW_SHOWNORMAL = 1;
inline constexpr int SW_SHOWMINIMIZED = 2;
inline constexpr int SW_SHOWMAXIMIZED = 3;
inline constexpr int SW_SHOW = 5;
inline constexpr int SW_MINIMIZE = 6;
inline constexpr int SW_RESTORE = 9;

/// Window functions of user32. A null class or title pointer means "any".
class Windows {
 public:
  virtual ~Windows() = default;
  virtual HWND FindWindowA(const char* className, const char* windowName) = 0;
  virtual HWND FindWindowExA(HWND parent, HWND childAfter, const char* className, const char* windowName) = 0;
  virtual BOOL IsWindowVisible(HWND window) = 0;
  virtual BOOL IsIconic(HWND window) = 0;
  virtual BOOL ShowWindow(HWND window, int command) = 0;
  virtual BOOL SetForegroundWindow(HWND window) = 0;
  virtual HWND GetWindow(HWND window, UINT relation) = 0;
  /// Copies at most maxCount - 1 characters and a NUL; returns the characters copied (0: none).
  virtual int GetWindowTextA(HWND window, char* buffer, int maxCount) = 0;
  virtual LONG GetWindowLongA(HWND window, int index) = 0;
  /// The parent of a child window, or the owner of an owned top-level window (0 for none).
  virtual HWND GetParent(HWND window) = 0;
  /// Returns the characters copied, 0 when the window does not exist.
  virtual int GetClassNameA(HWND window, char* buffer, int maxCount) = 0;
  virtual LRESULT SendMessageA(HWND window, UINT message, WPARAM wParam, LPARAM lParam) = 0;
};

}  // namespace platform
