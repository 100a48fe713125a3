// The working-file list, and the installation of the host's model files under their working names,
// on the simulated drives.
#include <gtest/gtest.h>

#include "files/fichiers_de_travail.hpp"
#include "files/installation.hpp"
#include "module/support.hpp"
#include "sim/clock.hpp"
#include "sim/drives.hpp"

namespace {

using test_support::ErrorOf;
using test_support::Reported;

// Positions 0 and count + 1 raise error 9 (the installation, which fills and reads the list, shows
// that records come out as they went in).
TEST(FichiersDeTravail, PositionsOutsideTheListRaiseSubscriptOutOfRange) {
  k60418::FichiersDeTravail list;
  list.add("a", "b", false);
  for (std::int32_t position : {0, 2}) {
    auto error = ErrorOf([&] { list.Item(position); });
    ASSERT_TRUE(error);
    EXPECT_EQ(vb::errors::kSubscriptOutOfRange, error->number());
  }
}

class Installation : public ::testing::Test {
 protected:
  Installation() : drives(scratch.path(), clock) {
    drives.MakeSureDirectoryPathExists(kWork);
    drives.MakeSureDirectoryPathExists(kTemplates);
    list.add("02131201.ppt", "Cinéloisirs.ppt", false);
    list.add("12131201.pot", "Texture.pot", true);
    list.add("", "Ciné.pot", true);
  }

  void Place(const std::string& path) { drives.WriteFile(path, "model"); }

  static constexpr const char* kWork = "C:\\ZUK\\Travail\\";
  static constexpr const char* kTemplates = "C:\\Modèles\\ZUK Modèles\\";
  test_support::ScratchFolder scratch;
  sim::SimClock clock;
  sim::Drives drives;
  k60418::FichiersDeTravail list;
};

// A missing source stops the installation with the report of "Renomme"; the entries before it keep
// their new names.
TEST_F(Installation, AMissingSourceIsReported) {
  Place(std::string(kWork) + "02131201.ppt");
  std::optional<vb::Error> inner;
  try {
    drives.SetAttr(std::string(kWork) + "12131201.pot", 0);
  } catch (const vb::Error& error) {
    inner = error;
  }
  ASSERT_TRUE(inner) << "the drives raise for a missing file";
  auto error = ErrorOf([&] { k60418::Renomme(&list, kWork, kTemplates, drives); });
  ASSERT_TRUE(error);
  EXPECT_EQ(inner->number(), error->number());
  EXPECT_EQ(inner->description(), error->description());
  EXPECT_EQ(Reported("Module", "Renomme", inner->source()), error->source());
  EXPECT_TRUE(drives.Exists(std::string(kWork) + "Cinéloisirs.ppt"));
}

// A destination that already exists (an old copy left behind) stops the installation too.
TEST_F(Installation, AnExistingDestinationIsReported) {
  Place(std::string(kWork) + "02131201.ppt");
  Place(std::string(kWork) + "Cinéloisirs.ppt");
  auto error = ErrorOf([&] { k60418::Renomme(&list, kWork, kTemplates, drives); });
  ASSERT_TRUE(error);
  EXPECT_EQ(vb::errors::kFileAlreadyExists, error->number());
  EXPECT_EQ(0u, error->source().find(Reported("Module", "Renomme", "")));
}

// With no exercise there is no list: error 91, reported by the procedure.
TEST_F(Installation, NoListIsAnUnsetObject) {
  auto renamed = ErrorOf([&] { k60418::Renomme(nullptr, kWork, kTemplates, drives); });
  ASSERT_TRUE(renamed);
  EXPECT_EQ(vb::errors::kObjectNotSet, renamed->number());
  EXPECT_EQ(Reported("Module", "Renomme", "K60418"), renamed->source());
  auto cleaned = ErrorOf([&] { k60418::Nettoyage(nullptr, kWork, kTemplates, ppt::Application(), drives); });
  ASSERT_TRUE(cleaned);
  EXPECT_EQ(vb::errors::kObjectNotSet, cleaned->number());
  EXPECT_EQ(Reported("Module", "Nettoyage", "K60418"), cleaned->source());
}

}  // namespace
