// What the tests of K60418.dll share: where the DLL and the host contract library lie (as Windows
// paths under Wine), owned BSTRs, and the error information a failed call left.
#pragma once

// clang-format off
#include <windows.h>
#include <oaidl.h>
// clang-format on

#include <string>
#include <string_view>

namespace server_test {

/// A path of the build (a Unix path) as Wine's Windows programs see it: on drive Z:.
inline std::wstring WindowsPath(std::string_view unixPath) {
  std::wstring path = L"Z:";
  for (const char c : unixPath)
    path += c == '/' ? L'\\' : static_cast<wchar_t>(static_cast<unsigned char>(c));
  return path;
}

inline std::wstring DllPath() {
  return WindowsPath(K60418_DLL_PATH);
}
inline std::wstring HostLibraryPath() {
  return WindowsPath(K60418_HOST_TLB_PATH);
}

/// A BSTR freed at the end of its scope.
class Bstr {
 public:
  Bstr() = default;
  explicit Bstr(const wchar_t* text) : text_(SysAllocString(text)) {}
  ~Bstr() { SysFreeString(text_); }
  Bstr(const Bstr&) = delete;
  Bstr& operator=(const Bstr&) = delete;
  BSTR* out() {
    SysFreeString(text_);
    text_ = nullptr;
    return &text_;
  }
  BSTR get() const { return text_; }
  std::wstring str() const { return text_ ? std::wstring(text_, SysStringLen(text_)) : std::wstring(); }

 private:
  BSTR text_ = nullptr;
};

/// The thread's error information, as a caller reads it after a failed call.
struct ErrorInfo {
  bool present = false;
  std::wstring source;
  std::wstring description;
};

inline ErrorInfo TakeErrorInfo() {
  ErrorInfo result;
  IErrorInfo* info = nullptr;
  if (GetErrorInfo(0, &info) != S_OK || !info) return result;
  Bstr source, description;
  info->GetSource(source.out());
  info->GetDescription(description.out());
  info->Release();
  result.present = true;
  result.source = source.str();
  result.description = description.str();
  return result;
}

/// The HRESULT a component returns for VB's run-time error n.
constexpr HRESULT VbError(int n) {
  return static_cast<HRESULT>(0x800A0000u | static_cast<unsigned>(n));
}

/// UTF-8 (the module's own strings) as UTF-16.
inline std::wstring Wide(std::string_view text) {
  std::wstring out;
  const int length = MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
  out.resize(static_cast<std::size_t>(length));
  MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), out.data(), length);
  return out;
}

}  // namespace server_test
