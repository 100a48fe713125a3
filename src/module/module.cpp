#include "module/module.hpp"

#include <array>

#include "exercises/fabrique.hpp"
#include "files/installation.hpp"
#include "inspect/verifie_etat.hpp"
#include "module/rapporte_erreur.hpp"
#include "powerpoint/barres_commandes.hpp"
#include "settings/dossier_modeles.hpp"
#include "settings/dossiers_recents.hpp"
#include "vb/error.hpp"

namespace k60418 {

namespace {

/// The key of the folder settings, created if missing at every InitQuestion.
constexpr const char* kCleDossiersRecents = "SOFTWARE\\Microsoft\\Office\\11.0\\Powerpoint\\RecentFolderList";

/// How long Fermer waits for the assistant's balloon to go, and how often it looks.
constexpr int kAttenteBulleMs = 200;
constexpr int kPasAttenteBulleMs = 5;

}  // namespace

Module::Module(platform::Platform platform)
    : platform_(platform), controle_(platform.windows, platform.automation) {}

Module::~Module() = default;

bool Module::BravoNuance() {
  if (!oQuestion) vb::Raise(vb::errors::kObjectNotSet);
  return oQuestion->BravoNuance();
}

std::shared_ptr<host::ComplementInfo> Module::Complement() {
  if (!oQuestion) vb::Raise(vb::errors::kObjectNotSet);
  return oQuestion->ComplementInfo();
}

std::string Module::CauseErreur() {
  if (bErreurGenerale) return sCauseErreur;
  if (!oQuestion) vb::Raise(vb::errors::kObjectNotSet);
  return oQuestion->CauseErreur();
}

bool Module::ErreurGenerale() {
  return bErreurGenerale;
}

const FichiersDeTravail* Module::ListeFichiers() const {
  return oQuestion ? &oQuestion->FichiersDeTravail() : nullptr;
}

void Module::FermeBulle() {
  const platform::HWND bulle = platform_.windows.FindWindowA(kClasseBulleAssistant, nullptr);
  if (bulle == 0) return;
  controle_.FermeFenetre(bulle);
  for (int attendu = 0; attendu < kAttenteBulleMs; attendu += kPasAttenteBulleMs) {
    if (platform_.windows.FindWindowA(kClasseBulleAssistant, nullptr) == 0) return;
    platform_.clock.Sleep(kPasAttenteBulleMs);
  }
}

void Module::Fermer() {
  if (!controle_.VerifieApplication()) {
    // PowerPoint no longer answers: the settings go back at once, and nothing is cleaned.
    RestaureDir(platform_.registry, sVersionOffice, api_);
    if (!oQuestion) vb::Raise(vb::errors::kObjectNotSet);
    oQuestion->Fermer();
    oQuestion.reset();
    return;
  }
  FermeBulle();
  controle_.FermeDialogues(controle_.lHandleLogiciel);

  // From here on every error is ignored.
  const ppt::Application& application = controle_.oApplication;
  IgnoreErreur(
      [&] { bTaskPaneVisible = application.CommandBars().Item(std::string("Task Pane")).Visible(); });
  IgnoreErreur([&] { controle_.lShowStartupDialog = application.ShowStartupDialog(); });
  IgnoreErreur([&] { RestaureDir(platform_.registry, sVersionOffice, api_); });
  if (controle_.VerifieFenetre()) {
    IgnoreErreur(
        [&] { Nettoyage(ListeFichiers(), sPathDossier, sPathModele, application, platform_.files); });
  }
  IgnoreErreur([&] { RestaureDir(platform_.registry, sVersionOffice, api_); });
  if (oQuestion) oQuestion->Fermer();
  oQuestion.reset();
}

void Module::InitQuestion(
    std::int32_t ilQuestion, const std::string& isPathDossier, ppt::Application& ioApplication,
    std::int32_t& ioHandleLogiciel,
    std::optional<std::string> /*isPathModele: not used, the folder comes from the registry*/) {
  // 1. The registry key of the folder settings exists.
  sVersionOffice = kVersionOffice;
  platform::HKEY cle = 0;
  if (platform_.registry.RegCreateKeyA(platform::HKEY_CURRENT_USER, kCleDossiersRecents, &cle) ==
      platform::ERROR_SUCCESS) {
    platform_.registry.RegCloseKey(cle);
  }

  // 2. A handle whose window no longer exists is forgotten with its application.
  if (ioHandleLogiciel != -1) {
    std::array<char, 255> classe{};
    if (platform_.windows.GetClassNameA(ioHandleLogiciel, classe.data(), static_cast<int>(classe.size())) ==
        0) {
      ioApplication = ppt::Application();
      controle_.oApplication = ppt::Application();
      ioHandleLogiciel = -1;
      controle_.lHandleLogiciel = 0;
    }
  }

  // 3. Attach to PowerPoint: the host's instance while it is fit, otherwise one of the module's own.
  if (ioApplication.IsNothing()) {
    controle_.GetApplication();
    bApplicationCreee = true;
    ioApplication = controle_.oApplication;
    ioHandleLogiciel = controle_.lHandleLogiciel;
  } else {
    if (!controle_.oApplication.Is(ioApplication)) bApplicationCreee = false;
    controle_.VerifieApplication();
    controle_.oApplication = ioApplication;
    controle_.lHandleLogiciel = ioHandleLogiciel;
    if (!controle_.VerifieApplication()) {
      ioApplication = ppt::Application();
      controle_.GetApplication();
      bApplicationCreee = true;
      ioApplication = controle_.oApplication;
      ioHandleLogiciel = controle_.lHandleLogiciel;
    }
  }

  // 4. The user's folder settings are recorded. While an exercise is still open the registry holds
  //    that exercise's folders, not the user's: the recording made when it was set up is kept, so
  //    that closing it below puts the user's own folders back.
  if (!oQuestion) SauveParamUser(platform_.registry, sVersionOffice, api_);

  // 5. A modal dialog left open over PowerPoint is closed; 6. so is an exercise still open.
  controle_.FermeDialogues(controle_.lHandleLogiciel);
  if (oQuestion) Fermer();

  // 7-9. The exercise and the template folder.
  AvecRapport("Module", "InitQuestion", [&] {
    lQuestion = ilQuestion;
    ContexteExercice contexte{api_, platform_.clock, platform_.files};
    oQuestion = CreeQuestion(ilQuestion, contexte);
    sPathDossier = isPathDossier;
    ResoudDossierModeles(platform_.registry, platform_.files, sPathModele);
  });

  // 11. Old copies go, the host's files take their working names.
  Nettoyage(ListeFichiers(), sPathDossier, sPathModele, controle_.oApplication, platform_.files);
  Renomme(ListeFichiers(), sPathDossier, sPathModele, platform_.files);

  // 12. What the integrity check looks for (Nettoyage has raised error 91 when there is no exercise).
  api_.NomFichier = oQuestion->FichiersDeTravail().Item(1).NomDest;
  api_.PathFichier = isPathDossier;

  // 13-15. Tooltips, the exercise's own preparation, the toolbars.
  controle_.oApplication.CommandBars().DisplayTooltips(true);
  oQuestion->Prepare(controle_.oApplication, api_.PathFichier, sPathModele);
  InitCommandBar(controle_.oApplication, bTaskPaneVisible);

  // 16. PowerPoint's dialogs now open in the exercise's folders.
  ChangeDir(platform_.registry, sVersionOffice, oQuestion->PathDossierParDefaut(), sPathModele);

  // 17. The start-up dialog setting as it was; 18. PowerPoint to the front.
  IgnoreErreur([&] { controle_.oApplication.ShowStartupDialog(controle_.lShowStartupDialog); });
  AvecRapport("Module", "InitQuestion", [&] { controle_.ActiveFenetre(); });
}

void Module::Quitter(ppt::Application& ioApplication, std::int32_t& ioHandleLogiciel) {
  if (oQuestion) Fermer();
  if (controle_.VerifieApplication() && bApplicationCreee) {
    ioApplication.Quit();
    ioHandleLogiciel = 0;
    ioApplication = ppt::Application();
  }
  controle_.oApplication = ppt::Application();
  controle_.lHandleLogiciel = 0;
}

void Module::TestePoint() {
  bErreurGenerale = false;
  if (!controle_.VerifieApplication()) {
    bErreurGenerale = true;
    sCauseErreur = "AK";
    return;
  }
  if (!controle_.VerifieFenetre()) {
    bErreurGenerale = true;
    sCauseErreur = "%AL";
    return;
  }
  if (!controle_.ActiveFenetre()) {
    bErreurGenerale = true;
    sCauseErreur = "AM";
    return;
  }
  bool etatCorrect = false;
  try {
    etatCorrect = VerifieEtat(api_, controle_.oApplication, lQuestion, sCauseErreur);
  } catch (const vb::Error&) {
    bErreurGenerale = true;
    sCauseErreur = "AN";
    return;
  }
  if (!etatCorrect) {
    bErreurGenerale = true;
    return;
  }
  if (!oQuestion) vb::Raise(vb::errors::kObjectNotSet);
  oQuestion->TestePoint();
}

}  // namespace k60418
