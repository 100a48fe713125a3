// The real desktop: PowerPoint processes found by name and reached through their control objects
// in the running-object table; windows, registry and files through the system.
#include "win32/desktop/real_desktop.hpp"

// The ports' headers first: windows.h defines HKEY_CURRENT_USER, which they name.
#include "win32/platform/clock.hpp"
#include "win32/platform/filesystem.hpp"
#include "win32/platform/registry.hpp"
#include "win32/platform/text.hpp"
#include "win32/platform/windows.hpp"
//
#include "win32/desktop/window_thread.hpp"
#include "win32/dispatch/automation.hpp"
#include "win32/dispatch/com_dispatch.hpp"
#include "win32/standin/link.hpp"
// clang-format off
#include <windows.h>
#include <objbase.h>
#include <shlobj.h>
#include <tlhelp32.h>
// clang-format on
// windows.h names these functions' ANSI and Unicode forms by macros, which would rename the
// desktop's members of the same names.
#undef CopyFile
#undef DeleteFile
#undef GetObject

#include <algorithm>
#include <cmath>
#include <sstream>
#include <vector>

#include "player/not_playable.hpp"
#include "sim/desktop.hpp"
#include "vb/error.hpp"
#include "vb/strings.hpp"

namespace win32 {
namespace {

[[noreturn]] void EventError(const std::string& description) {
  vb::Raise(vb::errors::kInvalidCall, "Sim", description);
}

std::wstring Wide(const std::string& text) {
  return Utf8ToWide(text);
}

// How long a stand-in is given to register its objects once started, or to end once ended.
constexpr DWORD kStartMilliseconds = 10000;
constexpr DWORD kEndMilliseconds = 5000;

// Waits for `handles` to be signalled (all of them), pumping this thread's messages meanwhile:
// a single-threaded apartment keeps answering while it waits. False on time-out.
bool WaitPumping(const std::vector<HANDLE>& handles, DWORD milliseconds) {
  const ULONGLONG end = GetTickCount64() + milliseconds;
  for (HANDLE handle : handles) {
    for (;;) {
      const ULONGLONG now = GetTickCount64();
      if (now >= end) return WaitForSingleObject(handle, 0) == WAIT_OBJECT_0;
      const DWORD result =
          MsgWaitForMultipleObjects(1, &handle, FALSE, static_cast<DWORD>(end - now), QS_ALLINPUT);
      if (result == WAIT_OBJECT_0) break;
      if (result != WAIT_OBJECT_0 + 1) return false;
      MSG message;
      while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
      }
    }
  }
  return true;
}

// Sleeps for `milliseconds`, pumping messages.
void SleepPumping(DWORD milliseconds) {
  const HANDLE never = CreateEventW(nullptr, TRUE, FALSE, nullptr);
  WaitPumping({never}, milliseconds);
  CloseHandle(never);
}

bool Ended(HANDLE process) {
  return WaitForSingleObject(process, 0) == WAIT_OBJECT_0;
}

std::uint64_t Ticks(const FILETIME& time) {
  return (static_cast<std::uint64_t>(time.dwHighDateTime) << 32) | time.dwLowDateTime;
}

// The "name=count" list the control object and an ended stand-in leave, as a table.
player::CallCounts ParseCounts(const std::string& list) {
  player::CallCounts counts;
  std::istringstream words(list);
  std::string pair;
  while (words >> pair) {
    const std::size_t equal = pair.find('=');
    if (equal == std::string::npos) continue;
    counts[pair.substr(0, equal)] = std::stoull(pair.substr(equal + 1));
  }
  return counts;
}

vb::Variant CallControl(const vb::ObjectRef& control, const char* member, vb::Arguments arguments = {}) {
  return control->Invoke(member, vb::CallKind::Method, arguments);
}

vb::Arguments Args(std::initializer_list<vb::Variant> values) {
  vb::Arguments arguments;
  for (const vb::Variant& value : values) arguments.push_back(vb::Argument{value, {}});
  return arguments;
}

// The COM identity of an object (its IUnknown), AddRef'd; null for Nothing or another kind.
IUnknown* IdentityOf(const vb::ObjectRef& object) {
  if (!object) return nullptr;
  IDispatch* dispatch = nullptr;
  try {
    dispatch = ToIDispatch(object);
  } catch (const vb::Error&) {
    return nullptr;
  }
  if (!dispatch) return nullptr;
  IUnknown* unknown = nullptr;
  dispatch->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(&unknown));
  dispatch->Release();
  return unknown;
}

