// The four entry points of an in-process server, and DllMain, which only keeps the module handle.
// Each hands over to the server's parts; none holds logic of the module's own.
#include "win32/server/class_factory.hpp"
#include "win32/server/registration.hpp"
#include "win32/server/server.hpp"

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
  if (reason == DLL_PROCESS_ATTACH) win32::server::SetModuleHandle(instance);
  return TRUE;
}

STDAPI DllGetClassObject(REFCLSID rclsid, REFIID riid, LPVOID* object) {
  if (!object) return E_POINTER;
  *object = nullptr;
  if (rclsid != CLSID_Module) return CLASS_E_CLASSNOTAVAILABLE;
  return win32::server::ClassFactory::Create(riid, object);
}

STDAPI DllCanUnloadNow() {
  return win32::server::CanUnloadNow() ? S_OK : S_FALSE;
}

STDAPI DllRegisterServer() {
  return win32::server::RegisterServer(win32::server::ModulePath());
}

STDAPI DllUnregisterServer() {
  return win32::server::UnregisterServer(win32::server::ModulePath());
}
