// Exercise 0208: align the last two paragraphs (7 and 8) of the text of slide 3 to the right and
// leave the first six aligned to the left. The text is the second shape of slide 3 ("ZUK2").
#include "exercises/questions.hpp"
#include "inspect/diapos.hpp"
#include "inspect/formes.hpp"

namespace k60418 {

namespace {

class Question0208 final : public Exercise {
 public:
  explicit Question0208(const ContexteExercice& contexte) : Exercise("Question0208", contexte) {
    oFichiersDeTravail().add("02131208.ppt", "Cinéloisirs.ppt", false);
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

  // "A": the text is gone; "B": it no longer has eight paragraphs; "C" / "D": paragraph 7 / 8 is
  // not right-aligned; "E": one of paragraphs 1 to 6 is not left-aligned.
  void CorpsTestePoint() override {
    const std::int16_t k = ChercheForme(api(), 3, "ZUK2", oApplication);
    if (api().FormeAbsente) {
      sCauseErreur = "A";
      return;
    }
    const ppt::TextRange texte =
        oApplication.ActivePresentation().Slides().Item(3).Shapes().Item(k).TextFrame().TextRange();
    const auto alignement = [&](std::int32_t n) {
      return texte.Paragraphs(n, -1).ParagraphFormat().Alignment();
    };

    if (texte.Paragraphs(-1, -1).Count() != 8) {
      sCauseErreur = "B";
      return;
    }
    if (alignement(7) != ppt::ppAlignRight) {
      sCauseErreur = "C";
      return;
    }
    if (alignement(8) != ppt::ppAlignRight) {
      sCauseErreur = "D";
      return;
    }
    for (std::int32_t n = 1; n <= 6; ++n) {
      if (alignement(n) != ppt::ppAlignLeft) {
        sCauseErreur = "E";
        return;
      }
    }
  }
};

}  // namespace

FicheQuestion FicheQuestion0208() {
  return FicheDe<Question0208>();
}

}  // namespace k60418
