// Names on the simulated desktop as Windows compares them: key names, value names, file names,
// window classes and titles, ProgIDs are equal without regard to case (accented capitals too).
#pragma once

#include <string>
#include <string_view>

namespace sim {

/// The name folded for comparison without case (UTF-8 in, UTF-8 out).
std::string FoldCase(std::string_view utf8);
/// True when two UTF-8 names are equal without regard to case ("modèles" and "MODÈLES").
bool SameName(std::string_view a, std::string_view b);

}  // namespace sim
