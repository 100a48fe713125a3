// Installation and cleanup of an exercise's working files: the host's model files renamed to the
// names the learner works with (design templates moved into the template folder), and the
// learner's copies closed and deleted when the exercise ends.
#pragma once

#include <string>

#include "files/fichiers_de_travail.hpp"
#include "platform/filesystem.hpp"
#include "powerpoint/ppt.hpp"

namespace k60418 {

/// Closes, without saving, every presentation open in PowerPoint that is one of the working files
/// (by its name, with or without ".ppt"; of two with one name the later opened), and deletes the
/// files under their destination names: a ".pot" from isPathModele, any other from isPathDossier.
/// A file that is missing or cannot be deleted is no error. iFichiers null means that no exercise
/// is open (error 91). Errors are reported as "Nettoyage" of "Module".
void Nettoyage(const FichiersDeTravail* iFichiers, const std::string& isPathDossier,
               const std::string& isPathModele, const ppt::Application& iApplication,
               platform::FileSystem& files);

/// Renames every working file that has a source name from isPathDossier & NomSource to its
/// destination: isPathModele & NomDest for a template, isPathDossier & NomDest otherwise; a
/// read-only source is made normal first. The first failure stops it (the files before keep their
/// new names); errors are reported as "Renomme" of "Module".
void Renomme(const FichiersDeTravail* iFichiers, const std::string& isPathDossier,
             const std::string& isPathModele, platform::FileSystem& files);

}  // namespace k60418
