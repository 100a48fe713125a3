#include "files/installation.hpp"

#include "module/rapporte_erreur.hpp"
#include "vb/error.hpp"
#include "vb/strings.hpp"

namespace k60418 {

namespace {

const FichiersDeTravail& Liste(const FichiersDeTravail* iFichiers) {
  if (iFichiers == nullptr) vb::Raise(vb::errors::kObjectNotSet);
  return *iFichiers;
}

/// Closes without saving the open presentation that is this working file, if there is one:
/// the one with the highest index whose name is NomDest, with or without ".ppt".
void FermePresentation(const ppt::Application& iApplication, const std::string& sNomDest) {
  const ppt::Presentations presentations = iApplication.Presentations();
  const std::string nomDest = vb::LCase(sNomDest);
  for (std::int32_t j = presentations.Count(); j >= 1; --j) {
    const std::string nom = vb::LCase(presentations.Item(j).Name());
    if (nom == nomDest || nom + ".ppt" == nomDest) {
      const ppt::Presentation presentation = presentations.Item(j);
      presentation.Saved(ppt::msoTrue);
      presentation.Close();
      return;
    }
  }
}

bool EstModele(const std::string& sNomDest) {
  const std::string nom = vb::LCase(sNomDest);
  return nom.size() >= 4 && nom.compare(nom.size() - 4, 4, ".pot") == 0;
}

}  // namespace

void Nettoyage(const FichiersDeTravail* iFichiers, const std::string& isPathDossier,
               const std::string& isPathModele, const ppt::Application& iApplication,
               platform::FileSystem& files) {
  AvecRapport("Module", "Nettoyage", [&] {
    const FichiersDeTravail& fichiers = Liste(iFichiers);
    for (std::int32_t k = 1; k <= fichiers.count(); ++k) {
      const Fichier fichier = fichiers.Item(k);
      FermePresentation(iApplication, fichier.NomDest);
      const std::string chemin =
          (EstModele(fichier.NomDest) ? isPathModele : isPathDossier) + fichier.NomDest;
      IgnoreErreur([&] { files.SetAttr(chemin, platform::attributes::kNormal); });
      IgnoreErreur([&] { files.Kill(chemin); });
    }
  });
}

void Renomme(const FichiersDeTravail* iFichiers, const std::string& isPathDossier,
             const std::string& isPathModele, platform::FileSystem& files) {
  AvecRapport("Module", "Renomme", [&] {
    const FichiersDeTravail& fichiers = Liste(iFichiers);
    for (std::int32_t k = 1; k <= fichiers.count(); ++k) {
      const Fichier fichier = fichiers.Item(k);
      if (fichier.NomSource.empty()) continue;
      const std::string source = isPathDossier + fichier.NomSource;
      files.SetAttr(source, platform::attributes::kNormal);
      files.Name(source, (fichier.Modele ? isPathModele : isPathDossier) + fichier.NomDest);
    }
  });
}

}  // namespace k60418
