// Exercise 0206: colour the word "exceptionnel" in the text of slide 3.
// The text (marked "ZUK2") is white throughout; the check expects the text either still white or
// of mixed colours, and the word in one colour other than white.
#include "exercises/questions.hpp"
#include "inspect/diapos.hpp"
#include "inspect/formes.hpp"
#include "inspect/mots.hpp"

namespace k60418 {

namespace {

/// The word the learner is to colour, and its length in characters.
constexpr const char* kMot = "exceptionnel";
constexpr std::int32_t kLongueurMot = 12;
/// White, the colour of the text at the start.
constexpr std::int32_t kBlanc = 16777215;
/// What PowerPoint reports for the colour of a range whose characters differ.
constexpr std::int32_t kCouleurMixte = -2;

class Question0206 final : public Exercise {
 public:
  explicit Question0206(const ContexteExercice& contexte) : Exercise("Question0206", contexte) {
    oFichiersDeTravail().add("02131206.ppt", "Cinéloisirs.ppt", false);
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
  // whole text was given one colour other than white; "C": the word is not of one colour; "B": the
  // word is still white. The text frame is taken once; the text and every colour are read afresh.
  void CorpsTestePoint() override {
    const std::int16_t k = ChercheForme(api(), 3, "ZUK2", oApplication);
    if (api().FormeAbsente) {
      sCauseErreur = "D";
      return;
    }
    const ppt::TextFrame cadre =
        oApplication.ActivePresentation().Slides().Item(3).Shapes().Item(k).TextFrame();
    const auto texte = [&] { return cadre.TextRange(); };

    if (CompteMot(texte(), kMot) > 1) {
      sCauseErreur = "E";
      return;
    }
    const std::int16_t p = ChercheMot(texte(), kMot, 1);
    if (p == 0) {
      sCauseErreur = "A";
      return;
    }
    // The word found, with its trailing spaces; only its first twelve characters are compared.
    const auto mot = [&] { return texte().Words(p, -1); };

    const std::int32_t couleurTexte = texte().Font().Color().RGB();
    if (couleurTexte != kCouleurMixte && couleurTexte != kBlanc) {
      sCauseErreur = "F";
      return;
    }
    const std::int32_t premiere = mot().Characters(1, 1).Font().Color().RGB();
    for (std::int32_t i = 2; i <= kLongueurMot; ++i) {
      if (mot().Characters(i, 1).Font().Color().RGB() != premiere) {
        sCauseErreur = "C";
        return;
      }
    }
    // The word's own colour, read without the space after it: a coloured space is not a coloured
    // word.
    if (mot().TrimText().Font().Color().RGB() == kBlanc) sCauseErreur = "B";
  }
};

}  // namespace

FicheQuestion FicheQuestion0206() {
  return FicheDe<Question0206>();
}

}  // namespace k60418
