#include "win32/desktop/window_thread.hpp"

#include "win32/platform/text.hpp"

namespace win32 {
namespace {

// The thread message that asks for a window; its lParam is the request.
constexpr UINT kMakeWindow = WM_APP + 1;

LRESULT CALLBACK PlainProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  return DefWindowProcW(window, message, wparam, lparam);
}

}  // namespace

struct WindowThread::Request {
  std::wstring title;
  std::wstring class_name;
  DWORD style = 0;
  DWORD ex_style = 0;
  bool button = false;
  HWND made = nullptr;
  HANDLE done = nullptr;
};

WindowThread::~WindowThread() {
  if (!thread_.joinable()) return;
  PostThreadMessageW(thread_id_, WM_QUIT, 0, 0);
  thread_.join();
  CloseHandle(ready_);
}

HWND WindowThread::Open(const std::string& title, const std::string& class_name) {
  Request request;
  request.title = Utf8ToWide(title);
  request.class_name = Utf8ToWide(class_name);
  request.style = WS_OVERLAPPEDWINDOW | WS_VISIBLE;
  return Make(request);
}

HWND WindowThread::OpenBalloon() {
  Request request;
  request.class_name = L"MSOBALLOON";
  request.style = WS_POPUP | WS_VISIBLE;
  request.ex_style = WS_EX_TOOLWINDOW;
  request.button = true;
  return Make(request);
}

HWND WindowThread::Make(Request& request) {
  if (!thread_.joinable()) {
    ready_ = CreateEventW(nullptr, FALSE, FALSE, nullptr);
    thread_ = std::thread([this] {
      MSG message;
      // The thread's queue exists once it has looked at it: the starter may post from then on.
      PeekMessageW(&message, nullptr, WM_USER, WM_USER, PM_NOREMOVE);
      thread_id_ = GetCurrentThreadId();
      SetEvent(ready_);
      while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        if (!message.hwnd && message.message == kMakeWindow) {
          auto* asked = reinterpret_cast<Request*>(message.lParam);
          WNDCLASSEXW window_class{};
          window_class.cbSize = sizeof window_class;
          window_class.lpfnWndProc = PlainProc;
          window_class.hInstance = GetModuleHandleW(nullptr);
          window_class.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
          window_class.lpszClassName = asked->class_name.c_str();
          RegisterClassExW(&window_class);  // fails harmlessly when the class exists
          asked->made =
              CreateWindowExW(asked->ex_style, asked->class_name.c_str(), asked->title.c_str(), asked->style,
                              60, 60, 400, 300, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
          if (asked->made && asked->button)
            CreateWindowExW(0, L"Button", L"OK", WS_CHILD | WS_VISIBLE, 10, 10, 60, 24, asked->made, nullptr,
                            GetModuleHandleW(nullptr), nullptr);
          SetEvent(asked->done);
          continue;
        }
        TranslateMessage(&message);
        DispatchMessageW(&message);
      }
      // Windows go with their thread.
    });
    WaitForSingleObject(ready_, INFINITE);
  }
  request.done = CreateEventW(nullptr, FALSE, FALSE, nullptr);
  if (!PostThreadMessageW(thread_id_, kMakeWindow, 0, reinterpret_cast<LPARAM>(&request))) {
    CloseHandle(request.done);
    return nullptr;
  }
  WaitForSingleObject(request.done, 10000);
  CloseHandle(request.done);
  return request.made;
}

}  // namespace win32
