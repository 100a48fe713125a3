// Slide identity tags and what the check finds after the learner adds, deletes or moves slides.
#include <gtest/gtest.h>

#include <functional>

#include "inspect/diapos.hpp"
#include "inspect/presentation_ouverte.hpp"

namespace {

using Diapos = inspect_test::PresentationOuverte;

struct Flags {
  bool added, deleted, moved;
};

// Each learner's action is checked against a fresh marking of the presentation as it then stands.
TEST_F(Diapos, FlagsFollowTheLearnersActions) {
  Ouvre("02131201.ppt");
  const ppt::Slides slides = Presentation().Slides();
  ASSERT_GE(slides.Count(), 6);
  auto check = [&](const char* what, const std::function<void()>& action, Flags expected) {
    k60418::MarqueDiapos(api, app);
    action();
    k60418::VerifieDiapos(api, app);
    EXPECT_EQ(expected.added, api.DiaposAjoutees) << what;
    EXPECT_EQ(expected.deleted, api.DiaposSupprimees) << what;
    EXPECT_EQ(expected.moved, api.OrdreModifie) << what;
  };
  check("nothing changed", [] {}, {false, false, false});
  check("slide 2 duplicated", [&] { slides.Item(2).Call("Duplicate"); }, {true, false, true});
  check("a slide appended", [&] { slides.Call("Add", ppt::Args(slides.Count() + 1, ppt::ppLayoutText)); },
        {true, false, true});
  check("the last slide deleted", [&] { slides.Item(slides.Count()).Call("Delete"); }, {false, true, false});
  check("slide 2 deleted and a slide appended",
        [&] {
          slides.Item(2).Call("Delete");
          slides.Call("Add", ppt::Args(slides.Count() + 1, ppt::ppLayoutText));
        },
        {false, true, true});
  check("slide 1 moved to the end", [&] { slides.Item(1).Call("MoveTo", ppt::Args(slides.Count())); },
        {false, false, true});
  check("a mark rewritten in lower case", [&] { slides.Item(3).Tags().Add(k60418::kTagIdentite, "zuk3"); },
        {false, true, true});
}

// Marks are "ZUK" and the position; the count is recorded and kept across checks.
TEST_F(Diapos, MarksAndCountAreRecordedOnceForManyChecks) {
  Ouvre("02131201.ppt");
  k60418::MarqueDiapos(api, app);
  const ppt::Slides slides = Presentation().Slides();
  EXPECT_EQ(slides.Count(), api.NbDiapos);
  EXPECT_EQ("ZUK1", slides.Item(1).Tags().Item(k60418::kTagIdentite));
  EXPECT_EQ("ZUK6", slides.Item(6).Tags().Item(k60418::kTagIdentite));
  const std::int16_t recorded = api.NbDiapos;
  slides.Item(2).Call("Delete");
  k60418::VerifieDiapos(api, app);
  k60418::VerifieDiapos(api, app);
  EXPECT_TRUE(api.DiaposSupprimees);
  EXPECT_EQ(recorded, api.NbDiapos);
}

// A presentation without slides: nothing marked, 0 recorded, no flag.
TEST_F(Diapos, AnEmptyPresentationRaisesNoFlag) {
  app.Presentations().Add();
  k60418::MarqueDiapos(api, app);
  EXPECT_EQ(0, api.NbDiapos);
  api.OrdreModifie = true;
  k60418::VerifieDiapos(api, app);
  EXPECT_FALSE(api.DiaposAjoutees || api.DiaposSupprimees || api.OrdreModifie);
}

}  // namespace
