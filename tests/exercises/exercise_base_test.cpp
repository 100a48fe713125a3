// The exercise contract shared by the 24 classes: the members the driver reads, the frame of a
// check, the error handling the bodies choose, and the working-file lists of every class.
#include <gtest/gtest.h>

#include <functional>
#include <tuple>
#include <vector>

#include "exercises/exercise.hpp"
#include "exercises/fabrique.hpp"
#include "module/support.hpp"
#include "sim/clock.hpp"
#include "sim/drives.hpp"

namespace {

using test_support::ErrorOf;
using test_support::Reported;

/// An exercise whose check is given by the test.
class Sonde : public k60418::Exercise {
 public:
  explicit Sonde(const k60418::ContexteExercice& contexte) : Exercise("QuestionSonde", contexte) {
    oFichiersDeTravail().add("source.ppt", "dest.ppt", false);
  }
  std::function<void(Sonde&)> verification;
  void Code(const std::string& code) { sCauseErreur = code; }
  void Ligne(const std::string& ligne) { AjouteComplement(ligne); }
  template <class Steps>
  void HorsTrappe(Steps&& steps) {
    SansTrappe(std::forward<Steps>(steps));
  }

 protected:
  void CorpsPrepare(ppt::Application& iApplication, const std::string& isPathDossier,
                    const std::optional<std::string>& isPathModele) override {
    DebutPrepare(iApplication, isPathDossier, isPathModele);
  }
  void CorpsTestePoint() override { verification(*this); }
};

/// An exercise that writes neither its preparation nor its check.
class NonEcrite : public k60418::Exercise {
 public:
  explicit NonEcrite(const k60418::ContexteExercice& contexte) : Exercise("QuestionNonEcrite", contexte) {}
};

class ExerciseBase : public ::testing::Test {
 protected:
  ExerciseBase() : drives(scratch.path(), clock), contexte{api, clock, drives} {}

