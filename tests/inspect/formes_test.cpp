// Shape identity tags and the lookup by mark, on the simulated PowerPoint: the learner reorders,
// deletes and duplicates shapes between preparation and check.
#include <gtest/gtest.h>

#include "inspect/formes.hpp"
#include "presentation_ouverte.hpp"
#include "vb/error.hpp"

namespace {

using inspect_test::PresentationOuverte;
using Liste = std::vector<std::string>;

constexpr std::int32_t kAuPremierPlan = 0;  // msoBringToFront
constexpr std::int32_t kALArrierePlan = 1;  // msoSendToBack

class FormesMarquees : public PresentationOuverte {
 protected:
  /// Slide 3 with three shapes (title, text and a copy of the text), marked.
  void SetUp() override {
    Ouvre("02131203.ppt");
    Formes(3).Item(2).Call("Duplicate");
    k60418::MarqueFormes(3, app);
  }
};

// Every shape of the slide, and only of that slide, carries the mark of its position; a shape
// brought to the front keeps its mark and is found at the end of the slide's shapes, until
// marking again rewrites every mark with the current positions.
TEST_F(FormesMarquees, MarksFollowTheShapesUntilMarkedAgain) {
  EXPECT_EQ((Liste{"ZUK1", "ZUK2", "ZUK3"}), Marques(Formes(3)));
  EXPECT_EQ((Liste{"", ""}), Marques(Formes(2)));
  ZOrder(Formes(3).Item(1), kAuPremierPlan);
  EXPECT_EQ((Liste{"ZUK2", "ZUK3", "ZUK1"}), Marques(Formes(3)));
  EXPECT_EQ(3, k60418::ChercheForme(api, 3, "ZUK1", app));
  EXPECT_EQ(1, k60418::ChercheForme(api, 3, "ZUK2", app));
  k60418::MarqueFormes(3, app);
  EXPECT_EQ((Liste{"ZUK1", "ZUK2", "ZUK3"}), Marques(Formes(3)));
}

// A shape is found at its current index after the shapes before it were deleted; a deleted shape
// is absent, and the flag goes down again at the next search that succeeds.
TEST_F(FormesMarquees, FindsShapesAfterADeletionAndReportsTheDeletedOne) {
  Formes(3).Item(1).Call("Delete");
  EXPECT_EQ(1, k60418::ChercheForme(api, 3, "ZUK2", app));
  EXPECT_FALSE(api.FormeAbsente);
  EXPECT_EQ(0, k60418::ChercheForme(api, 3, "ZUK1", app));
  EXPECT_TRUE(api.FormeAbsente);
  EXPECT_EQ(2, k60418::ChercheForme(api, 3, "ZUK3", app));
  EXPECT_FALSE(api.FormeAbsente);
}

// A duplicated shape carries the mark too: the one with the lower index wins, whichever it is.
TEST_F(FormesMarquees, ADuplicatedMarkIsFoundAtItsLowerIndex) {
  Formes(3).Item(2).Call("Duplicate");
  EXPECT_EQ((Liste{"ZUK1", "ZUK2", "ZUK3", "ZUK2"}), Marques(Formes(3)));
  EXPECT_EQ(2, k60418::ChercheForme(api, 3, "ZUK2", app));
  ZOrder(Formes(3).Item(4), kALArrierePlan);
  EXPECT_EQ(1, k60418::ChercheForme(api, 3, "ZUK2", app));
}

// Marks are compared case-sensitively and as whole strings.
TEST_F(FormesMarquees, MatchesOnlyTheExactMark) {
  for (const char* autre : {"zuk2", "ZUK", "ZUK2 ", "ZUK02", ""}) {
    EXPECT_EQ(0, k60418::ChercheForme(api, 3, autre, app)) << autre;
    EXPECT_TRUE(api.FormeAbsente) << autre;
  }
}

// A slide position beyond the presentation is PowerPoint's error, not a missing shape.
TEST_F(FormesMarquees, ASlideBeyondTheEndRaises) {
  api.FormeAbsente = true;
  EXPECT_THROW(k60418::ChercheForme(api, 9, "ZUK1", app), vb::Error);
  EXPECT_THROW(k60418::MarqueFormes(9, app), vb::Error);
}

}  // namespace
