// Scenario runs as the runner reports them: errors expected or not, bad input, folders, the
// trace, a kept desktop, the shell, the course table, the verdicts' sentences.
#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>
#include <string>

#include "app/cli_fixture.hpp"
#include "player/codes.hpp"

namespace player {
namespace {

namespace fs = std::filesystem;

using Scenarios = CliTest;

// An action's error fails the scenario at that line, unless the next line expects it.
TEST_F(Scenarios, ErrorsFailUnlessTheNextLineExpectsThem) {
  const auto caught = Write("caught.scn",
                            "ActivePresentation.Name\n"
                            "Expect Error = 91\n"
                            "Expect Error.Description Like \"*PowerPoint*\"\n"
                            "Sim.StartPowerPoint\n"
                            "ActivePresentation.Name                   ' no presentation open\n"
                            "Expect Error = -2147188160\n"
                            "Application.NoSuchMember = 1\n"
                            "Expect Error = 438\n"
                            "Presentations.Add 1, 2, 3, 4, 5, 6\n"
                            "Expect Error = 450\n"
                            "Application.Visible = \"oui\"\n"
                            "Expect Error = 13\n"
                            "Application.Name\n"
                            "Expect Error = 0\n");
  EXPECT_EQ(kExitPassed, Cli({"run", caught}).status) << Cli({"run", caught}).out;

  const auto uncaught = Write("uncaught.scn",
                              "Sim.StartPowerPoint\n"
                              "Application.NoSuchMember = 1\n"
                              "Expect Error = 438\n"
                              "Application.NoSuchMember = 1\n"
                              "Fermer\n"
                              "Expect 1 = 1\n");
  const auto result = Cli({"run", uncaught});
  EXPECT_EQ(kExitFailed, result.status);
  EXPECT_EQ("FAIL " + uncaught +
                ":4: Application.NoSuchMember = 1 raised error 438 (PowerPoint): Object doesn't support this "
                "property or method (`NoSuchMember` is not a member of Application) (1 later expectation not "
                "run)\n0 passed, 1 failed\n",
            result.out);
}

// A scenario that cannot be parsed or read makes the run end with status 2, the others still run.
TEST_F(Scenarios, BadInputEndsWithStatusTwo) {
  const auto good = Write("good.scn", "Expect 1 + 1 = 2\n");
  const auto broken = Write("broken.scn", "Expect 1 = 1\nExpect \"open = 1\n");
  const auto garbage = Write("garbage.scn", std::string("\x7F"
                                                        "ELF\x02\x01\x01\x00\x00",
                                                        9));
  auto result = Cli({"run", good, broken, garbage, (folder_ / "missing.scn").string()});
  EXPECT_EQ(kExitBadInput, result.status);
  EXPECT_NE(std::string::npos, result.out.find("PASS " + good));
  EXPECT_NE(std::string::npos, result.out.find("1 passed, 3 failed"));
  // Each is told once, on the report, as file:line:column: message (a missing file without a
  // line of 0).
  EXPECT_NE(
      std::string::npos,
      result.out.find("ERROR " + broken +
                      ":2:8: unterminated string: a string must end with \" on the line where it starts\n"))
      << result.out;
  EXPECT_NE(std::string::npos,
            result.out.find("ERROR " + garbage + ":1:1: unexpected control character U+007F"));
  EXPECT_NE(std::string::npos, result.out.find("missing.scn: cannot read the file: it does not exist\n"));
  EXPECT_EQ(std::string::npos, result.out.find(":0:"));
  EXPECT_EQ("", result.err);

  const auto empty_folder = folder_ / "empty";
  fs::create_directories(empty_folder);
  result = Cli({"run", empty_folder.string()});
  EXPECT_EQ(kExitBadInput, result.status);
  EXPECT_NE(std::string::npos, result.err.find("no scenario (.scn file) in this folder"));
}

// A folder runs its scenarios in name order, sub-folders included.
TEST_F(Scenarios, FoldersRunTheirScenariosInOrder) {
  Write("set/b.scn", "Expect 2 = 2\n");
  Write("set/a/c.scn", "Expect 3 = 3\n");
  Write("set/notes.txt", "not a scenario\n");
  const auto result = Cli({"run", (folder_ / "set").string()});
  EXPECT_EQ(kExitPassed, result.status);
  const auto a = result.out.find("set/a/c.scn");
  const auto b = result.out.find("set/b.scn");
  EXPECT_TRUE(a != std::string::npos && b != std::string::npos && a < b) << result.out;
  EXPECT_NE(std::string::npos, result.out.find("2 passed, 0 failed"));
}

// The trace shows each host call with its arguments, its results, its object-model calls per
// member, and the verdict with what it tells the learner; with --json, as events.
TEST_F(Scenarios, TraceShowsHostCallsAndVerdicts) {
  const auto scenario = Write("one.scn", "InitQuestion 201\nTestePoint\nExpect CauseErreur = \"A\"\n");
  auto result = Cli({"run", scenario, "--trace"});
  EXPECT_EQ(kExitFailed, result.status);
  EXPECT_NE(std::string::npos, result.out.find("InitQuestion(201, \"C:\\ZUK\\Travail\\\", Nothing, -1) -> "
                                               "Host.Application = Application, Host.Handle = "))
      << result.out;
  EXPECT_NE(std::string::npos, result.out.find("templatename 1")) << result.out;
  EXPECT_NE(std::string::npos,
            result.out.find("verdict: \"B\" « un autre modèle que « Texture » est appliqué, ou aucun »"));
  EXPECT_NE(std::string::npos, result.out.find("failed: expected CauseErreur = \"A\", found \"B\""));

  result = Cli({"run", scenario, "--json", "--trace"});
  EXPECT_NE(std::string::npos, result.out.find("\"event\":\"host-call\"")) << result.out;
  EXPECT_NE(std::string::npos, result.out.find("\"templatename\":1"));
}

// --state keeps the desktop: a second scenario run on it finds what the first left.
TEST_F(Scenarios, StateFolderIsKeptBetweenRuns) {
  const auto first = Write("first.scn", "Sim.SetRegistry \"Software\\K60418\", \"Essai\", \"gardé\"\n");
  const auto second =
      Write("second.scn", "Expect Sim.Registry(\"Software\\K60418\", \"Essai\") = \"gardé\"\n");
  const std::string state = (folder_ / "state").string();
  auto result = Cli({"run", first, "--state", state});
  EXPECT_EQ(kExitPassed, result.status) << result.out << result.err;
  result = Cli({"run", second, "--state", state});
  EXPECT_EQ(kExitPassed, result.status) << result.out << result.err;
  EXPECT_NE(std::string::npos, result.out.find("NOTE " + second + ": the desktop was reloaded from "))
      << result.out;
  EXPECT_NE(std::string::npos, result.out.find("no PowerPoint runs after a reload"));
  EXPECT_EQ(kExitFailed, Cli({"run", second}).status);  // a fresh desktop does not have it
}

// The shell answers each statement at once, also with piped input (no prompt).
TEST_F(Scenarios, ShellAnswersPipedStatements) {
  std::istringstream in(
      "help\n"
      "InitQuestion 201\n"
      "TestePoint\n"
      "ActivePresentation.ApplyTemplate _\n"
      "   Sim.DesignsFolder & \"Pixel.pot\"\n"
      "Sim.WorkFolder & \"x\"\n"
      "ActivePresentation.Nonexistent\n"
      "Expect Error = 438\n"
      "show\n"
      "codes\n"
      "Expect 1 = 2\n"
      "Expect \"unterminated\n"
      "quit\n"
      "Expect 1 = 1\n");
  std::ostringstream out;
  std::ostringstream err;
  ShellOptions options;
  EXPECT_EQ(kExitFailed, RunShell(options, in, out, err));
  const std::string text = out.str();
  EXPECT_EQ(std::string::npos, text.find("k60418>"));
  EXPECT_NE(std::string::npos, text.find("Statements, as in a scenario file"));
  EXPECT_NE(std::string::npos,
            text.find("CauseErreur = \"B\" « un autre modèle que « Texture » est appliqué, ou aucun »"))
      << text;
  EXPECT_NE(std::string::npos, text.find("\nok\n"));
  EXPECT_NE(std::string::npos, text.find("= \"C:\\ZUK\\Travail\\x\""));
  EXPECT_NE(std::string::npos,
            text.find("error 438 (PowerPoint): Object doesn't support this property or method"));
  EXPECT_NE(std::string::npos, text.find("Cinéloisirs"));  // the shown presentation
  EXPECT_NE(std::string::npos, text.find("0201  Appliquer le modèle de conception « Texture »"));
  EXPECT_NE(std::string::npos, text.find("failed: expected 1 = 2, found 1"));
  EXPECT_NE(std::string::npos, err.str().find("line 12, column 8: unterminated string"));
}

TEST(Codes, EveryExerciseHasATitleAndASentencePerCode) {
  ASSERT_EQ(24u, CourseExercises().size());
  for (const auto& exercise : CourseExercises()) {
    EXPECT_FALSE(exercise.title.empty()) << exercise.number;
    EXPECT_FALSE(exercise.codes.empty()) << exercise.number;
    for (const auto& code : exercise.codes)
      EXPECT_FALSE(code.sentence.empty()) << exercise.number << code.code;
  }
  EXPECT_EQ("le mot a encore seulement son ombre", Sentence(203, false, "B"));
  // The same letter means something else as a general code.
  EXPECT_EQ("des diapositives de la présentation ont été supprimées", Sentence(203, true, "C"));
  EXPECT_EQ("", Sentence(201, false, "Z"));

  std::ostringstream out;
  std::ostringstream err;
  EXPECT_EQ(kExitPassed, ListCodes(std::string("203"), out, err));
  EXPECT_NE(std::string::npos, out.str().find("  B     le mot a encore seulement son ombre\n"));
  EXPECT_NE(std::string::npos, out.str().find("  %AL   PowerPoint refuse les commandes"));
  EXPECT_EQ(kExitBadInput, ListCodes(std::string("999"), out, err));
  EXPECT_EQ(kExitBadInput, ListCodes(std::string("abc"), out, err));
}

// show refuses a file that is not a presentation, and one that is missing.
TEST_F(Scenarios, ShowRefusesWhatIsNotAPresentation) {
  std::ostringstream out;
  std::ostringstream err;
  EXPECT_EQ(kExitBadInput,
            ShowFile(Write("garbage.ppt", std::string("\xD0\xCF\x11\xE0\x00\x01", 6)), out, err));
  EXPECT_NE(std::string::npos, err.str().find("not a presentation file"));
  EXPECT_EQ(kExitBadInput, ShowFile((folder_ / "none.ppt").string(), out, err));
}

// The course: one row per exercise, the bundled scenarios of a course folder, failures listed.
TEST_F(Scenarios, CourseTableRowsAndSummary) {
  const fs::path course = MakeCourse();
  Write("course/scenarios/0201/pixel.scn",
        "InitQuestion 201\nActivePresentation.ApplyTemplate Sim.DesignsFolder & \"Pixel.pot\"\nTestePoint\n"
        "Expect CauseErreur = \"A\"\n");
  Write("course/scenarios/0201/wrong.scn", "InitQuestion 201\nTestePoint\nExpect CauseErreur = \"A\"\n");
  Write("course/scenarios/general/dialog.scn",
        "InitQuestion 201\nSim.OpenDialog \"Imprimer\"\nTestePoint\nExpect CauseErreur = \"%AL\"\n");
  const auto result = Cli({"--course", course.string(), "course"});
  EXPECT_EQ(kExitFailed, result.status);
  const std::string& text = result.out;
  EXPECT_NE(std::string::npos, text.find("0201      Appliquer le modèle de conception « Texture »")) << text;
  EXPECT_NE(std::string::npos, text.find("1/2        A B\n")) << text;
  EXPECT_NE(std::string::npos, text.find("            A      « c'est le modèle « Pixel » qui est appliqué"));
  EXPECT_NE(std::string::npos, text.find("général")) << text;
  EXPECT_NE(std::string::npos, text.find("1/1        %AL\n")) << text;
  EXPECT_NE(std::string::npos, text.find("FAIL 0201/wrong.scn:3: expected CauseErreur = \"A\", found \"B\""));
  EXPECT_NE(std::string::npos, text.find("\n2 passed, 1 failed\n"));
  EXPECT_TRUE(result.err.empty()) << "no progress without a terminal: " << result.err;
}

}  // namespace
}  // namespace player
