// The template folder of the course: the user's template folder, found in the registry, with the
// course's own folder "\ZUK Modèles\" in it, created on disk.
#pragma once

#include <cstdint>
#include <string>

#include "platform/filesystem.hpp"
#include "platform/registry.hpp"

namespace k60418 {

/// The course's folder inside the user's template folder.
inline constexpr const char* kDossierModelesCours = "\\ZUK Modèles\\";

/// The error number raised for a registry key that cannot be opened (0x800403E8), with the
/// message, LF, CR and the key's full path as source.
inline constexpr std::int32_t kErreurCleRegistre = -2147220504;

/// Resolves the template folder into ioPathModele: the user's "UserTemplates" folder when one is
/// recorded, otherwise the application-data folder & "\Microsoft\" & Office's template
/// sub-folder; lower-cased, with "\ZUK Modèles\" appended; then creates it on disk.
/// Raises kErreurCleRegistre for a key that cannot be opened.
void ResoudDossierModeles(platform::Registry& registry, platform::FileSystem& files,
                          std::string& ioPathModele);

}  // namespace k60418
