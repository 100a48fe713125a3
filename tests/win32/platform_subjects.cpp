#include "platform_subjects.hpp"

#include <atomic>
#include <stdexcept>
#include <string>

#include "win32/platform/text.hpp"

#include <windows.h>

namespace contract {
namespace {

std::atomic<int> counter{0};

// A name no other subject of this run or of another test program uses at the same time.
std::string UniqueSuffix() {
  return std::to_string(GetCurrentProcessId()) + "-" + std::to_string(++counter);
}

void EnsureClass(const std::string& name) {
  WNDCLASSEXA existing{};
  existing.cbSize = sizeof existing;
  if (GetClassInfoExA(GetModuleHandleA(nullptr), name.c_str(), &existing)) return;
  WNDCLASSEXA klass{};
  klass.cbSize = sizeof klass;
  klass.lpfnWndProc = DefWindowProcA;
  klass.hInstance = GetModuleHandleA(nullptr);
  klass.lpszClassName = name.c_str();
  if (!RegisterClassExA(&klass)) ADD_FAILURE() << "cannot register the window class " << name;
}

void RemoveTree(const std::wstring& folder) {
  WIN32_FIND_DATAW entry;
  const HANDLE find = FindFirstFileW((folder + L"*").c_str(), &entry);
  if (find != INVALID_HANDLE_VALUE) {
    do {
      const std::wstring name = entry.cFileName;
      if (name == L"." || name == L"..") continue;
      const std::wstring path = folder + name;
      SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
      if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
        RemoveTree(path + L"\\");
      } else {
        DeleteFileW(path.c_str());
      }
    } while (FindNextFileW(find, &entry));
    FindClose(find);
  }
  RemoveDirectoryW(folder.c_str());
}

}  // namespace

Win32RegistrySubject::Win32RegistrySubject() : key_("Software\\K60418 Contract " + UniqueSuffix()) {}

Win32RegistrySubject::~Win32RegistrySubject() {
  RegDeleteTreeA(HKEY_CURRENT_USER, key_.c_str());
  RegDeleteKeyA(HKEY_CURRENT_USER, key_.c_str());
}

Win32WindowsSubject::~Win32WindowsSubject() {
  for (auto it = made_.rbegin(); it != made_.rend(); ++it) {
    const auto window = static_cast<HWND>(win32::NativeHandle(*it));
    if (IsWindow(window)) DestroyWindow(window);
  }
}

platform::HWND Win32WindowsSubject::OpenWindow(const std::string& title, const std::string& class_name) {
  EnsureClass(class_name);
  const HWND window = CreateWindowExA(0, class_name.c_str(), win32::Utf8ToAnsi(title).c_str(),
                                      WS_OVERLAPPEDWINDOW, CW_USEDEFAULT, CW_USEDEFAULT, 200, 100, nullptr,
                                      nullptr, GetModuleHandleA(nullptr), nullptr);
  if (!window) ADD_FAILURE() << "cannot make the window " << title;
  ::ShowWindow(window, SW_SHOW);
  made_.push_back(win32::PortHandle(window));
  return made_.back();
}

platform::HWND Win32WindowsSubject::OpenDialog(platform::HWND owner, const std::string& title) {
  EnsureClass("K60418Dialog");
  const HWND dialog = CreateWindowExA(WS_EX_DLGMODALFRAME, "K60418Dialog", win32::Utf8ToAnsi(title).c_str(),
                                      WS_POPUP | WS_CAPTION | WS_SYSMENU, 10, 10, 100, 50,
                                      static_cast<HWND>(win32::NativeHandle(owner)), nullptr,
                                      GetModuleHandleA(nullptr), nullptr);
  if (!dialog) ADD_FAILURE() << "cannot make the dialog " << title;
  ::ShowWindow(dialog, SW_SHOW);
  made_.push_back(win32::PortHandle(dialog));
  return made_.back();
}

platform::HWND Win32WindowsSubject::OpenChild(platform::HWND parent, const std::string& class_name,
                                              const std::string& title) {
  EnsureClass(class_name);
  const HWND child = CreateWindowExA(
      0, class_name.c_str(), win32::Utf8ToAnsi(title).c_str(), WS_CHILD | WS_VISIBLE, 0, 0, 50, 20,
      static_cast<HWND>(win32::NativeHandle(parent)),
      reinterpret_cast<HMENU>(static_cast<INT_PTR>(made_.size() + 1)), GetModuleHandleA(nullptr), nullptr);
  if (!child) ADD_FAILURE() << "cannot make the child window " << title;
  made_.push_back(win32::PortHandle(child));
  return made_.back();
}

Win32FileSystemSubject::Win32FileSystemSubject() {
  wchar_t temp[MAX_PATH + 1];
  const DWORD n = GetTempPathW(MAX_PATH + 1, temp);
  if (n == 0 || n > MAX_PATH) ADD_FAILURE() << "no temporary folder";
  folder_ = win32::WideToUtf8(std::wstring(temp, n)) + "K60418 Contrat " + UniqueSuffix() + "\\";
  if (!CreateDirectoryW(win32::Utf8ToWide(folder_).c_str(), nullptr))
    ADD_FAILURE() << "cannot make the scratch folder " << folder_;
  wchar_t current[MAX_PATH + 1];
  const DWORD length = GetCurrentDirectoryW(MAX_PATH + 1, current);
  former_current_.assign(current, length <= MAX_PATH ? length : 0);
  SetCurrentDirectoryW(win32::Utf8ToWide(folder_.substr(0, 3)).c_str());
}

Win32FileSystemSubject::~Win32FileSystemSubject() {
  if (!former_current_.empty()) SetCurrentDirectoryW(former_current_.c_str());
  RemoveTree(win32::Utf8ToWide(folder_));
}

void Win32FileSystemSubject::MakeFile(const std::string& path) {
  const HANDLE file = CreateFileW(win32::Utf8ToWide(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                  FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) {
    ADD_FAILURE() << "cannot make the file " << path;
    return;
  }
  DWORD written = 0;
  WriteFile(file, "contenu", 7, &written, nullptr);
  CloseHandle(file);
}

platform::Automation& Win32ClockSubject::automation() {
  ADD_FAILURE() << "the clock's subject has no automation";
  throw std::logic_error("no automation");
}

}  // namespace contract
