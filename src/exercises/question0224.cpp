// Exercise 0224: create a presentation of the content type "Recommending a strategy" for
// overheads, give its first slide a title and a subtitle of one's own, leave slide number, date and
// footer off that slide, and save it as "Objectifs.ppt" in the exercise folder.
// The set-up leaves PowerPoint with no exercise presentation open and makes the exercise folder
// the current folder; the check reads the active presentation's file, two of its document
// properties, the colour scheme and the two first texts of its first slide and its footers.
#include <array>

#include "exercises/questions.hpp"
#include "exercises/sans_presentation.hpp"
#include "vb/strings.hpp"

namespace k60418 {

namespace {

/// The built-in document properties the check reads.
constexpr std::int32_t kProprieteModele = 6;
constexpr std::int32_t kProprieteFormat = 19;

/// The subtitle the content type puts on its first slide.
constexpr const char* kSousTitreModele = "Idées pour aujourd'hui et pour demain";

/// One colour of the content type's scheme: its index in the scheme and its RGB value.
struct CouleurAttendue {
  std::int32_t nIndex;
  std::int32_t lRGB;
};

/// The colour scheme of the content type's first slide, in the order the check reads it.
constexpr std::array<CouleurAttendue, 8> kCouleursAttendues = {{
    {ppt::ppAccent1, 13382451},
    {ppt::ppAccent2, 0},
    {ppt::ppAccent3, 8421504},
    {ppt::ppBackground, 16777215},
    {ppt::ppFill, 52428},
    {ppt::ppForeground, 0},
    {ppt::ppShadow, 204},
    {ppt::ppTitle, 39168},
}};

class Question0224 final : public Exercise {
 public:
  explicit Question0224(const ContexteExercice& contexte) : Exercise("Question0224", contexte) {
    oFichiersDeTravail().add("", "Objectifs.ppt", true);
  }

 protected:
  void CorpsPrepare(ppt::Application& iApplication, const std::string& isPathDossier,
                    const std::optional<std::string>& isPathModele) override {
    FermePresentationsPuis(iApplication, [&] {
      DebutPrepare(iApplication, isPathDossier, isPathModele);
      files().ChDir(vb::Left(sPathDossier, vb::Len(sPathDossier) - 1));
      api().HeurePreparation = clock().Now();
    });
  }

  // "A": no presentation to check (or one that cannot be read); "B": saved in another folder;
  // "C": not named "Objectifs.ppt"; "D": not saved since the preparation; "E": another content
  // type; "F": not for overheads, or another colour scheme; "G": the subtitle not replaced; "H":
  // no title; "I": slide number, date or footer shown on the first slide.
  void CorpsTestePoint() override {
    try {
      Verifie();
    } catch (const vb::Error&) {
      sCauseErreur = "A";
    }
  }

 private:
  void Verifie() {
    if (oApplication.Presentations().Count() == 0 || oApplication.ActivePresentation().FullName().empty()) {
      sCauseErreur = "A";
      return;
    }
    const ppt::Presentation oPresentation = oApplication.ActivePresentation();
    const std::string sNomComplet = oPresentation.FullName();
    const std::string sNom = oPresentation.Name();
    if (vb::Replace(sNomComplet, sNom, "") != sPathDossier) {
      sCauseErreur = "B";
      return;
    }
    if (vb::Trim(sNom) != "Objectifs.ppt") {
      sCauseErreur = "C";
      return;
    }
    if (files().FileDateTime(oPresentation.FullName()) < api().HeurePreparation) {
      sCauseErreur = "D";
      return;
    }
    if (vb::LCase(oPresentation.BuiltInDocumentProperties(kProprieteModele).Value().ToString()) !=
        "recommending a strategy") {
      sCauseErreur = "E";
      return;
    }
    if (vb::LCase(oPresentation.BuiltInDocumentProperties(kProprieteFormat).Value().ToString()) !=
        "transparent") {
      sCauseErreur = "F";
      return;
    }
    const ppt::Slide oDiapo = oPresentation.Slides().Item(1);
    bool bAutreSchema = false;
    for (const CouleurAttendue& couleur : kCouleursAttendues) {
      if (oDiapo.ColorScheme().Colors(couleur.nIndex).RGB() != couleur.lRGB) bAutreSchema = true;
    }
    if (bAutreSchema) {
      sCauseErreur = "F";
      return;
    }
    // The subtitle is read twice, both reads made before deciding.
    const std::string sSousTitre = oDiapo.Shapes().Item(2).TextFrame().TextRange().Text();
    const std::string sSousTitreRelu = oDiapo.Shapes().Item(2).TextFrame().TextRange().Text();
    if (sSousTitre.empty() || sSousTitreRelu == kSousTitreModele) {
      sCauseErreur = "G";
      return;
    }
    if (oDiapo.Shapes().Item(1).TextFrame().TextRange().Text().empty()) {
      sCauseErreur = "H";
      return;
    }
    const ppt::HeadersFooters oPieds = oDiapo.HeadersFooters();
    if (oPieds.SlideNumber().Visible() != ppt::msoFalse || oPieds.DateAndTime().Visible() != ppt::msoFalse ||
        oPieds.Footer().Visible() != ppt::msoFalse) {
      sCauseErreur = "I";
    }
  }
};

}  // namespace

FicheQuestion FicheQuestion0224() {
  return FicheDe<Question0224>();
}

}  // namespace k60418
