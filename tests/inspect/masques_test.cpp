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

// Both zones in place: the body zone's index, and the flag goes down after an earlier miss.
TEST_F(ZonesMasques, FindsTheBodyZoneWhenBothZonesAreThere) {
  k60418::MarqueMasqueDiapos(app);
  api.ZoneMasqueAbsente = true;
  EXPECT_EQ(2, k60418::ChercheZonesMasque(api, app));
  EXPECT_FALSE(api.ZoneMasqueAbsente);
}

// The title zone deleted: the flag rises, but the body zone is still returned, at its new index.
TEST_F(ZonesMasques, AMissingTitleZoneStillReturnsTheBodyZone) {
  k60418::MarqueMasqueDiapos(app);
  FormesMasque().Item(1).Call("Delete");
  EXPECT_EQ(1, k60418::ChercheZonesMasque(api, app));
  EXPECT_TRUE(api.ZoneMasqueAbsente);
}

// The body zone deleted: nothing is returned and the flag rises.
TEST_F(ZonesMasques, AMissingBodyZoneReturnsNothing) {
  k60418::MarqueMasqueDiapos(app);
  FormesMasque().Item(2).Call("Delete");
  EXPECT_EQ(0, k60418::ChercheZonesMasque(api, app));
  EXPECT_TRUE(api.ZoneMasqueAbsente);
}

// A master never marked has no zones.
TEST_F(ZonesMasques, AnUnmarkedMasterHasNoZones) {
  EXPECT_EQ(0, k60418::ChercheZonesMasque(api, app));
  EXPECT_TRUE(api.ZoneMasqueAbsente);
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
