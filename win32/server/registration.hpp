// What DllRegisterServer writes and DllUnregisterServer removes, under HKEY_CLASSES_ROOT:
//   CLSID\{Module}            "Module"; InprocServer32 (the DLL, ThreadingModel Apartment), ProgID
//                             K60418.Module.1, VersionIndependentProgID K60418.Module, TypeLib,
//                             Version 1.0, Programmable
//   K60418.Module             "Module"; CLSID, CurVer K60418.Module.1
//   K60418.Module.1           "Module"; CLSID
//   the type library K60418   (RegisterTypeLib: TypeLib\{…} and its interfaces under Interface\)
//   the host contract library, when ContratHote.tlb lies beside the DLL and no other copy is
//                             registered (the host's own registration is never touched)
// Unregistering removes these and nothing else: the ProgIDs only while they name this class, the
// host contract library only when it is registered from the file beside the DLL.
#pragma once

#include <string>

#include "win32/server/interfaces.hpp"

namespace win32::server {

HRESULT RegisterServer(const std::wstring& modulePath);
HRESULT UnregisterServer(const std::wstring& modulePath);

}  // namespace win32::server