// Removes a folder with everything in it, read-only files included; true when it is gone.
bool RemoveTree(const std::wstring& folder) {
  const DWORD attributes = GetFileAttributesW(folder.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) return true;
  if (!(attributes & FILE_ATTRIBUTE_DIRECTORY)) return false;
  std::wstring base = folder;
  if (base.back() != L'\\') base += L'\\';
  WIN32_FIND_DATAW found;
  const HANDLE search = FindFirstFileW((base + L'*').c_str(), &found);
  if (search != INVALID_HANDLE_VALUE) {
    do {
      const std::wstring name = found.cFileName;
      if (name == L"." || name == L"..") continue;
      const std::wstring path = base + name;
      if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) &&
          !(found.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT)) {
        RemoveTree(path);
      } else {
        SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
        DeleteFileW(path.c_str());
      }
    } while (FindNextFileW(search, &found));
    FindClose(search);
  }
  SetFileAttributesW(folder.c_str(), FILE_ATTRIBUTE_NORMAL);
  return RemoveDirectoryW(folder.c_str()) || GetFileAttributesW(folder.c_str()) == INVALID_FILE_ATTRIBUTES;
}

// A key path under HKEY_CURRENT_USER, its hive prefix dropped as the simulated registry drops it.
std::wstring UserKey(const std::string& key) {
  for (const char* hive : {"HKEY_CURRENT_USER\\", "HKCU\\"}) {
    const std::string prefix = hive;
    if (key.size() >= prefix.size() && vb::LCase(key.substr(0, prefix.size())) == vb::LCase(prefix))
      return Wide(key.substr(prefix.size()));
  }
  if (vb::LCase(key) == "hkey_current_user" || vb::LCase(key) == "hkcu") return {};
  return Wide(key);
}

// The process ids of the running stand-ins, by their executable's name.
std::vector<DWORD> StandinProcessIds() {
  std::vector<DWORD> ids;
  const HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
  if (snapshot == INVALID_HANDLE_VALUE) return ids;
  PROCESSENTRY32W entry{};
  entry.dwSize = sizeof entry;
  for (BOOL more = Process32FirstW(snapshot, &entry); more; more = Process32NextW(snapshot, &entry)) {
    const wchar_t* name = wcsrchr(entry.szExeFile, L'\\');
    name = name ? name + 1 : entry.szExeFile;
    if (_wcsicmp(name, standin::kExeName) == 0) ids.push_back(entry.th32ProcessID);
  }
  CloseHandle(snapshot);
  return ids;
}

// The control object a stand-in process registered under its id, or Nothing.
vb::ObjectRef ControlOf(DWORD process_id) {
  IRunningObjectTable* table = nullptr;
  if (FAILED(GetRunningObjectTable(0, &table))) return nullptr;
  IMoniker* item = nullptr;
  IUnknown* found = nullptr;
  if (SUCCEEDED(CreateItemMoniker(L"!", standin::ControlItem(process_id).c_str(), &item)))
    table->GetObject(item, &found);
  if (item) item->Release();
  table->Release();
  if (!found) return nullptr;
  IDispatch* dispatch = nullptr;
  found->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(&dispatch));
  found->Release();
  if (!dispatch) return nullptr;
  vb::ObjectRef control = FromIDispatch(dispatch);
  dispatch->Release();
  return control;
}

}  // namespace

// The stand-in started ahead for the next CreateObject (RealDesktopOptions::keep_one_waiting), for
// as long as this program runs: desktops come and go, it stays.
struct SpareProcess {
  HANDLE handle = nullptr;
  DWORD id = 0;
} spare_process;

// One stand-in process this desktop knows of.
struct KnownProcess {
  DWORD id = 0;
  HANDLE handle = nullptr;
  std::uint64_t created = 0;
  bool ended = false;
  /// Started by COM and still waiting for its first client: no PowerPoint yet.
  bool waiting = false;
  /// Its control object, held from when it was found: calls on it pass while a dialog refuses
  /// every other (looking it up again would not).
  vb::ObjectRef control;
  /// Its object-model calls when last seen; final once the process has ended and they are read.
  player::CallCounts counts;
  bool counts_final = false;
};