  test_support::ScratchFolder scratch;
  sim::SimClock clock;
  sim::Drives drives;
  k60418::Api api;
  k60418::ContexteExercice contexte;
};

// Before preparation: no default folder, no list; after: the working folder; after Fermer the
// working-file list is a new, empty one and the additional information is released.
TEST_F(ExerciseBase, MembersBeforeAndAfterTheirSteps) {
  Sonde sonde(contexte);
  EXPECT_EQ("", sonde.PathDossierParDefaut());
  EXPECT_EQ(nullptr, sonde.ComplementInfo());
  EXPECT_EQ(1, sonde.FichiersDeTravail().count());
  ppt::Application none;
  sonde.Prepare(none, "C:\\ZUK\\Travail\\");
  EXPECT_EQ("C:\\ZUK\\Travail\\", sonde.PathDossierParDefaut());
  sonde.verification = [](Sonde&) {};
  sonde.TestePoint();
  EXPECT_NE(nullptr, sonde.ComplementInfo());
  sonde.Fermer();
  EXPECT_EQ(nullptr, sonde.ComplementInfo());
  EXPECT_EQ(0, sonde.FichiersDeTravail().count());
}

// Every check starts with a new, empty list; a code once stored is never cleared by a check.
TEST_F(ExerciseBase, EachCheckHasItsOwnListAndCodesStay) {
  Sonde sonde(contexte);
  sonde.verification = [](Sonde& s) {
    s.Code("A");
    s.Ligne(" Plan");
  };
  sonde.TestePoint();
  const auto first = sonde.ComplementInfo();
  sonde.verification = [](Sonde&) {};
  sonde.TestePoint();
  EXPECT_NE(first, sonde.ComplementInfo());
  EXPECT_EQ(1, first->ComplementInfo_count());
  EXPECT_EQ(0, sonde.ComplementInfo()->ComplementInfo_count());
  EXPECT_EQ("A", sonde.CauseErreur());
}

// An error of a check is reported with the class and "TestePoint"; steps run outside the trap let
// their error through as it is; an ignored step lets the check go on.
TEST_F(ExerciseBase, ErrorsAreReportedUnlessTheStepsSayOtherwise) {
  Sonde sonde(contexte);
  sonde.verification = [](Sonde&) { vb::Raise(vb::errors::kPowerPoint, "PowerPoint", "Gone"); };
  auto reported = ErrorOf([&] { sonde.TestePoint(); });
  ASSERT_TRUE(reported);
  EXPECT_EQ(Reported("QuestionSonde", "TestePoint", "PowerPoint"), reported->source());
  EXPECT_EQ("Gone", reported->description());

  sonde.verification = [](Sonde& s) {
    s.HorsTrappe([] { vb::Raise(vb::errors::kPowerPoint, "PowerPoint"); });
  };
  auto unreported = ErrorOf([&] { sonde.TestePoint(); });
  ASSERT_TRUE(unreported);
  EXPECT_EQ("PowerPoint", unreported->source());
  EXPECT_EQ(vb::errors::kPowerPoint, unreported->number());

  sonde.verification = [](Sonde& s) {
    if (k60418::IgnoreErreur([] { vb::Raise(vb::errors::kPowerPoint); }) == vb::errors::kPowerPoint)
      s.Code("C");
  };
  sonde.TestePoint();
  EXPECT_EQ("C", sonde.CauseErreur());
}

// A class that does not write its steps refuses them with a clear error instead of a verdict.
TEST_F(ExerciseBase, AClassWithoutStepsRefusesThem) {
  NonEcrite exercice(contexte);
  ppt::Application none;
  auto prepared = ErrorOf([&] { exercice.Prepare(none, "C:\\"); });
  ASSERT_TRUE(prepared);
  EXPECT_EQ(vb::errors::kInvalidCall, prepared->number());
  EXPECT_EQ(Reported("QuestionNonEcrite", "Prepare", "K60418"), prepared->source());
  auto checked = ErrorOf([&] { exercice.TestePoint(); });
  ASSERT_TRUE(checked);
  EXPECT_EQ(Reported("QuestionNonEcrite", "TestePoint", "K60418"), checked->source());
  EXPECT_EQ("", exercice.CauseErreur());
}

// Numbers 201 to 224 create their class with its working files, the exercise presentation first;
// any other number creates nothing.
TEST_F(ExerciseBase, TheFactoryCreatesEachClassWithItsWorkingFiles) {
  using Entry = std::tuple<std::string, std::string, bool>;
  auto list = [&](std::int32_t number) {
    std::vector<Entry> entries;
    auto exercise = k60418::CreeQuestion(number, contexte);
    if (!exercise) return entries;
    EXPECT_EQ("Question0" + std::to_string(number), exercise->NomClasse());
    for (std::int32_t k = 1; k <= exercise->FichiersDeTravail().count(); ++k) {
      const k60418::Fichier f = exercise->FichiersDeTravail().Item(k);
      entries.emplace_back(f.NomSource, f.NomDest, f.Modele);
    }
    return entries;
  };
  EXPECT_EQ(
      (std::vector<Entry>{{"02131201.ppt", "Cinéloisirs.ppt", false}, {"12131201.pot", "Texture.pot", true}}),
      list(201));
  for (std::int32_t number = 202; number <= 221; ++number) {
    EXPECT_EQ(
        (std::vector<Entry>{{"0213" + std::to_string(1000 + number) + ".ppt", "Cinéloisirs.ppt", false}}),
        list(number))
        << number;
  }
  EXPECT_EQ((std::vector<Entry>{
                {"02131222.ppt", "Cinéloisirs.ppt", false}, {"", "Ciné.pot", true}, {"", "Ciné", true}}),
            list(222));
  EXPECT_EQ((std::vector<Entry>{{"02131223.pot", "Ciné.pot", true}}), list(223));
  EXPECT_EQ((std::vector<Entry>{{"", "Objectifs.ppt", true}}), list(224));
  EXPECT_TRUE(list(200).empty());
  EXPECT_TRUE(list(225).empty());
}

}  // namespace
