#include "inspect/verifie_etat.hpp"

#include "inspect/diapos.hpp"
#include "vb/strings.hpp"

namespace k60418 {

void VerifiePresentation(Api& api, const ppt::Application& ioApplication) {
  api.PresentationOuverte = true;
  api.CheminPresent = false;
  api.PresentationActive = false;
  const ppt::Presentations presentations = ioApplication.Presentations();
  const std::int32_t n = presentations.Count();
  if (n == 0) {
    api.PresentationOuverte = false;
    return;
  }
  const std::string nomFichier = vb::LCase(api.NomFichier);
  const std::string cheminFichier = vb::LCase(api.PathFichier + api.NomFichier);
  for (std::int32_t i = 1; i <= n; ++i) {
    const std::string nom = vb::LCase(presentations.Item(i).Name());
    if (nomFichier != nom && nomFichier != nom + ".ppt") continue;
    if (vb::LCase(presentations.Item(i).FullName()) != cheminFichier) continue;
    api.CheminPresent = true;
    if (ioApplication.ActivePresentation().Is(presentations.Item(i))) {
      api.PresentationActive = true;
      break;
    }
  }
}

bool VerifieEtat(Api& api, const ppt::Application& oApplication, std::int32_t lQuestion,
                 std::string& ioCauseErreur) {
  if (lQuestion == 223 || lQuestion == 224) return true;
  VerifiePresentation(api, oApplication);
  if (api.PresentationActive) VerifieDiapos(api, oApplication);
  if (!api.PresentationOuverte) {
    ioCauseErreur = "A";
    return false;
  }
  if (lQuestion == 222) return true;
  const char* code = !api.CheminPresent        ? "F"
                     : !api.PresentationActive ? "G"
                     : api.DiaposSupprimees    ? "C"
                     : api.DiaposAjoutees      ? "D"
                     : api.OrdreModifie        ? "E"
                                               : nullptr;
  if (code == nullptr) return true;
  ioCauseErreur = code;
  return false;
}

}  // namespace k60418