struct RealDesktop::State {
  RealDesktopOptions options;
  UserWindows windows;
  HkcuRegistry registry;
  DiskFileSystem files;
  ComAutomation automation;
  SystemClock clock;
  WindowThread window_thread;
  std::vector<KnownProcess> processes;  // oldest first
  ~State() {
    for (KnownProcess& process : processes)
      if (process.handle) CloseHandle(process.handle);
  }

  // --- Processes ---------------------------------------------------------------------------------

  // Brings the list up to date: stand-ins started since (by COM, for the module's CreateObject),
  // and those that have ended. A stand-in that waits for its first client is no PowerPoint yet.
  void Refresh() {
    std::vector<std::pair<std::uint64_t, std::pair<DWORD, HANDLE>>> found;
    for (const DWORD id : StandinProcessIds()) {
      const bool known = std::any_of(processes.begin(), processes.end(), [id](const KnownProcess& process) {
        return process.id == id && !Ended(process.handle);
      });
      if (known || standin::Waiting(id)) continue;
      const HANDLE handle =
          OpenProcess(SYNCHRONIZE | PROCESS_TERMINATE | PROCESS_QUERY_INFORMATION, FALSE, id);
      if (!handle) continue;
      FILETIME created{}, exited{}, kernel{}, user{};
      GetProcessTimes(handle, &created, &exited, &kernel, &user);
      found.push_back({Ticks(created), {id, handle}});
    }
    std::sort(found.begin(), found.end());
    for (const auto& [created, process] : found) Add(process.first, process.second);
    for (KnownProcess& process : processes) Settle(process);
    // Those found waiting after all: a spare started for a later CreateObject.
    for (auto it = processes.begin(); it != processes.end();) {
      if (!it->waiting) {
        ++it;
        continue;
      }
      CloseHandle(it->handle);
      it = processes.erase(it);
    }
    KeepSpare();
  }

  // Adds a process as the newest: a process waiting for its first client has started when it is
  // first seen, after every process seen before it.
  KnownProcess& Add(DWORD id, HANDLE handle) {
    KnownProcess process;
    process.id = id;
    process.handle = handle;
    FILETIME created{}, exited{}, kernel{}, user{};
    if (GetProcessTimes(handle, &created, &exited, &kernel, &user)) process.created = Ticks(created);
    if (!processes.empty()) process.created = std::max(process.created, processes.back().created + 1);
    processes.push_back(std::move(process));
    return processes.back();
  }

  // Marks a process ended once it has ended, or has quit and is ending (its call counts are left
  // by then); finds the control object of one just started, giving it the time to register it.
  void Settle(KnownProcess& process) {
    if (process.ended || process.waiting) return;
    if (!process.control) {
      const ULONGLONG end = GetTickCount64() + kStartMilliseconds;
      while (!Ended(process.handle) && !(process.control = ControlOf(process.id))) {
        if (standin::Waiting(process.id)) {
          process.waiting = true;
          return;
        }
        // Not registered in time: looked for again next time.
        if (GetTickCount64() >= end) return;
        SleepPumping(5);
      }
    }
    bool quit = Ended(process.handle);
    if (!quit) {
      try {
        quit = CallControl(process.control, "Ended").ToBool();
      } catch (const vb::Error&) {
        quit = true;  // gone, or going
      }
    }
    if (!quit) return;
    ReadCounts(process);
    process.ended = true;
    process.control.reset();
    ReadCounts(process);
  }

