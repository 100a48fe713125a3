// The host's calls on a simulated desktop: set-up, checks and their general errors, closing and
// quitting, PowerPoint found, started, lost or busy.
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

std::string Lower(const std::string& text) {
  return vb::LCase(text);
}

class Driver : public CourseTest {
 protected:
  /// The user's four folder settings as closing writes them back: whole, lower-cased.
  void ExpectUsersFoldersBack() {
    EXPECT_EQ(Lower(test_support::kUserDefault), Setting("Default"));
    EXPECT_EQ(Lower(test_support::kUserMultimedia), Setting("MultimediaDir"));
    EXPECT_EQ(Lower(test_support::kUserPictures), Setting("PictureDir"));
    EXPECT_EQ(Lower(test_support::kUserTemplates), Setting("TemplateDir"));
  }
};

// With no PowerPoint and no handle, the set-up starts one, hands it and its main window to the
// host, installs the files, opens the exercise presentation and redirects the folders.
TEST_F(Driver, SetUpStartsPowerPointAndInstallsTheExercise) {
  Init201();
  ASSERT_FALSE(application.IsNothing());
  ASSERT_EQ(1, desktop.PowerPointRunning());
  EXPECT_EQ(desktop.processes().front()->main_window(), handle);
  EXPECT_TRUE(desktop.WindowVisible());
  EXPECT_EQ("Cinéloisirs.ppt", application.ActivePresentation().Name());
  EXPECT_EQ(work + "Cinéloisirs.ppt", application.ActivePresentation().FullName());
  EXPECT_EQ(ppt::ppViewNormal, application.ActiveWindow().ViewType());
  EXPECT_TRUE(desktop.FileExists(test_support::kTemplateFolder + "Texture.pot"));
  EXPECT_FALSE(desktop.FileExists(work + "02131201.ppt"));
  EXPECT_FALSE(desktop.FileExists(work + "12131201.pot"));
  EXPECT_EQ(test_support::kTemplateFolder, module.PathModele());
  EXPECT_EQ(work, Setting("Default"));
  EXPECT_EQ(work, Setting("MultimediaDir"));
  EXPECT_EQ(work, Setting("PictureDir"));
  EXPECT_EQ(test_support::kTemplateFolder, Setting("TemplateDir"));
  EXPECT_EQ(nullptr, module.Complement()) << "no list before the first check";
  EXPECT_FALSE(module.ErreurGenerale());
  EXPECT_EQ(ppt::msoTrue, application.ShowStartupDialog()) << "the started instance's own setting";
}

// Closing throws the learner's copies away and puts the user's folders back; quitting ends the
// PowerPoint the module started; a second Quitter changes nothing.
TEST_F(Driver, CloseAndQuitLeaveNothingBehind) {
  Init201();
  module.Fermer();
  EXPECT_EQ(0, application.Presentations().Count());
  EXPECT_FALSE(desktop.FileExists(work + "Cinéloisirs.ppt"));
  EXPECT_FALSE(desktop.FileExists(test_support::kTemplateFolder + "Texture.pot"));
  ExpectUsersFoldersBack();
  auto noExercise = ErrorOf([&] { module.CauseErreur(); });
  ASSERT_TRUE(noExercise);
  EXPECT_EQ(vb::errors::kObjectNotSet, noExercise->number());
  EXPECT_FALSE(module.ErreurGenerale());

  module.Quitter(application, handle);
  EXPECT_EQ(0, desktop.PowerPointRunning());
  EXPECT_TRUE(application.IsNothing());
  EXPECT_EQ(0, handle);
  module.Quitter(application, handle);
  EXPECT_TRUE(application.IsNothing());
  EXPECT_EQ(0, handle);
}

// Quitter with an exercise still open closes it first.
TEST_F(Driver, QuitterClosesAnOpenExercise) {
  Init201();
  module.Quitter(application, handle);
  EXPECT_FALSE(desktop.FileExists(work + "Cinéloisirs.ppt"));
  EXPECT_EQ(Lower(test_support::kUserDefault), Setting("Default"));
  EXPECT_EQ(0, desktop.PowerPointRunning());
}

// The host's own visible PowerPoint is used as it is, with its tooltips switched on, and left
// running at the end.
TEST_F(Driver, TheHostsOwnPowerPointIsKeptRunning) {
  sim::PowerPointProcess& own = desktop.StartPowerPoint();
  application = ppt::Application(own.application());
  handle = own.main_window();
  application.CommandBars().DisplayTooltips(false);
  Init201();
  EXPECT_TRUE(application.CommandBars().DisplayTooltips());
  EXPECT_EQ(1, desktop.PowerPointRunning());
  EXPECT_TRUE(application.Is(ppt::Application(own.application())));
  EXPECT_EQ(own.main_window(), handle);

  // The start-up dialog setting found when an exercise was closed is written back by the next
  // set-up, whatever was changed in between.
  application.ShowStartupDialog(ppt::msoTrue);
  module.Fermer();
  application.ShowStartupDialog(ppt::msoFalse);
  Init201();
  EXPECT_EQ(ppt::msoTrue, application.ShowStartupDialog());

  module.Quitter(application, handle);
  EXPECT_TRUE(own.running());
  EXPECT_FALSE(application.IsNothing());
  EXPECT_EQ(own.main_window(), handle);
}

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

