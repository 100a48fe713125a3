// The identities of the tests' local automation server (dispatch_test_server.cpp).
#pragma once

// clang-format off
#include <windows.h>
// clang-format on

namespace test_server {

/// {6F1E8C4A-0D2B-4B8E-9C11-5A7E60418001}
inline constexpr CLSID kClsid = {
    0x6f1e8c4a, 0x0d2b, 0x4b8e, {0x9c, 0x11, 0x5a, 0x7e, 0x60, 0x41, 0x80, 0x01}};
inline constexpr const wchar_t* kClsidText = L"{6F1E8C4A-0D2B-4B8E-9C11-5A7E60418001}";
inline constexpr const char* kProgId = "K60418.ContractServer";
/// The server's program, beside the test program.
inline constexpr const wchar_t* kProgram = L"k60418_dispatch_test_server.exe";

}  // namespace test_server