  // With keep_one_waiting: a stand-in started ahead, waiting for the next CreateObject, so that
  // COM finds its class object registered (Wine waits a whole second after starting a server
  // itself). It reads nothing of the user's state before it serves.
  void KeepSpare() {
    if (!options.keep_one_waiting) return;
    HANDLE& spare = spare_process.handle;
    DWORD& spare_id = spare_process.id;
    if (spare) {
      // Still starting (neither waiting nor registered), or waiting: it stays the spare.
      const bool taken =
          Ended(spare) || (!standin::Waiting(spare_id) && static_cast<bool>(ControlOf(spare_id)));
      if (!taken) return;
      CloseHandle(spare);
      spare = nullptr;
    }
    for (const DWORD id : StandinProcessIds())
      if (standin::Waiting(id)) return;
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION started{};
    std::wstring command = L"\"" + Wide(options.standin_exe) + L"\" -Embedding";
    wchar_t system[MAX_PATH] = {};
    GetSystemDirectoryW(system, MAX_PATH);
    if (!CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, system, &startup,
                        &started))
      return;  // CreateObject starts one as it always does
    CloseHandle(started.hThread);
    spare = started.hProcess;
    spare_id = started.dwProcessId;
  }

  KnownProcess* Latest() { return processes.empty() ? nullptr : &processes.back(); }

  // The process whose Application `held` is (by COM identity), or null; `dead` tells whether
  // `held` no longer answers.
  KnownProcess* Holder(const vb::ObjectRef& held, bool& dead) {
    dead = false;
    IUnknown* wanted = IdentityOf(held);
    if (!wanted) return nullptr;
    KnownProcess* found = nullptr;
    for (KnownProcess& process : processes) {
      if (process.ended || !process.control) continue;
      vb::Variant application;
      try {
        application = CallControl(process.control, "PowerPoint");
      } catch (const vb::Error&) {
        continue;  // ending meanwhile
      }
      IUnknown* identity = application.IsObject() ? IdentityOf(application.ToObject()) : nullptr;
      if (identity) identity->Release();
      if (identity == wanted) {
        found = &process;
        break;
      }
    }
    if (!found) {
      // Whether `held` still answers, asked with a call that is no object-model call (the stand-in
      // counts none): a proxy whose server has gone answers RPC_S_SERVER_UNAVAILABLE.
      IDispatch* dispatch = ToIDispatch(held);
      UINT count = 0;
      const HRESULT hr = dispatch->GetTypeInfoCount(&count);
      dispatch->Release();
      dead = hr == HRESULT_FROM_WIN32(RPC_S_SERVER_UNAVAILABLE) || hr == RPC_E_DISCONNECTED ||
             hr == CO_E_OBJNOTCONNECTED || hr == RPC_E_SERVER_DIED || hr == RPC_E_SERVER_DIED_DNE;
    }
    wanted->Release();
    return found;
  }

  // The process `held` belongs to (`dead` set when it has ended and cannot be asked), else the
  // newest started; null when there is none. The processes are looked at afresh first.
  KnownProcess* Aimed(const vb::ObjectRef& held, bool& dead) {
    Refresh();
    dead = false;
    KnownProcess* process = held ? Holder(held, dead) : nullptr;
    if (!process && !dead) process = Latest();
    return process;
  }

  // The process an event aimed at PowerPoint acts on: `held`'s while it runs, else the newest
  // started. Null when `held` belongs to an ended one; error 5 when there is none and `must_run`.
  KnownProcess* Target(const vb::ObjectRef& held, bool must_run) {
    bool dead = false;
    KnownProcess* process = Aimed(held, dead);
    if (!process && !dead) EventError("No PowerPoint has been started on this desktop.");
    if (must_run && (!process || process->ended)) EventError("PowerPoint is not running.");
    return process && !process->ended ? process : nullptr;
  }

  vb::ObjectRef Control(KnownProcess& process) {
    if (!process.control) EventError("PowerPoint is not running.");
    return process.control;
  }

  HWND MainWindow(KnownProcess& process) {
    return reinterpret_cast<HWND>(
        static_cast<INT_PTR>(CallControl(Control(process), "WindowHandle").ToLong()));
  }

  // Reads a running process's call counts, or the ones an ended process left.
  void ReadCounts(KnownProcess& process) {
    if (process.counts_final) return;
    if (!process.ended && process.control) {
      {
        try {
          process.counts = ParseCounts(CallControl(process.control, "CallList").ToString());
          return;
        } catch (const vb::Error&) {
          // Ended meanwhile: what it left is read below.
        }
      }
    }
    if (!Ended(process.handle)) return;
    const std::wstring name = std::to_wstring(process.id);
    wchar_t list[8192] = {};
    DWORD size = sizeof list - sizeof(wchar_t);
    if (RegGetValueW(HKEY_CURRENT_USER, standin::kCallsKey, name.c_str(), RRF_RT_REG_SZ, nullptr, list,
                     &size) == ERROR_SUCCESS) {
      process.counts = ParseCounts(WideToUtf8(list));
      RegDeleteKeyValueW(HKEY_CURRENT_USER, standin::kCallsKey, name.c_str());
    }
    process.counts_final = true;
  }

  void End(KnownProcess& process) {
    ReadCounts(process);
    if (!Ended(process.handle)) {
      TerminateProcess(process.handle, 1);
      WaitPumping({process.handle}, kEndMilliseconds);
    }
    process.ended = true;
    process.counts_final = true;
    process.control.reset();
  }

  // --- A fresh desktop ---------------------------------------------------------------------------

  void MakeFresh() {
    // Stand-ins left running by an earlier desktop, or by a run that stopped half-way; not one
    // waiting for its first client (it has read nothing of this state yet), nor the spare while it
    // starts: ended then, it could leave its class object registered (Wine's COM keeps the
    // registration of a server that ends without revoking it, and hands it out).
    std::vector<HANDLE> ending;
    for (const DWORD id : StandinProcessIds()) {
      if (standin::Waiting(id)) continue;
      if (spare_process.handle && id == spare_process.id && !Ended(spare_process.handle) && !ControlOf(id))
        continue;
      if (const HANDLE handle = OpenProcess(SYNCHRONIZE | PROCESS_TERMINATE, FALSE, id)) {
        TerminateProcess(handle, 1);
        ending.push_back(handle);
      }
    }
    if (!ending.empty()) WaitPumping(ending, kEndMilliseconds);
    for (HANDLE handle : ending) CloseHandle(handle);

    // The registry: Office's keys as the default user has them, nothing left between the
    // stand-in and its driver.
    RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\Microsoft\\Office");
    RegDeleteKeyW(HKEY_CURRENT_USER, L"Software\\Microsoft\\Office");
    RegDeleteTreeW(HKEY_CURRENT_USER, standin::kLinkKey);
    RegDeleteKeyW(HKEY_CURRENT_USER, standin::kLinkKey);

    // What scenarios write into: the learner's working folders, the user's folders, Office's
    // templates, and the template folder the module makes under the user's real application data.
    const std::wstring user = Wide(sim::Desktop::UserFolders().front());
    const std::wstring profile = user.substr(0, user.find(L"\\Mes documents\\") + 1);
    std::vector<std::wstring> trees = {L"C:\\ZUK", profile,
                                       L"C:\\Program Files\\Microsoft Office\\Templates"};
    wchar_t app_data[MAX_PATH] = {};
    if (SUCCEEDED(SHGetFolderPathW(nullptr, CSIDL_APPDATA, nullptr, SHGFP_TYPE_CURRENT, app_data)))
      trees.push_back(std::wstring(app_data) + L"\\Microsoft\\" + Wide("Modèles"));
    for (const std::wstring& tree : trees) {
      if (!RemoveTree(tree))
        vb::Raise(vb::errors::kPathFileAccess, "Sim", "Cannot empty " + WideToUtf8(tree));
    }
    standin::SeedDesktop(options.office_folder);
    if (trees.size() > 3) files.MakeSureDirectoryPathExists(WideToUtf8(trees[3]) + "\\");
  }
};

