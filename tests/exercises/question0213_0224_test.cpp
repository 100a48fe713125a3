// Exercises 213, 223 and 224: the error handling of their steps where a learner's scenario cannot
// reach it (a failure at one precise call of the preparation or of the check).
#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>

#include "exercises/fabrique.hpp"
#include "exercises/questions.hpp"
#include "module/rapporte_erreur.hpp"
#include "module/support.hpp"
#include "player/player.hpp"
#include "player/runner.hpp"
#include "player/simulated_desktop.hpp"
#include "scenario/parser.hpp"
#include "sim/clock.hpp"
#include "sim/desktop.hpp"
#include "sim/drives.hpp"
#include "vb/error.hpp"
#include "vb/strings.hpp"

namespace {

using test_support::ErrorOf;
using test_support::Reported;

const std::string kTravail = "C:\\ZUK\\Travail\\";
const std::string kMesDocuments = "C:\\Documents and Settings\\Apprenant\\Mes documents\\";

class ExerciseOnDesktop : public ::testing::Test {
 protected:
  ExerciseOnDesktop() { desktop.drives().MakeSureDirectoryPathExists(kTravail); }

  std::unique_ptr<k60418::Exercise> Cree(k60418::FicheQuestion (*fiche)()) { return fiche().cree(contexte); }

  /// A new presentation saved under a name in "Mes documents", left open.
  void OuvreEnregistree(const std::string& nom) {
    app.Presentations().Add().Call("SaveAs", ppt::Args(kMesDocuments + nom));
  }

  /// The names of the open presentations, in order, separated by "|".
  std::string Ouvertes() const {
    std::string noms;
    for (std::int32_t i = 1; i <= app.Presentations().Count(); ++i)
      noms += (i > 1 ? "|" : "") + app.Presentations().Item(i).Name();
    return noms;
  }

  sim::Desktop desktop;
  sim::PowerPointProcess& process = desktop.StartPowerPoint();
  ppt::Application app{process.application()};
  k60418::Api api;
  k60418::ContexteExercice contexte{api, desktop.clock(), desktop.drives()};
};

// --- The closing of the open presentations (223, 224) -------------------------------------------

// The first presentation named "Sans animation.ppt" is spared; every other one is closed, and the
// moment of the preparation is recorded.
TEST_F(ExerciseOnDesktop, PreparationSparesAFirstSansAnimation) {
  OuvreEnregistree("Sans animation.ppt");
  OuvreEnregistree("Affiche.ppt");
  OuvreEnregistree("Budget.ppt");
  desktop.clock().Wait(90);
  auto question = Cree(k60418::FicheQuestion0223);
  question->Prepare(app, kTravail);
  EXPECT_EQ("Sans animation.ppt", Ouvertes());
  EXPECT_EQ(desktop.clock().Now(), api.HeurePreparation);
  EXPECT_EQ(kTravail, question->PathDossierParDefaut());
}

// Only a first one is spared: in second place it is closed with the others.
TEST_F(ExerciseOnDesktop, PreparationClosesASansAnimationInSecondPlace) {
  OuvreEnregistree("Affiche.ppt");
  OuvreEnregistree("Sans animation.ppt");
  Cree(k60418::FicheQuestion0223)->Prepare(app, kTravail);
  EXPECT_EQ("", Ouvertes());
}

// When the first name cannot be read, the preparation falls back to closing from position 1:
// nothing is spared, and the preparation ends normally.
TEST_F(ExerciseOnDesktop, UnreadableFirstNameClosesEverything) {
  OuvreEnregistree("Sans animation.ppt");
  OuvreEnregistree("Affiche.ppt");
  process.gate().FailCalls("Name", 1);
  auto question = Cree(k60418::FicheQuestion0223);
  question->Prepare(app, kTravail);
  EXPECT_EQ("", Ouvertes());
  EXPECT_EQ(kTravail, question->PathDossierParDefaut());
}

// A second error after the fall-back leaves the preparation as PowerPoint raised it, unreported.
TEST_F(ExerciseOnDesktop, SecondErrorOfTheFallBackIsNotReported) {
  OuvreEnregistree("Sans animation.ppt");
  OuvreEnregistree("Affiche.ppt");
  process.gate().FailCalls("Name", 1);
  process.gate().FailCalls("Close", 1);
  auto question = Cree(k60418::FicheQuestion0223);
  const auto erreur = ErrorOf([&] { question->Prepare(app, kTravail); });
  ASSERT_TRUE(erreur);
  EXPECT_EQ(vb::errors::kPowerPoint, erreur->number());
  EXPECT_EQ("PowerPoint", erreur->source());
}

// While no presentation is open the common trap stays: a failure of the rest of the preparation
// (224 changing to a working folder that does not exist) is reported with the class's name.
TEST_F(ExerciseOnDesktop, FailureWithNothingOpenIsReported) {
  auto question = Cree(k60418::FicheQuestion0224);
  const auto erreur = ErrorOf([&] { question->Prepare(app, "C:\\Absent\\"); });
  ASSERT_TRUE(erreur);
  EXPECT_EQ(vb::errors::kPathNotFound, erreur->number());
  const std::string debut = Reported("Question0224", "Prepare", "");
  EXPECT_EQ(debut, erreur->source().substr(0, debut.size()));
}

// With presentations open, the same failure sends the preparation back to closing from position 1
// (the spared presentation goes too) and runs the rest again; failing again, it leaves unreported.
TEST_F(ExerciseOnDesktop, FailureWithPresentationsOpenRunsTheFallBack) {
  OuvreEnregistree("Sans animation.ppt");
  OuvreEnregistree("Affiche.ppt");
  auto question = Cree(k60418::FicheQuestion0224);
  const auto erreur = ErrorOf([&] { question->Prepare(app, "C:\\Absent\\"); });
  ASSERT_TRUE(erreur);
  EXPECT_EQ(vb::errors::kPathNotFound, erreur->number());
  EXPECT_EQ(std::string::npos, erreur->source().find("Question0224"));
  EXPECT_EQ("", Ouvertes());
}

// 224 makes the working folder the current folder, without its trailing backslash.
TEST_F(ExerciseOnDesktop, Preparation224ChangesTheCurrentFolder) {
  Cree(k60418::FicheQuestion0224)->Prepare(app, kTravail);
  EXPECT_EQ("c:\\zuk\\travail", vb::LCase(desktop.drives().CurDir()));
}

// --- Exercise 213: which error of the shared scheme's reading counts -------------------------------

class Question0213Erreurs : public ExerciseOnDesktop {
 protected:
  void SetUp() override {
    desktop.drives().PlaceHostFile(std::filesystem::path(K60418_COURSE_DIR) / "models" / "02131213.ppt",
                                   kTravail + "Cinéloisirs.ppt");
    question = Cree(k60418::FicheQuestion0213);
    question->Prepare(app, kTravail);
  }

