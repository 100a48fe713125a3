#include "settings/dossier_modeles.hpp"

#include <algorithm>
#include <vector>

#include "settings/registre.hpp"
#include "vb/error.hpp"
#include "vb/strings.hpp"

namespace k60418 {

namespace {

constexpr const char* kCleGeneral = "SOFTWARE\\Microsoft\\Office\\11.0\\Common\\General";
constexpr const char* kCleShellFolders =
    "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";
constexpr platform::REGSAM kAccesLectureEcriture = platform::KEY_QUERY_VALUE | platform::KEY_SET_VALUE;

[[noreturn]] void ErreurCle(const std::string& cle) {
  vb::Raise(kErreurCleRegistre,
            std::string("Impossible d'accéder en lecture-écriture à la clé de base de registre") + '\n' +
                '\r' + "HKEY_CURRENT_USER\\" + cle);
}

/// True when the key lists a value named exactly "UserTemplates".
bool UserTemplatesPresent(platform::Registry& registry) {
  auto cle = registry_access::OpenKey::Open(registry, kCleGeneral, platform::KEY_READ);
  if (!cle) ErreurCle(kCleGeneral);
  std::vector<char> nom(2000);
  for (platform::DWORD index = 0;; ++index) {
    auto longueur = static_cast<platform::DWORD>(nom.size());
    if (registry.RegEnumValueA(cle->handle(), index, nom.data(), &longueur, nullptr, nullptr, nullptr,
                               nullptr) != platform::ERROR_SUCCESS) {
      return false;
    }
    if (std::string(nom.data(), std::min<std::size_t>(longueur, nom.size())) == "UserTemplates") return true;
  }
}

/// A value of a key opened for reading and writing, lower-cased; "" when it has none.
std::string ValeurMinuscule(const registry_access::OpenKey& cle, const std::string& valeur) {
  return vb::LCase(cle.QueryString(valeur).value_or(""));
}

}  // namespace

void ResoudDossierModeles(platform::Registry& registry, platform::FileSystem& files,
                          std::string& ioPathModele) {
  bool dossierUtilisateur = false;
  if (UserTemplatesPresent(registry)) {
    // A key that lists the value but cannot be opened for it is treated as not listing it, so the
    // folder is always built from the registry (never from an earlier resolution).
    if (auto cle = registry_access::OpenKey::Open(registry, kCleGeneral, kAccesLectureEcriture)) {
      const std::string candidat = ValeurMinuscule(*cle, "UserTemplates");
      if (!candidat.empty()) {
        ioPathModele = candidat;
        dossierUtilisateur = true;
      }
    }
  }
  if (!dossierUtilisateur) {
    {
      auto cle = registry_access::OpenKey::Open(registry, kCleShellFolders, kAccesLectureEcriture);
      if (!cle) ErreurCle(kCleShellFolders);
      ioPathModele = ValeurMinuscule(*cle, "AppData");
    }
    ioPathModele += "\\Microsoft\\";
    auto cle = registry_access::OpenKey::Open(registry, kCleGeneral, kAccesLectureEcriture);
    if (!cle) ErreurCle(kCleGeneral);
    ioPathModele += ValeurMinuscule(*cle, "Templates");
  }
  if (!ioPathModele.empty() && ioPathModele.back() == '\\') ioPathModele.pop_back();
  ioPathModele += kDossierModelesCours;
  files.MakeSureDirectoryPathExists(ioPathModele);
}

}  // namespace k60418
