// Names on the simulated desktop as Windows compares them: key names, value names, file names,
// window classes and titles are equal without regard to case, and the 8-bit side of the
// platform (registry data, window texts) is Windows-1252.
#pragma once

#include <string>
#include <string_view>

namespace sim {

/// The name folded for comparison without case (UTF-8 in, UTF-8 out).
std::string FoldCase(std::string_view utf8);
/// True when two UTF-8 names are equal without regard to case ("modèles" and "MODÈLES").
bool SameName(std::string_view a, std::string_view b);

/// UTF-8 to Windows-1252 bytes; characters Windows-1252 lacks become '?'.
std::string ToCp1252(std::string_view utf8);
/// Windows-1252 bytes to UTF-8.
std::string FromCp1252(std::string_view bytes);

}  // namespace sim
