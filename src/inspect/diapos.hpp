// Slide identity tags: every slide of the exercise presentation is marked at preparation with its
// position, so that the check can tell whether the learner added, deleted or reordered slides.
#pragma once

#include <string>

#include "inspect/api.hpp"
#include "powerpoint/ppt.hpp"

namespace k60418 {

/// The name of the identity tag of slides and shapes.
inline constexpr const char* kTagIdentite = "Identite";
/// What every identity tag's value starts with, followed by a position in decimal.
inline constexpr const char* kPrefixeIdentite = "ZUK";

/// The identity tag value of position n: "ZUK" followed by n ("ZUK3").
std::string ValeurIdentite(long n);

/// Marks slide i of the active presentation with "ZUK" & i, for every slide, and records the
/// slide count in NbDiapos. Errors of PowerPoint reach the caller.
void MarqueDiapos(Api& api, const ppt::Application& ioApplication);

/// Compares the active presentation's slides with the marks and count recorded by MarqueDiapos
/// and sets DiaposAjoutees, DiaposSupprimees and OrdreModifie. NbDiapos is kept, so any number of
/// checks may follow one preparation. Errors of PowerPoint reach the caller.
void VerifieDiapos(Api& api, const ppt::Application& ioApplication);

}  // namespace k60418
