// Exercise 0223: create a presentation from the design template "Ciné.pot".
// The set-up installs "Ciné.pot" in the template folder and leaves PowerPoint with no exercise
// presentation open; the check wants an active presentation created since the preparation whose
// template property names "Ciné.pot".
#include "exercises/questions.hpp"
#include "exercises/sans_presentation.hpp"
#include "vb/strings.hpp"

namespace k60418 {

namespace {

/// The built-in document properties the check reads.
constexpr std::int32_t kProprieteModele = 6;
constexpr std::int32_t kProprieteDateCreation = 11;

class Question0223 final : public Exercise {
 public:
  explicit Question0223(const ContexteExercice& contexte) : Exercise("Question0223", contexte) {
    oFichiersDeTravail().add("02131223.pot", "Ciné.pot", true);
  }

 protected:
  void CorpsPrepare(ppt::Application& iApplication, const std::string& isPathDossier,
                    const std::optional<std::string>& isPathModele) override {
    FermePresentationsPuis(iApplication, [&] {
      DebutPrepare(iApplication, isPathDossier, isPathModele);
      api().HeurePreparation = clock().Now();
    });
  }

  // "C": no presentation to check (or one that cannot be read); "A": the active presentation was
  // created before the preparation; "B": it is not based on "Ciné.pot".
  void CorpsTestePoint() override {
    try {
      if (oApplication.Presentations().Count() == 0 || oApplication.ActivePresentation().FullName().empty()) {
        sCauseErreur = "C";
        return;
      }
      const ppt::Presentation oPresentation = oApplication.ActivePresentation();
      if (oPresentation.BuiltInDocumentProperties(kProprieteDateCreation).Value().ToDate() <
          api().HeurePreparation) {
        sCauseErreur = "A";
        return;
      }
      const std::string sModele =
          vb::LCase(oPresentation.BuiltInDocumentProperties(kProprieteModele).Value().ToString());
      if (sModele != "ciné.pot" && sModele != "ciné") sCauseErreur = "B";
    } catch (const vb::Error&) {
      sCauseErreur = "C";
    }
  }
};

}  // namespace

FicheQuestion FicheQuestion0223() {
  return FicheDe<Question0223>();
}

}  // namespace k60418
