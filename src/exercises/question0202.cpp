// Exercise 0202: give slide 2 of "Cinéloisirs.ppt" the title layout.
// The module shows slide 2; the check reads that slide's layout.
#include "exercises/questions.hpp"
#include "inspect/diapos.hpp"

namespace k60418 {

namespace {

class Question0202 final : public Exercise {
 public:
  explicit Question0202(const ContexteExercice& contexte) : Exercise("Question0202", contexte) {
    oFichiersDeTravail().add("02131202.ppt", "Cinéloisirs.ppt", false);
  }

 protected:
  void CorpsPrepare(ppt::Application& iApplication, const std::string& isPathDossier,
                    const std::optional<std::string>& isPathModele) override {
    DebutPrepare(iApplication, isPathDossier, isPathModele);
    OuvrePresentation("Cinéloisirs.ppt");
    MarqueDiapos(api(), oApplication);
    oApplication.ActiveWindow().ViewType(ppt::ppViewNormal);
    oApplication.ActiveWindow().View().GotoSlide(2);
  }

  // "A": slide 2 still has the text layout; "B": a layout other than the title layout. Slide 2 is
  // taken by position: the integrity check has found the slides in their first order.
  void CorpsTestePoint() override {
    const std::int32_t disposition = oApplication.ActivePresentation().Slides().Item(2).Layout();
    if (disposition == ppt::ppLayoutText) {
      sCauseErreur = "A";
      return;
    }
    if (disposition != ppt::ppLayoutTitle) sCauseErreur = "B";
  }
};

}  // namespace

FicheQuestion FicheQuestion0202() {
  return FicheDe<Question0202>();
}

}  // namespace k60418
