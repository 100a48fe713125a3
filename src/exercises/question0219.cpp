// Exercise 0219: show the print preview of handouts of four slides per page, for the whole
// presentation. The check reads the window's view and the print options of the preview.
#include "exercises/questions.hpp"
#include "inspect/diapos.hpp"

namespace k60418 {

namespace {

class Question0219 final : public Exercise {
 public:
  explicit Question0219(const ContexteExercice& contexte) : Exercise("Question0219", contexte) {
    oFichiersDeTravail().add("02131219.ppt", "Cinéloisirs.ppt", false);
  }

 protected:
  void CorpsPrepare(ppt::Application& iApplication, const std::string& isPathDossier,
                    const std::optional<std::string>& isPathModele) override {
    DebutPrepare(iApplication, isPathDossier, isPathModele);
    OuvrePresentation("Cinéloisirs.ppt");
    MarqueDiapos(api(), oApplication);
  }

  // "A": not the print preview; "B": not the whole presentation; "C": not handouts of four slides
  // per page.
  void CorpsTestePoint() override {
    if (oApplication.ActiveWindow().ViewType() != ppt::ppViewPrintPreview) {
      sCauseErreur = "A";
      return;
    }
    if (oApplication.ActiveWindow().View().PrintOptions().RangeType() != ppt::ppPrintAll) {
      sCauseErreur = "B";
      return;
    }
    if (oApplication.ActiveWindow().View().PrintOptions().OutputType() !=
        ppt::ppPrintOutputFourSlideHandouts) {
      sCauseErreur = "C";
    }
  }
};

}  // namespace

FicheQuestion FicheQuestion0219() {
  return FicheDe<Question0219>();
}

}  // namespace k60418
