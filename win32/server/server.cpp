#include "win32/server/server.hpp"

namespace win32::server {

namespace {

HMODULE module_handle = nullptr;
LONG live_objects = 0;
LONG server_locks = 0;

}  // namespace

void SetModuleHandle(HMODULE module) {
  module_handle = module;
}

std::wstring ModulePath() {
  std::wstring path(MAX_PATH, L'\0');
  for (;;) {
    const DWORD length = GetModuleFileNameW(module_handle, path.data(), static_cast<DWORD>(path.size()));
    if (length == 0) return {};
    if (length < path.size()) {
      path.resize(length);
      return path;
    }
    path.resize(path.size() * 2);
  }
}

void ObjectCreated() {
  InterlockedIncrement(&live_objects);
}

void ObjectDestroyed() {
  InterlockedDecrement(&live_objects);
}

void LockServer(bool lock) {
  if (lock) {
    InterlockedIncrement(&server_locks);
  } else {
    InterlockedDecrement(&server_locks);
  }
}

bool CanUnloadNow() {
  return InterlockedCompareExchange(&live_objects, 0, 0) == 0 &&
         InterlockedCompareExchange(&server_locks, 0, 0) == 0;
}

HRESULT LoadTypeInfo(int library, REFGUID guid, ITypeInfo** info) {
  if (!info) return E_POINTER;
  *info = nullptr;
  const std::wstring path = ModulePath() + L"\\" + std::to_wstring(library);
  ITypeLib* typeLibrary = nullptr;
  HRESULT hr = LoadTypeLibEx(path.c_str(), REGKIND_NONE, &typeLibrary);
  if (FAILED(hr)) return hr;
  hr = typeLibrary->GetTypeInfoOfGuid(guid, info);
  typeLibrary->Release();
  return hr;
}

HRESULT TypeInfoOf(ITypeInfo* info, UINT index, ITypeInfo** out) {
  if (!out) return E_POINTER;
  *out = nullptr;
  if (index != 0) return DISP_E_BADINDEX;
  if (!info) return E_UNEXPECTED;
  info->AddRef();
  *out = info;
  return S_OK;
}

HRESULT IdsOfNames(ITypeInfo* info, REFIID riid, LPOLESTR* names, UINT count, DISPID* ids) {
  if (riid != IID_NULL) return DISP_E_UNKNOWNINTERFACE;
  if (!info) return E_UNEXPECTED;
  return DispGetIDsOfNames(info, names, count, ids);
}

}  // namespace win32::server
