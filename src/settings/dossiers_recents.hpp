// PowerPoint's remembered folders (open and save, sounds and movies, pictures, templates): the
// user's values are recorded at the start of an exercise, pointed at the exercise's folders
// while it runs, and written back when it closes.
#pragma once

#include <string>

#include "inspect/api.hpp"
#include "platform/registry.hpp"

namespace k60418 {

/// The Office version whose registry layout the folder settings use when it is this one.
inline constexpr const char* kVersionOffice = "11.0";

/// The error number SauveParamUser raises for a key it cannot open (the automation error base
/// plus 1000), with the error text as description.
inline constexpr std::int32_t kErreurLectureParamUser = -2147220504;
/// The error number ChangeDir and RestaureDir raise for a key they cannot open or write, with
/// the error text as source.
inline constexpr std::int32_t kErreurEcritureParamUser = 1000;

/// Records the user's four folder settings (lower-cased) in api. Raises for a key that cannot be
/// opened; the settings before it are recorded. An open and save folder with no value is
/// recorded as empty; the other three keep their earlier recording.
void SauveParamUser(platform::Registry& registry, const std::string& sVersionOffice, Api& api);

/// Points the open and save, sounds and movies and pictures folders at isPath and the templates
/// folder at isPathModele. Errors are reported as the procedure "ChangeDir" of "Module".
void ChangeDir(platform::Registry& registry, const std::string& sVersionOffice, const std::string& isPath,
               const std::string& isPathModele);

/// Writes the recorded folder settings back. Raises for a key that cannot be opened or written.
/// Does nothing when nothing has been recorded yet, so that the user's values are never
/// overwritten with the empty initial recording.
void RestaureDir(platform::Registry& registry, const std::string& sVersionOffice, const Api& api);

}  // namespace k60418
