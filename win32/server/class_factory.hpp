// The class factory of Module, the one class clients create.
#pragma once

#include "win32/dispatch/com_object.hpp"
#include "win32/server/interfaces.hpp"

namespace win32::server {

class ClassFactory final : public win32::ComObject<IClassFactory> {
 public:
  /// A new factory (one reference, the caller's), asked for `riid`.
  static HRESULT Create(REFIID riid, void** object);

  HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown* outer, REFIID riid, void** object) override;
  HRESULT STDMETHODCALLTYPE LockServer(BOOL lock) override;

 private:
  ClassFactory();
  ~ClassFactory();
};

}  // namespace win32::server
