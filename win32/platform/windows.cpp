#include "win32/platform/windows.hpp"

#include <cstdint>

#include <windows.h>

namespace win32 {
namespace {

HWND Native(platform::HWND window) {
  return static_cast<HWND>(NativeHandle(window));
}

}  // namespace

platform::HWND PortHandle(const void* window) {
  // User handles hold 32 significant bits on every Windows; the upper half of a 64-bit one is
  // the sign extension of the lower.
  return static_cast<platform::HWND>(reinterpret_cast<std::intptr_t>(window));
}

void* NativeHandle(platform::HWND window) {
  return reinterpret_cast<void*>(static_cast<std::intptr_t>(window));
}

platform::HWND UserWindows::FindWindowA(const char* className, const char* windowName) {
  return PortHandle(::FindWindowA(className, windowName));
}

platform::HWND UserWindows::FindWindowExA(platform::HWND parent, platform::HWND childAfter,
                                          const char* className, const char* windowName) {
  return PortHandle(::FindWindowExA(Native(parent), Native(childAfter), className, windowName));
}

platform::BOOL UserWindows::IsWindowVisible(platform::HWND window) {
  return ::IsWindowVisible(Native(window)) ? 1 : 0;
}

platform::BOOL UserWindows::IsIconic(platform::HWND window) {
  return ::IsIconic(Native(window)) ? 1 : 0;
}

platform::BOOL UserWindows::ShowWindow(platform::HWND window, int command) {
  return ::ShowWindow(Native(window), command);
}

platform::BOOL UserWindows::SetForegroundWindow(platform::HWND window) {
  const HWND native = Native(window);
  if (!::SetForegroundWindow(native)) return 0;
  // Activation puts the window on top of the others where a window manager does so; the window
  // is raised here too, so that the Z order is the same without one (Wine's null driver).
  SetWindowPos(GetAncestor(native, GA_ROOT), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  return 1;
}

platform::HWND UserWindows::GetWindow(platform::HWND window, platform::UINT relation) {
  return PortHandle(::GetWindow(Native(window), relation));
}

int UserWindows::GetWindowTextA(platform::HWND window, char* buffer, int maxCount) {
  return ::GetWindowTextA(Native(window), buffer, maxCount);
}

platform::LONG UserWindows::GetWindowLongA(platform::HWND window, int index) {
  return ::GetWindowLongA(Native(window), index);
}

platform::HWND UserWindows::GetParent(platform::HWND window) {
  return PortHandle(::GetParent(Native(window)));
}

int UserWindows::GetClassNameA(platform::HWND window, char* buffer, int maxCount) {
  return ::GetClassNameA(Native(window), buffer, maxCount);
}

platform::LRESULT UserWindows::SendMessageA(platform::HWND window, platform::UINT message,
                                            platform::WPARAM wParam, platform::LPARAM lParam) {
  return static_cast<platform::LRESULT>(::SendMessageA(Native(window), message, wParam, lParam));
}

}  // namespace win32
