// k60418.exe: plays the host of the course's exercise module on Windows. The module is K60418.dll,
// created by its ProgID and called through AbstractModule as the training player binds it; the
// desktop is the real one, whose PowerPoint is the registered stand-in. The commands, their
// options, outputs and exit statuses are those of the command on Linux.
#include "win32/desktop/real_desktop.hpp"
#include "win32/platform/text.hpp"
#include "win32/player/dll_module.hpp"
#include "win32/player/watchdog.hpp"
//
// clang-format off
#include <windows.h>
#include <objbase.h>
#include <shellapi.h>
// clang-format on
#include <fcntl.h>
#include <io.h>

#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <string>
#include <vector>

#include "player/command_line.hpp"
#include "player/commands.hpp"
#include "player/player.hpp"
#include "vb/error.hpp"

namespace {

bool IsTerminal(FILE* stream) {
  return _isatty(_fileno(stream)) != 0;
}

/// The arguments as UTF-8, whatever the system's ANSI code page.
std::vector<std::string> Arguments() {
  int count = 0;
  wchar_t** wide = CommandLineToArgvW(GetCommandLineW(), &count);
  std::vector<std::string> arguments;
  for (int i = 0; i < count; ++i) arguments.push_back(win32::WideToUtf8(wide[i]));
  LocalFree(wide);
  return arguments;
}

/// A default value of HKEY_CLASSES_ROOT\<key>; "" when there is none.
std::wstring ClassesValue(const std::wstring& key) {
  wchar_t value[MAX_PATH * 2] = {};
  DWORD size = sizeof value - sizeof(wchar_t);
  if (RegGetValueW(HKEY_CLASSES_ROOT, key.c_str(), nullptr, RRF_RT_REG_SZ, nullptr, value, &size) !=
      ERROR_SUCCESS)
    return {};
  return value;
}

/// The program registered as PowerPoint (the stand-in): what a user starting PowerPoint runs.
std::string RegisteredPowerPoint() {
  const std::wstring clsid = ClassesValue(L"PowerPoint.Application.11\\CLSID");
  std::wstring command =
      clsid.empty() ? std::wstring() : ClassesValue(L"CLSID\\" + clsid + L"\\LocalServer32");
  if (command.empty()) {
    vb::Raise(vb::errors::kCannotCreateObject, "k60418",
              "no PowerPoint is registered (register StandinPowerPoint.exe with /regserver)");
  }
  // "C:\path\PowerPoint.exe" [switches]
  if (command.front() == L'"') {
    command = command.substr(1, command.find(L'"', 1) - 1);
  } else if (const auto space = command.find(L' '); space != std::wstring::npos) {
    command.resize(space);
  }
  return win32::WideToUtf8(command);
}

/// Times each scenario played (see watchdog.hpp).
win32::Watchdog* watchdog = nullptr;

/// The real desktop, made fresh for each scenario, and K60418.dll as the hosted module.
player::PlayerSides MakeWindowsSides(const player::PlayerOptions& options) {
  // A scenario begins (the one before has ended, its sides gone): its time starts. The shell's
  // desktop is not timed: it waits on a person.
  if (options.scenario.empty()) {
    watchdog->Leave();
  } else {
    watchdog->Enter(options.scenario);
  }
  win32::RealDesktopOptions desktop;
  desktop.standin_exe = RegisteredPowerPoint();
  desktop.office_folder = (player::ResolveCourseFolder(options.course_folder) / "office").string();
  desktop.keep_one_waiting = true;
  player::PlayerSides sides;
  sides.desktop = std::make_unique<win32::RealDesktop>(desktop);
  sides.module = std::make_unique<win32::DllModule>();
  return sides;
}

}  // namespace

int main() {
  // The course of the source tree, as Windows programs under Wine see it, unless one is named.
  if (const char* given = std::getenv("K60418_COURSE_DIR"); !given || !*given)
    _putenv_s("K60418_COURSE_DIR", K60418_WINDOWS_COURSE_DIR);
  // Lines end as on Linux: what the command writes is the same bytes on both.
  _setmode(_fileno(stdout), _O_BINARY);
  _setmode(_fileno(stderr), _O_BINARY);

  if (FAILED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) {
    std::cerr << "k60418: COM cannot start\n";
    return player::kExitBadInput;
  }
  // No line editor on Windows: the shell reads its lines from the input as they come.
  player::Console console{std::cin, std::cout, std::cerr};
  console.in_terminal = IsTerminal(stdin);
  console.out_terminal = IsTerminal(stdout);
  console.err_terminal = IsTerminal(stderr);
  console.no_color = std::getenv("NO_COLOR");
  console.make_sides = MakeWindowsSides;

  // K60418_SCENARIO_TIMEOUT: the seconds one scenario may take (default 300: the longest takes
  // under a minute, and a Wait plays up to a minute of real time).
  win32::Watchdog scenario_watchdog(
      win32::LimitFromEnvironment("K60418_SCENARIO_TIMEOUT", std::chrono::seconds(300)),
      std::chrono::seconds(60));
  watchdog = &scenario_watchdog;
  int status = player::RunCommandLine(Arguments(), console);
  // What is still buffered reaches the file or pipe only now: its failure is an error too.
  std::cout.flush();
  if (std::fflush(stdout) != 0 || std::ferror(stdout) || !std::cout) {
    if (status != player::kExitBadInput)
      std::cerr << "k60418: the output could not be written (a full disk or a closed pipe?)\n";
    status = player::kExitBadInput;
  }
  scenario_watchdog.Enter("the end of the run (after the last scenario)");
  CoUninitialize();
  scenario_watchdog.Leave();
  return status;
}
