// A tiny local automation server for the Automation port's tests: one class, single use (each
// CreateObject starts another process), its object registered in the running-object table while
// it lives; the object is a vb::Dispatch served through win32::ServeDispatch.
// The tests' fixture registers it under HKCU\Software\Classes; COM starts it with -Embedding.
// clang-format off
#include <windows.h>
#include <oaidl.h>
#include <oleauto.h>
// clang-format on

#include <cstdint>
#include <cstring>
#include <memory>
#include <string>

#include "vb/error.hpp"
#include "vb/strings.hpp"
#include "win32/dispatch/com_object.hpp"
#include "win32/dispatch/served_dispatch.hpp"

#include "win32/dispatch_test_server.hpp"

namespace {

constexpr DWORD kLifetimeMs = 130000;

// The server's object, written against vb::Dispatch and served to COM by win32::ServeDispatch,
// as the stand-in PowerPoint serves its object model. Members: ProcessId, Echo(value),
// Child (another object of the same type), Fail (PowerPoint's error), Quit.
class Runner final : public vb::Dispatch {
 public:
  ~Runner() override { End(); }

  void Register(IDispatch* served) {
    RegisterActiveObject(served, test_server::kClsid, ACTIVEOBJECT_WEAK, &cookie_);
  }
  // Leaves the running-object table and lets the process end.
  void End() {
    if (cookie_) {
      const DWORD cookie = cookie_;
      cookie_ = 0;
      RevokeActiveObject(cookie, nullptr);
    }
    if (registered_) PostQuitMessage(0);
  }

  vb::Variant Invoke(std::string_view member, vb::CallKind, const vb::Arguments& arguments) override {
    const std::string name = vb::LCase(member);
    if (name == "processid") return static_cast<std::int32_t>(GetCurrentProcessId());
    if (name == "echo" && arguments.size() == 1) return arguments[0].value;
    if (name == "child") return vb::ObjectRef(std::make_shared<Runner>(false));
    if (name == "fail")
      vb::Raise(-2147188160, "PowerPoint", "Presentations.Open : le fichier est introuvable.");
    if (name == "quit") {
      End();
      return {};
    }
    vb::Raise(vb::errors::kNoSuchMember, "Runner");
  }
  std::string TypeName() const override { return "Runner"; }

  explicit Runner(bool registered) : registered_(registered) {}

 private:
  bool registered_;
  DWORD cookie_ = 0;
};

// A static object: its first reference, never released, is the program's.
class Factory final : public win32::ComObject<IClassFactory> {
 public:
  HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown* outer, REFIID iid, void** out) override {
    *out = nullptr;
    if (outer) return CLASS_E_NOAGGREGATION;
    try {
      auto runner = std::make_shared<Runner>(true);
      IDispatch* served = win32::ServeDispatch(runner);
      runner->Register(served);
      const HRESULT hr = served->QueryInterface(iid, out);
      served->Release();
      return hr;
    } catch (...) {
      return E_OUTOFMEMORY;
    }
  }
  HRESULT STDMETHODCALLTYPE LockServer(BOOL) override { return S_OK; }
};

DWORD WINAPI Watchdog(LPVOID) {
  Sleep(kLifetimeMs);
  ExitProcess(3);
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR command_line, int) {
  if (!std::strstr(command_line, "Embedding")) return 2;  // only COM starts it
  if (FAILED(CoInitialize(nullptr))) return 1;
  static Factory factory;
  DWORD registration = 0;
  if (FAILED(CoRegisterClassObject(test_server::kClsid, &factory, CLSCTX_LOCAL_SERVER, REGCLS_SINGLEUSE,
                                   &registration))) {
    CoUninitialize();
    return 1;
  }
  // A server nobody ends, or stuck in a call, goes away on its own.
  CreateThread(nullptr, 0, Watchdog, nullptr, 0, nullptr);
  MSG message;
  while (GetMessageW(&message, nullptr, 0, 0) > 0) {
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  CoRevokeClassObject(registration);
  CoUninitialize();
  return 0;
}