RealDesktop::RealDesktop(const RealDesktopOptions& options) : state_(std::make_unique<State>()) {
  state_->options = options;
  state_->MakeFresh();
  state_->KeepSpare();
}

RealDesktop::~RealDesktop() {
  try {
    state_->Refresh();
  } catch (...) {
    // The processes known so far are ended below all the same.
  }
  for (KnownProcess& process : state_->processes) {
    if (!Ended(process.handle)) {
      TerminateProcess(process.handle, 1);
      WaitForSingleObject(process.handle, kEndMilliseconds);
    }
  }
}

platform::Platform RealDesktop::Platform() {
  State& s = *state_;
  return {s.windows, s.registry, s.files, s.automation, s.clock};
}

bool RealDesktop::MakeFolder(const std::string& folder) {
  return state_->files.MakeSureDirectoryPathExists(folder);
}

void RealDesktop::PlaceHostFile(const std::string& host_path, const std::string& to) {
  const std::wstring from = Wide(host_path);
  const DWORD source = GetFileAttributesW(from.c_str());
  if (source == INVALID_FILE_ATTRIBUTES || (source & FILE_ATTRIBUTE_DIRECTORY))
    vb::Raise(vb::errors::kFileNotFound, "Sim", "File not found on the host: " + host_path);
  const std::size_t last = to.find_last_of('\\');
  if (last != std::string::npos) state_->files.MakeSureDirectoryPathExists(to.substr(0, last + 1));
  const std::wstring target = Wide(to);
  const DWORD existing = GetFileAttributesW(target.c_str());
  if (existing != INVALID_FILE_ATTRIBUTES &&
      (existing & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_READONLY)))
    vb::Raise(vb::errors::kPathFileAccess);
  if (!CopyFileW(from.c_str(), target.c_str(), FALSE)) vb::Raise(vb::errors::kPathFileAccess);
  // Placed now: the file carries the time of placing, as a file written on this desktop does.
  const HANDLE file =
      CreateFileW(target.c_str(), FILE_WRITE_ATTRIBUTES, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  if (file != INVALID_HANDLE_VALUE) {
    FILETIME now;
    GetSystemTimeAsFileTime(&now);
    SetFileTime(file, nullptr, nullptr, &now);
    CloseHandle(file);
  }
}