  /// The object-model calls a statement makes.
  template <class Statement>
  std::uint64_t Appels(Statement&& statement) {
    const std::uint64_t avant = process.gate().total_calls();
    k60418::IgnoreErreur(std::forward<Statement>(statement));
    return process.gate().total_calls() - avant;
  }

  std::uint64_t AppelsCompteSchemas() {
    return Appels([&] { app.ActivePresentation().ColorSchemes().Count(); });
  }
  std::uint64_t AppelsLectureCouleur() {
    return Appels(
        [&] { app.ActivePresentation().Slides().Range().ColorScheme().Colors(ppt::ppAccent1).RGB(); });
  }

  std::unique_ptr<k60418::Exercise> question;
};

// A refused call while the shared scheme is read is not the error of slides without a common scheme:
// the check goes on and finds the work right.
TEST_F(Question0213Erreurs, OtherErrorWhileReadingTheSharedSchemeIsPassedOver) {
  app.ActivePresentation().Slides().Range().ColorScheme(app.ActivePresentation().ColorSchemes().Item(2));
  process.gate().InjectAt(AppelsCompteSchemas() + 1, sim::Fault::kRefuse);
  question->TestePoint();
  EXPECT_EQ("", question->CauseErreur());
}

// What counts is the error left by the last failing read: slides without a common scheme whose last
// read is refused go on, and the second reading of the scheme then fails outside any trap.
TEST_F(Question0213Erreurs, TheLastErrorOfTheReadingDecides) {
  const std::uint64_t lecture = AppelsLectureCouleur();
  process.gate().InjectAt(AppelsCompteSchemas() + 7 * lecture + 1, sim::Fault::kRefuse);
  const auto erreur = ErrorOf([&] { question->TestePoint(); });
  ASSERT_TRUE(erreur);
  EXPECT_EQ(vb::errors::kPowerPoint, erreur->number());
  EXPECT_EQ("PowerPoint", erreur->source());
  EXPECT_EQ("", question->CauseErreur());
}

// --- Exercise 224: the subtitle read twice ------------------------------------------------------------

// The check reads the subtitle twice before deciding: an empty subtitle whose second read fails is a
// presentation that cannot be read ("A"), not a subtitle left out ("G").
TEST(Question0224Erreurs, TheSecondReadOfTheSubtitleIsMade) {
  player::TrainingPlayer host;
  player::Runner runner(host);
  player::ScenarioResult result;
  const scenario::Scenario session = scenario::Parse(
      "InitQuestion 224\n"
      "Presentations.Open Sim.ContentFolder & \"Recommending a strategy.pot\", Untitled:=msoTrue\n"
      "ActivePresentation.PageSetup.SlideSize = ppSlideSizeOverhead\n"
      "ActivePresentation.Slides(1).Shapes(1).TextFrame.TextRange.Text = \"Les objectifs du ciné-club\"\n"
      "ActivePresentation.Slides(1).Shapes(2).TextFrame.TextRange.Text = \"\"\n"
      "ActivePresentation.SaveAs Sim.WorkFolder & \"Objectifs.ppt\"\n",
      "subtitle erased");
  for (const auto& statement : session.statements) {
    if (const auto failure = runner.Step(statement, false, result)) FAIL() << *failure;
  }
  sim::Gate& gate =
      player::SimulatedDesktopOf(host.desktop()).FindProcess(host.module().HeldApplication())->gate();
  int lectures = 0;
  gate.SetCallObserver([&](std::string_view member) {
    if (vb::LCase(std::string(member)) == "text" && ++lectures == 2) gate.InjectAt(1, sim::Fault::kRefuse);
  });
  host.TestePoint();
  gate.SetCallObserver({});
  EXPECT_EQ(2, lectures);
  EXPECT_EQ("A", host.ReadVerdict().cause_erreur);
}

}  // namespace
