// The working-file list of an exercise: the model files the host places in the working folder
// under their source names, and the names the learner works with.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace k60418 {

/// One working file.
struct Fichier {
  /// The name under which the host places the file in the working folder ("02131201.ppt");
  /// empty for a file that only the learner's work produces.
  std::string NomSource;
  /// The name the learner works with ("Cinéloisirs.ppt").
  std::string NomDest;
  /// True for a design template: it goes to the template folder instead of the working folder.
  bool Modele = false;
};

/// The ordered list of an exercise's working files, positions from 1; the first entry is the
/// exercise presentation. Records are copied in and out.
class FichiersDeTravail {
 public:
  /// Appends a record as the last entry.
  void add(std::string siNomSource, std::string siNomDest, bool biModele);
  /// The number of entries.
  std::int32_t count() const;
  /// A copy of the entry at position noItem (1 = first); error 9 outside 1..count.
  Fichier Item(std::int32_t noItem) const;

 private:
  std::vector<Fichier> fichiers_;
};

}  // namespace k60418
