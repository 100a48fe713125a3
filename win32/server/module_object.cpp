// Before <windows.h> (see engine.hpp).
#include "win32/server/engine.hpp"
//
#include "win32/server/module_object.hpp"

#include <array>
#include <optional>
#include <string>

#include "powerpoint/ppt.hpp"
#include "win32/dispatch/com_dispatch.hpp"
#include "win32/server/complement_object.hpp"
#include "win32/server/server.hpp"

namespace win32::server {

namespace {

/// The DISPIDs of AbstractModule's procedures with in-out arguments (ContratHote.idl).
constexpr DISPID kDispIdInitQuestion = 6;
constexpr DISPID kDispIdQuitter = 7;

/// The interface errors are reported on: the host's contract (_Module is the same vtable).
const IID& ErrorInterface() {
  return IID_AbstractModule;
}

VARIANT_BOOL ToVariantBool(bool value) {
  return value ? VARIANT_TRUE : VARIANT_FALSE;
}

/// A script's argument as a plain value of type `type` (by-reference values read through);
/// DISP_E_TYPEMISMATCH when it does not convert.
HRESULT ReadAs(const VARIANTARG* argument, VARTYPE type, VARIANT* out) {
  VariantInit(out);
  VARIANT plain;
  VariantInit(&plain);
  HRESULT hr = VariantCopyInd(&plain, const_cast<VARIANTARG*>(argument));
  if (SUCCEEDED(hr)) hr = VariantChangeType(out, &plain, 0, type);
  VariantClear(&plain);
  if (FAILED(hr) && hr != E_OUTOFMEMORY) hr = DISP_E_TYPEMISMATCH;
  return hr;
}

bool IsMissing(const VARIANTARG* argument) {
  return argument == nullptr || (V_VT(argument) == VT_ERROR && V_ERROR(argument) == DISP_E_PARAMNOTFOUND);
}

/// The application a script passes: an object, Nothing, or an Empty variable (taken as Nothing).
/// What it can be written back into: its own variable (a VARIANT or an object variable), or
/// nothing when passed by value.
HRESULT ReadApplication(const VARIANTARG* argument, IDispatch** application) {
  *application = nullptr;
  switch (V_VT(argument)) {
    case VT_DISPATCH:
    case VT_UNKNOWN:
    case VT_EMPTY:
    case VT_BYREF | VT_DISPATCH:
    case VT_BYREF | VT_UNKNOWN:
    case VT_BYREF | VT_VARIANT:
      break;
    default:
      return DISP_E_TYPEMISMATCH;
  }
  VARIANT plain;
  VariantInit(&plain);
  HRESULT hr = VariantCopyInd(&plain, const_cast<VARIANTARG*>(argument));
  if (FAILED(hr)) return hr;
  switch (V_VT(&plain)) {
    case VT_EMPTY:
      hr = S_OK;
      break;
    case VT_DISPATCH:
      *application = V_DISPATCH(&plain);
      if (*application) (*application)->AddRef();
      hr = S_OK;
      break;
    case VT_UNKNOWN:
      hr = V_UNKNOWN(&plain)
               ? V_UNKNOWN(&plain)->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(application))
               : S_OK;
      if (FAILED(hr)) hr = DISP_E_TYPEMISMATCH;
      break;
    default:
      hr = DISP_E_TYPEMISMATCH;
  }
  VariantClear(&plain);
  return hr;
}

/// The window handle a script passes: a number, by value or in its own Long or VARIANT variable.
HRESULT ReadHandle(const VARIANTARG* argument, LONG* handle) {
  if ((V_VT(argument) & VT_BYREF) && V_VT(argument) != (VT_BYREF | VT_VARIANT) &&
      V_VT(argument) != (VT_BYREF | VT_I4)) {
    return DISP_E_TYPEMISMATCH;
  }
  VARIANT value;
  const HRESULT hr = ReadAs(argument, VT_I4, &value);
  if (SUCCEEDED(hr)) *handle = V_I4(&value);
  return hr;
}

void WriteApplication(VARIANTARG* argument, IDispatch* application) {
  if (V_VT(argument) == (VT_BYREF | VT_VARIANT)) {
    VARIANT* variable = V_VARIANTREF(argument);
    VariantClear(variable);
    V_VT(variable) = VT_DISPATCH;
    V_DISPATCH(variable) = application;
    if (application) application->AddRef();
  } else if (V_VT(argument) == (VT_BYREF | VT_DISPATCH) || V_VT(argument) == (VT_BYREF | VT_UNKNOWN)) {
    IUnknown** variable = V_VT(argument) == (VT_BYREF | VT_DISPATCH)
                              ? reinterpret_cast<IUnknown**>(V_DISPATCHREF(argument))
                              : V_UNKNOWNREF(argument);
    if (*variable) (*variable)->Release();
    *variable = application;
    if (application) application->AddRef();
  }
}

void WriteHandle(VARIANTARG* argument, LONG handle) {
  if (V_VT(argument) == (VT_BYREF | VT_VARIANT)) {
    VARIANT* variable = V_VARIANTREF(argument);
    VariantClear(variable);
    V_VT(variable) = VT_I4;
    V_I4(variable) = handle;
  } else if (V_VT(argument) == (VT_BYREF | VT_I4)) {
    *V_I4REF(argument) = handle;
  }
}

/// The host's application reference as the module holds it, and back (AddRef'd; null for Nothing).
ppt::Application ApplicationOf(IDispatch* application) {
  return ppt::Application(FromIDispatch(application));
}

/// Replaces *variable by the module's application (releasing what it held) unless it is the same.
void UpdateApplication(IDispatch** variable, const ppt::Application& application) {
  IDispatch* updated = ToIDispatch(application.ref());
  if (updated == *variable) {
    if (updated) updated->Release();
    return;
  }
  if (*variable) (*variable)->Release();
  *variable = updated;
}

}  // namespace