vb::ObjectRef RealDesktop::PowerPoint(const vb::ObjectRef& held) {
  if (held) return held;
  State& s = *state_;
  s.Refresh();
  KnownProcess* latest = s.Latest();
  if (!latest) vb::Raise(vb::errors::kObjectNotSet);
  if (latest->ended) {
    // Its Application no longer answers; there is nothing to reach it by.
    vb::Raise(static_cast<std::int32_t>(HRESULT_FROM_WIN32(RPC_S_SERVER_UNAVAILABLE)), "Sim",
              "PowerPoint is not running.");
  }
  const vb::Variant application = CallControl(s.Control(*latest), "PowerPoint");
  return application.ToObject();
}

player::CallCounts RealDesktop::Calls() {
  State& s = *state_;
  s.Refresh();
  player::CallCounts total;
  for (KnownProcess& process : s.processes) {
    s.ReadCounts(process);
    for (const auto& [name, count] : process.counts) total[vb::LCase(name)] += count;
  }
  return total;
}

void RealDesktop::StartPowerPoint() {
  State& s = *state_;
  // The processes started before this one are known first: this one is the newest.
  s.Refresh();
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESHOWWINDOW;
  startup.wShowWindow = SW_SHOWNORMAL;
  PROCESS_INFORMATION started{};
  std::wstring command = L"\"" + Wide(s.options.standin_exe) + L"\"";
  if (!CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                      &started))
    EventError("PowerPoint cannot start: error " + std::to_string(GetLastError()) + ".");
  CloseHandle(started.hThread);
  KnownProcess& process = s.Add(started.dwProcessId, started.hProcess);
  const ULONGLONG end = GetTickCount64() + kStartMilliseconds;
  while (!(process.control = ControlOf(process.id))) {
    if (Ended(process.handle) || GetTickCount64() >= end) {
      s.End(process);
      EventError("PowerPoint did not start.");
    }
    SleepPumping(5);
  }
}

void RealDesktop::HideWindow(const vb::ObjectRef& held) {
  State& s = *state_;
  ShowWindow(s.MainWindow(*s.Target(held, true)), SW_HIDE);
}

void RealDesktop::QuitPowerPoint(const vb::ObjectRef& held) {
  State& s = *state_;
  if (KnownProcess* process = s.Target(held, false)) s.End(*process);
}

void RealDesktop::Minimize(const vb::ObjectRef& held) {
  State& s = *state_;
  ShowWindow(s.MainWindow(*s.Target(held, true)), SW_MINIMIZE);
}

void RealDesktop::Restore(const vb::ObjectRef& held) {
  State& s = *state_;
  ShowWindow(s.MainWindow(*s.Target(held, true)), SW_RESTORE);
}

void RealDesktop::OpenDialog(const std::string& title, const std::string& owner_title,
                             const vb::ObjectRef& held) {
  State& s = *state_;
  KnownProcess& process = *s.Target(held, true);
  const bool opened =
      CallControl(s.Control(process), "OpenDialog", Args({vb::Variant(title), vb::Variant(owner_title)}))
          .ToBool();
  if (opened) return;
  if (!owner_title.empty()) EventError("PowerPoint has no dialog titled \"" + owner_title + "\" open.");
  EventError("The dialog's owner window does not exist.");
}

