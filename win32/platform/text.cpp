#include "win32/platform/text.hpp"

#include <climits>
#include <stdexcept>

#include <windows.h>

namespace win32 {
namespace {

// The conversions take int lengths; longer texts are refused rather than cut.
int Length(std::size_t size) {
  if (size > static_cast<std::size_t>(INT_MAX)) throw std::length_error("text too long for Windows");
  return static_cast<int>(size);
}

std::wstring ToWide(UINT codePage, std::string_view text) {
  if (text.empty()) return {};
  const int n = MultiByteToWideChar(codePage, 0, text.data(), Length(text.size()), nullptr, 0);
  std::wstring wide(static_cast<std::size_t>(n), L'\0');
  if (n > 0) MultiByteToWideChar(codePage, 0, text.data(), Length(text.size()), wide.data(), n);
  return wide;
}

std::string FromWide(UINT codePage, std::wstring_view wide) {
  if (wide.empty()) return {};
  // No "best fit": a character the code page lacks becomes '?', never a look-alike ("∞" is no
  // "8", a full-width solidus no path separator).
  const DWORD flags = codePage == CP_UTF8 ? 0 : WC_NO_BEST_FIT_CHARS;
  const int n =
      WideCharToMultiByte(codePage, flags, wide.data(), Length(wide.size()), nullptr, 0, nullptr, nullptr);
  std::string text(static_cast<std::size_t>(n), '\0');
  if (n > 0)
    WideCharToMultiByte(codePage, flags, wide.data(), Length(wide.size()), text.data(), n, nullptr, nullptr);
  return text;
}

}  // namespace

std::wstring Utf8ToWide(std::string_view utf8) {
  return ToWide(CP_UTF8, utf8);
}

std::string WideToUtf8(std::wstring_view wide) {
  return FromWide(CP_UTF8, wide);
}

std::string Utf8ToAnsi(std::string_view utf8) {
  return FromWide(CP_ACP, ToWide(CP_UTF8, utf8));
}

std::string AnsiToUtf8(std::string_view ansi) {
  return FromWide(CP_UTF8, ToWide(CP_ACP, ansi));
}

}  // namespace win32
