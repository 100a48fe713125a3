// Exercise 0211: switch on the toggle button that is the fifth control of PowerPoint's command bar
// "Frames". The exercise is about PowerPoint's user interface: preparation releases the button, and
// the check reads its state.
#include "exercises/questions.hpp"
#include "inspect/diapos.hpp"
#include "module/rapporte_erreur.hpp"

namespace k60418 {

namespace {

/// The command bar and the position of the toggle button on it.
constexpr const char* kBarre = "Frames";
constexpr std::int32_t kBouton = 5;
/// The states of a button, read late-bound.
constexpr std::int32_t kEnfonce = -1;  // msoButtonDown
constexpr std::int32_t kRelache = 0;   // msoButtonUp

class Question0211 final : public Exercise {
 public:
  explicit Question0211(const ContexteExercice& contexte) : Exercise("Question0211", contexte) {
    oFichiersDeTravail().add("02131211.ppt", "Cinéloisirs.ppt", false);
  }

 protected:
  // The button is released with errors ignored: a PowerPoint without the bar, or without its fifth
  // control, still gets a prepared exercise.
  void CorpsPrepare(ppt::Application& iApplication, const std::string& isPathDossier,
                    const std::optional<std::string>& isPathModele) override {
    DebutPrepare(iApplication, isPathDossier, isPathModele);
    OuvrePresentation("Cinéloisirs.ppt");
    MarqueDiapos(api(), oApplication);
    oApplication.ActiveWindow().ViewType(ppt::ppViewNormal);
    IgnoreErreur([&] {
      const ppt::CommandBarControl bouton = Bouton();
      if (bouton.State() == vb::Variant(kEnfonce)) bouton.Execute();
    });
  }

  // "A": the button is released. Any other state is right; a missing bar or control is an error.
  void CorpsTestePoint() override {
    if (Bouton().State() == vb::Variant(kRelache)) sCauseErreur = "A";
  }

 private:
  ppt::CommandBarControl Bouton() const {
    return oApplication.CommandBars().Item(kBarre).Controls().Item(kBouton);
  }
};

}  // namespace

FicheQuestion FicheQuestion0211() {
  return FicheDe<Question0211>();
}

}  // namespace k60418
