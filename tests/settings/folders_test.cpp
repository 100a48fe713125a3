// The user's folder settings recorded, redirected and put back, and the template folder resolved,
// on the simulated registry and drives.
#include <gtest/gtest.h>

#include "inspect/api.hpp"
#include "module/support.hpp"
#include "settings/dossier_modeles.hpp"
#include "settings/dossiers_recents.hpp"
#include "settings/refusing_registry.hpp"
#include "sim/clock.hpp"
#include "sim/drives.hpp"
#include "sim/registry.hpp"

namespace {

using test_support::ErrorOf;
using test_support::Reported;

const std::string kRecent = "SOFTWARE\\Microsoft\\Office\\11.0\\PowerPoint\\RecentFolderList";
const std::string kGeneral = "SOFTWARE\\Microsoft\\Office\\11.0\\Common\\General";
const std::string kShellFolders = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";
const std::string kRegistryMessage = "Impossible d'accéder en lecture-écriture à la clé de base de registre";

class FolderSettings : public ::testing::Test {
 protected:
  FolderSettings() { registry.LoadDefaults(); }
  void TearDown() override { EXPECT_EQ(0u, registry.open_handles()) << "a key was left open"; }

  std::string Value(const std::string& name) {
    return registry.GetString(kRecent, name).value_or("<missing>");
  }

