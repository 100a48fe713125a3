// The Automation port over COM: GetObject reads the running-object table, CreateObject starts the
// class's server; both give the object's IDispatch through the bridge (com_dispatch.hpp).
// The caller has initialised COM on its thread (CoInitialize).
#pragma once

// windows.h names GDI's GetObject a macro (GetObjectA/W), which would rename the port's member in
// every file that sees both: it is included here first and the macro dropped.
#include <windows.h>
#undef GetObject

#include "platform/automation.hpp"

namespace win32 {

class ComAutomation : public platform::Automation {
 public:
  /// CLSIDFromProgID then GetActiveObject: error 429 when the ProgID is unknown or no instance is
  /// registered as running; 430 when the object has no IDispatch.
  vb::ObjectRef GetObject(std::string_view progId) override;
  /// CLSIDFromProgID then CoCreateInstance(CLSCTX_SERVER): error 429 when the class is unknown or
  /// cannot be created; 430 when the object has no IDispatch.
  vb::ObjectRef CreateObject(std::string_view progId) override;
};

}  // namespace win32