// A PowerPoint already running is taken when the host knows none; being obtained by the module, it
// is ended by Quitter.
TEST_F(Driver, ARunningPowerPointIsTakenAndEndedAtQuit) {
  sim::PowerPointProcess& running = desktop.StartPowerPoint();
  Init201();
  EXPECT_EQ(1, desktop.PowerPointRunning());
  EXPECT_TRUE(application.Is(ppt::Application(running.application())));
  EXPECT_EQ(running.main_window(), handle);
  EXPECT_EQ(ppt::msoTrue, application.ShowStartupDialog()) << "the running instance's own setting";
  module.Quitter(application, handle);
  EXPECT_FALSE(running.running());
}

// A handle whose window is gone: the host's instance is dropped and a new one returned with its
// own handle.
TEST_F(Driver, AStaleHandleGetsANewInstance) {
  Init201();
  const std::int32_t oldHandle = handle;
  desktop.QuitPowerPoint();
  module.Fermer();
  Init201();
  EXPECT_EQ(1, desktop.PowerPointRunning());
  EXPECT_NE(oldHandle, handle);
  EXPECT_EQ(desktop.LatestPowerPoint()->main_window(), handle);
  EXPECT_EQ("Cinéloisirs.ppt", application.ActivePresentation().Name());

  // Gone again while the user runs another PowerPoint: that one is taken, no second one started.
  desktop.QuitPowerPoint();
  module.Fermer();
  sim::PowerPointProcess& user = desktop.StartPowerPoint();
  Init201();
  EXPECT_EQ(1, desktop.PowerPointRunning());
  EXPECT_TRUE(application.Is(ppt::Application(user.application())));
  EXPECT_EQ(user.main_window(), handle);
}

// PowerPoint failing as it is started, once the one held is gone: the host receives the report of
// "GetApplication".
TEST_F(Driver, AFailureOfAnInstanceStartedIsReportedByGetApplication) {
  Init201();
  desktop.QuitPowerPoint();
  module.Fermer();
  application = ppt::Application();
  handle = -1;
  desktop.FailCalls("Visible", 1);
  PlaceFiles201(work);
  auto error = ErrorOf([&] { module.InitQuestion(201, work, application, handle); });
  ASSERT_TRUE(error);
  EXPECT_EQ(vb::errors::kPowerPoint, error->number());
  EXPECT_EQ(0u, error->source().find(Reported("Module", "GetApplication", ""))) << error->source();
  EXPECT_EQ(2u, desktop.processes().size()) << "a new instance was started";
}

// A known handle whose window is hidden: that instance is ended and a new one started, even with
// another one running.
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
}

// The user's four folders: as they were before the set-up, redirected during the exercise,
// lower-cased and whole after closing; a second set-up without closing does not record the
// exercise's folders as the user's.
TEST_F(Driver, TheUsersFoldersComeBackAfterASecondSetUpWithoutClosing) {
  EXPECT_EQ(test_support::kUserDefault, Setting("Default"));
  Init201();
  EXPECT_EQ(work, Setting("Default"));
  work = "C:\\ZUK\\Autre\\";
  Init201();
  EXPECT_EQ(work, Setting("Default"));
  EXPECT_FALSE(desktop.FileExists("C:\\ZUK\\Travail\\Cinéloisirs.ppt")) << "the first exercise was closed";
  module.Fermer();
  ExpectUsersFoldersBack();
}

// Read-only model files are installed; a read-only working copy is still deleted at closing, and an
// open, modified copy is closed without saving.
TEST_F(Driver, ReadOnlyAndModifiedCopiesAreHandled) {
  PlaceFiles201(work);
  desktop.SetReadOnly(work + "02131201.ppt");
  desktop.SetReadOnly(work + "12131201.pot");
  module.InitQuestion(201, work, application, handle);
  EXPECT_TRUE(desktop.FileExists(work + "Cinéloisirs.ppt"));
  desktop.SetReadOnly(work + "Cinéloisirs.ppt");
  desktop.SetReadOnly(test_support::kTemplateFolder + "Texture.pot");
  application.ActivePresentation().Slides().Item(1).Call("Delete");
  module.Fermer();
  EXPECT_EQ(0, application.Presentations().Count());
  EXPECT_FALSE(desktop.FileExists(work + "Cinéloisirs.ppt"));
  EXPECT_FALSE(desktop.FileExists(test_support::kTemplateFolder + "Texture.pot"));
}

