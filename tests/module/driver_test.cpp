// The host's calls on a simulated desktop where a scenario cannot set the case up: an instance
// handed over or hidden behind the host's back, windows of other programs, a dialog that stays,
// hidden extensions, the foreground, a registry that refuses writing. The rest of the host's
// story is told by the bundled scenarios of course/scenarios/general.
#include <gtest/gtest.h>

#include "module/course_fixture.hpp"
#include "module/support.hpp"
#include "settings/refusing_registry.hpp"
#include "sim/automation.hpp"
#include "vb/strings.hpp"

namespace {

using test_support::CourseTest;
using test_support::ErrorOf;
using test_support::Reported;

using Driver = CourseTest;

// The host hands over its own PowerPoint after the module started one: the module's instance,
// hidden by the learner, is ended at once, and the host's is not ended by Quitter.
TEST_F(Driver, AnInstanceHandedOverLaterIsTheHostsToKeep) {
  Init201();
  sim::PowerPointProcess& started = *desktop.LatestPowerPoint();
  desktop.HideWindow(&started);
  sim::PowerPointProcess& own = desktop.StartPowerPoint();
  application = ppt::Application(own.application());
  handle = own.main_window();
  Init201();
  EXPECT_FALSE(started.running()) << "the hidden instance held until then";
  EXPECT_EQ("Cinéloisirs.ppt", application.ActivePresentation().Name());
  module.Quitter(application, handle);
  EXPECT_TRUE(own.running());
}

// A known handle whose window is hidden: that instance is ended and a new one started, even with
// another one running; the new one, started by the module, is ended by Quitter.
TEST_F(Driver, AHiddenHandleGetsAFreshInstance) {
  sim::PowerPointProcess& own = desktop.StartPowerPoint();
  application = ppt::Application(own.application());
  handle = own.main_window();
  sim::PowerPointProcess& other = desktop.StartPowerPoint();
  desktop.HideWindow(&own);
  Init201();
  EXPECT_FALSE(own.running());
  EXPECT_TRUE(other.running());
  EXPECT_EQ(2, desktop.PowerPointRunning());
  EXPECT_FALSE(application.Is(ppt::Application(other.application())));
  EXPECT_EQ(desktop.LatestPowerPoint()->main_window(), handle);
  EXPECT_TRUE(desktop.WindowVisible(desktop.LatestPowerPoint()));
  module.Quitter(application, handle);
  EXPECT_FALSE(desktop.LatestPowerPoint()->running()) << "the fresh instance is the module's to end";
  EXPECT_TRUE(other.running());
}

// Closing the exercise under PowerPoint's dialog leaves other programs' windows alone: one without
// a title, and another program's modal dialog, which is not PowerPoint's to close either.
TEST_F(Driver, OtherProgramsWindowsAreNotClosed) {
  Init201();
  desktop.OpenDialog("Ouvrir");
  const platform::HWND otherProgram = desktop.OpenWindow("Calculatrice", "SciCalc");
  const platform::HWND untitled = desktop.OpenWindow("", "SciCalc");
  module.Fermer();
  EXPECT_FALSE(desktop.windows().HasModalDialog(handle));
  EXPECT_TRUE(desktop.windows().Exists(untitled));
  const platform::HWND foreign = desktop.windows().OpenDialog(otherProgram, "Options");
  Init201();
  EXPECT_TRUE(desktop.windows().Exists(foreign));
}

// A dialog that will not close: PowerPoint refuses its window state, so the copies are left as they
// are; the folders still go back.
TEST_F(Driver, ClosingUnderADialogThatStaysLeavesTheCopies) {
  Init201();
  desktop.windows().SetIgnoresClose(desktop.OpenDialog("Imprimer"), true);
  module.Fermer();
  EXPECT_TRUE(desktop.FileExists(work + "Cinéloisirs.ppt"));
  EXPECT_EQ(vb::LCase(test_support::kUserDefault), Setting("Default"));
}

// Windows hiding known extensions: PowerPoint names the exercise presentation without ".ppt"; the
// check still knows it, and closing still closes and deletes it.
TEST_F(Driver, HiddenExtensionsDoNotHideTheExercisePresentation) {
  platform::HKEY key = 0;
  ASSERT_EQ(platform::ERROR_SUCCESS,
            desktop.registry().RegCreateKeyA(
                platform::HKEY_CURRENT_USER,
                "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Advanced", &key));
  const std::uint32_t hide = 1;
  desktop.registry().RegSetValueExA(key, "HideFileExt", 0, 4, reinterpret_cast<const platform::BYTE*>(&hide),
                                    4);
  desktop.registry().RegCloseKey(key);
  Init201();
  ASSERT_EQ("Cinéloisirs", application.ActivePresentation().Name());
  module.TestePoint();
  EXPECT_FALSE(module.ErreurGenerale());
  EXPECT_EQ("B", module.CauseErreur());
  module.Fermer();
  EXPECT_EQ(0, application.Presentations().Count());
  EXPECT_FALSE(desktop.FileExists(work + "Cinéloisirs.ppt"));
}

// A minimized PowerPoint is shown maximized and brought to the front before a check.
TEST_F(Driver, AMinimizedPowerPointIsBroughtBack) {
  Init201();
  desktop.Restore();
  module.TestePoint();
  EXPECT_EQ(sim::ShowState::kMaximized, desktop.windows().State(handle)) << "from a normal window";
  desktop.Minimize();
  desktop.OpenWindow("Calculatrice", "SciCalc");
  module.TestePoint();
  EXPECT_FALSE(module.ErreurGenerale());
  EXPECT_EQ(sim::ShowState::kMaximized, desktop.windows().State(handle));
  EXPECT_EQ(handle, desktop.windows().foreground());
}

// A folder setting that cannot be redirected at the end of the set-up reaches the host with the
// report of "ChangeDir", which InitQuestion passes on as it is.
TEST_F(Driver, AFolderSettingThatCannotBeRedirectedIsReportedByChangeDir) {
  test_support::RefusingRegistry refusing(desktop.registry());
  k60418::Module refused(
      {desktop.windows(), refusing, desktop.drives(), desktop.automation(), desktop.clock()});
  PlaceFiles201(work);
  refusing.refuse_set = true;
  auto error = ErrorOf([&] { refused.InitQuestion(201, work, application, handle); });
  ASSERT_TRUE(error);
  EXPECT_EQ(1000, error->number());
  EXPECT_EQ("Application-defined or object-defined error", error->description());
  EXPECT_EQ(
      Reported(
          "Module", "ChangeDir",
          "Impossible d'accéder en lecture-écriture à la clé de base de registre\n\r"
          "HKEY_CURRENT_USER\\SOFTWARE\\Microsoft\\Office\\11.0\\Powerpoint\\Recent Folder List\\Default"),
      error->source());
  EXPECT_EQ(test_support::kUserDefault, Setting("Default")) << "nothing was redirected";
}

}  // namespace
