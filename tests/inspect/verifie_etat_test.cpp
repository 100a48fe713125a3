// The integrity check before a verdict: which open presentation is the exercise's, and the codes.
#include <gtest/gtest.h>

#include "inspect/diapos.hpp"
#include "inspect/presentation_ouverte.hpp"
#include "inspect/verifie_etat.hpp"

namespace {

class VerifieEtat : public inspect_test::PresentationOuverte {
 protected:
  void SetUp() override {
    Ouvre("02131201.ppt");
    api.NomFichier = "Cinéloisirs.ppt";
    api.PathFichier = "C:\\ZUK\\Travail\\";
    k60418::MarqueDiapos(api, app);
  }

  /// The check's result and the code it left ("" when it left none).
  std::pair<bool, std::string> Check(std::int32_t question = 201) {
    std::string code;
    const bool ok = k60418::VerifieEtat(api, app, question, code);
    return {ok, code};
  }
};

// Paths and names are compared without case; the exercise's copy decides even when another
// copy of the same name from elsewhere is open, and it must be the active one.
TEST_F(VerifieEtat, TheCopyFromTheWorkingFolderMustBeActive) {
  api.PathFichier = "c:\\zuk\\TRAVAIL\\";
  api.NomFichier = "CINÉLOISIRS.PPT";
  EXPECT_EQ(std::make_pair(true, std::string()), Check());
  desktop.drives().MakeSureDirectoryPathExists("C:\\Autre\\");
  desktop.drives().CopyFile("C:\\ZUK\\Travail\\Cinéloisirs.ppt", "C:\\Autre\\Cinéloisirs.ppt");
  app.Presentations().Open("C:\\Autre\\Cinéloisirs.ppt");
  EXPECT_EQ(std::make_pair(false, std::string("G")), Check());
  EXPECT_TRUE(api.CheminPresent);
  app.Presentations().Item(1).Call("NewWindow");
  EXPECT_EQ(std::make_pair(true, std::string()), Check());
}

// Deleted slides win over added ones, which win over a changed order.
TEST_F(VerifieEtat, DeletedWinsOverAddedWhichWinsOverMoved) {
  const ppt::Slides slides = Presentation().Slides();
  slides.Item(1).Call("MoveTo", ppt::Args(3));
  EXPECT_EQ(std::make_pair(false, std::string("E")), Check());
  slides.Call("Add", ppt::Args(1, ppt::ppLayoutText));
  EXPECT_EQ(std::make_pair(false, std::string("D")), Check());
  slides.Item(5).Call("Delete");
  slides.Item(5).Call("Delete");
  EXPECT_EQ(std::make_pair(false, std::string("C")), Check());
}

// Exercise 222 only needs a presentation open; 223 and 224 need none.
TEST_F(VerifieEtat, LaterExercisesSkipPartsOfTheCheck) {
  Presentation().Slides().Item(1).Call("Delete");
  app.Presentations().Add();
  EXPECT_EQ(std::make_pair(true, std::string()), Check(222));
  EXPECT_EQ(std::make_pair(false, std::string("G")), Check(201));
  while (app.Presentations().Count() > 0) app.Presentations().Item(1).Close();
  EXPECT_EQ(std::make_pair(false, std::string("A")), Check(222));
  EXPECT_EQ(std::make_pair(true, std::string()), Check(223));
  EXPECT_EQ(std::make_pair(true, std::string()), Check(224));
}

}  // namespace