void RealDesktop::OpenWindow(const std::string& title, const std::string& class_name) {
  if (!state_->window_thread.Open(title, class_name)) EventError("The window \"" + title + "\" cannot open.");
}

void RealDesktop::ShowBalloon(const vb::ObjectRef& held) {
  State& s = *state_;
  bool dead = false;
  KnownProcess* process = s.Aimed(held, dead);
  if (process && !process->ended) {
    CallControl(s.Control(*process), "ShowBalloon");
    return;
  }
  // No PowerPoint runs: a balloon of no process's.
  if (!s.window_thread.OpenBalloon()) EventError("The balloon cannot open.");
}

void RealDesktop::DestroyMainWindow(const vb::ObjectRef& held) {
  State& s = *state_;
  CallControl(s.Control(*s.Target(held, true)), "DestroyWindow");
}

void RealDesktop::Wait(double seconds) {
  if (!(seconds >= 0) || !std::isfinite(seconds) || seconds > 1e10)
    EventError("The clock only moves forward, by a finite number of seconds.");
  if (seconds > state_->options.longest_wait) {
    std::ostringstream reason;
    reason << "Sim.Wait " << seconds << ": the real clock is not waited on for more than "
           << state_->options.longest_wait << " seconds";
    throw player::NotPlayable(reason.str());
  }
  SleepPumping(static_cast<DWORD>(std::llround(seconds * 1000.0)));
}

void RealDesktop::FailCalls(const std::string& member, std::int32_t count, const vb::ObjectRef& held) {
  State& s = *state_;
  bool dead = false;
  KnownProcess* process = s.Aimed(held, dead);
  if (process && !process->ended) {
    CallControl(s.Control(*process), "FailCalls", Args({vb::Variant(member), vb::Variant(count)}));
    return;
  }
  // None runs: the next PowerPoint started takes them as it starts.
  const std::wstring name = Wide(vb::LCase(member));
  if (count <= 0) {
    RegDeleteKeyValueW(HKEY_CURRENT_USER, standin::kFailCallsKey, name.c_str());
    return;
  }
  const DWORD n = static_cast<DWORD>(count);
  if (RegSetKeyValueW(HKEY_CURRENT_USER, standin::kFailCallsKey, name.c_str(), REG_DWORD, &n, sizeof n) !=
      ERROR_SUCCESS)
    EventError("The failures cannot be left for the next PowerPoint.");
}

void RealDesktop::SetRegistry(const std::string& key, const std::string& value_name,
                              const std::string& data) {
  const std::wstring text = Wide(data);
  HKEY opened = nullptr;
  if (RegCreateKeyExW(HKEY_CURRENT_USER, UserKey(key).c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr, &opened,
                      nullptr) != ERROR_SUCCESS)
    EventError("Cannot create the key " + key + ".");
  const LONG status =
      RegSetValueExW(opened, Wide(value_name).c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                     static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t)));
  RegCloseKey(opened);
  if (status != ERROR_SUCCESS) EventError("Cannot write " + key + "\\" + value_name + ".");
}

void RealDesktop::DeleteRegistry(const std::string& key, const std::optional<std::string>& value_name) {
  const std::wstring path = UserKey(key);
  if (value_name) {
    RegDeleteKeyValueW(HKEY_CURRENT_USER, path.c_str(), Wide(*value_name).c_str());
    return;
  }
  // The hive itself is not a key one removes.
  if (path.empty()) return;
  RegDeleteTreeW(HKEY_CURRENT_USER, path.c_str());
  RegDeleteKeyW(HKEY_CURRENT_USER, path.c_str());
}

