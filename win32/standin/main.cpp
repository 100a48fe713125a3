// StandinPowerPoint.exe: the stand-in PowerPoint's process.
//   (no switch)                 started by a user: the main window shows; ends on Quit
//   -Embedding                  started by COM for a CreateObject: waits unseen for its first
//                               client, then starts; ends when its last client goes
//                               (either way, it works in the user's documents folder)
//   /regserver [/user]          registers the class and ProgIDs in HKLM\Software\Classes, or in
//                               HKCU\Software\Classes with /user (which Wine's COM does not read)
//   /unregserver [/user]        removes them
//   /seed FOLDER                makes the user's desktop ready: registry values, user folders, and
//                               the templates of FOLDER (course\office) where Office has them
#include <cwchar>
#include <string>
#include <vector>

#include "vb/error.hpp"
#include "win32/platform/text.hpp"
#include "win32/standin/standin.hpp"

namespace {

bool Is(const std::wstring& argument, const wchar_t* name) {
  if (argument.size() < 2 || (argument[0] != L'/' && argument[0] != L'-')) return false;
  return _wcsicmp(argument.c_str() + 1, name) == 0;
}

std::wstring ExePath() {
  std::vector<wchar_t> path(MAX_PATH);
  for (;;) {
    const DWORD n = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (n < path.size()) return std::wstring(path.data(), n);
    path.resize(path.size() * 2);
  }
}

int Fail(const std::string& what) {
  const std::string line = "StandinPowerPoint: " + what + "\n";
  DWORD written = 0;
  WriteFile(GetStdHandle(STD_ERROR_HANDLE), line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
  return 1;
}

}  // namespace

int main() {
  int count = 0;
  wchar_t** argv = CommandLineToArgvW(GetCommandLineW(), &count);
  std::vector<std::wstring> arguments(argv + (count > 0 ? 1 : 0), argv + count);
  LocalFree(argv);

  bool user = false;
  for (const std::wstring& argument : arguments) user = user || Is(argument, L"user");
  const HKEY root = user ? HKEY_CURRENT_USER : HKEY_LOCAL_MACHINE;
  if (!arguments.empty() && Is(arguments[0], L"regserver")) {
    const LONG status = standin::RegisterServer(root, ExePath());
    return status == ERROR_SUCCESS ? 0 : Fail("registration failed: error " + std::to_string(status));
  }
  if (!arguments.empty() && Is(arguments[0], L"unregserver")) {
    const LONG status = standin::UnregisterServer(root);
    return status == ERROR_SUCCESS ? 0 : Fail("unregistration failed: error " + std::to_string(status));
  }
  if (!arguments.empty() && Is(arguments[0], L"seed")) {
    if (arguments.size() != 2) return Fail("/seed takes the folder of the Office templates");
    try {
      standin::SeedDesktop(win32::WideToUtf8(arguments[1]));
      return 0;
    } catch (const vb::Error& error) {
      return Fail(error.description());
    }
  }
  const bool embedding = !arguments.empty() && Is(arguments[0], L"Embedding");
  if (!arguments.empty() && !embedding) return Fail("unknown switch");

  if (FAILED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) return Fail("COM cannot start");
  int code = 0;
  {
    standin::Process process(embedding);
    code = process.Run();
  }
  CoUninitialize();
  return code;
}
