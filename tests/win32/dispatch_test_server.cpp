// A tiny local automation server for the Automation port's tests: one class, single use (each
// CreateObject starts another process), its object registered in the running-object table while
// it lives. Members: ProcessId (the server's process), Quit (revokes and ends the process).
// The tests' fixture registers it under HKCU\Software\Classes; COM starts it with -Embedding.
// clang-format off
#include <windows.h>
#include <oaidl.h>
#include <oleauto.h>
// clang-format on

#include <cstring>
#include <cwchar>

#include "win32/dispatch_test_server.hpp"

namespace {

constexpr DISPID kProcessId = 1;
constexpr DISPID kQuit = 2;
constexpr UINT kLifetimeMs = 120000;  // a server nobody ends goes away on its own

class Server final : public IDispatch {
 public:
  void Register() {
    RegisterActiveObject(static_cast<IDispatch*>(this), test_server::kClsid, ACTIVEOBJECT_WEAK, &cookie_);
  }
  // Leaves the running-object table and lets the process end.
  void End() {
    if (cookie_) {
      const DWORD cookie = cookie_;
      cookie_ = 0;
      RevokeActiveObject(cookie, nullptr);
    }
    PostQuitMessage(0);
  }

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
    if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IDispatch)) {
      *out = static_cast<IDispatch*>(this);
      AddRef();
      return S_OK;
    }
    *out = nullptr;
    return E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return ++references_; }
  ULONG STDMETHODCALLTYPE Release() override {
    const ULONG left = --references_;
    if (left == 0) {
      ++references_;  // revoking may call back into the object
      End();
      --references_;
      delete this;
    }
    return left;
  }
  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
    *count = 0;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo** out) override {
    *out = nullptr;
    return DISP_E_BADINDEX;
  }
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID, DISPID* ids) override {
    for (UINT i = 0; i < count; ++i) ids[i] = DISPID_UNKNOWN;
    if (count != 1) return DISP_E_UNKNOWNNAME;
    if (_wcsicmp(names[0], L"ProcessId") == 0) ids[0] = kProcessId;
    if (_wcsicmp(names[0], L"Quit") == 0) ids[0] = kQuit;
    return ids[0] == DISPID_UNKNOWN ? DISP_E_UNKNOWNNAME : S_OK;
  }
  HRESULT STDMETHODCALLTYPE Invoke(DISPID member, REFIID, LCID, WORD, DISPPARAMS* params, VARIANT* result,
                                   EXCEPINFO*, UINT*) override {
    if (params->cArgs != 0) return DISP_E_BADPARAMCOUNT;
    if (result) VariantInit(result);
    if (member == kProcessId) {
      if (result) {
        result->vt = VT_I4;
        result->lVal = static_cast<LONG>(GetCurrentProcessId());
      }
      return S_OK;
    }
    if (member == kQuit) {
      End();
      return S_OK;
    }
    return DISP_E_MEMBERNOTFOUND;
  }

 private:
  ~Server() = default;
  ULONG references_ = 1;
  DWORD cookie_ = 0;
};

class Factory final : public IClassFactory {
 public:
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
    if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IClassFactory)) {
      *out = this;
      return S_OK;
    }
    *out = nullptr;
    return E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return 2; }  // static object
  ULONG STDMETHODCALLTYPE Release() override { return 1; }
  HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown* outer, REFIID iid, void** out) override {
    *out = nullptr;
    if (outer) return CLASS_E_NOAGGREGATION;
    auto* server = new Server();
    server->Register();
    const HRESULT hr = server->QueryInterface(iid, out);
    server->Release();
    return hr;
  }
  HRESULT STDMETHODCALLTYPE LockServer(BOOL) override { return S_OK; }
};

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
  SetTimer(nullptr, 0, kLifetimeMs, nullptr);
  MSG message;
  while (GetMessageW(&message, nullptr, 0, 0) > 0) {
    if (message.message == WM_TIMER && message.hwnd == nullptr) break;
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  CoRevokeClassObject(registration);
  CoUninitialize();
  return 0;
}
