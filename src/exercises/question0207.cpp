// Exercise 0207: give the year "1994" of slide 4 the character formatting of the year "1990" of
// slide 3. Both years stand in the second shape of their slide (marked "ZUK2"); "1990" must itself
// still read Comic Sans MS 24, shadowed, and neither bold, italic, underlined nor embossed. The
// right answer is the one outcome that sets BravoNuance, with the code "C".
#include "exercises/questions.hpp"
#include "inspect/diapos.hpp"
#include "inspect/formes.hpp"
#include "inspect/mots.hpp"

namespace k60418 {

namespace {

/// The year whose formatting is copied, on slide 3, and the year that receives it, on slide 4.
constexpr const char* kAnneeModele = "1990";
constexpr const char* kAnneeCopie = "1994";

/// The seven character attributes the check compares.
struct Mise {
  std::string name;
  float size = 0;
  std::int32_t bold = 0, emboss = 0, italic = 0, shadow = 0, underline = 0;

  bool operator==(const Mise&) const = default;
};

/// The formatting "1990" must keep.
const Mise kMiseModele{"Comic Sans MS", 24.0f,        ppt::msoFalse, ppt::msoFalse,
                       ppt::msoFalse,   ppt::msoTrue, ppt::msoFalse};

/// Reads the seven attributes of a word, in the order the check reads them. The check passes the
/// word without its trailing spaces: a space in another format is not part of the year.
Mise LitMise(const ppt::TextRange& mot) {
  const ppt::Font police = mot.Font();
  Mise mise;
  mise.name = police.Name();
  mise.size = police.Size();
  mise.bold = police.Bold();
  mise.emboss = police.Emboss();
  mise.italic = police.Italic();
  mise.shadow = police.Shadow();
  mise.underline = police.Underline();
  return mise;
}

class Question0207 final : public Exercise {
 public:
  explicit Question0207(const ContexteExercice& contexte) : Exercise("Question0207", contexte) {
    oFichiersDeTravail().add("02131207.ppt", "Cinéloisirs.ppt", false);
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
    MarqueFormes(4, oApplication);
  }

  // "D" / "F": the text of slide 3 / 4 is gone; "E" / "G": its year occurs more than once; "A": a
  // year is missing; "H": "1990" itself was changed; "B": the two years differ. Right: BravoNuance
  // with "C". Slides are taken by position and every read goes afresh to the presentation.
  void CorpsTestePoint() override {
    const std::int16_t k3 = ChercheForme(api(), 3, "ZUK2", oApplication);
    if (api().FormeAbsente) {
      sCauseErreur = "D";
      return;
    }
    if (CompteMot(Texte(3, k3), kAnneeModele) > 1) {
      sCauseErreur = "E";
      return;
    }
    const std::int16_t k4 = ChercheForme(api(), 4, "ZUK2", oApplication);
    if (api().FormeAbsente) {
      sCauseErreur = "F";
      return;
    }
    if (CompteMot(Texte(4, k4), kAnneeCopie) > 1) {
      sCauseErreur = "G";
      return;
    }
    const std::int16_t p3 = ChercheMot(Texte(3, k3), kAnneeModele, 1);
    const std::int16_t p4 = ChercheMot(Texte(4, k4), kAnneeCopie, 1);
    if (p3 == 0 || p4 == 0) {
      sCauseErreur = "A";
      return;
    }
    if (LitMise(Texte(3, k3).Words(p3, -1).TrimText()) != kMiseModele) {
      sCauseErreur = "H";
      return;
    }
    const Mise copie = LitMise(Texte(4, k4).Words(p4, -1).TrimText());
    const Mise modele = LitMise(Texte(3, k3).Words(p3, -1).TrimText());
    if (copie != modele) {
      sCauseErreur = "B";
      return;
    }
    bBravoNuance = true;
    sCauseErreur = "C";
  }

 private:
  /// The text of shape k of the slide at position n of the active presentation.
  ppt::TextRange Texte(std::int32_t n, std::int32_t k) const {
    return oApplication.ActivePresentation().Slides().Item(n).Shapes().Item(k).TextFrame().TextRange();
  }
};

}  // namespace

FicheQuestion FicheQuestion0207() {
  return FicheDe<Question0207>();
}

}  // namespace k60418