HRESULT ModuleObject::Create(REFIID riid, void** object) {
  if (!object) return E_POINTER;
  *object = nullptr;
  ITypeInfo* info = nullptr;
  HRESULT hr = LoadTypeInfo(kHostTypeLibrary, IID_AbstractModule, &info);
  if (FAILED(hr)) return hr;
  ModuleObject* module = nullptr;
  try {
    module = new ModuleObject(std::make_unique<Engine>(), info);
  } catch (const std::bad_alloc&) {
    info->Release();
    return E_OUTOFMEMORY;
  }
  hr = module->QueryInterface(riid, object);
  module->Release();
  return hr;
}

ModuleObject::ModuleObject(std::unique_ptr<Engine> engine, ITypeInfo* info)
    : engine_(std::move(engine)), info_(info) {
  ObjectCreated();
}

ModuleObject::~ModuleObject() {
  if (complement_) complement_->Release();
  engine_.reset();
  info_->Release();
  ObjectDestroyed();
}

HRESULT ModuleObject::GetTypeInfoCount(UINT* count) {
  if (!count) return E_POINTER;
  *count = 1;
  return S_OK;
}

HRESULT ModuleObject::GetTypeInfo(UINT index, LCID, ITypeInfo** info) {
  if (!info) return E_POINTER;
  *info = nullptr;
  if (index != 0) return DISP_E_BADINDEX;
  return LoadTypeInfo(kComponentTypeLibrary, IID__Module, info);
}

HRESULT ModuleObject::GetIDsOfNames(REFIID riid, LPOLESTR* names, UINT count, LCID, DISPID* ids) {
  return IdsOfNames(info_, riid, names, count, ids);
}

HRESULT ModuleObject::Invoke(DISPID member, REFIID riid, LCID, WORD flags, DISPPARAMS* params,
                             VARIANT* result, EXCEPINFO* exception, UINT* argumentError) {
  if (riid != IID_NULL) return DISP_E_UNKNOWNINTERFACE;
  if ((member == kDispIdInitQuestion || member == kDispIdQuitter) && (flags & DISPATCH_METHOD)) {
    return InvokeInOut(member, params, result, exception, argumentError);
  }
  return info_->Invoke(static_cast<::AbstractModule*>(this), member, flags, params, result, exception,
                       argumentError);
}

