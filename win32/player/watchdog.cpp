#include "win32/player/watchdog.hpp"

// clang-format off
#include <windows.h>
#include <tlhelp32.h>
// clang-format on

#include <cstdio>
#include <cstdlib>
#include <string>

#include "win32/standin/link.hpp"

namespace win32 {

namespace {

// A line on the standard error, written whole by the system: the main thread may be stuck in the
// middle of anything, the C runtime's streams included.
void Say(const std::string& line) {
  DWORD written = 0;
  WriteFile(GetStdHandle(STD_ERROR_HANDLE), line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
}

// Ends the stand-in processes that may be in a call; how many.
int EndStandins() {
  int ended = 0;
  const HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
  if (snapshot == INVALID_HANDLE_VALUE) return 0;
  PROCESSENTRY32W entry{};
  entry.dwSize = sizeof entry;
  for (BOOL more = Process32FirstW(snapshot, &entry); more; more = Process32NextW(snapshot, &entry)) {
    const wchar_t* name = wcsrchr(entry.szExeFile, L'\\');
    name = name ? name + 1 : entry.szExeFile;
    // One waiting for its first client takes no part in any call; ended, it would leave its class
    // object registered with Wine's COM, which would hand it out to the next CreateObject.
    if (_wcsicmp(name, standin::kExeName) != 0 || standin::Waiting(entry.th32ProcessID)) continue;
    if (const HANDLE process = OpenProcess(PROCESS_TERMINATE, FALSE, entry.th32ProcessID)) {
      if (TerminateProcess(process, 1)) ++ended;
      CloseHandle(process);
    }
  }
  CloseHandle(snapshot);
  return ended;
}

std::string Seconds(DWORD milliseconds) {
  char text[32];
  std::snprintf(text, sizeof text, "%g s", milliseconds / 1000.0);
  return text;
}

}  // namespace

std::chrono::milliseconds LimitFromEnvironment(const char* name, std::chrono::milliseconds fallback) {
  const char* text = std::getenv(name);
  if (!text || !*text) return fallback;
  char* end = nullptr;
  const double seconds = std::strtod(text, &end);
  if (*end != '\0' || !(seconds > 0) || seconds > 1e6) return fallback;
  return std::chrono::milliseconds(static_cast<long long>(seconds * 1000));
}

struct Watchdog::State {
  CRITICAL_SECTION lock;
  HANDLE changed = nullptr;  // auto-reset: the stage changed, or the watchdog ends
  HANDLE thread = nullptr;
  DWORD limit = 0;
  DWORD grace = 0;
  std::string stage;  // empty: nothing timed
  unsigned long long generation = 0;
  bool ending = false;

  static DWORD WINAPI Run(void* self) {
    static_cast<State*>(self)->Watch();
    return 0;
  }

  void Watch() {
    for (;;) {
      EnterCriticalSection(&lock);
      const bool stop = ending;
      const std::string watched = stage;
      const unsigned long long seen = generation;
      LeaveCriticalSection(&lock);
      if (stop) return;
      if (watched.empty()) {
        WaitForSingleObject(changed, INFINITE);
        continue;
      }
      if (WaitForSingleObject(changed, limit) == WAIT_OBJECT_0) continue;
      if (!Same(seen)) continue;
      const int ended = EndStandins();
      Say("k60418: " + watched + " did not end within " + Seconds(limit) +
          " (a call that does not return?); " + std::to_string(ended) +
          " stand-in PowerPoint process(es) ended so that it fails\n");
      if (WaitForSingleObject(changed, grace) == WAIT_OBJECT_0 || !Same(seen)) continue;
      Say("k60418: " + watched + " is still stuck " + Seconds(grace) +
          " later; the run stops here, failed\n");
      TerminateProcess(GetCurrentProcess(), 1);
    }
  }

  bool Same(unsigned long long seen) {
    EnterCriticalSection(&lock);
    const bool same = generation == seen && !ending;
    LeaveCriticalSection(&lock);
    return same;
  }

  void Set(const std::string& next, bool end) {
    EnterCriticalSection(&lock);
    stage = next;
    ++generation;
    ending = ending || end;
    LeaveCriticalSection(&lock);
    SetEvent(changed);
  }
};

Watchdog::Watchdog(std::chrono::milliseconds limit, std::chrono::milliseconds grace) : state_(new State) {
  InitializeCriticalSection(&state_->lock);
  state_->limit = static_cast<DWORD>(limit.count());
  state_->grace = static_cast<DWORD>(grace.count());
  state_->changed = CreateEventW(nullptr, FALSE, FALSE, nullptr);
  state_->thread = CreateThread(nullptr, 0, State::Run, state_, 0, nullptr);
}

Watchdog::~Watchdog() {
  state_->Set({}, true);
  if (state_->thread) {
    WaitForSingleObject(state_->thread, INFINITE);
    CloseHandle(state_->thread);
  }
  CloseHandle(state_->changed);
  DeleteCriticalSection(&state_->lock);
  delete state_;
}

void Watchdog::Enter(const std::string& stage) {
  state_->Set(stage.empty() ? std::string("a scenario") : stage, false);
}

void Watchdog::Leave() {
  state_->Set({}, false);
}

}  // namespace win32
