// COM failures as VB's Err sees them (the client side), and a vb::Error handed back to a COM
// caller (the server side), with the UTF-8 ⇄ UTF-16 conversions at that boundary.
#pragma once

// clang-format off
#include <windows.h>
#include <oaidl.h>
// clang-format on

#include <string>
#include <string_view>

#include "vb/error.hpp"

namespace win32 {

/// The vb::Error of a failed call, as VB's late binding reports it:
/// - DISP_E_EXCEPTION with `info` (its deferred fill-in run first when it has one): the number is
///   the exception's scode as a signed 32-bit number (-2147188160 for PowerPoint's 0x80048240), or
///   its wCode when scode is 0; VB's own 0x800A.... codes become the small number (0x800A01B6 →
///   438); source and description are the exception's. `info` itself is left as it is: the caller
///   frees its strings (those a deferred fill-in makes are freed here).
/// - Another HRESULT: DISP_E_MEMBERNOTFOUND and DISP_E_UNKNOWNNAME → 438, DISP_E_TYPEMISMATCH → 13,
///   DISP_E_BADPARAMCOUNT and DISP_E_PARAMNOTFOUND → 450, DISP_E_OVERFLOW → 6, DISP_E_BADINDEX → 9,
///   0x800A.... → the small number, with VB's description; any other keeps its number (RPC_E_CALL_
///   REJECTED -2147418111, RPC_S_SERVER_UNAVAILABLE as 0x800706BA -2147023174) with the system's
///   message. The source is the caller's project (vb::kProjectName), as VB's run-time gives it.
vb::Error ErrorFromHresult(HRESULT hr, const EXCEPINFO* info = nullptr);

/// As ErrorFromHresult(hr), then, when `object` says it supports IErrorInfo on `iid`
/// (ISupportErrorInfo), the source and description of the thread's error information.
vb::Error ErrorFromCall(HRESULT hr, IUnknown* object, REFIID iid);

/// The HRESULT a component returns for a vb::Error: 0x800A0000|n for VB's run-time numbers
/// (1 to 65535), the number itself when it already is an HRESULT (negative), E_FAIL otherwise;
/// sets the thread's error information (IErrorInfo: `iid`, source, description) for the caller.
HRESULT ReportError(const vb::Error& error, REFGUID iid);

/// An EXCEPINFO for IDispatch::Invoke's caller: scode as ReportError gives it, source and
/// description as BSTRs the caller frees. `info` is overwritten.
void FillExcepInfo(const vb::Error& error, EXCEPINFO* info);

/// UTF-8 → UTF-16 and back (invalid UTF-8 bytes become U+FFFD).
std::wstring Widen(std::string_view utf8);
std::string Narrow(std::wstring_view utf16);
/// A new BSTR of a UTF-8 text (the caller frees it with SysFreeString); the UTF-8 text of a BSTR
/// (null is "").
BSTR ToBstr(std::string_view utf8);
std::string FromBstr(BSTR text);

}  // namespace win32
