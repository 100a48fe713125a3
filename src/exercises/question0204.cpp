// Exercise 0204: change the font of the word "1990" in the text of slide 3.
// Slide 3 holds a title (marked "ZUK1") and a text (marked "ZUK2"), every character in "Tahoma";
// the check expects the word in one font other than "Tahoma" and every other word of both shapes
// still in "Tahoma".
#include "exercises/questions.hpp"
#include "inspect/diapos.hpp"
#include "inspect/formes.hpp"
#include "inspect/mots.hpp"

namespace k60418 {

namespace {

/// The word the learner is to give another font.
constexpr const char* kMot = "1990";
/// The font every other word keeps.
constexpr const char* kPolice = "Tahoma";

class Question0204 final : public Exercise {
 public:
  explicit Question0204(const ContexteExercice& contexte) : Exercise("Question0204", contexte) {
    oFichiersDeTravail().add("02131204.ppt", "Cinéloisirs.ppt", false);
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

  // "D": the title or the text is gone; "E": the word occurs more than once; "A": the word is
  // missing; "B": it is still in "Tahoma"; "F": another word's font was changed; "C": the word is
  // not in one font.
  void CorpsTestePoint() override {
    const std::int16_t k2 = ChercheForme(api(), 3, "ZUK2", oApplication);
    if (api().FormeAbsente) {
      sCauseErreur = "D";
      return;
    }
    const std::int16_t k1 = ChercheForme(api(), 3, "ZUK1", oApplication);
    if (api().FormeAbsente) {
      sCauseErreur = "D";
      return;
    }
    const ppt::Shapes formes = oApplication.ActivePresentation().Slides().Item(3).Shapes();
    const ppt::TextFrame t2 = formes.Item(k2).TextFrame();
    const ppt::TextFrame t1 = formes.Item(k1).TextFrame();

    if (CompteMot(t2.TextRange(), kMot) > 1) {
      sCauseErreur = "E";
      return;
    }
    const std::int16_t p = ChercheMot(t2.TextRange(), kMot, 1);
    if (p == 0) {
      sCauseErreur = "A";
      return;
    }
    // The word found, with its trailing spaces.
    const auto mot = [&] { return t2.TextRange().Words(p); };

    // The word's own font, read without the space after it: a space in another font is not the
    // word in another font.
    if (mot().TrimText().Font().Name() == kPolice) {
      sCauseErreur = "B";
      return;
    }
    const std::int32_t n1 = t1.TextRange().Words().Count();
    for (std::int32_t i = 1; i <= n1; ++i) {
      if (t1.TextRange().Words(i).Font().Name() != kPolice) {
        sCauseErreur = "F";
        return;
      }
    }
    const std::int32_t n2 = t2.TextRange().Words().Count();
    for (std::int32_t i = 1; i <= n2; ++i) {
      const bool autreMot = t2.TextRange().Words(i).TrimText().Text() != kMot;
      const bool autrePolice = t2.TextRange().Words(i).Font().Name() != kPolice;
      if (autreMot && autrePolice) {
        sCauseErreur = "F";
        return;
      }
    }
    // The four characters of "1990" in the font of the first.
    const std::string premiere = mot().Characters(1, 1).Font().Name();
    for (std::int32_t c = 2; c <= 4; ++c) {
      if (mot().Characters(c, 1).Font().Name() != premiere) {
        sCauseErreur = "C";
        return;
      }
    }
  }
};

}  // namespace

FicheQuestion FicheQuestion0204() {
  return FicheDe<Question0204>();
}

}  // namespace k60418
