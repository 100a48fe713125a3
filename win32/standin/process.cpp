// One stand-in process: the main window and the dialog, the running objects, the lifetime.
#include <initializer_list>
#include <string>
#include <utility>
#include <vector>

#include "sim/desktop.hpp"
#include "sim/ppt/application.hpp"
#include "vb/strings.hpp"
#include "win32/dispatch/com_object.hpp"
#include "win32/dispatch/served_dispatch.hpp"
#include "win32/platform/text.hpp"
#include "win32/standin/standin.hpp"

namespace standin {

// {F1709D71-A4B1-42DF-B206-743C522B9522}
const CLSID kApplicationClsid = {
    0xf1709d71, 0xa4b1, 0x42df, {0xb2, 0x06, 0x74, 0x3c, 0x52, 0x2b, 0x95, 0x22}};
// {081B5668-90D1-423C-BC56-6A08588D8746}
const CLSID kControlClsid = {0x081b5668, 0x90d1, 0x423c, {0xbc, 0x56, 0x6a, 0x08, 0x58, 0x8d, 0x87, 0x46}};

namespace {

Process* ProcessOf(HWND window) {
  return reinterpret_cast<Process*>(GetWindowLongPtrW(window, GWLP_USERDATA));
}

LRESULT CALLBACK FrameProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_NCCREATE) {
    const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lparam);
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
  }
  Process* process = ProcessOf(window);
  switch (message) {
    case WM_CLOSE:
      // Closing the main window hides it: the process lives on while a client holds it.
      ShowWindow(window, SW_HIDE);
      if (process) process->OnMainWindowClosed();
      return 0;
    default:
      return DefWindowProcW(window, message, wparam, lparam);
  }
}

INT_PTR CALLBACK DialogProc(HWND dialog, UINT message, WPARAM, LPARAM lparam) {
  switch (message) {
    case WM_INITDIALOG:
      SetWindowLongPtrW(dialog, GWLP_USERDATA, lparam);
      return TRUE;
    case WM_CLOSE:
      DestroyWindow(dialog);
      return TRUE;
    case WM_DESTROY:
      if (Process* process = ProcessOf(dialog)) process->OnDialogClosed(dialog);
      return TRUE;
    default:
      return FALSE;
  }
}

// The assistant's balloon: a plain popup that ignores nothing.
LRESULT CALLBACK BalloonProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  return DefWindowProcW(window, message, wparam, lparam);
}

// A dialog template with a caption and no controls, DWORD-aligned as CreateDialogIndirect wants.
std::vector<DWORD> DialogTemplate(const std::wstring& title) {
  std::vector<WORD> words;
  const auto dword = [&words](DWORD value) {
    words.push_back(LOWORD(value));
    words.push_back(HIWORD(value));
  };
  dword(WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | WS_VISIBLE);
  dword(0);  // extended style
  words.insert(words.end(),
               {0, 20, 20, 200, 80, 0, 0});  // no items, position and size, no menu, default class
  words.insert(words.end(), title.begin(), title.end());
  words.push_back(0);
  std::vector<DWORD> aligned((words.size() + 1) / 2);
  std::copy(words.begin(), words.end(), reinterpret_cast<WORD*>(aligned.data()));
  return aligned;
}

// An object nobody calls, exported for as long as the process runs so that the interfaces the
// object model is served through stay registered with the RPC runtime. Wine's COM unregisters an
// interface (RpcServerUnregisterIf, waiting for its calls to end) when the last object exported
// through it is released, and its RPC runtime can miss the end of a call that finishes at that
// moment: the release then waits for ever, and so does the client that made it.
class Anchor final : public win32::ComObject<IDispatch> {
 public:
  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
    if (count) *count = 0;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override {
    return DISP_E_UNKNOWNNAME;
  }
  HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*,
                                   UINT*) override {
    return DISP_E_MEMBERNOTFOUND;
  }

 private:
  ~Anchor() = default;
};

