// Master shape identity tags and the lookups of the slide master's zones and of the handout
// master's shapes, on the simulated PowerPoint.
#include <gtest/gtest.h>

#include "inspect/masques.hpp"
#include "presentation_ouverte.hpp"

namespace {

using inspect_test::PresentationOuverte;
using Liste = std::vector<std::string>;

constexpr std::int32_t kAuPremierPlan = 0;  // msoBringToFront

class ZonesMasques : public PresentationOuverte {
 protected:
  void SetUp() override { Ouvre("02131209.ppt"); }
  ppt::Shapes FormesMasque() const { return Presentation().SlideMaster().Shapes(); }
  ppt::Shapes FormesDocument() const { return Presentation().HandoutMaster().Shapes(); }
};

// Each of the three masters is marked on its own: the slide master by MarqueMasqueDiapos, the
// title master by MarqueMasqueTitre, the handout master by MarqueMasqueDocument.
TEST_F(ZonesMasques, EachProcedureMarksItsOwnMaster) {
  const std::int32_t n = FormesMasque().Count();
  ASSERT_GE(n, 2);
  k60418::MarqueMasqueDiapos(app);
  EXPECT_EQ("ZUK1", FormesMasque().Item(1).Tags().Item(k60418::kTagIdentite));
  EXPECT_EQ(k60418::ValeurIdentite(n), FormesMasque().Item(n).Tags().Item(k60418::kTagIdentite));
  EXPECT_EQ("", Presentation().TitleMaster().Shapes().Item(1).Tags().Item(k60418::kTagIdentite));
  EXPECT_EQ("", FormesDocument().Item(1).Tags().Item(k60418::kTagIdentite));

  k60418::MarqueMasqueTitre(app);
  EXPECT_EQ("ZUK1", Presentation().TitleMaster().Shapes().Item(1).Tags().Item(k60418::kTagIdentite));
  k60418::MarqueMasqueDocument(app);
  EXPECT_EQ((Liste{"ZUK1", "ZUK2", "ZUK3", "ZUK4"}), Marques(FormesDocument()));
}

// The body zone's index as the zones stand, and the flag for a missing zone (set beforehand to
// see it go down): both in place; the title deleted (the body still found, at its new index); the
// body deleted; a master never marked.
TEST_F(ZonesMasques, FindsTheBodyZoneAndFlagsAMissingZone) {
  struct Case {
    const char* what;
    bool marked;
    std::int32_t deleted;
    std::int32_t index;
    bool missing;
  };
  for (const Case& c : {Case{"both zones", true, 0, 2, false}, Case{"title deleted", true, 1, 1, true},
                        Case{"body deleted", true, 2, 0, true}, Case{"never marked", false, 0, 0, true}}) {
    Presentation().Close();
    Ouvre("02131209.ppt");
    if (c.marked) k60418::MarqueMasqueDiapos(app);
    if (c.deleted) FormesMasque().Item(c.deleted).Call("Delete");
    api.ZoneMasqueAbsente = !c.missing;
    EXPECT_EQ(c.index, k60418::ChercheZonesMasque(api, app)) << c.what;
    EXPECT_EQ(c.missing, api.ZoneMasqueAbsente) << c.what;
  }
}

// A handout master shape is found at its current index after a reorder; no flag is touched.
TEST_F(ZonesMasques, FindsAHandoutShapeAfterAReorder) {
  k60418::MarqueMasqueDocument(app);
  FormesDocument().Item(3).Call("ZOrder", ppt::Args(kAuPremierPlan));
  api.ZoneMasqueAbsente = true;
  api.FormeAbsente = true;
  EXPECT_EQ(4, k60418::ChercheFormeMasqueDocument(3, app));
  EXPECT_EQ(3, k60418::ChercheFormeMasqueDocument(4, app));
  EXPECT_EQ(0, k60418::ChercheFormeMasqueDocument(5, app));
  EXPECT_TRUE(api.ZoneMasqueAbsente);
  EXPECT_TRUE(api.FormeAbsente);
}

}  // namespace
