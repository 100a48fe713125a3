// Bad input through the whole road of an exercise (InitQuestion, the learner's right answer,
// TestePoint, Fermer, Quitter): the user's registry values at and past the length of the module's
// buffers, characters the 8-bit registry cannot hold, missing keys and values, and working folders
// with "..", accents or great length. Every run holds the campaign's invariants; where the road
// can go through, the verdict is right and the user's settings come back.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "faults/invariants.hpp"
#include "faults/session.hpp"
#include "scenario/parser.hpp"
#include "vb/strings.hpp"

namespace {

using faults::SessionRun;

constexpr const char* kRecentFolders = "SOFTWARE\\Microsoft\\Office\\11.0\\Powerpoint\\RecentFolderList";
constexpr const char* kGeneral = "SOFTWARE\\Microsoft\\Office\\11.0\\Common\\General";
constexpr const char* kShellFolders = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";

/// A string literal of the scenario language.
std::string Quoted(const std::string& text) {
  std::string quoted = "\"";
  for (const char c : text) quoted += c == '"' ? std::string("\"\"") : std::string(1, c);
  return quoted + "\"";
}

/// Exercise 201 done right, after the desktop events given, in the working folder given.
SessionRun PlayRight(const std::string& events, const std::string& folder = "C:\\ZUK\\Travail\\") {
  const std::string text = events + "InitQuestion 201, " + Quoted(folder) +
                           "\n"
                           "ActivePresentation.ApplyTemplate Sim.TemplateFolder & \"Texture.pot\"\n"
                           "TestePoint\n"
                           "Fermer\n"
                           "Quitter\n";
  static std::vector<std::unique_ptr<scenario::Scenario>> kept;  // the player refers to its scenario
  kept.push_back(std::make_unique<scenario::Scenario>(scenario::Parse(text, "bad-input.scn")));
  return faults::PlaySession(201, *kept.back(), {});
}

std::string SetRegistry(const std::string& key, const std::string& name, const std::string& data) {
  return "Sim.SetRegistry " + Quoted(key) + ", " + Quoted(name) + ", " + Quoted(data) + "\n";
}

/// The invariants of the campaign, and the check's verdict.
void ExpectSound(const SessionRun& run, bool right) {
  for (const auto& rule : faults::CheckRun(run, {})) ADD_FAILURE() << rule;
  ASSERT_GE(run.host_calls.size(), 2u);
  const faults::HostCallRecord& check = run.host_calls[1];
  if (!right) return;
  EXPECT_FALSE(run.host_calls[0].error.has_value())
      << "InitQuestion raised " << run.host_calls[0].error->number << " " << run.host_calls[0].error->source;
  ASSERT_TRUE(check.verdict.has_value()) << "the check raised";
  EXPECT_TRUE(faults::SaysRight(201, *check.verdict)) << "code \"" << check.verdict->cause_erreur << "\"";
}

/// A folder path of exactly `length` characters.
std::string FolderOfLength(std::size_t length) {
  std::string folder = "C:\\Mes dossiers\\";
  while (folder.size() + 1 < length) folder += static_cast<char>('a' + folder.size() % 26);
  return folder + "\\";
}

// The user's four folder settings, 254 to 2,000 characters long or with characters the 8-bit
// registry cannot hold, come back whole after an exercise, as the registry held them.
TEST(BadRegistryInput, FolderSettingsComeBackWhole) {
  struct Case {
    std::string folder;
    bool held_as_written;  // false where the 8-bit registry cannot hold every character
  };
  for (const Case& c :
       {Case{FolderOfLength(254), true}, Case{FolderOfLength(255), true}, Case{FolderOfLength(256), true},
        Case{FolderOfLength(2000), true}, Case{"C:\\Élèves\\日本語 ☃\\", false}}) {
    SCOPED_TRACE(std::to_string(c.folder.size()) + " bytes: " + c.folder.substr(0, 24));
    std::string events;
    for (const char* name : {"Default", "MultimediaDir", "PictureDir", "TemplateDir"})
      events += SetRegistry(kRecentFolders, name, c.folder);
    const SessionRun run = PlayRight(events);
    ExpectSound(run, true);
    ASSERT_EQ(4u, run.settings_before.size());
    for (const auto& [name, before] : run.settings_before) {
      if (c.held_as_written) {
        EXPECT_EQ(c.folder, before.value_or("<missing>")) << name;
      }
      EXPECT_EQ(vb::LCase(before.value_or("")), run.host_calls.back().settings.at(name).value_or("<missing>"))
          << name;
    }
  }
}

// The template folder's registry values 254 to 2,000 characters long, and missing keys and values
// (the folder settings' key, each setting, the template folder's values). A template folder whose
// name is longer than a file name can be fails the set-up with error 52; without the Office general
// key, or the shell folders' key where "UserTemplates" is missing, the folder cannot be resolved and
// the set-up reports the registry's error. Without "AppData" or "Templates" the folder is built from
// what is left, as the module always has. A failed set-up is reported by the module, and no check
// says right after it.
TEST(BadRegistryInput, LongTemplateFoldersAndMissingKeysAndValues) {
  const auto remove = [](const std::string& key, const char* name = nullptr) {
    return "Sim.DeleteRegistry " + Quoted(key) + (name ? ", " + Quoted(name) : std::string()) + "\n";
  };
  const std::string no_user_templates = remove(kGeneral, "UserTemplates");
  struct Case {
    std::string events;
    int error;  // 0: the road goes through and the verdict is right
  };
  std::vector<Case> cases = {{remove(kRecentFolders), 0},
                             {remove(kGeneral), -2147220504},
                             {no_user_templates + remove(kShellFolders), -2147220504},
                             {no_user_templates + remove(kShellFolders, "AppData"), 0},
                             {no_user_templates + remove(kGeneral, "Templates"), 0}};
  for (const char* name : {"Default", "MultimediaDir", "PictureDir", "TemplateDir"})
    cases.push_back({remove(kRecentFolders, name), 0});
  for (const std::size_t length : {254u, 255u, 256u, 2000u}) {
    const int error = length < 2000 ? 0 : 52;
    cases.push_back({SetRegistry(kGeneral, "UserTemplates", FolderOfLength(length)), error});
    cases.push_back(
        {no_user_templates + SetRegistry(kShellFolders, "AppData", FolderOfLength(length)), error});
  }
  for (const Case& c : cases) {
    SCOPED_TRACE(c.events.substr(0, 160));
    const SessionRun run = PlayRight(c.events);
    ExpectSound(run, c.error == 0);
    if (c.error == 0) continue;
    ASSERT_TRUE(run.host_calls[0].error.has_value());
    EXPECT_EQ(c.error, run.host_calls[0].error->number);
    EXPECT_EQ("Module", faults::SplitSource(run.host_calls[0].error->source).locations.at(0).classe);
    const auto& check = run.host_calls[1];
    EXPECT_FALSE(check.verdict && faults::SaysRight(201, *check.verdict));
  }
}

// Working folders written with "..", with accents, and long: the exercise goes through in the
// folder they name, and nothing is left there.
TEST(BadPathInput, WorkingFolders) {
  const std::string long_folder = FolderOfLength(200);
  for (const std::string& folder :
       {std::string("C:\\ZUK\\Autre\\..\\Travail\\"), std::string("C:\\Formation\\Élève Noël — été\\"),
        std::string("C:\\ZUK\\Travail\\..\\..\\ZUK\\Travail\\"), long_folder}) {
    SCOPED_TRACE(folder);
    const SessionRun run = PlayRight("", folder);
    ExpectSound(run, true);
    for (const auto& [path, entry] : run.drives_after) {
      if (!entry.folder && vb::LCase(path).rfind(vb::LCase(run.template_folder), 0) == 0)
        ADD_FAILURE() << "left in the template folder: " << path;
    }
  }
}

}  // namespace
