// Exercise 0209: give paragraph 7 of the text of slide 3 the bullet character 36 of "Wingdings",
// remove the bullet of paragraph 8 and leave the other paragraphs bulleted, on the slide itself and
// not on the slide master. The text is the second shape of slide 3 ("ZUK2"); the master's body
// zone is found by its own mark.
#include "exercises/questions.hpp"
#include "inspect/diapos.hpp"
#include "inspect/formes.hpp"
#include "inspect/masques.hpp"

namespace k60418 {

namespace {

/// The bullet font, compared exactly.
constexpr const char* kWingdings = "Wingdings";
/// The bullet character asked for paragraph 7, and the one the text's paragraphs start with.
constexpr std::int32_t kCaractereDemande = 36;
constexpr std::int32_t kCaractereInitial = 110;

class Question0209 final : public Exercise {
 public:
  explicit Question0209(const ContexteExercice& contexte) : Exercise("Question0209", contexte) {
    oFichiersDeTravail().add("02131209.ppt", "Cinéloisirs.ppt", false);
  }

 protected:
  void CorpsPrepare(ppt::Application& iApplication, const std::string& isPathDossier,
                    const std::optional<std::string>& isPathModele) override {
    DebutPrepare(iApplication, isPathDossier, isPathModele);
    OuvrePresentation("Cinéloisirs.ppt");
    MarqueDiapos(api(), oApplication);
    oApplication.ActiveWindow().ViewType(ppt::ppViewNormal);
    oApplication.ActiveWindow().View().GotoSlide(3);
    MarqueFormes(3, oApplication);
    MarqueMasqueDiapos(oApplication);
  }

  // "H": the slide master's body style was changed; "A": the text is gone; "B": it no longer has
  // eight paragraphs; "E": paragraph 7 has no bullet; "C": it still has its first bullet; "D": it
  // has another bullet; "I": every paragraph got the new bullet; "G": paragraph 8 got another
  // bullet; "F": paragraph 8 kept its bullet; "J": paragraphs 1 to 6 lost theirs.
  void CorpsTestePoint() override {
    if (ChercheZonesMasque(api(), oApplication) > 0) {
      const ppt::TextStyle corps =
          oApplication.ActivePresentation().SlideMaster().TextStyles(ppt::ppBodyStyle);
      const std::int32_t caractere1 = corps.Levels(1).ParagraphFormat().Bullet().Character();
      const std::string police1 = corps.Levels(1).ParagraphFormat().Bullet().Font().Name();
      const std::int32_t visible2 = corps.Levels(2).ParagraphFormat().Bullet().Visible();
      if ((police1 == kWingdings && caractere1 == kCaractereDemande) || visible2 == ppt::msoFalse) {
        sCauseErreur = "H";
        return;
      }
    }

    const std::int16_t k = ChercheForme(api(), 3, "ZUK2", oApplication);
    if (api().FormeAbsente) {
      sCauseErreur = "A";
      return;
    }
    const ppt::TextRange texte =
        oApplication.ActivePresentation().Slides().Item(3).Shapes().Item(k).TextFrame().TextRange();
    const auto puce = [&](std::int32_t n) { return texte.Paragraphs(n, -1).ParagraphFormat().Bullet(); };

    if (texte.Paragraphs(-1, -1).Count() != 8) {
      sCauseErreur = "B";
      return;
    }
    if (puce(7).Visible() == ppt::msoFalse) {
      sCauseErreur = "E";
      return;
    }
    {
      const bool wingdings = puce(7).Font().Name() == kWingdings;
      const bool initial = puce(7).Character() == kCaractereInitial;
      const bool simple = puce(7).Type() == ppt::ppBulletUnnumbered;
      if (wingdings && initial && simple) {
        sCauseErreur = "C";
        return;
      }
    }
    {
      const bool autrePolice = puce(7).Font().Name() != kWingdings;
      const bool autreCaractere = puce(7).Character() != kCaractereDemande;
      if (autrePolice || autreCaractere) {
        sCauseErreur = "D";
        return;
      }
    }
    bool toutesDemandees = true;
    for (std::int32_t n = 1; n <= 8; ++n) {
      if (puce(n).Character() != kCaractereDemande) {
        toutesDemandees = false;
        break;
      }
    }
    if (toutesDemandees) {
      sCauseErreur = "I";
      return;
    }
    {
      const std::int32_t caractere8 = puce(8).Character();
      const std::int32_t visible8 = puce(8).Visible();
      if (caractere8 != kCaractereInitial && visible8 != ppt::msoFalse) {
        sCauseErreur = "G";
        return;
      }
    }
    if (puce(8).Visible() == ppt::msoTrue) {
      sCauseErreur = "F";
      return;
    }
    bool toutesCachees = true;
    for (std::int32_t n = 1; n <= 6; ++n) {
      if (puce(n).Visible() != ppt::msoFalse) {
        toutesCachees = false;
        break;
      }
    }
    if (toutesCachees) sCauseErreur = "J";
  }
};

}  // namespace

FicheQuestion FicheQuestion0209() {
  return FicheDe<Question0209>();
}

}  // namespace k60418
