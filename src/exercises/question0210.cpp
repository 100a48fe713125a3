// Exercise 0210: set the space before paragraph 8 of the text of slide 3, and only that paragraph,
// to 0.3 lines through the paragraph spacing rather than by typing empty lines. The text is the
// second shape of slide 3 ("ZUK2"); paragraph 8 is of indent level 2 and starts with 0.2 lines
// before it.
#include "exercises/questions.hpp"
#include "inspect/diapos.hpp"
#include "inspect/formes.hpp"

namespace k60418 {

namespace {

// Spacings, compared exactly as the single-precision values PowerPoint gives.
/// The space before paragraph 8 at the start, and the one asked for, in lines.
constexpr float kAvantInitial = 0.2f;
constexpr float kAvantDemande = 0.3f;
/// The space after paragraphs 7 and 8 and the line spacing of paragraph 8, as they stand.
constexpr float kApres = 0.0f;
constexpr float kInterligne = 1.0f;

class Question0210 final : public Exercise {
 public:
  explicit Question0210(const ContexteExercice& contexte) : Exercise("Question0210", contexte) {
    oFichiersDeTravail().add("02131210.ppt", "Cinéloisirs.ppt", false);
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
  }

  // "A": the text is gone; "B": it no longer has eight paragraphs; "C": an empty line was typed
  // between paragraphs 7 and 8; "L": paragraph 8 is no longer of level 2; "I" / "D" / "F": the line
  // spacing of 8, the space after 7 or the space after 8 was changed instead; "E": the space
  // before 8 is unchanged; "H": it is given in points; "G": it is not 0.3 lines; "J": every
  // paragraph got it; "K": every level-2 paragraph got it.
  void CorpsTestePoint() override {
    const std::int16_t k = ChercheForme(api(), 3, "ZUK2", oApplication);
    if (api().FormeAbsente) {
      sCauseErreur = "A";
      return;
    }
    const ppt::TextRange texte =
        oApplication.ActivePresentation().Slides().Item(3).Shapes().Item(k).TextFrame().TextRange();
    const auto paragraphe = [&](std::int32_t n) { return texte.Paragraphs(n, -1); };
    const auto format = [&](std::int32_t n) { return paragraphe(n).ParagraphFormat(); };

    if (texte.Paragraphs(-1, -1).Count() != 8) {
      sCauseErreur = "B";
      return;
    }
    // An empty line typed at the end of paragraph 7 or at the start of paragraph 8: a line of one
    // character (its line break or paragraph mark alone) in a paragraph of several lines.
    const std::int32_t lignes7 = paragraphe(7).Lines(-1, -1).Count();
    if (paragraphe(7).Lines(lignes7, -1).Length() == 1 && lignes7 != 1) {
      sCauseErreur = "C";
      return;
    }
    const std::int32_t lignes8 = paragraphe(8).Lines(-1, -1).Count();
    if (paragraphe(8).Lines(1, -1).Length() == 1 && lignes8 != 1) {
      sCauseErreur = "C";
      return;
    }
    if (paragraphe(8).IndentLevel() != 2) {
      sCauseErreur = "L";
      return;
    }
    // Each of the next four steps reads its two values, in this order, before deciding.
    {
      const float nInterligne8 = format(8).SpaceWithin(), nAvant8 = format(8).SpaceBefore();
      if (nInterligne8 != kInterligne && nAvant8 == kAvantInitial) {
        sCauseErreur = "I";
        return;
      }
    }
    {
      const float nApres7 = format(7).SpaceAfter(), nAvant8 = format(8).SpaceBefore();
      if (nApres7 != kApres && nAvant8 == kAvantInitial) {
        sCauseErreur = "D";
        return;
      }
    }
    {
      const float nApres8 = format(8).SpaceAfter(), nAvant8 = format(8).SpaceBefore();
      if (nApres8 != kApres && nAvant8 == kAvantInitial) {
        sCauseErreur = "F";
        return;
      }
    }
    {
      const float nApres7 = format(7).SpaceAfter(), nAvant8 = format(8).SpaceBefore();
      if (nApres7 == kApres && nAvant8 == kAvantInitial) {
        sCauseErreur = "E";
        return;
      }
    }
    if (format(8).LineRuleBefore() == ppt::msoFalse) {
      sCauseErreur = "H";
      return;
    }
    if (format(8).SpaceBefore() != kAvantDemande) {
      sCauseErreur = "G";
      return;
    }
    if (texte.Paragraphs(-1, -1).ParagraphFormat().SpaceBefore() == kAvantDemande) {
      sCauseErreur = "J";
      return;
    }
    // Every level-2 paragraph with 0.3 lines before it, and at least two of them.
    const std::int32_t n = texte.Paragraphs(-1, -1).Count();
    std::int32_t niveau2 = 0;
    for (std::int32_t i = 1; i <= n; ++i) {
      if (paragraphe(i).IndentLevel() != 2) continue;
      ++niveau2;
      if (format(i).SpaceBefore() != kAvantDemande) return;
    }
    if (niveau2 >= 2) sCauseErreur = "K";
  }
};

}  // namespace

FicheQuestion FicheQuestion0210() {
  return FicheDe<Question0210>();
}

}  // namespace k60418
