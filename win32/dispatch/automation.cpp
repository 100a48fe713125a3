#include "win32/dispatch/automation.hpp"

#include <cstdint>
#include <string>

#include "vb/error.hpp"
#include "win32/dispatch/com_dispatch.hpp"
#include "win32/dispatch/errors.hpp"

namespace win32 {
namespace {

constexpr std::int32_t kNoAutomation = 430;

// A failure to find or start an object is VB's 429, except when COM was never initialised on
// this thread: that is the caller's fault, and its own number says so.
[[noreturn]] void CannotCreate(HRESULT hr) {
  if (hr == CO_E_NOTINITIALIZED) throw ErrorFromHresult(hr);
  vb::Raise(vb::errors::kCannotCreateObject);
}

CLSID ClassOf(std::string_view prog_id) {
  CLSID clsid{};
  const HRESULT hr = CLSIDFromProgID(Widen(prog_id).c_str(), &clsid);
  if (FAILED(hr)) CannotCreate(hr);
  return clsid;
}

// The object's IDispatch, through the bridge; `unknown` is released.
vb::ObjectRef Wrap(IUnknown* unknown) {
  IDispatch* dispatch = nullptr;
  const HRESULT hr = unknown->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(&dispatch));
  unknown->Release();
  if (FAILED(hr) || !dispatch)
    vb::Raise(kNoAutomation, vb::kProjectName,
              "Class does not support Automation or does not support expected interface");
  vb::ObjectRef object = FromIDispatch(dispatch);
  dispatch->Release();
  return object;
}

}  // namespace

vb::ObjectRef ComAutomation::GetObject(std::string_view progId) {
  const CLSID clsid = ClassOf(progId);
  IUnknown* unknown = nullptr;
  const HRESULT hr = ::GetActiveObject(clsid, nullptr, &unknown);
  if (FAILED(hr) || !unknown) CannotCreate(hr);
  return Wrap(unknown);
}

vb::ObjectRef ComAutomation::CreateObject(std::string_view progId) {
  const CLSID clsid = ClassOf(progId);
  IUnknown* unknown = nullptr;
  const HRESULT hr =
      CoCreateInstance(clsid, nullptr, CLSCTX_SERVER, IID_IUnknown, reinterpret_cast<void**>(&unknown));
  if (FAILED(hr) || !unknown) CannotCreate(hr);
  return Wrap(unknown);
}

}  // namespace win32
