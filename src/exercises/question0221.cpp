// Exercise 0221: give the notes and handouts a header, without moving, resizing or turning the
// two upper zones of the handout master. The check finds both zones by their identity tags,
// compares their geometry with fixed values, then looks at the header text.
#include <array>
#include <string>

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

    // Each step reads all its values, in this order, before deciding.
    const float nHauteur1 = oZone1.Height(), nHauteur2 = oZone2.Height();
    const float nLargeur1 = oZone1.Width(), nLargeur2 = oZone2.Width();
    const float nRotation1 = oZone1.Rotation(), nRotation2 = oZone2.Rotation();
    if (nHauteur1 != kZones[0].nHauteur || nHauteur2 != kZones[1].nHauteur ||
        nLargeur1 != kZones[0].nLargeur || nLargeur2 != kZones[1].nLargeur ||
        nRotation1 != kZones[0].nRotation || nRotation2 != kZones[1].nRotation) {
      sCauseErreur = "D";
      return;
    }
    const float nHaut1 = oZone1.Top(), nHaut2 = oZone2.Top();
    const float nGauche1 = oZone1.Left(), nGauche2 = oZone2.Left();
    if (nHaut1 != kZones[0].nHaut || nHaut2 != kZones[1].nHaut || nGauche1 != kZones[0].nGauche ||
        nGauche2 != kZones[1].nGauche) {
      sCauseErreur = "E";
      return;
    }
    const auto enTete = [&] { return oPresentation.NotesMaster().HeadersFooters().Header().Text(); };
    const auto texteZone1 = [&] { return oZone1.TextFrame().TextRange().Text(); };
    {
      const std::string sEnTete = enTete(), sZone1 = texteZone1();
      if (sEnTete.empty() && sZone1.empty()) {
        sCauseErreur = "F";
        return;
      }
    }
    const std::string sEnTete = enTete(), sZone1 = texteZone1();
    if (sEnTete.empty() && sZone1 == kEnTeteVide) sCauseErreur = "F";
  }
};

}  // namespace

FicheQuestion FicheQuestion0221() {
  return FicheDe<Question0221>();
}

}  // namespace k60418
