// The integrity check made before every verdict: the exercise presentation must still be open from
// the folder it was installed in, be the active presentation, and have its slides neither
// deleted, added nor reordered.
#pragma once

#include <cstdint>
#include <string>

#include "inspect/api.hpp"
#include "powerpoint/ppt.hpp"

namespace k60418 {

/// Looks for the exercise presentation (NomFichier in PathFichier) among the open presentations
/// and sets PresentationOuverte, CheminPresent and PresentationActive. Names and paths are
/// compared in lower case; a name reported without ".ppt" still matches. Errors of PowerPoint
/// reach the caller.
void VerifiePresentation(Api& api, const ppt::Application& ioApplication);

/// True when the exercise's own check may run. Otherwise stores the general-error code in
/// ioCauseErreur and returns False: "A" no presentation open, "F" the exercise presentation not
/// open from its folder, "G" not the active one, "C" slides deleted, "D" slides added, "E" slide
/// order changed. Exercises 223 and 224 skip the check; 222 stops after "A". Errors of PowerPoint
/// reach the caller.
bool VerifieEtat(Api& api, const ppt::Application& oApplication, std::int32_t lQuestion,
                 std::string& ioCauseErreur);

}  // namespace k60418
