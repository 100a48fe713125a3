// Word search in the text of a shape, with the words as PowerPoint delimits them
// (TextRange.Words): a word carries the spaces that follow it, so a word matches the one sought
// when its text is that word or that word followed by one space. Case is ignored (VB's LCase on
// both sides, É as é).
#pragma once

#include <cstdint>
#include <string>

#include "powerpoint/ppt.hpp"

namespace k60418 {

/// The number of words of ioTexte that match isMot. Errors of PowerPoint reach the caller.
std::int16_t CompteMot(const ppt::TextRange& ioTexte, const std::string& isMot);

/// The position of the first word of ioTexte at or after word inDebut that matches isMot; 0 when
/// there is none (also when inDebut is past the last word). Errors of PowerPoint reach the caller.
std::int16_t ChercheMot(const ppt::TextRange& ioTexte, const std::string& isMot, std::int16_t inDebut);

}  // namespace k60418
