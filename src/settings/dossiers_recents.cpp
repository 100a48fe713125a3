#include "settings/dossiers_recents.hpp"

#include <array>

#include "module/rapporte_erreur.hpp"
#include "settings/registre.hpp"
#include "vb/error.hpp"
#include "vb/strings.hpp"

namespace k60418 {

namespace {

/// The four settings, always handled in this order.
constexpr std::array<const char*, 4> kNomsParametres = {"Default", "MultimediaDir", "PictureDir",
                                                        "TemplateDir"};

/// Where one setting lives for a version of Office: its key and its value name.
struct EmplacementParametre {
  std::string cle;
  std::string valeur;
};

EmplacementParametre Emplacement(const std::string& sVersionOffice, const std::string& nom) {
  if (sVersionOffice == kVersionOffice) {
    return {"SOFTWARE\\Microsoft\\Office\\11.0\\Powerpoint\\RecentFolderList", nom};
  }
  return {"SOFTWARE\\Microsoft\\Office\\10.0\\Powerpoint\\Recent Folder List\\" + nom, ""};
}

/// The text of every folder-setting error; it names the 10.0-style path for both layouts.
std::string TexteErreur(const std::string& sVersionOffice, const std::string& nom) {
  return std::string("Impossible d'accéder en lecture-écriture à la clé de base de registre") + '\n' + '\r' +
         "HKEY_CURRENT_USER\\SOFTWARE\\Microsoft\\Office\\" + sVersionOffice +
         "\\Powerpoint\\Recent Folder List\\" + nom;
}

constexpr platform::REGSAM kAccesLectureEcriture = platform::KEY_QUERY_VALUE | platform::KEY_SET_VALUE;

/// Writes one setting; raises error 1000 with the error text as source when its key cannot be
/// opened or the value cannot be written.
void EcritParametre(platform::Registry& registry, const std::string& sVersionOffice, const std::string& nom,
                    const std::string& valeur) {
  const EmplacementParametre lieu = Emplacement(sVersionOffice, nom);
  auto cle = registry_access::OpenKey::Open(registry, lieu.cle, kAccesLectureEcriture);
  if (!cle || cle->SetString(lieu.valeur, valeur) != platform::ERROR_SUCCESS) {
    vb::Raise(kErreurEcritureParamUser, TexteErreur(sVersionOffice, nom));
  }
}

}  // namespace

void SauveParamUser(platform::Registry& registry, const std::string& sVersionOffice, Api& api) {
  std::array<std::string*, 4> enregistrements = {&api.DefaultUser, &api.MultimediaDirUser,
                                                 &api.PictureDirUser, &api.TemplateDirUser};
  for (std::size_t i = 0; i < kNomsParametres.size(); ++i) {
    const EmplacementParametre lieu = Emplacement(sVersionOffice, kNomsParametres[i]);
    auto cle = registry_access::OpenKey::Open(registry, lieu.cle, kAccesLectureEcriture);
    if (!cle) {
      vb::Raise(kErreurLectureParamUser, vb::kProjectName, TexteErreur(sVersionOffice, kNomsParametres[i]));
    }
    if (const std::optional<std::string> valeur = cle->QueryString(lieu.valeur)) {
      *enregistrements[i] = vb::LCase(*valeur);
    } else if (i == 0) {
      *enregistrements[i] = "";
    }
  }
  api.ParamUserSauves = true;
}

void ChangeDir(platform::Registry& registry, const std::string& sVersionOffice, const std::string& isPath,
               const std::string& isPathModele) {
  AvecRapport("Module", "ChangeDir", [&] {
    for (const char* nom : kNomsParametres) {
      const bool modeles = std::string(nom) == "TemplateDir";
      EcritParametre(registry, sVersionOffice, nom, modeles ? isPathModele : isPath);
    }
  });
}

void RestaureDir(platform::Registry& registry, const std::string& sVersionOffice, const Api& api) {
  if (!api.ParamUserSauves) return;
  const std::array<const std::string*, 4> enregistrements = {&api.DefaultUser, &api.MultimediaDirUser,
                                                             &api.PictureDirUser, &api.TemplateDirUser};
  for (std::size_t i = 0; i < kNomsParametres.size(); ++i) {
    EcritParametre(registry, sVersionOffice, kNomsParametres[i], *enregistrements[i]);
  }
}

}  // namespace k60418
