// Exercise 0216: in the slide master, move the text of the second level to the right while its
// bullet stays where it was. The check compares the body text style's ruler with the margins of
// level 2 recorded at preparation, and makes sure that the master's body text, its level 1 and
// its level-2 bullet are as they were.
#include "exercises/questions.hpp"
#include "inspect/diapos.hpp"
#include "inspect/masques.hpp"

namespace k60418 {

namespace {

/// The number of levels of the master's body text, one paragraph each.
constexpr std::int32_t kNbNiveaux = 5;
/// Level 1 of the body text style, which the learner must leave alone.
constexpr float kRetraitPremiereLigneNiveau1 = 0.0f;
constexpr float kRetraitGaucheNiveau1 = 27.0f;
/// The toggle button of the "Frames" command bar that the preparation presses.
constexpr const char* kBarreCadres = "Frames";
constexpr std::int32_t kBoutonCadres = 5;

class Question0216 final : public Exercise {
 public:
  explicit Question0216(const ContexteExercice& contexte) : Exercise("Question0216", contexte) {
    oFichiersDeTravail().add("02131216.ppt", "Cinéloisirs.ppt", false);
  }

 protected:
  void CorpsPrepare(ppt::Application& iApplication, const std::string& isPathDossier,
                    const std::optional<std::string>& isPathModele) override {
    DebutPrepare(iApplication, isPathDossier, isPathModele);
    OuvrePresentation("Cinéloisirs.ppt");
    MarqueDiapos(api(), oApplication);
    oApplication.ActiveWindow().ViewType(ppt::ppViewNormal);
    MarqueMasqueDiapos(oApplication);
    const ppt::CommandBarControl oBouton =
        oApplication.CommandBars().Item(std::string(kBarreCadres)).Controls().Item(kBoutonCadres);
    if (oBouton.State() == vb::Variant(ppt::msoButtonUp)) oBouton.Execute();
    const ppt::RulerLevel oNiveau2 =
        oApplication.ActivePresentation().SlideMaster().TextStyles(ppt::ppBodyStyle).Ruler().Levels(2);
    nRetraitGaucheInitial = oNiveau2.LeftMargin();
    nRetraitPremiereLigneInitial = oNiveau2.FirstMargin();
  }

  // "A": the master's title or body zone is gone; "B": its body text has not five paragraphs;
  // "I": a paragraph at another level; "C": level 1 changed; "D": the bullet of level 2 removed;
  // level 2's text "E" not moved, "F" moved left, "G" its bullet moved, "H" left of its bullet.
  void CorpsTestePoint() override {
    const std::int16_t nCorps = ChercheZonesMasque(api(), oApplication);
    if (api().ZoneMasqueAbsente) {
      sCauseErreur = "A";
      return;
    }
    const ppt::Master oMasque = oApplication.ActivePresentation().SlideMaster();
    const ppt::TextFrame oCadre = oMasque.Shapes().Item(nCorps).TextFrame();
    if (oCadre.TextRange().Paragraphs(-1, -1).Count() != kNbNiveaux) {
      sCauseErreur = "B";
      return;
    }
    for (std::int32_t i = 1; i <= kNbNiveaux; ++i) {
      if (oCadre.TextRange().Paragraphs(i, -1).IndentLevel() != i) {
        sCauseErreur = "I";
        return;
      }
    }
    const ppt::Ruler oRegle = oMasque.TextStyles(ppt::ppBodyStyle).Ruler();
    const ppt::RulerLevel oNiveau1 = oRegle.Levels(1);
    // Both margins are read before deciding.
    const float nPremiereLigne1 = oNiveau1.FirstMargin();
    const float nGauche1 = oNiveau1.LeftMargin();
    if (nPremiereLigne1 != kRetraitPremiereLigneNiveau1 || nGauche1 != kRetraitGaucheNiveau1) {
      sCauseErreur = "C";
      return;
    }
    if (oCadre.TextRange().Paragraphs(2, -1).ParagraphFormat().Bullet().Visible() == ppt::msoFalse) {
      sCauseErreur = "D";
      return;
    }
    const ppt::RulerLevel oNiveau2 = oRegle.Levels(2);
    if (oNiveau2.LeftMargin() == nRetraitGaucheInitial) {
      sCauseErreur = "E";
      return;
    }
    if (oNiveau2.LeftMargin() < nRetraitGaucheInitial) {
      sCauseErreur = "F";
      return;
    }
    if (oNiveau2.FirstMargin() != nRetraitPremiereLigneInitial) {
      sCauseErreur = "G";
      return;
    }
    if (oNiveau2.FirstMargin() > oNiveau2.LeftMargin()) sCauseErreur = "H";
  }

 private:
  /// The left margin (text) of level 2 of the master's body text style at preparation, in points.
  float nRetraitGaucheInitial = 0.0f;
  /// The first-line margin (bullet) of level 2 at preparation, in points.
  float nRetraitPremiereLigneInitial = 0.0f;
};

}  // namespace

FicheQuestion FicheQuestion0216() {
  return FicheDe<Question0216>();
}

}  // namespace k60418
