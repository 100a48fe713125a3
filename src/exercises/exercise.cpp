#include "exercises/exercise.hpp"

#include "module/rapporte_erreur.hpp"

namespace k60418 {

namespace {

/// Runs a procedure's body inside the class's reporting trap; errors of steps the exercise does not
/// trap leave as they are.
template <class Body>
void AvecTrappe(const std::string& classe, const char* service, Body&& body) {
  try {
    AvecRapport(classe, service, std::forward<Body>(body));
  } catch (const ErreurNonTrappee& nonTrappee) {
    throw nonTrappee.erreur;
  }
}

/// The error of an exercise whose preparation or check is not written in this version.
[[noreturn]] void NonDisponible(const std::string& classe) {
  vb::Raise(vb::errors::kInvalidCall, vb::kProjectName,
            "L'exercice " + classe + " n'est pas disponible dans cette version du module");
}

}  // namespace

void Exercise::Prepare(ppt::Application& iApplication, const std::string& isPathDossier,
                       std::optional<std::string> isPathModele) {
  AvecTrappe(sNomClasse_, "Prepare", [&] { CorpsPrepare(iApplication, isPathDossier, isPathModele); });
}

void Exercise::TestePoint() {
  AvecTrappe(sNomClasse_, "TestePoint", [&] {
    oComplementInfo = std::make_shared<::k60418::ComplementInfo>();
    CorpsTestePoint();
  });
}

void Exercise::Fermer() {
  oApplication = ppt::Application();
  oFichiersDeTravail_.reset();
  oComplementInfo.reset();
}

void Exercise::CorpsPrepare(ppt::Application&, const std::string&, const std::optional<std::string>&) {
  NonDisponible(sNomClasse_);
}

void Exercise::CorpsTestePoint() {
  NonDisponible(sNomClasse_);
}

void Exercise::DebutPrepare(ppt::Application& iApplication, const std::string& isPathDossier,
                            const std::optional<std::string>& isPathModele) {
  sPathDossier = isPathDossier;
  if (isPathModele) sPathModele = *isPathModele;
  InitDossierParDefaut();
  oApplication = iApplication;
}

ppt::Presentation Exercise::OuvrePresentation(const std::string& sNomFichier) {
  return oApplication.Presentations().Open(sPathDossier + sNomFichier, ppt::msoFalse, ppt::msoFalse,
                                           ppt::msoTrue);
}

void Exercise::AjouteComplement(const std::string& sLigne) {
  if (!oComplementInfo) vb::Raise(vb::errors::kObjectNotSet);
  oComplementInfo->ComplementInfo_add(sLigne, 0);
}

::k60418::FichiersDeTravail& Exercise::oFichiersDeTravail() {
  if (!oFichiersDeTravail_) oFichiersDeTravail_.emplace();
  return *oFichiersDeTravail_;
}

}  // namespace k60418