HRESULT ModuleObject::InvokeInOut(DISPID member, DISPPARAMS* params, VARIANT* result, EXCEPINFO* exception,
                                  UINT* argumentError) {
  static const DISPPARAMS kNoArguments{};
  const DISPPARAMS& call = params ? *params : kNoArguments;
  const bool init = member == kDispIdInitQuestion;
  const UINT declared = init ? 5 : 2;
  const UINT required = init ? 4 : 2;
  if (call.cArgs > declared) return DISP_E_BADPARAMCOUNT;
  if (call.cNamedArgs > call.cArgs || (call.cArgs && !call.rgvarg) ||
      (call.cNamedArgs && !call.rgdispidNamedArgs)) {
    return E_INVALIDARG;
  }
  const auto fail = [&](HRESULT hr, UINT index) {
    if (argumentError) *argumentError = index;
    return hr;
  };

  // Each declared parameter's argument: the named ones first in rgvarg, then the positional ones
  // in reverse order.
  std::array<VARIANTARG*, 5> arguments{};
  for (UINT named = 0; named < call.cNamedArgs; ++named) {
    const DISPID position = call.rgdispidNamedArgs[named];
    if (position < 0 || static_cast<UINT>(position) >= declared || arguments[position]) {
      return fail(DISP_E_PARAMNOTFOUND, named);
    }
    arguments[position] = &call.rgvarg[named];
  }
  const UINT positional = call.cArgs - call.cNamedArgs;
  for (UINT position = 0; position < positional; ++position) {
    const UINT index = call.cArgs - 1 - position;
    if (arguments[position]) return fail(DISP_E_PARAMNOTFOUND, index);
    arguments[position] = &call.rgvarg[index];
  }
  const auto index_of = [&](UINT position) { return static_cast<UINT>(arguments[position] - call.rgvarg); };
  for (UINT position = 0; position < required; ++position) {
    if (IsMissing(arguments[position])) return DISP_E_PARAMNOTFOUND;
  }

  // The values, converted as the declared types ask; the variables of the in-out ones kept.
  const UINT first_in_out = init ? 2 : 0;
  VARIANTARG* application_argument = arguments[first_in_out];
  VARIANTARG* handle_argument = arguments[first_in_out + 1];
  IDispatch* application = nullptr;
  LONG handle = 0;
  VARIANT question, folder, model;
  VariantInit(&question);
  VariantInit(&folder);
  VariantInit(&model);
  const auto clear = [&] {
    VariantClear(&question);
    VariantClear(&folder);
    VariantClear(&model);
    if (application) application->Release();
  };
  HRESULT hr = S_OK;
  UINT bad = 0;
  if (init) {
    if (FAILED(hr = ReadAs(arguments[0], VT_I4, &question))) {
      bad = 0;
    } else if (FAILED(hr = ReadAs(arguments[1], VT_BSTR, &folder))) {
      bad = 1;
    } else if (!IsMissing(arguments[4]) && FAILED(hr = ReadAs(arguments[4], VT_BSTR, &model))) {
      bad = 4;
    }
  }
  if (SUCCEEDED(hr) && FAILED(hr = ReadApplication(application_argument, &application))) bad = first_in_out;
  if (SUCCEEDED(hr) && FAILED(hr = ReadHandle(handle_argument, &handle))) bad = first_in_out + 1;
  if (FAILED(hr)) {
    clear();
    return fail(hr, index_of(bad));
  }

  hr = S_OK;
  try {
    if (init) {
      CallInitQuestion(V_I4(&question), V_BSTR(&folder), &application, &handle,
                       V_VT(&model) == VT_BSTR ? V_BSTR(&model) : nullptr);
    } else {
      CallQuitter(&application, &handle);
    }
  } catch (const vb::Error& error) {
    if (exception) {
      FillExcepInfo(error, exception);
      hr = DISP_E_EXCEPTION;
    } else {
      hr = ReportError(error, ErrorInterface());
    }
  } catch (const std::bad_alloc&) {
    hr = E_OUTOFMEMORY;
  }
  WriteApplication(application_argument, application);
  WriteHandle(handle_argument, handle);
  clear();
  if (result && SUCCEEDED(hr)) VariantInit(result);
  return hr;
}

