// The stand-in's Application reaches its files, clock and main window through the real system.
#include <string>

#include "vb/error.hpp"
#include "win32/platform/clock.hpp"
#include "win32/platform/filesystem.hpp"
#include "win32/platform/text.hpp"
#include "win32/standin/standin.hpp"

namespace standin {
namespace {

std::wstring Wide(const std::string& path) {
  return win32::Utf8ToWide(path);
}

// Closes a file handle at the end of a scope.
struct FileHandle {
  HANDLE handle;
  ~FileHandle() {
    if (handle != INVALID_HANDLE_VALUE) CloseHandle(handle);
  }
};

class Win32Host : public sim::ppt::Host {
 public:
  explicit Win32Host(Process& process) : process_(process) {}

  // The same errors as the simulated drives: 53 when missing, 75 for a folder or a file that
  // cannot be opened.
  std::string ReadFile(const std::string& path) override {
    const DWORD attributes = GetFileAttributesW(Wide(path).c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) vb::Raise(vb::errors::kFileNotFound);
    if (attributes & FILE_ATTRIBUTE_DIRECTORY) vb::Raise(vb::errors::kPathFileAccess);
    FileHandle file{CreateFileW(Wide(path).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr)};
    if (file.handle == INVALID_HANDLE_VALUE) vb::Raise(vb::errors::kPathFileAccess);
    std::string content;
    char buffer[65536];
    for (;;) {
      DWORD read = 0;
      if (!::ReadFile(file.handle, buffer, sizeof buffer, &read, nullptr))
        vb::Raise(vb::errors::kPathFileAccess);
      if (read == 0) break;
      content.append(buffer, read);
    }
    return content;
  }

  // Whole and atomic: the content goes to a file beside the target, which then replaces it.
  // 76 when the folder is missing, 75 for a folder, a read-only file or a file held open.
  void WriteFile(const std::string& path, const std::string& content) override {
    const std::wstring target = Wide(path);
    if (path.empty() || path.back() == '\\' || path.back() == '/') vb::Raise(vb::errors::kPathFileAccess);
    const std::size_t separator = target.find_last_of(L"\\/");
    const std::wstring folder = separator == std::wstring::npos ? L"." : target.substr(0, separator + 1);
    const DWORD folder_attributes = GetFileAttributesW(folder.c_str());
    if (folder_attributes == INVALID_FILE_ATTRIBUTES || !(folder_attributes & FILE_ATTRIBUTE_DIRECTORY))
      vb::Raise(vb::errors::kPathNotFound);
    const DWORD attributes = GetFileAttributesW(target.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES &&
        (attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_READONLY)))
      vb::Raise(vb::errors::kPathFileAccess);
    const std::wstring temp = target + L".k60418-tmp";
    {
      FileHandle file{CreateFileW(temp.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                  FILE_ATTRIBUTE_NORMAL, nullptr)};
      if (file.handle == INVALID_HANDLE_VALUE) vb::Raise(vb::errors::kPathFileAccess);
      std::size_t done = 0;
      while (done < content.size()) {
        const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(content.size() - done, 1 << 20));
        DWORD written = 0;
        if (!::WriteFile(file.handle, content.data() + done, chunk, &written, nullptr) || written == 0) {
          CloseHandle(file.handle);
          file.handle = INVALID_HANDLE_VALUE;
          DeleteFileW(temp.c_str());
          vb::Raise(vb::errors::kPathFileAccess);
        }
        done += written;
      }
    }
    if (!MoveFileExW(temp.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING)) {
      DeleteFileW(temp.c_str());
      vb::Raise(vb::errors::kPathFileAccess);
    }
  }

  bool FileExists(const std::string& path) override {
    const DWORD attributes = GetFileAttributesW(Wide(path).c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
  }
  std::string CurrentFolder() override {
    std::string folder = files_.CurDir();
    if (folder.empty() || folder.back() != '\\') folder += '\\';
    return folder;
  }
  vb::Date Now() override { return clock_.Now(); }

  // The window's state as the simulated desktop's host reads and sets it, on the real window.
  bool MainWindowVisible() override {
    const HWND window = process_.main_window();
    return window && IsWindowVisible(window);
  }
  void SetMainWindowVisible(bool visible) override {
    const HWND window = process_.main_window();
    if (!window) return;
    if (!visible) {
      state_ = MainWindowState();
      ShowWindow(window, SW_HIDE);
    } else {
      ShowWindow(window, state_ == 3 ? SW_SHOWMAXIMIZED : (state_ == 2 ? SW_SHOWMINIMIZED : SW_SHOW));
    }
  }
  int MainWindowState() override {
    const HWND window = process_.main_window();
    if (!window || !IsWindowVisible(window)) return state_;
    if (IsIconic(window)) return 2;
    return IsZoomed(window) ? 3 : 1;
  }
  void SetMainWindowState(int state) override {
    state_ = state;
    const HWND window = process_.main_window();
    // A hidden window keeps its state for when it is shown again.
    if (!window || !IsWindowVisible(window)) return;
    ShowWindow(window, state == 3 ? SW_SHOWMAXIMIZED : (state == 2 ? SW_MINIMIZE : SW_RESTORE));
  }

 private:
  Process& process_;
  win32::DiskFileSystem files_;
  win32::SystemClock clock_;
  /// The state last asked for (ppWindowNormal 1, minimized 2, maximized 3), which a hidden
  /// window takes when it is shown.
  int state_ = 1;
};

}  // namespace

std::shared_ptr<sim::ppt::Host> MakeWin32Host(Process& process) {
  return std::make_shared<Win32Host>(process);
}

}  // namespace standin
