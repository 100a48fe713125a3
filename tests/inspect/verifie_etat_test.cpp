// The integrity check before a verdict, for the exercises that skip parts of it (the exercise's copy
// found by its path, whatever the case, and the codes' order are the bundled scenarios of general/).
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
