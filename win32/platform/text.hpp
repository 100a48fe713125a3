// Text at the edges of the Windows side: UTF-8 inside, UTF-16 for the wide functions, the system's
// ANSI code page (Windows-1252 on the Western European systems the course runs on) for the 8-bit
// functions and the strings a host hands over in that form.
#pragma once

#include <string>
#include <string_view>

namespace win32 {

/// UTF-16 of a UTF-8 text; an ill-formed sequence becomes U+FFFD.
std::wstring Utf8ToWide(std::string_view utf8);
/// UTF-8 of a UTF-16 text; an unpaired surrogate becomes U+FFFD.
std::string WideToUtf8(std::wstring_view wide);
/// The ANSI code page's bytes of a UTF-8 text; a character it cannot hold becomes '?'.
std::string Utf8ToAnsi(std::string_view utf8);
/// UTF-8 of bytes in the ANSI code page.
std::string AnsiToUtf8(std::string_view ansi);

}  // namespace win32
