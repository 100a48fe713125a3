// VB's Like operator with Option Compare Binary: case-sensitive, character by character.
#pragma once

#include <string_view>

namespace scenario {

/// VB's error for a malformed pattern (an unclosed "[" or a range written backwards).
inline constexpr int kInvalidPattern = 93;

/// True when text matches pattern: "?" any one character, "*" any run of characters (none
/// included), "#" one digit 0-9, "[list]" one character of the list, "[!list]" one character
/// outside it, where a list holds characters and ranges "a-z" ("-" first or last is itself).
/// "[]" matches no character at all. Characters are Unicode code points of the UTF-8 text.
/// A malformed pattern raises vb::Error 93 ("Invalid pattern string").
bool Like(std::string_view text, std::string_view pattern);

}  // namespace scenario
