#include "win32/server/complement_object.hpp"

#include <utility>

#include "win32/server/server.hpp"

namespace win32::server {

HRESULT ComplementObject::Create(std::shared_ptr<host::ComplementInfo> list, ::ComplementInfo** object) {
  if (!object) return E_POINTER;
  *object = nullptr;
  ITypeInfo* info = nullptr;
  const HRESULT hr = LoadTypeInfo(kHostTypeLibrary, IID_ComplementInfo, &info);
  if (FAILED(hr)) return hr;
  *object = new (std::nothrow) ComplementObject(std::move(list), info);
  if (!*object) {
    info->Release();
    return E_OUTOFMEMORY;
  }
  return S_OK;
}

ComplementObject::ComplementObject(std::shared_ptr<host::ComplementInfo> list, ITypeInfo* info)
    : list_(std::move(list)), info_(info) {
  ObjectCreated();
}

ComplementObject::~ComplementObject() {
  info_->Release();
  ObjectDestroyed();
}

HRESULT ComplementObject::GetTypeInfoCount(UINT* count) {
  if (!count) return E_POINTER;
  *count = 1;
  return S_OK;
}

HRESULT ComplementObject::GetTypeInfo(UINT index, LCID, ITypeInfo** info) {
  return TypeInfoOf(info_, index, info);
}

HRESULT ComplementObject::GetIDsOfNames(REFIID riid, LPOLESTR* names, UINT count, LCID, DISPID* ids) {
  return IdsOfNames(info_, riid, names, count, ids);
}

HRESULT ComplementObject::Invoke(DISPID member, REFIID riid, LCID, WORD flags, DISPPARAMS* params,
                                 VARIANT* result, EXCEPINFO* exception, UINT* argumentError) {
  if (riid != IID_NULL) return DISP_E_UNKNOWNINTERFACE;
  return info_->Invoke(static_cast<::ComplementInfo*>(this), member, flags, params, result, exception,
                       argumentError);
}

HRESULT ComplementObject::add(BSTR sLigne, LONG lInutilise) {
  return Guard(IID_ComplementInfo, [&] { list_->ComplementInfo_add(FromBstr(sLigne), lInutilise); });
}

HRESULT ComplementObject::count(LONG* plCount) {
  if (!plCount) return E_POINTER;
  return Guard(IID_ComplementInfo, [&] { *plCount = list_->ComplementInfo_count(); });
}

HRESULT ComplementObject::item(LONG noItem, BSTR* psLigne) {
  if (!psLigne) return E_POINTER;
  *psLigne = nullptr;
  return Guard(IID_ComplementInfo, [&] {
    const std::string ligne = list_->ComplementInfo_item(noItem);
    *psLigne = ToBstr(ligne);
  });
}

HRESULT ComplementObject::InterfaceSupportsErrorInfo(REFIID riid) {
  return riid == IID_ComplementInfo || riid == IID__ComplementInfo || riid == IID_IDispatch ? S_OK : S_FALSE;
}

}  // namespace win32::server