void RealDesktop::CopyFile(const std::string& from, const std::string& to) {
  const std::wstring source = Wide(from);
  const std::wstring target = Wide(to);
  const DWORD source_attributes = GetFileAttributesW(source.c_str());
  if (source_attributes == INVALID_FILE_ATTRIBUTES || (source_attributes & FILE_ATTRIBUTE_DIRECTORY))
    vb::Raise(vb::errors::kFileNotFound);
  const DWORD target_attributes = GetFileAttributesW(target.c_str());
  if (target_attributes != INVALID_FILE_ATTRIBUTES &&
      (target_attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_READONLY)))
    vb::Raise(vb::errors::kPathFileAccess);
  const std::size_t last = target.find_last_of(L'\\');
  if (last == std::wstring::npos) vb::Raise(vb::errors::kPathFileAccess);
  const DWORD parent = GetFileAttributesW(target.substr(0, last + 1).c_str());
  if (parent == INVALID_FILE_ATTRIBUTES || !(parent & FILE_ATTRIBUTE_DIRECTORY))
    vb::Raise(vb::errors::kPathNotFound);
  wchar_t full_source[MAX_PATH] = {}, full_target[MAX_PATH] = {};
  GetFullPathNameW(source.c_str(), MAX_PATH, full_source, nullptr);
  GetFullPathNameW(target.c_str(), MAX_PATH, full_target, nullptr);
  if (_wcsicmp(full_source, full_target) == 0) return;
  // CopyFile keeps the file's last-write time.
  if (!CopyFileW(source.c_str(), target.c_str(), FALSE)) vb::Raise(vb::errors::kPathFileAccess);
}

void RealDesktop::DeleteFile(const std::string& path) {
  const std::wstring file = Wide(path);
  const DWORD attributes = GetFileAttributesW(file.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) vb::Raise(vb::errors::kFileNotFound);
  if (attributes & FILE_ATTRIBUTE_DIRECTORY) vb::Raise(vb::errors::kPathFileAccess);
  // The user deletes it as the simulated desktop does, read-only or not.
  if (attributes & FILE_ATTRIBUTE_READONLY)
    SetFileAttributesW(file.c_str(), attributes & ~FILE_ATTRIBUTE_READONLY);
  if (!DeleteFileW(file.c_str())) vb::Raise(vb::errors::kPathFileAccess);
}

void RealDesktop::SetReadOnly(const std::string& path) {
  const std::wstring file = Wide(path);
  const DWORD attributes = GetFileAttributesW(file.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) vb::Raise(vb::errors::kFileNotFound);
  if (!SetFileAttributesW(file.c_str(), (attributes & ~FILE_ATTRIBUTE_NORMAL) | FILE_ATTRIBUTE_READONLY))
    vb::Raise(vb::errors::kPathFileAccess);
}

std::string RealDesktop::DesignsFolder() {
  return sim::Desktop::DesignsFolder();
}

std::string RealDesktop::ContentFolder() {
  return sim::Desktop::ContentFolder();
}

bool RealDesktop::FileExists(const std::string& path) {
  return GetFileAttributesW(Wide(path).c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::optional<std::string> RealDesktop::RegistryValue(const std::string& key, const std::string& value_name) {
  const std::wstring path = UserKey(key);
  const std::wstring name = Wide(value_name);
  DWORD size = 0;
  if (RegGetValueW(HKEY_CURRENT_USER, path.c_str(), name.c_str(), RRF_RT_REG_SZ, nullptr, nullptr, &size) !=
      ERROR_SUCCESS)
    return std::nullopt;
  std::wstring value(size / sizeof(wchar_t) + 1, L'\0');
  size = static_cast<DWORD>(value.size() * sizeof(wchar_t));
  if (RegGetValueW(HKEY_CURRENT_USER, path.c_str(), name.c_str(), RRF_RT_REG_SZ, nullptr, value.data(),
                   &size) != ERROR_SUCCESS)
    return std::nullopt;
  value.resize(wcslen(value.c_str()));
  return WideToUtf8(value);
}

bool RealDesktop::WindowVisible(const vb::ObjectRef& held) {
  State& s = *state_;
  bool dead = false;
  KnownProcess* process = s.Aimed(held, dead);
  if (!process || process->ended || !process->control) return false;
  const HWND window =
      reinterpret_cast<HWND>(static_cast<INT_PTR>(CallControl(process->control, "WindowHandle").ToLong()));
  return window && IsWindowVisible(window);
}

std::int32_t RealDesktop::PowerPointRunning() {
  State& s = *state_;
  s.Refresh();
  return static_cast<std::int32_t>(std::count_if(s.processes.begin(), s.processes.end(),
                                                 [](const KnownProcess& process) { return !process.ended; }));
}

std::int32_t RealDesktop::WindowHandle(const std::string& title) {
  return static_cast<std::int32_t>(reinterpret_cast<INT_PTR>(FindWindowW(nullptr, Wide(title).c_str())));
}

void RealDesktop::SaveState() {}

}  // namespace win32
