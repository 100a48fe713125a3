// Exercise 0222: save the presentation as the design template "Ciné.pot" in the template folder.
// The check looks at the file the active presentation now is (its name, its folder, its
// extension), at its template property, and at its two slides, which must be those of the
// preparation in their order. The integrity check before it only makes sure that a presentation
// is open, since the exercise presentation changes its name.
#include "exercises/questions.hpp"
#include "inspect/diapos.hpp"
#include "module/rapporte_erreur.hpp"
#include "vb/strings.hpp"

namespace k60418 {

namespace {

/// The built-in document properties the check reads.
constexpr std::int32_t kProprieteModele = 6;
constexpr std::int32_t kProprieteDerniereSauvegarde = 12;

/// The number of slides the presentation has at preparation.
constexpr std::int32_t kNbDiapos = 2;

/// True when the lower-cased name or path s, or s followed by ".pot", is one of the two expected
/// ones: the template with its extension or without.
bool EstModeleAttendu(const std::string& s, const std::string& sAvecExtension,
                      const std::string& sSansExtension) {
  return s == sAvecExtension || s + ".pot" == sAvecExtension || s == sSansExtension ||
         s + ".pot" == sSansExtension;
}

class Question0222 final : public Exercise {
 public:
  explicit Question0222(const ContexteExercice& contexte) : Exercise("Question0222", contexte) {
    oFichiersDeTravail().add("02131222.ppt", "Cinéloisirs.ppt", false);
    oFichiersDeTravail().add("", "Ciné.pot", true);
    oFichiersDeTravail().add("", "Ciné", true);
  }

 protected:
  void CorpsPrepare(ppt::Application& iApplication, const std::string& isPathDossier,
                    const std::optional<std::string>& isPathModele) override {
    DebutPrepare(iApplication, isPathDossier, isPathModele);
    OuvrePresentation("Cinéloisirs.ppt");
    MarqueDiapos(api(), oApplication);
    oApplication.ActiveWindow().ViewType(ppt::ppViewNormal);
  }

  // "A": not saved as a template (still a presentation, a template property of its own, or its
  // file could not be read); "B": another template name; "C": not in the template folder; "D":
  // not two slides (the count in one line of the additional information); "E" and "F": slide 1 or
  // slide 2 is not the one of the preparation.
  void CorpsTestePoint() override {
    // Read with errors ignored: any error counts as not saved as a template.
    std::int32_t lErreur = 0;
    std::string sNomComplet;
    bool bModeleNomme = false;
    const auto retiens = [&lErreur](std::int32_t lNumero) {
      if (lNumero != 0) lErreur = lNumero;
    };
    retiens(IgnoreErreur([&] {
      oApplication.ActivePresentation()
          .BuiltInDocumentProperties(kProprieteDerniereSauvegarde)
          .Value()
          .ToDate();
    }));
    retiens(IgnoreErreur([&] { sNomComplet = oApplication.ActivePresentation().FullName(); }));
    retiens(IgnoreErreur([&] {
      bModeleNomme =
          oApplication.ActivePresentation().BuiltInDocumentProperties(kProprieteModele).Value().ToString() !=
          "";
    }));
    if (bModeleNomme || lErreur != 0 || vb::Right(vb::LCase(sNomComplet), 4) == ".ppt") {
      sCauseErreur = "A";
      return;
    }

    // From here on the check has no trap of its own.
    SansTrappe([&] {
      const ppt::Presentation oPresentation = oApplication.ActivePresentation();
      const std::string sNom = vb::LCase(oPresentation.Name());
      if (!EstModeleAttendu(sNom, "ciné.pot", "ciné")) {
        sCauseErreur = "B";
        return;
      }
      const std::string sChemin = vb::LCase(oPresentation.FullName());
      const std::string sDossier = vb::LCase(sPathModele);
      if (!EstModeleAttendu(sChemin, sDossier + "ciné.pot", sDossier + "ciné")) {
        sCauseErreur = "C";
        return;
      }
      const std::int32_t nDiapos = oPresentation.Slides().Count();
      if (nDiapos != kNbDiapos) {
        sCauseErreur = "D";
        AjouteComplement(" " + std::to_string(nDiapos));
        return;
      }
      if (oPresentation.Slides().Item(1).Tags().Item(kTagIdentite) != ValeurIdentite(1)) {
        sCauseErreur = "E";
        return;
      }
      if (oPresentation.Slides().Item(2).Tags().Item(kTagIdentite) != ValeurIdentite(2)) sCauseErreur = "F";
    });
  }
};

}  // namespace

FicheQuestion FicheQuestion0222() {
  return FicheDe<Question0222>();
}

}  // namespace k60418