  sim::Registry registry;
  k60418::Api api;
};

// Recorded in lower case, redirected, then put back whole, cycle after cycle; a value longer than
// the 255-byte buffers and a letter outside ASCII survive the 8-bit boundary.
TEST_F(FolderSettings, RecordRedirectRestoreKeepsTheUsersValuesWhole) {
  const std::string longFolder = "C:\\Mes Données\\" + std::string(300, 'X') + "\\";
  registry.SetString(kRecent, "Default", "C:\\Mes documents\\");
  registry.SetString(kRecent, "PictureDir", longFolder);
  for (int cycle = 0; cycle < 3; ++cycle) {
    k60418::SauveParamUser(registry, "11.0", api);
    EXPECT_EQ("c:\\mes documents\\", api.DefaultUser);
    k60418::ChangeDir(registry, "11.0", "C:\\ZUK\\Travail\\", "c:\\modèles\\ZUK Modèles\\");
    EXPECT_EQ("C:\\ZUK\\Travail\\", Value("Default"));
    EXPECT_EQ("C:\\ZUK\\Travail\\", Value("MultimediaDir"));
    EXPECT_EQ("C:\\ZUK\\Travail\\", Value("PictureDir"));
    EXPECT_EQ("c:\\modèles\\ZUK Modèles\\", Value("TemplateDir"));
    k60418::RestaureDir(registry, "11.0", api);
    EXPECT_EQ("c:\\mes documents\\", Value("Default"));
    EXPECT_EQ("c:\\mes données\\" + std::string(300, 'x') + "\\", Value("PictureDir"));
    EXPECT_EQ("c:\\documents and settings\\apprenant\\mes documents\\ma musique\\", Value("MultimediaDir"));
    EXPECT_EQ("c:\\documents and settings\\apprenant\\application data\\microsoft\\modèles\\",
              Value("TemplateDir"));
  }
}

// A missing open-and-save value is recorded empty and written back empty; another missing value
// keeps what was recorded before; an existing empty value is recorded empty.
TEST_F(FolderSettings, MissingAndEmptyValues) {
  k60418::SauveParamUser(registry, "11.0", api);
  registry.DeleteValue(kRecent, "Default");
  registry.DeleteValue(kRecent, "MultimediaDir");
  registry.SetString(kRecent, "PictureDir", "");
  k60418::SauveParamUser(registry, "11.0", api);
  EXPECT_EQ("", api.DefaultUser);
  EXPECT_EQ("c:\\documents and settings\\apprenant\\mes documents\\ma musique\\", api.MultimediaDirUser);
  EXPECT_EQ("", api.PictureDirUser);
  k60418::RestaureDir(registry, "11.0", api);
  EXPECT_EQ("", Value("Default"));
  EXPECT_EQ("", Value("PictureDir"));
}

// Nothing recorded yet: restoring leaves the user's values alone instead of blanking them.
TEST_F(FolderSettings, RestoringBeforeAnyRecordingWritesNothing) {
  k60418::RestaureDir(registry, "", api);
  k60418::RestaureDir(registry, "11.0", api);
  EXPECT_EQ("C:\\Documents and Settings\\Apprenant\\Mes documents\\", Value("Default"));
}

// Another Office version uses the 10.0 keys and their default values.
TEST_F(FolderSettings, OtherVersionsUseTheOlderKeysDefaultValues) {
  const std::string older = "SOFTWARE\\Microsoft\\Office\\10.0\\Powerpoint\\Recent Folder List\\";
  for (const char* name : {"Default", "MultimediaDir", "PictureDir", "TemplateDir"}) {
    registry.SetString(older + name, "", std::string("D:\\") + name + "\\");
  }
  k60418::SauveParamUser(registry, "", api);
  EXPECT_EQ("d:\\default\\", api.DefaultUser);
  EXPECT_EQ("d:\\templatedir\\", api.TemplateDirUser);
  k60418::ChangeDir(registry, "", "C:\\ZUK\\", "C:\\M\\");
  EXPECT_EQ("C:\\ZUK\\", registry.GetString(older + "PictureDir", ""));
  EXPECT_EQ("C:\\M\\", registry.GetString(older + "TemplateDir", ""));
  k60418::RestaureDir(registry, "", api);
  EXPECT_EQ("d:\\picturedir\\", registry.GetString(older + "PictureDir", ""));
  EXPECT_EQ("C:\\Documents and Settings\\Apprenant\\Mes documents\\", Value("Default")) << "11.0 untouched";
}

// A key that cannot be opened: each procedure raises with its own number, source and description.
TEST_F(FolderSettings, AMissingKeyRaisesWithTheRegistryText) {
  const std::string text = kRegistryMessage + "\n\rHKEY_CURRENT_USER\\SOFTWARE\\Microsoft\\Office\\11.0" +
                           "\\Powerpoint\\Recent Folder List\\Default";
  registry.DeleteKey(kRecent);

  auto saved = ErrorOf([&] { k60418::SauveParamUser(registry, "11.0", api); });
  ASSERT_TRUE(saved);
  EXPECT_EQ(-2147220504, saved->number());
  EXPECT_EQ("K60418", saved->source());
  EXPECT_EQ(text, saved->description());

  auto changed = ErrorOf([&] { k60418::ChangeDir(registry, "11.0", "C:\\ZUK\\", "C:\\M\\"); });
  ASSERT_TRUE(changed);
  EXPECT_EQ(1000, changed->number());
  EXPECT_EQ(Reported("Module", "ChangeDir", text), changed->source());
  EXPECT_EQ("Application-defined or object-defined error", changed->description());

  api.ParamUserSauves = true;
  auto restored = ErrorOf([&] { k60418::RestaureDir(registry, "11.0", api); });
  ASSERT_TRUE(restored);
  EXPECT_EQ(1000, restored->number());
  EXPECT_EQ(text, restored->source());
}

class TemplateFolder : public FolderSettings {
 protected:
  TemplateFolder() : drives(scratch.path(), clock, "CD") {}

  std::string Resolve() {
    std::string folder = "C:\\previous\\";
    k60418::ResoudDossierModeles(registry, drives, folder);
    return folder;
  }

