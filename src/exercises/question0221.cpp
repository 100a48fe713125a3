// Exercise 0221: give the notes and handouts a header, without moving, resizing or turning the
// two upper zones of the handout master. The check finds both zones by their identity tags,
// compares their geometry with fixed values, then looks at the header text.
#include <array>

#include "exercises/questions.hpp"
#include "inspect/diapos.hpp"
#include "inspect/masques.hpp"

namespace k60418 {

namespace {

/// Where a zone of the handout master stands, in points and degrees.
struct Geometrie {
  float nGauche;
  float nHaut;
  float nLargeur;
  float nHauteur;
  float nRotation;
};

/// Zone 1 (the header, top left) and zone 2 (top right), as the learner must leave them.
constexpr std::array<Geometrie, 2> kZones = {{
    {0.0f, 0.0f, 312.0f, 27.0f, 0.0f},
    {407.875f, 0.0f, 312.0f, 27.0f, 0.0f},
}};

/// What the header zone shows while it holds no text of its own.
constexpr const char* kEnTeteVide = "‹en-tête›";

class Question0221 final : public Exercise {
 public:
  static constexpr bool kDisponible = true;

  explicit Question0221(const ContexteExercice& contexte) : Exercise("Question0221", contexte) {
    oFichiersDeTravail().add("02131221.ppt", "Cinéloisirs.ppt", false);
  }

 protected:
  void CorpsPrepare(ppt::Application& iApplication, const std::string& isPathDossier,
                    const std::optional<std::string>& isPathModele) override {
    DebutPrepare(iApplication, isPathDossier, isPathModele);
    OuvrePresentation("Cinéloisirs.ppt");
    MarqueDiapos(api(), oApplication);
    oApplication.ActiveWindow().ViewType(ppt::ppViewNormal);
    oApplication.ActivePresentation().PrintOptions().OutputType(ppt::ppPrintOutputFourSlideHandouts);
    MarqueMasqueDocument(oApplication);
  }

  // "B": a zone is gone; "D": a zone was resized or turned; "E": a zone was moved; "F": no header
  // (neither a header text nor a text of its own in zone 1).
  void CorpsTestePoint() override {
    const ppt::Presentation oPresentation = oApplication.ActivePresentation();
    const ppt::Shapes oFormes = oPresentation.HandoutMaster().Shapes();
    const std::int16_t nZone1 = ChercheFormeMasqueDocument(1, oApplication);
    const std::int16_t nZone2 = ChercheFormeMasqueDocument(2, oApplication);
    if (nZone1 == 0 || nZone2 == 0) {
      sCauseErreur = "B";
      return;
    }
    const ppt::Shape oZone1 = oFormes.Item(nZone1);
    const ppt::Shape oZone2 = oFormes.Item(nZone2);

    const bool bTaille = oZone1.Height() == kZones[0].nHauteur && oZone2.Height() == kZones[1].nHauteur &&
                         oZone1.Width() == kZones[0].nLargeur && oZone2.Width() == kZones[1].nLargeur &&
                         oZone1.Rotation() == kZones[0].nRotation && oZone2.Rotation() == kZones[1].nRotation;
    if (!bTaille) {
      sCauseErreur = "D";
      return;
    }
    const bool bPosition = oZone1.Top() == kZones[0].nHaut && oZone2.Top() == kZones[1].nHaut &&
                           oZone1.Left() == kZones[0].nGauche && oZone2.Left() == kZones[1].nGauche;
    if (!bPosition) {
      sCauseErreur = "E";
      return;
    }
    const auto enTete = [&] { return oPresentation.NotesMaster().HeadersFooters().Header().Text(); };
    const auto texteZone1 = [&] { return oZone1.TextFrame().TextRange().Text(); };
    if (enTete().empty() && texteZone1().empty()) {
      sCauseErreur = "F";
      return;
    }
    if (enTete().empty() && texteZone1() == kEnTeteVide) sCauseErreur = "F";
  }
};

}  // namespace

FicheQuestion FicheQuestion0221() {
  return FicheDe<Question0221>();
}

}  // namespace k60418
