// Exercise 0215: display the slide master.
// The check reads only the view of the active pane of PowerPoint's active window; a view other
// than the slides and the slide master is named to the learner in the additional information.
#include "exercises/questions.hpp"
#include "inspect/diapos.hpp"

namespace k60418 {

namespace {

/// The name the learner reads for a view that is neither the slides nor the slide master; ""
/// for a view without a name of its own (the normal view among them).
std::string NomVue(std::int32_t nVue) {
  switch (nVue) {
    case ppt::ppViewNotesPage:
      return "Page de commentaires";
    case ppt::ppViewHandoutMaster:
      return "Masque du document";
    case ppt::ppViewNotesMaster:
      return "Masque des pages de commentaires";
    case ppt::ppViewOutline:
      return "Plan";
    case ppt::ppViewSlideSorter:
      return "Trieuse de diapositives";
    case ppt::ppViewTitleMaster:
      return "Masque de titre";
    case ppt::ppViewPrintPreview:
      return "Aperçu avant impression";
    default:
      return "";
  }
}

class Question0215 final : public Exercise {
 public:
  explicit Question0215(const ContexteExercice& contexte) : Exercise("Question0215", contexte) {
    oFichiersDeTravail().add("02131215.ppt", "Cinéloisirs.ppt", false);
  }

 protected:
  void CorpsPrepare(ppt::Application& iApplication, const std::string& isPathDossier,
                    const std::optional<std::string>& isPathModele) override {
    DebutPrepare(iApplication, isPathDossier, isPathModele);
    OuvrePresentation("Cinéloisirs.ppt");
    MarqueDiapos(api(), oApplication);
    oApplication.ActiveWindow().ViewType(ppt::ppViewNormal);
    oApplication.ActiveWindow().View().GotoSlide(3);
  }

  // "A": the slides are shown (slide pane or thumbnails); "B": another view, named in one line of
  // the additional information (a space, then the view's name).
  void CorpsTestePoint() override {
    const std::int32_t nVue = oApplication.ActiveWindow().ActivePane().ViewType();
    if (nVue == ppt::ppViewThumbnails || nVue == ppt::ppViewSlide) {
      sCauseErreur = "A";
      return;
    }
    if (nVue == ppt::ppViewSlideMaster || nVue == ppt::ppViewMasterThumbnails) return;
    sCauseErreur = "B";
    AjouteComplement(" " + NomVue(nVue));
  }
};

}  // namespace

FicheQuestion FicheQuestion0215() {
  return FicheDe<Question0215>();
}

}  // namespace k60418
