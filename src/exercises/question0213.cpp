// Exercise 0213: give all slides one colour scheme of the "Texture" design.
// The check wants the slides to share one scheme other than the fifth standard scheme, the eight
// standard schemes kept with the fifth unchanged, and the first slide's design still "Texture".
#include <array>

#include "exercises/questions.hpp"
#include "inspect/diapos.hpp"
#include "module/rapporte_erreur.hpp"

namespace k60418 {

namespace {

/// One colour of the reference scheme: its index in the scheme and its RGB value.
struct CouleurReference {
  std::int32_t nIndex;
  std::int32_t lRGB;
};

/// The colours of the fifth standard scheme, in the order the check reads and compares them.
constexpr std::array<CouleurReference, 8> kCouleursReference = {{
    {ppt::ppAccent1, 0x996633},
    {ppt::ppAccent2, 0xFFCC00},
    {ppt::ppAccent3, 0x00CCFF},
    {ppt::ppBackground, 0x81542B},
    {ppt::ppFill, 0x999900},
    {ppt::ppForeground, 0xFFFFFF},
    {ppt::ppShadow, 0x663300},
    {ppt::ppTitle, 0xFFFFE5},
}};

/// The number of standard colour schemes the presentation keeps.
constexpr std::int32_t kNbSchemasStandard = 8;
/// The standard scheme whose colours are the reference.
constexpr std::int32_t kSchemaReference = 5;

/// True when any colour of the scheme differs from the reference; reads them all, in order.
bool DiffereDeReference(const ppt::ColorScheme& oSchema) {
  bool bDiffere = false;
  for (const CouleurReference& couleur : kCouleursReference) {
    if (oSchema.Colors(couleur.nIndex).RGB() != couleur.lRGB) bDiffere = true;
  }
  return bDiffere;
}

class Question0213 final : public Exercise {
 public:
  explicit Question0213(const ContexteExercice& contexte) : Exercise("Question0213", contexte) {
    oFichiersDeTravail().add("02131213.ppt", "Cinéloisirs.ppt", false);
  }

 protected:
  void CorpsPrepare(ppt::Application& iApplication, const std::string& isPathDossier,
                    const std::optional<std::string>& isPathModele) override {
    DebutPrepare(iApplication, isPathDossier, isPathModele);
    OuvrePresentation("Cinéloisirs.ppt");
    MarqueDiapos(api(), oApplication);
    oApplication.ActiveWindow().ViewType(ppt::ppViewNormal);
    oApplication.ActiveWindow().View().GotoSlide(4);
  }

  // "C": the presentation no longer has eight standard schemes; "A": the slides do not share one
  // scheme; "F": they share the reference scheme; "E": the first slide's design is not "Texture";
  // "B": the fifth standard scheme was edited (only when neither "F" nor "E" applies).
  void CorpsTestePoint() override {
    if (oApplication.ActivePresentation().ColorSchemes().Count() != kNbSchemasStandard) {
      sCauseErreur = "C";
      return;
    }

    // The slides' shared scheme, read with errors ignored: PowerPoint raises its own error when the
    // slides have no scheme in common, and only that error counts here.
    std::int32_t lErreur = 0;
    for (const CouleurReference& couleur : kCouleursReference) {
      const std::int32_t lNumero = IgnoreErreur([&] {
        oApplication.ActivePresentation().Slides().Range().ColorScheme().Colors(couleur.nIndex).RGB();
      });
      if (lNumero != 0) lErreur = lNumero;
    }
    if (lErreur == vb::errors::kPowerPoint) {
      sCauseErreur = "A";
      return;
    }

    // From here on the check has no trap of its own.
    SansTrappe([&] {
      const ppt::Presentation oPresentation = oApplication.ActivePresentation();
      if (DiffereDeReference(oPresentation.ColorSchemes().Item(kSchemaReference))) sCauseErreur = "B";
      if (!DiffereDeReference(oPresentation.Slides().Range().ColorScheme())) {
        sCauseErreur = "F";
        return;
      }
      if (oPresentation.Slides().Item(1).Design().Name() != "Texture") sCauseErreur = "E";
    });
  }
};

}  // namespace

FicheQuestion FicheQuestion0213() {
  return FicheDe<Question0213>();
}

}  // namespace k60418
