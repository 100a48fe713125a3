// The Windows port over user32's 8-bit functions. The port keeps window handles in 32 bits, as
// user32 itself does on 64-bit Windows: a real HWND fits, and comes back by sign extension.
// Include the ports' headers before <windows.h>: its macros (WS_VISIBLE, SW_HIDE …) carry the
// port's constant names.
#pragma once

#include "platform/windows.hpp"

namespace win32 {

/// A real window handle (an HWND) in the port's 32 bits.
platform::HWND PortHandle(const void* window);
/// The real window handle (an HWND) behind a port handle.
void* NativeHandle(platform::HWND window);

class UserWindows : public platform::Windows {
 public:
  platform::HWND FindWindowA(const char* className, const char* windowName) override;
  platform::HWND FindWindowExA(platform::HWND parent, platform::HWND childAfter, const char* className,
                               const char* windowName) override;
  platform::BOOL IsWindowVisible(platform::HWND window) override;
  platform::BOOL IsIconic(platform::HWND window) override;
  platform::BOOL ShowWindow(platform::HWND window, int command) override;
  platform::BOOL SetForegroundWindow(platform::HWND window) override;
  platform::HWND GetWindow(platform::HWND window, platform::UINT relation) override;
  int GetWindowTextA(platform::HWND window, char* buffer, int maxCount) override;
  platform::LONG GetWindowLongA(platform::HWND window, int index) override;
  platform::HWND GetParent(platform::HWND window) override;
  int GetClassNameA(platform::HWND window, char* buffer, int maxCount) override;
  platform::LRESULT SendMessageA(platform::HWND window, platform::UINT message, platform::WPARAM wParam,
                                 platform::LPARAM lParam) override;
};

}  // namespace win32
