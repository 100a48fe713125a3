// The reverse of the bridge: a vb::Dispatch served to COM callers as an IDispatch, so that an
// object model written against vb::Dispatch (the simulator's PowerPoint) answers real automation
// clients. Member and argument names get DISPIDs that stay the same for the life of the process,
// whatever object is asked; calls come back to vb::Dispatch::Invoke by name.
#pragma once

// clang-format off
#include <windows.h>
#include <oaidl.h>
// clang-format on

#include <functional>
#include <string>

#include "vb/dispatch.hpp"

namespace win32 {

/// The IDispatch serving an object, AddRef'd for the caller; null for Nothing. An object the
/// bridge made (FromIDispatch) gives back its own IDispatch. Serving the same object twice (or two
/// wrappers of one object: equal Identity()) gives the same COM object, so that callers' identity
/// tests hold. The served object keeps `object` alive while COM callers hold it.
///
/// What callers see: GetIDsOfNames always succeeds (names are not checked until the call);
/// Invoke turns DISPATCH_PROPERTYPUT/PUTREF into a Put with the value last, DISPATCH_METHOD alone
/// into a Method, anything else into a Get; named arguments keep their names; a vb::Error comes
/// back as DISP_E_EXCEPTION with its number (VB's as 0x800A....), source and description;
/// objects returned are served in turn, and served objects passed back in arrive as themselves.
/// GetTypeInfo gives the object's TypeName under a GUID of its own per type name.
IDispatch* ServeDispatch(const vb::ObjectRef& object);

/// The object a served IDispatch stands for (AddRef not involved); null when `dispatch` is not
/// one ServeDispatch made in this process.
vb::ObjectRef ServedObjectOf(IDispatch* dispatch);

/// What a server process may watch in its served objects (both are called on the thread that
/// serves the call; an empty function stops the watching):
/// - name_asked, once per name of every GetIDsOfNames call, with the name as asked;
/// - connections, with the number of served objects that callers in other apartments hold
///   (COM reports the first and last external reference of each served object through
///   IExternalConnection), each time it changes: at 0, no client holds anything served.
struct ServedObservers {
  std::function<void(const std::string& name)> name_asked;
  std::function<void(long held)> connections;
};
void SetServedObservers(ServedObservers observers);

}  // namespace win32
