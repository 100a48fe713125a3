// The class factory of Module, the one class clients create.
#pragma once

#include "win32/server/interfaces.hpp"

namespace win32::server {

class ClassFactory final : public IClassFactory {
 public:
  /// A new factory (one reference, the caller's), asked for `riid`.
  static HRESULT Create(REFIID riid, void** object);

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** object) override;
  ULONG STDMETHODCALLTYPE AddRef() override;
  ULONG STDMETHODCALLTYPE Release() override;
  HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown* outer, REFIID riid, void** object) override;
  HRESULT STDMETHODCALLTYPE LockServer(BOOL lock) override;

 private:
  ClassFactory();
  ~ClassFactory();

  LONG references_ = 1;
};

}  // namespace win32::server
