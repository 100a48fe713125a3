// What the whole DLL shares: its module handle, the count of live objects and server locks that
// DllCanUnloadNow answers from, the type information of its two embedded type libraries, and the
// guard every COM method runs its body in.
#pragma once

#include <new>
#include <string>

#include "vb/error.hpp"
#include "win32/dispatch/errors.hpp"
#include "win32/server/interfaces.hpp"

namespace win32::server {

/// The embedded type libraries: the component's (resource TYPELIB 1) and the copy of the host
/// contract library (TYPELIB 2) that the host interfaces' IDispatch works from.
inline constexpr int kComponentTypeLibrary = 1;
inline constexpr int kHostTypeLibrary = 2;

/// The DLL's module handle, given by DllMain.
void SetModuleHandle(HMODULE module);
/// The DLL's full path ("C:\…\K60418.dll").
std::wstring ModulePath();

/// Every COM object of the DLL counts itself from construction to destruction.
void ObjectCreated();
void ObjectDestroyed();
/// IClassFactory::LockServer.
void LockServer(bool lock);
/// No object alive and no lock held.
bool CanUnloadNow();

/// The type information of `guid` in one of the embedded libraries (AddRef'd for the caller).
HRESULT LoadTypeInfo(int library, REFGUID guid, ITypeInfo** info);

/// Runs the body of a COM method: S_OK when it returns, and for an error the HRESULT and the
/// thread's error information (ReportError, on interface `iid`) that the caller reads.
template <class Body>
HRESULT Guard(REFIID iid, Body&& body) {
  try {
    body();
    return S_OK;
  } catch (const vb::Error& error) {
    return ReportError(error, iid);
  } catch (const std::bad_alloc&) {
    return E_OUTOFMEMORY;
  } catch (const std::exception& error) {
    return ReportError(vb::Error(51, vb::kProjectName, error.what()), iid);
  }
}

/// IDispatch::GetTypeInfoCount / GetTypeInfo / GetIDsOfNames over one interface's type information.
HRESULT TypeInfoOf(ITypeInfo* info, UINT index, ITypeInfo** out);
HRESULT IdsOfNames(ITypeInfo* info, REFIID riid, LPOLESTR* names, UINT count, DISPID* ids);

}  // namespace win32::server
