// The COM face of an additional-information list: the host-side ComplementInfo over the list an
// exercise's check filled, and _ComplementInfo, the class's own (empty) default interface. Its
// IDispatch answers add, count and item by name, from the host contract library's type
// information, so that a script reads the list as the host does.
#pragma once

#include <memory>

#include "module/abstract_module.hpp"
#include "win32/dispatch/com_object.hpp"
#include "win32/server/interfaces.hpp"

namespace win32::server {

// _ComplementInfo declares nothing of its own: its vtable is IDispatch's, the start of ComplementInfo's.
class ComplementObject final
    : public win32::ComObject<win32::Also<::ComplementInfo, _ComplementInfo>, ISupportErrorInfo> {
 public:
  /// A new object (one reference, the caller's) over `list`.
  static HRESULT Create(std::shared_ptr<host::ComplementInfo> list, ::ComplementInfo** object);

  const std::shared_ptr<host::ComplementInfo>& list() const { return list_; }

  // IDispatch
  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override;
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT index, LCID lcid, ITypeInfo** info) override;
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID riid, LPOLESTR* names, UINT count, LCID lcid,
                                          DISPID* ids) override;
  HRESULT STDMETHODCALLTYPE Invoke(DISPID member, REFIID riid, LCID lcid, WORD flags, DISPPARAMS* params,
                                   VARIANT* result, EXCEPINFO* exception, UINT* argumentError) override;

  // The host-side ComplementInfo
  HRESULT STDMETHODCALLTYPE add(BSTR sLigne, LONG lInutilise) override;
  HRESULT STDMETHODCALLTYPE count(LONG* plCount) override;
  HRESULT STDMETHODCALLTYPE item(LONG noItem, BSTR* psLigne) override;

  // ISupportErrorInfo
  HRESULT STDMETHODCALLTYPE InterfaceSupportsErrorInfo(REFIID riid) override;

 private:
  ComplementObject(std::shared_ptr<host::ComplementInfo> list, ITypeInfo* info);
  ~ComplementObject();

  std::shared_ptr<host::ComplementInfo> list_;
  ITypeInfo* info_;
};

}  // namespace win32::server
