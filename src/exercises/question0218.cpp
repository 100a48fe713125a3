// Exercise 0218: apply the design template "Texture" to part of a presentation whose slides use
// the design "Capsules", so that it ends with exactly these two designs.
// The check reads only the names of the presentation's designs, compared exactly and with case.
#include "exercises/questions.hpp"
#include "inspect/diapos.hpp"

namespace k60418 {

namespace {

class Question0218 final : public Exercise {
 public:
  explicit Question0218(const ContexteExercice& contexte) : Exercise("Question0218", contexte) {
    oFichiersDeTravail().add("02131218.ppt", "Cinéloisirs.ppt", false);
  }

 protected:
  void CorpsPrepare(ppt::Application& iApplication, const std::string& isPathDossier,
                    const std::optional<std::string>& isPathModele) override {
    DebutPrepare(iApplication, isPathDossier, isPathModele);
    OuvrePresentation("Cinéloisirs.ppt");
    MarqueDiapos(api(), oApplication);
  }

  // "A": no design at all; "B": no "Texture"; "C": only "Texture"; "D": more than two designs;
  // "E": "Texture" beside a design other than "Capsules", named in one line of the additional
  // information (a space, then the name of design 2).
  void CorpsTestePoint() override {
    const ppt::Designs oDesigns = oApplication.ActivePresentation().Designs();
    const std::int32_t nDesigns = oDesigns.Count();
    bool bCapsules = false;
    bool bTexture = false;
    for (std::int32_t i = 1; i <= nDesigns; ++i) {
      const std::string sNom = oDesigns.Item(i).Name();
      if (sNom == "Capsules") {
        bCapsules = true;
      } else if (sNom == "Texture") {
        bTexture = true;
      }
    }
    if (!bTexture) {
      sCauseErreur = nDesigns < 1 ? "A" : "B";
    } else if (nDesigns == 1) {
      sCauseErreur = "C";
    } else if (nDesigns > 2) {
      sCauseErreur = "D";
    } else if (!bCapsules) {
      sCauseErreur = "E";
      AjouteComplement(" " + oDesigns.Item(2).Name());
    }
  }
};

}  // namespace

FicheQuestion FicheQuestion0218() {
  return FicheDe<Question0218>();
}

}  // namespace k60418
