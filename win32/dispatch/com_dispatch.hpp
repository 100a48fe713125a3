// vb::Dispatch over IDispatch: the automation objects of another component (PowerPoint's, or any
// COM object) seen as the module sees every object, and the conversions between VARIANT and
// vb::Variant that every call across that boundary makes.
//
// Member names are looked up once per object type: the bridge asks GetIDsOfNames for a member
// (with the names of its named arguments) the first time an object of that type is called by that
// name, and reuses the DISPIDs afterwards. An object's type is its ITypeInfo's GUID when it gives
// one; an object without type information keeps a cache of its own.
//
// Everything runs on the caller's single-threaded apartment, which the caller has initialised.
#pragma once

// clang-format off
#include <windows.h>
#include <oaidl.h>
// clang-format on

#include <cstdint>

#include "vb/dispatch.hpp"
#include "vb/variant.hpp"

namespace win32 {

/// Wraps a COM automation object (AddRef'd; released with the last reference): Nothing for null.
/// Calls raise vb::Error as VB's late binding does (see errors.hpp).
vb::ObjectRef FromIDispatch(IDispatch* object);

/// The IDispatch behind an object FromIDispatch made, AddRef'd for the caller; null for Nothing.
/// Raises vb::Error 13 for an object of another kind.
IDispatch* ToIDispatch(const vb::ObjectRef& object);

/// Fills `out` (not initialised, or empty) with a value; the caller clears it with VariantClear.
/// Empty → VT_EMPTY, Missing → VT_ERROR DISP_E_PARAMNOTFOUND, Boolean → VT_BOOL, Integer → VT_I2,
/// Long → VT_I4, Single → VT_R4, Double → VT_R8, String → VT_BSTR (UTF-8 → UTF-16), Date → VT_DATE,
/// Object → VT_DISPATCH (null for Nothing), Array → a one-dimensional SAFEARRAY of VARIANT from 0.
/// Raises 13 for an object ToIDispatch refuses; `out` is left VT_EMPTY then.
void ToVariant(const vb::Variant& value, VARIANT* out);

/// The vb::Variant of a VARIANT (left unchanged). By-reference values (VT_BYREF|…, as VBScript
/// passes them) are read through. VT_NULL becomes Empty (vb::Variant has no Null); VT_ERROR
/// DISP_E_PARAMNOTFOUND becomes Missing, another VT_ERROR the Long of its code; VT_I1/VT_UI1 become
/// Integer, VT_UI2/VT_INT/VT_UINT/VT_UI4 Long (Double beyond 32 bits), VT_I8/VT_UI8/VT_CY/VT_DECIMAL
/// Double; VT_UNKNOWN the object's IDispatch (error 13 when it has none); a one-dimensional
/// SAFEARRAY of any of these an Array (its lower bound is not kept). Raises 13 for anything else
/// (several dimensions, records, unknown types).
vb::Variant FromVariant(const VARIANT& value);

/// How many GetIDsOfNames calls the bridge has made since the process started: what its DISPID
/// cache saves is seen here.
std::uint64_t NameLookups();

}  // namespace win32
