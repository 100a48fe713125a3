// Other programs' windows on the real desktop: top-level windows made by a thread of this process
// that does nothing but pump their messages, so that they answer GetWindowText, GetClassName and
// the messages another thread (or process) sends them while this one is busy. They go with it.
#pragma once

#include <windows.h>

#include <string>
#include <thread>

namespace win32 {

class WindowThread {
 public:
  WindowThread() = default;
  /// Destroys the windows and ends the thread.
  ~WindowThread();
  WindowThread(const WindowThread&) = delete;
  WindowThread& operator=(const WindowThread&) = delete;

  /// A visible top-level window of that class and title (UTF-8); null when it cannot be made.
  HWND Open(const std::string& title, const std::string& class_name);
  /// The Office assistant's balloon (class "MSOBALLOON", one "OK" button) owned by no window.
  HWND OpenBalloon();

 private:
  struct Request;
  HWND Make(Request& request);

  std::thread thread_;
  DWORD thread_id_ = 0;
  HANDLE ready_ = nullptr;
};

}  // namespace win32
