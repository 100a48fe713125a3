// The stand-in PowerPoint: the simulated PowerPoint 2003's object model served to COM clients from
// a process of its own, with a real main window, the real registry and files on real drives. One
// STA thread runs everything: the window, the message loop and the calls COM brings in.
#pragma once

// clang-format off
#include <windows.h>
#include <objbase.h>
// clang-format on

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "sim/gate.hpp"
#include "sim/ppt/host.hpp"
#include "vb/dispatch.hpp"
#include "win32/standin/link.hpp"

namespace standin {

/// The class of the stand-in's Application ({F1709D71-A4B1-42DF-B206-743C522B9522}), registered
/// under PowerPoint's ProgIDs.
extern const CLSID kApplicationClsid;
/// The control object's identity in the running-object table ({081B5668-90D1-423C-BC56-6A08588D8746}).
extern const CLSID kControlClsid;
inline constexpr const char* kApplicationProgId = "PowerPoint.Application.11";
inline constexpr const char* kIndependentProgId = "PowerPoint.Application";
inline constexpr const char* kControlProgId = "K60418.StandinControl";

/// PowerPoint 2003's main window class and title, which the module looks for.
inline constexpr const char* kFrameClass = "PP11FrameClass";
inline constexpr const char* kFrameTitle = "Microsoft PowerPoint";

/// One stand-in process: its main window, the dialog a test opens, the gate every object-model call
/// crosses, the served Application and the control object in the running-object table.
class Process {
 public:
  /// `embedding`: started by COM (-Embedding), so the process ends when its last client goes and
  /// the window stays hidden until a client shows it; otherwise started by a user, window shown.
  explicit Process(bool embedding);
  ~Process();
  Process(const Process&) = delete;
  Process& operator=(const Process&) = delete;

  /// Started by a user, starts at once (see Start); started by COM, registers the class object
  /// and starts when it serves its first client. Then runs the message loop until the process
  /// ends; the exit code.
  int Run();

  HWND main_window() const { return main_window_; }
  sim::Gate& gate() { return gate_; }
  const vb::ObjectRef& application() const { return application_; }

  // What the control object does.
  /// Opens a dialog owned by the main window, or by the open dialog titled `owner_title` when not
  /// empty, disabling its owner as a modal dialog does; while a dialog is open every call on
  /// PowerPoint's objects is refused. False when there is no such owner.
  bool OpenDialog(const std::string& title, const std::string& owner_title = {});
  /// Closes the newest dialog; false when none was open.
  bool CloseDialog();
  bool dialog_open() const { return !dialogs_.empty(); }
  /// The Office assistant's balloon (class "MSOBALLOON", one "OK" button) owned by the main
  /// window; its handle.
  HWND ShowBalloon();
  void HideMainWindow();
  /// Destroys the main window as a crash of its thread would; the process goes on answering.
  void DestroyMainWindow();
  /// Name look-ups (GetIDsOfNames) per lower-cased member name since the last reset.
  const std::map<std::string, std::uint64_t>& name_lookups() const { return name_lookups_; }
  void ResetCounts();
  /// Ends the process once the current call has returned, without cleaning up: its clients see
  /// it gone, as after a crash.
  void EndAbruptly();

  /// True once the process has quit (its objects revoked); it ends a moment later.
  bool ended() const { return ended_; }
  /// The control object as clients reach it, which calls reach even while a dialog is open.
  IUnknown* control_identity() const { return control_identity_; }

  // Called from the window procedures and COM.
  void OnDialogClosed(HWND dialog);
  /// The class object hands out the Application: the process started by COM starts (the first
  /// time), and from now on it ends with its last client.
  void OnServed();
  void OnMainWindowClosed();
  void OnConnections(long held);
  void OnNameAsked(const std::string& name);

 private:
  /// What a starting PowerPoint does: moves to the user's documents folder, makes its main window
  /// (hidden), takes the failures left for it and registers its Application and control object
  /// in the running-object table. False when the window cannot be made.
  bool Start();
  void Revoke();
  void Quit();
  /// Leaves the object-model call counts under kCallsKey, for whoever drives this process.
  void SaveCounts();
  /// Arms the gate with the failures left under kFailCallsKey for the next process started.
  void TakePendingFailures();

  bool embedding_;
  HWND main_window_ = nullptr;
  struct Dialog {
    HWND window;
    HWND owner;
  };
  std::vector<Dialog> dialogs_;
  HWND balloon_ = nullptr;
  sim::Gate gate_;
  vb::ObjectRef application_;
  vb::ObjectRef control_;
  IDispatch* control_identity_ = nullptr;  // held from Run on
  IClassFactory* factory_ = nullptr;
  IMessageFilter* filter_ = nullptr;
  /// Keeps the object model's interfaces registered for the process's life (process.cpp).
  IStream* anchor_ = nullptr;
  DWORD class_cookie_ = 0;
  DWORD application_cookie_ = 0;
  DWORD control_cookie_ = 0;
  DWORD control_item_cookie_ = 0;
  /// Held while the process, started by COM, waits for its first client (link.hpp).
  HANDLE waiting_ = nullptr;
  UINT_PTR end_timer_ = 0;
  UINT_PTR quit_timer_ = 0;
  long held_ = 0;
  bool ended_ = false;
  bool served_ = false;
  std::map<std::string, std::uint64_t> name_lookups_;
};

/// The Application's outside: files through kernel32 (UTF-8 paths), the local clock, and the
/// process's real main window.
std::shared_ptr<sim::ppt::Host> MakeWin32Host(Process& process);

/// The control object: the tests' and the runner's hold on a stand-in process.
vb::ObjectRef MakeControl(Process& process);

/// The control object as clients hold it (see Process::control_identity), holding `control`.
IDispatch* MakeControlFront(IDispatch* control);

/// The message filter that refuses incoming calls (SERVERCALL_RETRYLATER) while the dialog is
/// open, except those made on the control object.
IMessageFilter* MakeMessageFilter(Process& process);

/// The class object handing out the process's Application.
IClassFactory* MakeClassFactory(Process& process);

/// Writes (or removes) the classes and ProgIDs under HKEY_CURRENT_USER or HKEY_LOCAL_MACHINE
/// Software\Classes; LocalServer32 names `exe`. Removal leaves a ProgID that another class took.
/// A Win32 error code, 0 on success.
LONG RegisterServer(HKEY root, const std::wstring& exe);
LONG UnregisterServer(HKEY root);

}  // namespace standin