  test_support::ScratchFolder scratch;
  sim::SimClock clock;
  sim::Drives drives;
};

// The folder resolved and created on disk for each "UserTemplates": none or empty, application
// data & "\Microsoft\" & Office's sub-folder, lower-cased before the fixed parts; a user folder,
// lower-cased, always with the course's folder appended; the value name is matched with its case.
TEST_F(TemplateFolder, ResolvesAndCreatesTheCoursesFolder) {
  const std::string fallback =
      "c:\\documents and settings\\apprenant\\application data\\Microsoft\\modèles\\ZUK Modèles\\";
  struct Case {
    const char* name;
    const char* value;
    std::string expected;
  };
  for (const Case& c :
       {Case{nullptr, nullptr, fallback}, Case{"UserTemplates", "", fallback},
        Case{"UserTemplates", "D:\\Modeles\\", "d:\\modeles\\ZUK Modèles\\"},
        Case{"UserTemplates", "C:\\Modèles\\ZUK Modèles", "c:\\modèles\\zuk modèles\\ZUK Modèles\\"},
        Case{"usertemplates", "D:\\Autre\\", fallback}}) {
    if (c.name) registry.SetString(kGeneral, c.name, c.value);
    const std::string what = c.name ? std::string(c.name) + " = " + c.value : "no value";
    EXPECT_EQ(c.expected, Resolve()) << what;
    EXPECT_TRUE(drives.Exists(c.expected)) << what;
    if (c.name) registry.DeleteValue(kGeneral, c.name);
  }
}

}  // namespace

namespace {

// A value that cannot be written is an error, not a silent success that would lose the user's folder.
TEST_F(FolderSettings, AValueThatCannotBeWrittenRaises) {
  test_support::RefusingRegistry refusing(registry);
  k60418::SauveParamUser(refusing, "11.0", api);
  refusing.refuse_set = true;
  auto changed = ErrorOf([&] { k60418::ChangeDir(refusing, "11.0", "C:\\ZUK\\", "C:\\M\\"); });
  ASSERT_TRUE(changed);
  EXPECT_EQ(1000, changed->number());
  auto restored = ErrorOf([&] { k60418::RestaureDir(refusing, "11.0", api); });
  ASSERT_TRUE(restored);
  EXPECT_EQ(1000, restored->number());
}

// A NUL inside a stored value never reaches the recording.
TEST_F(FolderSettings, NoNulCharacterIsRecorded) {
  platform::HKEY key = 0;
  ASSERT_EQ(platform::ERROR_SUCCESS,
            registry.RegOpenKeyExA(platform::HKEY_CURRENT_USER, kRecent.c_str(), 0, 3, &key));
  const std::string data("C:\\A\0B\\\0", 8);
  registry.RegSetValueExA(key, "Default", 0, platform::REG_SZ,
                          reinterpret_cast<const platform::BYTE*>(data.data()),
                          static_cast<platform::DWORD>(data.size()));
  registry.RegCloseKey(key);
  k60418::SauveParamUser(registry, "11.0", api);
  EXPECT_EQ(std::string::npos, api.DefaultUser.find('\0'));
  EXPECT_EQ("c:\\ab\\", api.DefaultUser);
}

// "UserTemplates" listed but its key refused for writing: the folder is not built from an earlier
// resolution; the application-data route, which needs that key too, reports it.
TEST_F(TemplateFolder, AUserFolderThatCannotBeOpenedIsNotTakenFromBefore) {
  registry.SetString(kGeneral, "UserTemplates", "D:\\Modeles\\");
  test_support::RefusingRegistry refusing(registry);
  refusing.refuse_write_access_to = kGeneral;
  std::string folder = "c:\\previous\\ZUK Modèles\\";
  auto error = ErrorOf([&] { k60418::ResoudDossierModeles(refusing, drives, folder); });
  ASSERT_TRUE(error);
  EXPECT_EQ(kRegistryMessage + "\n\rHKEY_CURRENT_USER\\" + kGeneral, error->source());
  EXPECT_FALSE(drives.Exists("C:\\previous\\ZUK Modèles\\ZUK Modèles"));
}

}  // namespace
