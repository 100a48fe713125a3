#include "win32/server/class_factory.hpp"

#include <new>

#include "win32/server/module_object.hpp"
#include "win32/server/server.hpp"

namespace win32::server {

HRESULT ClassFactory::Create(REFIID riid, void** object) {
  if (!object) return E_POINTER;
  *object = nullptr;
  ClassFactory* factory = new (std::nothrow) ClassFactory();
  if (!factory) return E_OUTOFMEMORY;
  const HRESULT hr = factory->QueryInterface(riid, object);
  factory->Release();
  return hr;
}

ClassFactory::ClassFactory() {
  ObjectCreated();
}

ClassFactory::~ClassFactory() {
  ObjectDestroyed();
}

HRESULT ClassFactory::CreateInstance(IUnknown* outer, REFIID riid, void** object) {
  if (!object) return E_POINTER;
  *object = nullptr;
  if (outer) return CLASS_E_NOAGGREGATION;
  return ModuleObject::Create(riid, object);
}

HRESULT ClassFactory::LockServer(BOOL lock) {
  server::LockServer(lock != FALSE);
  return S_OK;
}

}  // namespace win32::server
