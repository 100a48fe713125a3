// Exercise 0212: set one left tab stop on the ruler of the text of slide 4, on the slide itself and
// not on the slide master. The text is the second shape of slide 4 ("ZUK2"); the master's body zone
// is found by its own mark. Preparation also makes sure that the toggle button of the command bar
// "Frames" is pressed before the learner starts.
#include "exercises/questions.hpp"
#include "inspect/diapos.hpp"
#include "inspect/formes.hpp"
#include "inspect/masques.hpp"

namespace k60418 {

namespace {

/// The command bar and the position of the toggle button on it.
constexpr const char* kBarre = "Frames";
constexpr std::int32_t kBouton = 5;
/// The released state of a button, read late-bound (msoButtonUp).
constexpr std::int32_t kRelache = 0;
/// The pane of the normal view that shows the slide.
constexpr std::int32_t kVoletDiapo = 2;

class Question0212 final : public Exercise {
 public:
  explicit Question0212(const ContexteExercice& contexte) : Exercise("Question0212", contexte) {
    oFichiersDeTravail().add("02131212.ppt", "Cinéloisirs.ppt", false);
  }

 protected:
  // The command-bar step is trapped like the others: a PowerPoint without the bar "Frames" fails
  // the preparation with a reported error, after the tagging is done.
  void CorpsPrepare(ppt::Application& iApplication, const std::string& isPathDossier,
                    const std::optional<std::string>& isPathModele) override {
    DebutPrepare(iApplication, isPathDossier, isPathModele);
    OuvrePresentation("Cinéloisirs.ppt");
    MarqueDiapos(api(), oApplication);
    const ppt::DocumentWindow fenetre = oApplication.ActiveWindow();
    fenetre.ViewType(ppt::ppViewNormal);
    fenetre.Panes().Item(kVoletDiapo).Activate();
    MarqueFormes(4, oApplication);
    MarqueMasqueDiapos(oApplication);
    const ppt::CommandBarControl bouton = oApplication.CommandBars().Item(kBarre).Controls().Item(kBouton);
    if (bouton.State() == vb::Variant(kRelache)) bouton.Execute();
  }

  // "E": a tab stop was set on the master's body; "A": the text of slide 4 is gone; "D": it has
  // more than one tab stop; "B": none; "C": its tab stop is not a left one. Slide 4 is taken by
  // position.
  void CorpsTestePoint() override {
    const std::int16_t m = ChercheZonesMasque(api(), oApplication);
    if (m > 0 && oApplication.ActivePresentation()
                         .SlideMaster()
                         .Shapes()
                         .Item(m)
                         .TextFrame()
                         .Ruler()
                         .TabStops()
                         .Count() > 0) {
      sCauseErreur = "E";
      return;
    }
    const std::int16_t k = ChercheForme(api(), 4, "ZUK2", oApplication);
    if (api().FormeAbsente) {
      sCauseErreur = "A";
      return;
    }
    const ppt::TabStops taquets =
        oApplication.ActivePresentation().Slides().Item(4).Shapes().Item(k).TextFrame().Ruler().TabStops();
    const std::int32_t nombre = taquets.Count();
    if (nombre > 1) {
      sCauseErreur = "D";
      return;
    }
    if (nombre == 0) {
      sCauseErreur = "B";
      return;
    }
    if (taquets.Item(1).Type() != ppt::ppTabStopLeft) sCauseErreur = "C";
  }
};

}  // namespace

FicheQuestion FicheQuestion0212() {
  return FicheDe<Question0212>();
}

}  // namespace k60418
