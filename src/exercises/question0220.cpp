// Exercise 0220: turn the notes, handouts and outline to landscape in the page setup, the slides
// staying landscape. The check reads only the two orientations of the page setup; the preparation
// also sets the print options to handouts of four slides per page.
#include "exercises/questions.hpp"
#include "inspect/diapos.hpp"
#include "inspect/masques.hpp"

namespace k60418 {

namespace {

/// The zoom of the view the presentation opens in, set before the switch to the normal view.
constexpr std::int32_t kZoomPreparation = 50;

class Question0220 final : public Exercise {
 public:
  explicit Question0220(const ContexteExercice& contexte) : Exercise("Question0220", contexte) {
    oFichiersDeTravail().add("02131220.ppt", "Cinéloisirs.ppt", false);
  }

 protected:
  void CorpsPrepare(ppt::Application& iApplication, const std::string& isPathDossier,
                    const std::optional<std::string>& isPathModele) override {
    DebutPrepare(iApplication, isPathDossier, isPathModele);
    OuvrePresentation("Cinéloisirs.ppt");
    MarqueDiapos(api(), oApplication);
    const ppt::DocumentWindow oFenetre = oApplication.ActiveWindow();
    oFenetre.View().Zoom(kZoomPreparation);
    oFenetre.ViewType(ppt::ppViewNormal);
    oApplication.ActivePresentation().PrintOptions().OutputType(ppt::ppPrintOutputFourSlideHandouts);
    MarqueMasqueDiapos(oApplication);
  }

  // "B": the slides were turned to portrait; "A": notes and handouts are not landscape.
  void CorpsTestePoint() override {
    const ppt::PageSetup oMiseEnPage = oApplication.ActivePresentation().PageSetup();
    if (oMiseEnPage.SlideOrientation() != ppt::msoOrientationHorizontal) {
      sCauseErreur = "B";
      return;
    }
    if (oMiseEnPage.NotesOrientation() != ppt::msoOrientationHorizontal) sCauseErreur = "A";
  }
};

}  // namespace

FicheQuestion FicheQuestion0220() {
  return FicheDe<Question0220>();
}

}  // namespace k60418