// Exports each object through its interface, and an Anchor through IUnknown and IDispatch, held
// by the stream returned (never released: the registrations go with the process).
IStream* AnchorInterfaces(std::initializer_list<std::pair<const IID*, IUnknown*>> objects) {
  IStream* stream = nullptr;
  if (FAILED(CreateStreamOnHGlobal(nullptr, TRUE, &stream))) return nullptr;
  Anchor* anchor = new Anchor;
  for (const IID* iid : {&IID_IUnknown, &IID_IDispatch})
    CoMarshalInterface(stream, *iid, static_cast<IDispatch*>(anchor), MSHCTX_LOCAL, nullptr,
                       MSHLFLAGS_TABLESTRONG);
  anchor->Release();
  for (const auto& [iid, object] : objects)
    if (object) CoMarshalInterface(stream, *iid, object, MSHCTX_LOCAL, nullptr, MSHLFLAGS_TABLESTRONG);
  return stream;
}

}  // namespace

Process::Process(bool embedding) : embedding_(embedding) {
  WNDCLASSEXW frame{};
  frame.cbSize = sizeof frame;
  frame.lpfnWndProc = FrameProc;
  frame.hInstance = GetModuleHandleW(nullptr);
  frame.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
  frame.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_APPWORKSPACE + 1);
  const std::wstring class_name = win32::Utf8ToWide(kFrameClass);
  frame.lpszClassName = class_name.c_str();
  RegisterClassExW(&frame);

  WNDCLASSEXW balloon{};
  balloon.cbSize = sizeof balloon;
  balloon.lpfnWndProc = BalloonProc;
  balloon.hInstance = frame.hInstance;
  balloon.lpszClassName = L"MSOBALLOON";
  RegisterClassExW(&balloon);

  gate_.SetOnEnd([this] { Quit(); });
  auto context = std::make_shared<sim::ppt::Context>();
  context->gate = &gate_;
  application_ = sim::ppt::CreateApplicationOn(std::move(context), MakeWin32Host(*this));
  control_ = MakeControl(*this);

  win32::SetServedObservers(
      {[this](const std::string& name) { OnNameAsked(name); }, [this](long held) { OnConnections(held); }});
}

Process::~Process() {
  win32::SetServedObservers({});
  Revoke();
  if (waiting_) CloseHandle(waiting_);
  if (control_identity_) control_identity_->Release();
  if (main_window_) DestroyWindow(main_window_);
}