void ModuleObject::CallInitQuestion(LONG ilQuestion, BSTR isPathDossier, IDispatch** ioApplication,
                                    LONG* ioHandleLogiciel, BSTR isPathModele) {
  ppt::Application application = ApplicationOf(*ioApplication);
  std::int32_t handle = *ioHandleLogiciel;
  std::optional<std::string> modele;
  if (isPathModele) modele = FromBstr(isPathModele);
  try {
    engine_->module().InitQuestion(ilQuestion, FromBstr(isPathDossier), application, handle, modele);
  } catch (const vb::Error&) {
    UpdateApplication(ioApplication, application);
    *ioHandleLogiciel = handle;
    throw;
  }
  UpdateApplication(ioApplication, application);
  *ioHandleLogiciel = handle;
}

void ModuleObject::CallQuitter(IDispatch** ioApplication, LONG* ioHandleLogiciel) {
  ppt::Application application = ApplicationOf(*ioApplication);
  std::int32_t handle = *ioHandleLogiciel;
  try {
    engine_->module().Quitter(application, handle);
  } catch (const vb::Error&) {
    UpdateApplication(ioApplication, application);
    *ioHandleLogiciel = handle;
    throw;
  }
  UpdateApplication(ioApplication, application);
  *ioHandleLogiciel = handle;
}

HRESULT ModuleObject::get_BravoNuance(VARIANT_BOOL* pbBravoNuance) {
  if (!pbBravoNuance) return E_POINTER;
  return Guard(ErrorInterface(), [&] { *pbBravoNuance = ToVariantBool(engine_->module().BravoNuance()); });
}

HRESULT ModuleObject::get_Complement(::ComplementInfo** poComplement) {
  if (!poComplement) return E_POINTER;
  *poComplement = nullptr;
  return Guard(ErrorInterface(), [&] {
    std::shared_ptr<host::ComplementInfo> list = engine_->module().Complement();
    if (!list) return;  // Nothing before the exercise's first check
    if (!complement_ || complement_->list() != list) {
      ::ComplementInfo* created = nullptr;
      const HRESULT hr = ComplementObject::Create(std::move(list), &created);
      if (FAILED(hr)) throw vb::Error(hr, vb::kProjectName, "");
      if (complement_) complement_->Release();
      complement_ = static_cast<ComplementObject*>(created);
    }
    complement_->AddRef();
    *poComplement = complement_;
  });
}

HRESULT ModuleObject::get_CauseErreur(BSTR* psCauseErreur) {
  if (!psCauseErreur) return E_POINTER;
  *psCauseErreur = nullptr;
  return Guard(ErrorInterface(), [&] { *psCauseErreur = ToBstr(engine_->module().CauseErreur()); });
}

HRESULT ModuleObject::get_ErreurGenerale(VARIANT_BOOL* pbErreurGenerale) {
  if (!pbErreurGenerale) return E_POINTER;
  return Guard(ErrorInterface(),
               [&] { *pbErreurGenerale = ToVariantBool(engine_->module().ErreurGenerale()); });
}

HRESULT ModuleObject::Fermer() {
  return Guard(ErrorInterface(), [&] { engine_->module().Fermer(); });
}

HRESULT ModuleObject::InitQuestion(LONG ilQuestion, BSTR isPathDossier, IDispatch** ioApplication,
                                   LONG* ioHandleLogiciel, BSTR isPathModele) {
  if (!ioApplication || !ioHandleLogiciel) return E_POINTER;
  return Guard(ErrorInterface(), [&] {
    CallInitQuestion(ilQuestion, isPathDossier, ioApplication, ioHandleLogiciel, isPathModele);
  });
}

HRESULT ModuleObject::Quitter(IDispatch** ioApplication, LONG* ioHandleLogiciel) {
  if (!ioApplication || !ioHandleLogiciel) return E_POINTER;
  return Guard(ErrorInterface(), [&] { CallQuitter(ioApplication, ioHandleLogiciel); });
}

HRESULT ModuleObject::TestePoint() {
  return Guard(ErrorInterface(), [&] { engine_->module().TestePoint(); });
}

HRESULT ModuleObject::InterfaceSupportsErrorInfo(REFIID riid) {
  return riid == IID_AbstractModule || riid == IID__Module || riid == IID_IDispatch ? S_OK : S_FALSE;
}

}  // namespace win32::server
