// Exercise 201 end to end, as the host and the learner play it on the simulated desktop.
#include <gtest/gtest.h>

#include "module/course_fixture.hpp"

namespace {

using Question0201 = test_support::CourseTest;

// Untouched, the presentation keeps its design "Capsules": another template, "B".
TEST_F(Question0201, UntouchedGivesB) {
  Init201();
  module.TestePoint();
  EXPECT_FALSE(module.ErreurGenerale());
  EXPECT_EQ("B", module.CauseErreur());
  EXPECT_FALSE(module.BravoNuance());
  ASSERT_NE(nullptr, module.Complement());
  EXPECT_EQ(0, module.Complement()->ComplementInfo_count());
}

// The template "Texture" installed by the set-up, applied: right.
TEST_F(Question0201, TextureFromTheTemplateFolderIsRight) {
  Init201();
  application.ActivePresentation().Call("ApplyTemplate", ppt::Args(module.PathModele() + "Texture.pot"));
  module.TestePoint();
  EXPECT_FALSE(module.ErreurGenerale());
  EXPECT_EQ("", module.CauseErreur());
}

// The template "Pixel" has its own code, though PowerPoint names it with its extension.
TEST_F(Question0201, PixelGivesA) {
  Init201();
  application.ActivePresentation().Call("ApplyTemplate", ppt::Args(desktop.DesignsFolder() + "Pixel.pot"));
  ASSERT_EQ("Pixel.pot", application.ActivePresentation().TemplateName());
  module.TestePoint();
  EXPECT_EQ("A", module.CauseErreur());
}

// A code found once stays for the exercise: a later right answer does not clear it; a new set-up
// starts with an empty verdict.
TEST_F(Question0201, ACodeStaysUntilTheNextSetUp) {
  Init201();
  module.TestePoint();
  application.ActivePresentation().Call("ApplyTemplate", ppt::Args(module.PathModele() + "Texture.pot"));
  module.TestePoint();
  EXPECT_EQ("B", module.CauseErreur());
  module.Fermer();
  Init201();
  application.ActivePresentation().Call("ApplyTemplate", ppt::Args(module.PathModele() + "Texture.pot"));
  module.TestePoint();
  EXPECT_EQ("", module.CauseErreur());
}

}  // namespace