int Process::Run() {
  filter_ = MakeMessageFilter(*this);
  IMessageFilter* previous = nullptr;
  CoRegisterMessageFilter(filter_, &previous);
  if (previous) previous->Release();

  if (embedding_) {
    // Started by COM: the process starts for its first client, when the class object hands the
    // Application out; until then it waits unseen (see link.hpp).
    waiting_ = CreateEventW(nullptr, TRUE, FALSE, WaitingEvent(GetCurrentProcessId()).c_str());
    factory_ = MakeClassFactory(*this);
    const HRESULT hr = CoRegisterClassObject(kApplicationClsid, factory_, CLSCTX_LOCAL_SERVER,
                                             REGCLS_SINGLEUSE, &class_cookie_);
    if (FAILED(hr)) return 2;
  }
  // Every interface served from here: the object model's, the type information the clients read
  // each object's type from, and the class object's (see Anchor).
  IDispatch* served = win32::ServeDispatch(application_);
  ITypeInfo* type = nullptr;
  served->GetTypeInfo(0, LOCALE_USER_DEFAULT, &type);
  served->Release();
  anchor_ = AnchorInterfaces({{&IID_ITypeInfo, type}, {&IID_IClassFactory, factory_}});
  if (type) type->Release();
  if (!embedding_) {
    if (!Start()) return 1;
    ShowWindow(main_window_, SW_SHOW);
  }

  MSG message;
  while (GetMessageW(&message, nullptr, 0, 0) > 0) {
    if (!message.hwnd && message.message == WM_TIMER && message.wParam == end_timer_)
      TerminateProcess(GetCurrentProcess(), 3);
    if (!message.hwnd && message.message == WM_TIMER && message.wParam == quit_timer_) break;
    bool handled = false;
    for (const Dialog& dialog : dialogs_) handled = handled || IsDialogMessageW(dialog.window, &message);
    if (handled) continue;
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  Revoke();
  CoRegisterMessageFilter(nullptr, nullptr);
  return 0;
}

bool Process::Start() {
  // PowerPoint works in its default file location, the user's documents folder: a file name
  // without a folder is saved there. Where that folder is missing, the inherited one stays.
  SetCurrentDirectoryW(win32::Utf8ToWide(sim::Desktop::DocumentsFolder()).c_str());
  main_window_ = CreateWindowExW(0, win32::Utf8ToWide(kFrameClass).c_str(),
                                 win32::Utf8ToWide(kFrameTitle).c_str(), WS_OVERLAPPEDWINDOW, CW_USEDEFAULT,
                                 CW_USEDEFAULT, 800, 600, nullptr, nullptr, GetModuleHandleW(nullptr), this);
  if (!main_window_) return false;
  TakePendingFailures();

  // The running objects: weak entries, so that the table does not keep the process alive.
  IDispatch* application = win32::ServeDispatch(application_);
  RegisterActiveObject(application, kApplicationClsid, ACTIVEOBJECT_WEAK, &application_cookie_);
  application->Release();
  IDispatch* served_control = win32::ServeDispatch(control_);
  IDispatch* control = MakeControlFront(served_control);
  served_control->Release();
  control_identity_ = control;
  control->AddRef();
  RegisterActiveObject(control, kControlClsid, ACTIVEOBJECT_WEAK, &control_cookie_);
  // The same control under an item naming this process, so that a driver finds each process's.
  IRunningObjectTable* table = nullptr;
  IMoniker* item = nullptr;
  if (SUCCEEDED(GetRunningObjectTable(0, &table)) &&
      SUCCEEDED(CreateItemMoniker(L"!", ControlItem(GetCurrentProcessId()).c_str(), &item)))
    table->Register(0, control, item, &control_item_cookie_);
  if (item) item->Release();
  if (table) table->Release();
  control->Release();
  // Seen from now on: a driver finds the control object before the waiting mark goes.
  if (waiting_) CloseHandle(waiting_);
  waiting_ = nullptr;
  return true;
}

void Process::Revoke() {
  if (class_cookie_) CoRevokeClassObject(class_cookie_);
  class_cookie_ = 0;
  if (application_cookie_) RevokeActiveObject(application_cookie_, nullptr);
  application_cookie_ = 0;
  if (control_cookie_) RevokeActiveObject(control_cookie_, nullptr);
  control_cookie_ = 0;
  IRunningObjectTable* table = nullptr;
  if (control_item_cookie_ && SUCCEEDED(GetRunningObjectTable(0, &table))) {
    table->Revoke(control_item_cookie_);
    table->Release();
  }
  control_item_cookie_ = 0;
  if (factory_) factory_->Release();
  factory_ = nullptr;
  if (filter_) filter_->Release();
  filter_ = nullptr;
}

void Process::Quit() {
  if (ended_) return;
  ended_ = true;
  SaveCounts();
  // No new clients from now on; the windows go with the process, as PowerPoint's do.
  Revoke();
  while (!dialogs_.empty()) DestroyWindow(dialogs_.back().window);
  if (balloon_) DestroyWindow(balloon_);
  balloon_ = nullptr;
  if (main_window_) DestroyWindow(main_window_);
  main_window_ = nullptr;
  // The loop ends a little later: COM sends the answer to the call that quit (Application.Quit,
  // the last Release) from another thread once the call has returned, and it must leave first.
  quit_timer_ = SetTimer(nullptr, 0, 200, nullptr);
}

bool Process::OpenDialog(const std::string& title, const std::string& owner_title) {
  if (!main_window_) return false;
  HWND owner = main_window_;
  if (!owner_title.empty()) {
    owner = nullptr;
    const std::wstring wanted = win32::Utf8ToWide(owner_title);
    for (const Dialog& dialog : dialogs_) {
      wchar_t text[256] = {};
      GetWindowTextW(dialog.window, text, 256);
      if (wanted == text) owner = dialog.window;
    }
    if (!owner) return false;
  }
  const std::vector<DWORD> form = DialogTemplate(win32::Utf8ToWide(title));
  const HWND dialog =
      CreateDialogIndirectParamW(GetModuleHandleW(nullptr), reinterpret_cast<LPCDLGTEMPLATEW>(form.data()),
                                 owner, DialogProc, reinterpret_cast<LPARAM>(this));
  if (!dialog) return false;
  dialogs_.push_back({dialog, owner});
  EnableWindow(owner, FALSE);
  return true;
}

bool Process::CloseDialog() {
  if (dialogs_.empty()) return false;
  DestroyWindow(dialogs_.back().window);
  return true;
}

void Process::OnDialogClosed(HWND dialog) {
  for (auto it = dialogs_.begin(); it != dialogs_.end(); ++it) {
    if (it->window != dialog) continue;
    const HWND owner = it->owner;
    dialogs_.erase(it);
    if (IsWindow(owner)) EnableWindow(owner, TRUE);
    return;
  }
}

HWND Process::ShowBalloon() {
  if (balloon_ && IsWindow(balloon_)) DestroyWindow(balloon_);
  balloon_ = CreateWindowExW(WS_EX_TOOLWINDOW, L"MSOBALLOON", L"", WS_POPUP | WS_VISIBLE, 40, 40, 200, 100,
                             main_window_, nullptr, GetModuleHandleW(nullptr), nullptr);
  if (balloon_)
    CreateWindowExW(0, L"Button", L"OK", WS_CHILD | WS_VISIBLE, 10, 10, 60, 24, balloon_, nullptr,
                    GetModuleHandleW(nullptr), nullptr);
  return balloon_;
}

void Process::HideMainWindow() {
  if (main_window_) ShowWindow(main_window_, SW_HIDE);
}

void Process::DestroyMainWindow() {
  if (!main_window_) return;
  const HWND window = main_window_;
  main_window_ = nullptr;
  DestroyWindow(window);
}

void Process::ResetCounts() {
  gate_.ResetCounts();
  name_lookups_.clear();
}

void Process::EndAbruptly() {
  SaveCounts();
  // A little after this call's answer has left (COM sends it from another thread once the call
  // returns), a timer of this thread ends the process.
  end_timer_ = SetTimer(nullptr, 0, 200, nullptr);
}

void Process::OnMainWindowClosed() {
  if (held_ == 0) Quit();
}

void Process::OnConnections(long held) {
  held_ = held;
  // Started by COM: the last client gone, the process goes too (a client that only looked at the
  // control object before the class object served anyone is not the one COM started it for).
  if (held == 0 && embedding_ && served_) Quit();
}

void Process::OnServed() {
  if (served_) return;
  served_ = true;
  Start();
}

void Process::SaveCounts() {
  std::wstring list;
  for (const auto& [name, count] : gate_.calls_by_member()) {
    if (!list.empty()) list += L' ';
    list += win32::Utf8ToWide(name) + L'=' + std::to_wstring(count);
  }
  HKEY key = nullptr;
  if (RegCreateKeyExW(HKEY_CURRENT_USER, kCallsKey, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key, nullptr) !=
      ERROR_SUCCESS)
    return;
  RegSetValueExW(key, std::to_wstring(GetCurrentProcessId()).c_str(), 0, REG_SZ,
                 reinterpret_cast<const BYTE*>(list.c_str()),
                 static_cast<DWORD>((list.size() + 1) * sizeof(wchar_t)));
  RegCloseKey(key);
}

void Process::TakePendingFailures() {
  HKEY key = nullptr;
  if (RegOpenKeyExW(HKEY_CURRENT_USER, kFailCallsKey, 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS) return;
  for (DWORD index = 0;; ++index) {
    wchar_t name[256];
    DWORD name_length = 256;
    DWORD type = 0;
    DWORD count = 0;
    DWORD size = sizeof count;
    const LONG status =
        RegEnumValueW(key, index, name, &name_length, nullptr, &type, reinterpret_cast<BYTE*>(&count), &size);
    if (status == ERROR_NO_MORE_ITEMS) break;
    if (status == ERROR_SUCCESS && type == REG_DWORD)
      gate_.FailCalls(win32::WideToUtf8(std::wstring(name, name_length)), static_cast<int>(count));
  }
  RegCloseKey(key);
  RegDeleteKeyW(HKEY_CURRENT_USER, kFailCallsKey);
}

void Process::OnNameAsked(const std::string& name) {
  ++name_lookups_[vb::LCase(name)];
}

}  // namespace standin
