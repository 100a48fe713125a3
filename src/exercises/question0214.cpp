// Exercise 0214: give the background of all slides the preset texture "Walnut" (22).
// The check wants every slide to follow its master's background, and the slide master and the
// title master to carry the same textured background with that texture.
#include "exercises/questions.hpp"
#include "inspect/diapos.hpp"

namespace k60418 {

namespace {

/// The white of a picture fill whose picture PowerPoint could not take a colour from.
constexpr std::int32_t kBlanc = 0xFFFFFF;

class Question0214 final : public Exercise {
 public:
  explicit Question0214(const ContexteExercice& contexte) : Exercise("Question0214", contexte) {
    oFichiersDeTravail().add("02131214.ppt", "Cinéloisirs.ppt", false);
  }

 protected:
  void CorpsPrepare(ppt::Application& iApplication, const std::string& isPathDossier,
                    const std::optional<std::string>& isPathModele) override {
    DebutPrepare(iApplication, isPathDossier, isPathModele);
    OuvrePresentation("Cinéloisirs.ppt");
    MarqueDiapos(api(), oApplication);
    oApplication.ActiveWindow().ViewType(ppt::ppViewNormal);
    oApplication.ActiveWindow().View().GotoSlide(1);
  }

  // "F": a slide has a background of its own; "A": the two masters' backgrounds differ; "E": a
  // picture background read as white; "B": not a textured background; "C": another texture.
  // A presentation without a title master ends the check with a reported error.
  void CorpsTestePoint() override {
    const ppt::Presentation oPresentation = oApplication.ActivePresentation();
    if (oPresentation.Slides().Range().FollowMasterBackground() != ppt::msoTrue) {
      sCauseErreur = "F";
      return;
    }
    const ppt::FillFormat oFondDiapos = oPresentation.SlideMaster().Background().Fill();
    const ppt::FillFormat oFondTitre = oPresentation.TitleMaster().Background().Fill();

    const std::int32_t nType1 = oFondDiapos.Type();
    const std::int32_t nType2 = oFondTitre.Type();
    if (nType1 != nType2) {
      sCauseErreur = "A";
      return;
    }
    if (nType1 == ppt::msoFillPicture) {
      const std::int32_t lCouleur1 = oFondDiapos.ForeColor().RGB();
      const std::int32_t lCouleur2 = oFondTitre.ForeColor().RGB();
      if (lCouleur1 != lCouleur2) {
        sCauseErreur = "A";
        return;
      }
      if (lCouleur1 == kBlanc) {
        sCauseErreur = "E";
        return;
      }
    }
    if (nType1 != ppt::msoFillTextured) {
      sCauseErreur = "B";
      return;
    }
    const std::int32_t nTexture1 = oFondDiapos.PresetTexture();
    const std::int32_t nTexture2 = oFondTitre.PresetTexture();
    if (nTexture1 != nTexture2) {
      sCauseErreur = "A";
      return;
    }
    if (nTexture1 != ppt::msoTextureWalnut) sCauseErreur = "C";
  }
};

}  // namespace

FicheQuestion FicheQuestion0214() {
  return FicheDe<Question0214>();
}

}  // namespace k60418
