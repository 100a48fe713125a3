// The start shared by the exercises in which the learner creates a presentation (0223, 0224):
// PowerPoint is left with no presentation of its own open, a first one named "Sans animation.ppt"
// excepted, and the moment of the preparation is recorded for the check.
#pragma once

#include <cstdint>
#include <utility>

#include "exercises/exercise.hpp"

namespace k60418 {

/// The name of the presentation that is spared when it is the first one open.
inline constexpr const char* kPresentationEpargnee = "Sans animation.ppt";

/// Closes presentations at position inDebut, as many times as there are positions from inDebut to
/// the count read now: each close moves the following presentations down one place.
inline void FermePresentationsDepuis(const ppt::Application& iApplication, std::int32_t inDebut) {
  const ppt::Presentations oPresentations = iApplication.Presentations();
  const std::int32_t nPresentations = oPresentations.Count();
  for (std::int32_t i = inDebut; i <= nPresentations; ++i) oPresentations.Item(inDebut).Close();
}

/// Closes the open presentations, sparing a first one named "Sans animation.ppt", then runs the
/// rest of the preparation (suite). While no presentation is open, errors reach the caller as
/// they are (the exercise's trap reports them). Otherwise, from the reading of the first name on,
/// a first error sends the preparation back to the closing, this time from position 1 (nothing is
/// spared), and the rest runs again; a second error leaves the exercise unreported.
template <class Suite>
void FermePresentationsPuis(const ppt::Application& iApplication, Suite&& suite) {
  if (iApplication.Presentations().Count() <= 0) {
    std::forward<Suite>(suite)();
    return;
  }
  try {
    const std::int32_t nDebut = iApplication.Presentations().Item(1).Name() == kPresentationEpargnee ? 2 : 1;
    FermePresentationsDepuis(iApplication, nDebut);
    suite();
  } catch (const vb::Error&) {
    try {
      FermePresentationsDepuis(iApplication, 1);
      std::forward<Suite>(suite)();
    } catch (const vb::Error& erreur) {
      throw ErreurNonTrappee{erreur};
    }
  }
}

}  // namespace k60418
