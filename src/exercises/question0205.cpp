// Exercise 0205: change the size of the word "1990" in the text of slide 3.
// The text (marked "ZUK2") is at 28 points throughout; the check expects the word in one size
// other than 28 points, the text as a whole no longer in one size.
#include "exercises/questions.hpp"
#include "inspect/diapos.hpp"
#include "inspect/formes.hpp"
#include "inspect/mots.hpp"

namespace k60418 {

namespace {

/// The word the learner is to resize.
constexpr const char* kMot = "1990";
/// The size of the text at the start, in points.
constexpr float kTailleInitiale = 28.0f;
/// What PowerPoint reports for the size of a range whose characters differ.
constexpr float kTailleMixte = -2.0f;

class Question0205 final : public Exercise {
 public:
  explicit Question0205(const ContexteExercice& contexte) : Exercise("Question0205", contexte) {
    oFichiersDeTravail().add("02131205.ppt", "Cinéloisirs.ppt", false);
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

  // "D": the text is gone; "E": the word occurs more than once; "A": the word is missing; "F": the
  // whole text is in one size; "B": the word is still at 28 points; "C": the word is not in one size.
  void CorpsTestePoint() override {
    const std::int16_t k = ChercheForme(api(), 3, "ZUK2", oApplication);
    if (api().FormeAbsente) {
      sCauseErreur = "D";
      return;
    }
    const ppt::TextFrame t = oApplication.ActivePresentation().Slides().Item(3).Shapes().Item(k).TextFrame();

    if (CompteMot(t.TextRange(), kMot) > 1) {
      sCauseErreur = "E";
      return;
    }
    const std::int16_t p = ChercheMot(t.TextRange(), kMot, 1);
    if (p == 0) {
      sCauseErreur = "A";
      return;
    }
    // The word found, with its trailing spaces.
    const auto mot = [&] { return t.TextRange().Words(p); };

    if (t.TextRange().Font().Size() != kTailleMixte) {
      sCauseErreur = "F";
      return;
    }
    // The word's own size, read without the space after it: a resized space is not a resized word.
    if (mot().TrimText().Font().Size() == kTailleInitiale) {
      sCauseErreur = "B";
      return;
    }
    // The four characters of "1990" at the size of the first, compared as the single-precision
    // values they are: a word at 20.5 points throughout is in one size.
    const float premiere = mot().Characters(1, 1).Font().Size();
    for (std::int32_t c = 2; c <= 4; ++c) {
      if (mot().Characters(c, 1).Font().Size() != premiere) {
        sCauseErreur = "C";
        return;
      }
    }
  }
};

}  // namespace

FicheQuestion FicheQuestion0205() {
  return FicheDe<Question0205>();
}

}  // namespace k60418
