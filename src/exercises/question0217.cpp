// Exercise 0217: in the title master, make the title area less high and move it down.
// The check wants the title master shown in the normal view, finds the title master's title
// area by its identity tag, and compares its height and top with those recorded at preparation.
#include "exercises/questions.hpp"
#include "inspect/diapos.hpp"
#include "inspect/masques.hpp"

namespace k60418 {

namespace {

/// True when the active pane or the second pane shows the view nVue; both are read.
bool UnVoletMontre(const ppt::DocumentWindow& oFenetre, std::int32_t nVue) {
  const std::int32_t nVueActive = oFenetre.ActivePane().ViewType();
  const std::int32_t nVueVolet2 = oFenetre.Panes().Item(2).ViewType();
  return nVueActive == nVue || nVueVolet2 == nVue;
}

class Question0217 final : public Exercise {
 public:
  explicit Question0217(const ContexteExercice& contexte) : Exercise("Question0217", contexte) {
    oFichiersDeTravail().add("02131217.ppt", "Cinéloisirs.ppt", false);
  }

 protected:
  void CorpsPrepare(ppt::Application& iApplication, const std::string& isPathDossier,
                    const std::optional<std::string>& isPathModele) override {
    DebutPrepare(iApplication, isPathDossier, isPathModele);
    OuvrePresentation("Cinéloisirs.ppt");
    MarqueDiapos(api(), oApplication);
    MarqueMasqueTitre(oApplication);
    const ppt::Shape oTitre = oApplication.ActivePresentation().TitleMaster().Shapes().Item(1);
    nHauteurInitiale = oTitre.Height();
    nHautInitial = oTitre.Top();
  }

  // "A": the title master is not shown in the normal view (with a one-space line when a pane shows
  // a slide); "C": the title area is gone; its height "D" unchanged, "E" larger; its top "F"
  // unchanged, "G" higher up.
  void CorpsTestePoint() override {
    const ppt::DocumentWindow oFenetre = oApplication.ActiveWindow();
    if (oFenetre.ViewType() != ppt::ppViewNormal) {
      oFenetre.Panes().Item(1).ViewType();
      sCauseErreur = "A";
      return;
    }
    if (UnVoletMontre(oFenetre, ppt::ppViewSlideMaster)) {
      sCauseErreur = "A";
      return;
    }
    if (UnVoletMontre(oFenetre, ppt::ppViewSlide)) {
      sCauseErreur = "A";
      AjouteComplement(" ");
      return;
    }
    const ppt::Shapes oFormes = oApplication.ActivePresentation().TitleMaster().Shapes();
    const std::int32_t nFormes = oFormes.Count();
    ppt::Shape oTitre;
    for (std::int32_t i = 1; i <= nFormes && oTitre.IsNothing(); ++i) {
      if (oFormes.Item(i).Tags().Item(kTagIdentite) == ValeurIdentite(1)) oTitre = oFormes.Item(i);
    }
    if (oTitre.IsNothing()) {
      sCauseErreur = "C";
      return;
    }
    if (oTitre.Height() == nHauteurInitiale) {
      sCauseErreur = "D";
      return;
    }
    if (oTitre.Height() > nHauteurInitiale) {
      sCauseErreur = "E";
      return;
    }
    if (oTitre.Top() == nHautInitial) {
      sCauseErreur = "F";
      return;
    }
    if (oTitre.Top() < nHautInitial) sCauseErreur = "G";
  }

 private:
  /// The height of the title master's title area at preparation, in points.
  float nHauteurInitiale = 0.0f;
  /// Its distance from the top of the page at preparation, in points.
  float nHautInitial = 0.0f;
};

}  // namespace

FicheQuestion FicheQuestion0217() {
  return FicheDe<Question0217>();
}

}  // namespace k60418