// A set-up over an earlier one's open, modified copy: the copy is closed without saving and the
// fresh files installed.
TEST_F(Driver, ASecondSetUpReplacesAnOpenModifiedCopy) {
  Init201();
  const std::int32_t slides = application.ActivePresentation().Slides().Count();
  application.ActivePresentation().Slides().Item(1).Call("Delete");
  Init201();
  EXPECT_EQ(1, application.Presentations().Count());
  EXPECT_EQ(slides, application.ActivePresentation().Slides().Count());
}

// A modal dialog open over PowerPoint: "%AL". Closing the exercise closes the dialog, and the one
// it opened, first; another program's window and a window without title are left alone.
TEST_F(Driver, AModalDialogGivesALAndIsClosedWithTheExercise) {
  Init201();
  desktop.OpenDialog("Ouvrir");
  desktop.OpenDialog("Parcourir", "Ouvrir");
  const platform::HWND otherProgram = desktop.OpenWindow("Calculatrice", "SciCalc");
  const platform::HWND untitled = desktop.OpenWindow("", "SciCalc");
  module.TestePoint();
  EXPECT_TRUE(module.ErreurGenerale());
  EXPECT_EQ("%AL", module.CauseErreur());
  module.Fermer();
  EXPECT_FALSE(desktop.windows().HasModalDialog(handle));
  EXPECT_TRUE(desktop.windows().Exists(otherProgram));
  EXPECT_TRUE(desktop.windows().Exists(untitled));
  EXPECT_FALSE(desktop.FileExists(work + "Cinéloisirs.ppt")) << "cleaned once the dialog was gone";

  // Another program's modal dialog is not PowerPoint's to close.
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
  EXPECT_EQ(Lower(test_support::kUserDefault), Setting("Default"));
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

// Two presentations of the exercise file's name: the last one opened is closed.
TEST_F(Driver, ClosingTakesTheLastPresentationOfTheName) {
  Init201();
  const std::string other = "C:\\ZUK\\Autre\\Cinéloisirs.ppt";
  desktop.drives().MakeSureDirectoryPathExists("C:\\ZUK\\Autre\\");
  desktop.CopyFile(work + "Cinéloisirs.ppt", other);
  application.Presentations().Open(other);
  module.Fermer();
  ASSERT_EQ(1, application.Presentations().Count());
  EXPECT_EQ(work + "Cinéloisirs.ppt", application.Presentations().Item(1).FullName());
}

// A dialog left open when the next exercise is set up is closed by the set-up, however short its
// title.
TEST_F(Driver, ASetUpClosesADialogLeftOpen) {
  Init201();
  module.Fermer();
  desktop.OpenDialog("?");
  Init201();
  EXPECT_FALSE(desktop.windows().HasModalDialog(handle));
  module.TestePoint();
  EXPECT_FALSE(module.ErreurGenerale());
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

// Closing with no exercise open: an error before any set-up, the registry untouched; harmless
// while PowerPoint answers; an error once it is gone.
TEST_F(Driver, ClosingWithNoExerciseOpen) {
  auto first = ErrorOf([&] { module.Fermer(); });
  ASSERT_TRUE(first);
  EXPECT_EQ(vb::errors::kObjectNotSet, first->number());
  EXPECT_EQ(test_support::kUserDefault, Setting("Default"));
  EXPECT_EQ(test_support::kUserTemplates, Setting("TemplateDir"));
  Init201();
  module.Fermer();
  module.Fermer();
  EXPECT_EQ(Lower(test_support::kUserDefault), Setting("Default"));
  module.Quitter(application, handle);
  auto error = ErrorOf([&] { module.Fermer(); });
  ASSERT_TRUE(error);
  EXPECT_EQ(vb::errors::kObjectNotSet, error->number());
  EXPECT_EQ(Lower(test_support::kUserDefault), Setting("Default"));
}

// The error sources the host receives, byte for byte.
TEST_F(Driver, ARegistryErrorOfTheTemplateFolderIsReportedByInitQuestion) {
  const std::string key = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";
  desktop.DeleteRegistry(key);
  PlaceFiles201(work);
  auto error = ErrorOf([&] { module.InitQuestion(201, work, application, handle); });
  ASSERT_TRUE(error);
  EXPECT_EQ(-2147220504, error->number());
  EXPECT_EQ("Application-defined or object-defined error", error->description());
  EXPECT_EQ(
      Reported(
          "Module", "InitQuestion",
          "Impossible d'accéder en lecture-écriture à la clé de base de registre\n\rHKEY_CURRENT_USER\\" +
              key),
      error->source());
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
