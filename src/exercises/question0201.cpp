// Exercise 0201: apply the design template "Texture" to "Cinéloisirs.ppt".
// The set-up installs "Texture.pot" in the template folder; the check reads the name of the
// template the presentation was last given.
#include "exercises/questions.hpp"
#include "inspect/diapos.hpp"

namespace k60418 {

namespace {

class Question0201 final : public Exercise {
 public:
  explicit Question0201(const ContexteExercice& contexte) : Exercise("Question0201", contexte) {
    oFichiersDeTravail().add("02131201.ppt", "Cinéloisirs.ppt", false);
    oFichiersDeTravail().add("12131201.pot", "Texture.pot", true);
  }

 protected:
  void CorpsPrepare(ppt::Application& iApplication, const std::string& isPathDossier,
                    const std::optional<std::string>& isPathModele) override {
    DebutPrepare(iApplication, isPathDossier, isPathModele);
    OuvrePresentation("Cinéloisirs.ppt");
    oApplication.ActiveWindow().ViewType(ppt::ppViewNormal);
    MarqueDiapos(api(), oApplication);
  }

  // "A": the template "Pixel" is in use; "B": a template other than "Texture" (or none).
  // PowerPoint reports the template's name with its extension where the .pot type is registered,
  // so each template is recognised with or without ".pot".
  void CorpsTestePoint() override {
    const std::string modele = oApplication.ActivePresentation().TemplateName();
    if (modele == "Pixel" || modele == "Pixel.pot") {
      sCauseErreur = "A";
      return;
    }
    if (modele != "Texture" && modele != "Texture.pot") sCauseErreur = "B";
  }
};

}  // namespace

FicheQuestion FicheQuestion0201() {
  return FicheDe<Question0201>();
}

}  // namespace k60418
