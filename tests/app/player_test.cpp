#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "error_number.hpp"
#include "player/player.hpp"
#include "player/runner.hpp"
#include "scenario/parser.hpp"

namespace player {
namespace {

using test_support::ErrorNumberOf;

// Runs a scenario's text on a fresh player: "" when it passes, else "line: message".
std::string Play(TrainingPlayer& player, const std::string& text) {
  Runner runner(player);
  const auto result = runner.Run(scenario::Parse(text, "t.scn"));
  return result.passed ? "" : std::to_string(result.line) + ": " + result.message;
}

// The host places an exercise's model files under their source names, in a working folder it
// creates, for every exercise of the course (224 has none to place, its folder is made all the same).
TEST(TrainingPlayer, PlacesModelFilesUnderTheirSourceNames) {
  TrainingPlayer player;
  EXPECT_EQ((std::vector<std::string>{"02131201.ppt", "12131201.pot"}), player.ModelFiles(201));
  player.PlaceFiles(201, "C:\\Autre dossier\\");
  EXPECT_TRUE(player.desktop().FileExists("C:\\Autre dossier\\02131201.ppt"));
  EXPECT_TRUE(player.desktop().FileExists("C:\\Autre dossier\\12131201.pot"));
  EXPECT_TRUE(player.ModelFiles(224).empty());
  player.PlaceFiles(224, "C:\\Vide\\");
  EXPECT_TRUE(player.desktop().FileExists("C:\\Vide\\"));
  EXPECT_EQ(vb::errors::kInvalidCall, ErrorNumberOf([&] { player.PlaceFiles(225, "C:\\X\\"); }));
}

// The host's variables go in and come back from InitQuestion and Quitter as a host keeps them.
TEST(TrainingPlayer, KeepsTheHostsInOutVariables) {
  TrainingPlayer player;
  EXPECT_EQ("", Play(player,
                     "Expect Host.Application Is Nothing\n"
                     "Expect Host.Handle = -1\n"
                     "InitQuestion 201, \"C:\\Cours\\\"\n"
                     "Expect Host.Handle <> -1\n"
                     "Expect Host.Application.Name Like \"*PowerPoint*\"\n"
                     "Expect Sim.WorkFolder = \"C:\\Cours\\\"\n"
                     "Expect Sim.TemplateFolder Like \"[Cc]:\\*\\ZUK Modèles\\\"\n"
                     "Expect Sim.PowerPointRunning = 1\n"
                     "Host.Application = 5\n"
                     "Expect Error = 13\n"
                     "Quitter\n"
                     "Expect Sim.PowerPointRunning = 0\n"
                     "Expect Host.Handle = 0\n"));
  EXPECT_TRUE(player.application().IsNothing());
}

// Desktop events reach the simulated desktop; those that need a PowerPoint raise without one.
TEST(TrainingPlayer, DesktopEventsAndValues) {
  TrainingPlayer player;
  EXPECT_EQ("",
            Play(player,
                 "Sim.HideWindow\n"
                 "Expect Error = 5\n"
                 "Expect Error.Source = \"Sim\"\n"
                 "Sim.DestroyMainWindow\n"
                 "Expect Error = 5\n"
                 "Expect Sim.WindowVisible = False\n"
                 "Sim.StartPowerPoint\n"
                 "Expect Sim.WindowVisible = True\n"
                 "Sim.Minimize\n"
                 "Expect Application.WindowState = ppWindowMinimized\n"
                 "Sim.Restore\n"
                 "Sim.OpenWindow \"Bloc-notes\", \"Notepad\"\n"
                 "Expect Sim.WindowHandle(\"Bloc-notes\") <> 0\n"
                 "Expect Sim.WindowHandle(\"Aucune\") = 0\n"
                 "Sim.OpenWindow \"Modèles\", \"CabinetWClass\"   ' titles are 8-bit on the desktop\n"
                 "Expect Sim.WindowHandle(\"Modèles\") <> 0\n"
                 "Sim.SetRegistry \"Software\\Essai\", \"Valeur\", \"Modèles\"\n"
                 "Expect Sim.Registry(\"Software\\Essai\", \"Valeur\") = \"Modèles\"\n"
                 "Sim.DeleteRegistry \"Software\\Essai\", \"Valeur\"\n"
                 "Expect Sim.Registry(\"Software\\Essai\", \"Valeur\") = \"\"   ' missing: Empty\n"
                 "Expect Sim.Registry(\"Software\\Essai\", \"Valeur\") = 0\n"
                 "Sim.SetRegistry \"Software\\Essai\\Sous-clé\", \"Valeur\", \"x\"\n"
                 "Sim.DeleteRegistry \"Software\\Essai\"        ' the key with its sub-keys\n"
                 "Expect Sim.Registry(\"Software\\Essai\\Sous-clé\", \"Valeur\") = 0\n"
                 "Sim.Wait -1\n"
                 "Expect Error = 5\n"
                 "Sim.Wait 1e300\n"
                 "Expect Error = 6\n"
                 "Sim.FailCalls \"Name\", 1\n"
                 "Application.Name\n"
                 "Expect Error = -2147188160\n"
                 "Application.Name\n"
                 "Expect Error = 0\n"
                 "Sim.QuitPowerPoint\n"
                 "Sim.QuitPowerPoint                 ' quitting again changes nothing\n"
                 "Expect Sim.PowerPointRunning = 0\n"
                 "Sim.Minimize                       ' nor can an ended PowerPoint be minimized\n"
                 "Expect Error = 5\n"
                 "Application.Name                   ' the newest PowerPoint, ended: it no longer answers\n"
                 "Expect Error = -2147023174\n"));
}

// Events and values aimed at PowerPoint take the instance the module holds while it runs, and
// the newest started otherwise.
TEST(TrainingPlayer, EventsActOnTheHeldPowerPointWhileItRuns) {
  TrainingPlayer player;
  EXPECT_EQ("", Play(player,
                     "InitQuestion 201\n"
                     "Sim.StartPowerPoint              ' newer than the one the module holds\n"
                     "Sim.HideWindow\n"
                     "Expect Sim.WindowVisible = False\n"
                     "Sim.QuitPowerPoint\n"
                     "Expect Sim.PowerPointRunning = 1\n"
                     "Expect Sim.WindowVisible = True   ' the newest, never hidden\n"
                     "Application.Name                   ' still the module's, ended\n"
                     "Expect Error = -2147023174\n"));
}

// The exercises a scenario sets up are kept, each once (the verdicts seen with them are the course
// table's: Scenarios.CourseTableRowsAndSummary).
TEST(TrainingPlayer, RunnerKeepsTheExercisesSetUp) {
  TrainingPlayer player;
  Runner runner(player);
  const auto result = runner.Run(
      scenario::Parse("InitQuestion 201\nFermer\nInitQuestion 203\nFermer\nInitQuestion 201\n", "t.scn"));
  ASSERT_TRUE(result.passed) << result.message;
  EXPECT_EQ((std::vector<std::int32_t>{201, 203}), result.exercises);
}

}  // namespace
}  // namespace player
