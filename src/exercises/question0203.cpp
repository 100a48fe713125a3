// Exercise 0203: underline the word "exceptionnel" in the text of slide 3, and nothing else.
// Slide 3 holds a title (marked "ZUK1") and a text (marked "ZUK2") in which the word is shadowed;
// the check expects the word underlined and still shadowed, with no other emphasis, and no other
// word of either shape underlined.
#include "exercises/questions.hpp"
#include "inspect/diapos.hpp"
#include "inspect/formes.hpp"
#include "inspect/mots.hpp"

namespace k60418 {

namespace {

/// The word the learner is to underline.
constexpr const char* kMot = "exceptionnel";

/// True for an attribute set on the whole range (-1) or on part of it (-2).
bool Present(std::int32_t triEtat) {
  return triEtat == ppt::msoTrue || triEtat == ppt::msoTriStateMixed;
}

class Question0203 final : public Exercise {
 public:
  explicit Question0203(const ContexteExercice& contexte) : Exercise("Question0203", contexte) {
    oFichiersDeTravail().add("02131203.ppt", "Cinéloisirs.ppt", false);
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

  // "F": the title or the text is gone; "G": the word occurs more than once; "A": the word is
  // missing; "B": the word still has only its shadow; "C": it is not underlined (or partly);
  // "D": wrong or partial emphasis; "H": another word is underlined. Every attribute is read
  // afresh at the step that uses it.
  void CorpsTestePoint() override {
    const std::int16_t k2 = ChercheForme(api(), 3, "ZUK2", oApplication);
    if (api().FormeAbsente) {
      sCauseErreur = "F";
      return;
    }
    const std::int16_t k1 = ChercheForme(api(), 3, "ZUK1", oApplication);
    if (api().FormeAbsente) {
      sCauseErreur = "F";
      return;
    }
    const ppt::Shapes formes = oApplication.ActivePresentation().Slides().Item(3).Shapes();
    const ppt::TextFrame t2 = formes.Item(k2).TextFrame();
    const ppt::TextFrame t1 = formes.Item(k1).TextFrame();

    if (CompteMot(t2.TextRange(), kMot) > 1) {
      sCauseErreur = "G";
      return;
    }
    const std::int16_t p = ChercheMot(t2.TextRange(), kMot, 1);
    if (p == 0) {
      sCauseErreur = "A";
      return;
    }
    // The word found, without its trailing spaces.
    const auto police = [&] { return t2.TextRange().Words(p).TrimText().Font(); };

    {
      const std::int32_t souligne = police().Underline(), ombre = police().Shadow(),
                         italique = police().Italic(), relief = police().Emboss(), gras = police().Bold();
      if (souligne == ppt::msoFalse && ombre == ppt::msoTrue && italique == ppt::msoFalse &&
          relief == ppt::msoFalse && gras == ppt::msoFalse) {
        sCauseErreur = "B";
        return;
      }
    }
    if (police().Underline() != ppt::msoTrue) {
      sCauseErreur = "C";
      return;
    }
    {
      const std::int32_t ombre = police().Shadow(), italique = police().Italic(), relief = police().Emboss(),
                         gras = police().Bold();
      if (ombre == ppt::msoFalse || italique == ppt::msoTrue || relief == ppt::msoTrue ||
          gras == ppt::msoTrue) {
        sCauseErreur = "D";
        return;
      }
    }
    {
      const std::int32_t souligne = police().Underline(), ombre = police().Shadow(),
                         italique = police().Italic(), relief = police().Emboss(), gras = police().Bold();
      for (const std::int32_t valeur : {souligne, ombre, italique, relief, gras}) {
        if (valeur == ppt::msoTriStateMixed) {
          sCauseErreur = "D";
          return;
        }
      }
    }

    // No word of the title underlined, even in part.
    const std::int32_t n1 = t1.TextRange().Words().Count();
    for (std::int32_t i = 1; i <= n1; ++i) {
      if (Present(t1.TextRange().Words(i).TrimText().Font().Underline())) {
        sCauseErreur = "H";
        return;
      }
    }
    // No other word of the text underlined. Each word's text is compared without its trailing
    // spaces, so that the word itself, followed by a space, is not taken for another word; the
    // underline of the other words is read with their spaces, where an underlined space shows.
    const std::int32_t n2 = t2.TextRange().Words().Count();
    for (std::int32_t i = 1; i <= n2; ++i) {
      const bool autreMot = t2.TextRange().Words(i).TrimText().Text() != kMot;
      const bool souligne = Present(t2.TextRange().Words(i).Font().Underline());
      if (autreMot && souligne) {
        sCauseErreur = "H";
        return;
      }
    }
  }
};

}  // namespace

FicheQuestion FicheQuestion0203() {
  return FicheDe<Question0203>();
}

}  // namespace k60418
