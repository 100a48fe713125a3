#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <regex>
#include <sstream>
#include <string>

#include "player/codes.hpp"
#include "player/commands.hpp"

namespace player {
namespace {

namespace fs = std::filesystem;

// The output with the summary's time left out ("1 passed, 0 failed in 0.3 s" → "1 passed, 0 failed").
std::string WithoutTime(const std::string& text) {
  return std::regex_replace(text, std::regex(" in [0-9]+\\.[0-9] s\n"), "\n");
}

// A temporary folder of scenario files, removed afterwards.
class Scenarios : public ::testing::Test {
 protected:
  Scenarios() {
    folder_ = fs::temp_directory_path() /
              ("k60418_app_" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + "_" +
               ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(folder_);
    fs::create_directories(folder_);
  }
  ~Scenarios() override { fs::remove_all(folder_); }

  std::string Write(const std::string& name, const std::string& content) {
    const fs::path path = folder_ / name;
    fs::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary) << content;
    return path.string();
  }

  struct Output {
    int status = -1;
    std::string out;
    std::string err;
  };
  Output Run(std::vector<std::string> paths, bool json = false, bool trace = false) {
    RunOptions options;
    options.paths = std::move(paths);
    options.json = json;
    options.trace = trace;
    std::ostringstream out;
    std::ostringstream err;
    Output result;
    result.status = RunScenarios(options, out, err);
    result.out = WithoutTime(out.str());
    result.err = err.str();
    return result;
  }

  fs::path folder_;
};

TEST_F(Scenarios, PassingAndFailingScenariosGiveTheirLinesAndExitStatus) {
  const auto right = Write("right.scn",
                           "InitQuestion 201\n"
                           "ActivePresentation.ApplyTemplate Sim.TemplateFolder & \"Texture.pot\"\n"
                           "TestePoint\n"
                           "Expect CauseErreur = \"\"\n");
  const auto wrong = Write("wrong.scn",
                           "InitQuestion 201\n"
                           "TestePoint\n"
                           "\n"
                           "Expect CauseErreur = \"\"   ' untouched, it is B\n"
                           "Expect CauseErreur = \"B\"\n");
  auto result = Run({right});
  EXPECT_EQ(kExitPassed, result.status);
  EXPECT_EQ("PASS " + right + "\n1 passed, 0 failed\n", result.out);

  result = Run({right, wrong});
  EXPECT_EQ(kExitFailed, result.status);
  EXPECT_EQ(
      "PASS " + right + "\nFAIL " + wrong +
          ":4: expected CauseErreur = \"\", found \"B\" (1 later expectation not run)\n1 passed, 1 failed\n",
      result.out);
}

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
  EXPECT_EQ(kExitPassed, Run({caught}).status) << Run({caught}).out;

  const auto uncaught = Write("uncaught.scn",
                              "Sim.StartPowerPoint\n"
                              "Application.NoSuchMember = 1\n"
                              "Expect Error = 438\n"
                              "Application.NoSuchMember = 1\n"
                              "Fermer\n");
  const auto result = Run({uncaught});
  EXPECT_EQ(kExitFailed, result.status);
  EXPECT_EQ("FAIL " + uncaught +
                ":4: Application.NoSuchMember = 1 raised error 438 (PowerPoint): Object doesn't support this "
                "property or method (`NoSuchMember` is not a member of Application)\n0 passed, 1 failed\n",
            result.out);
}

// A scenario that cannot be parsed or read makes the run end with status 2, the others still run.
TEST_F(Scenarios, BadInputEndsWithStatusTwo) {
  const auto good = Write("good.scn", "Expect 1 + 1 = 2\n");
  const auto broken = Write("broken.scn", "Expect 1 = 1\nExpect \"open = 1\n");
  const auto garbage = Write("garbage.scn", std::string("\x7F"
                                                        "ELF\x02\x01\x01\x00\x00",
                                                        9));
  auto result = Run({good, broken, garbage, (folder_ / "missing.scn").string()});
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
  result = Run({empty_folder.string()});
  EXPECT_EQ(kExitBadInput, result.status);
  EXPECT_NE(std::string::npos, result.err.find("no scenario (.scn file) in this folder"));
}

// A folder runs its scenarios in name order, sub-folders included.
TEST_F(Scenarios, FoldersRunTheirScenariosInOrder) {
  Write("set/b.scn", "Expect 2 = 2\n");
  Write("set/a/c.scn", "Expect 3 = 3\n");
  Write("set/notes.txt", "not a scenario\n");
  const auto result = Run({(folder_ / "set").string()});
  EXPECT_EQ(kExitPassed, result.status);
  const auto a = result.out.find("set/a/c.scn");
  const auto b = result.out.find("set/b.scn");
  EXPECT_TRUE(a != std::string::npos && b != std::string::npos && a < b) << result.out;
  EXPECT_NE(std::string::npos, result.out.find("2 passed, 0 failed"));
}

TEST_F(Scenarios, JsonLinesAndTrace) {
  const auto scenario = Write("one.scn", "InitQuestion 201\nTestePoint\nExpect CauseErreur = \"A\"\n");
  auto result = Run({scenario}, true);
  EXPECT_EQ(kExitFailed, result.status);
  EXPECT_NE(std::string::npos, result.out.find("{\"column\":1,\"duration_ms\":")) << result.out;
  EXPECT_NE(std::string::npos,
            result.out.find("\"expected\":\"\\\"A\\\"\",\"file\":\"" + scenario +
                            "\",\"found\":\"\\\"B\\\"\",\"line\":3,\"message\":\"expected CauseErreur = "
                            "\\\"A\\\", found \\\"B\\\"\",\"status\":\"fail\"}"))
      << result.out;
  EXPECT_NE(std::string::npos, result.out.find("\"errors\":0,\"failed\":1,\"passed\":0,\"summary\":true}\n"));
  EXPECT_EQ(std::string::npos, result.out.find("0 passed, 1 failed"));

  // The trace shows each host call with its arguments, its results, its object-model calls per
  // member, and the verdict with what it tells the learner.
  result = Run({scenario}, false, true);
  EXPECT_NE(std::string::npos, result.out.find("InitQuestion(201, \"C:\\ZUK\\Travail\\\", Nothing, -1) -> "
                                               "Host.Application = Application, Host.Handle = "))
      << result.out;
  EXPECT_NE(std::string::npos, result.out.find("templatename 1")) << result.out;
  EXPECT_NE(std::string::npos,
            result.out.find("verdict: \"B\" « un autre modèle que « Texture » est appliqué, ou aucun »"));
  EXPECT_NE(std::string::npos, result.out.find("failed: expected CauseErreur = \"A\", found \"B\""));

  result = Run({scenario}, true, true);
  EXPECT_NE(std::string::npos, result.out.find("\"event\":\"host-call\"")) << result.out;
  EXPECT_NE(std::string::npos, result.out.find("\"templatename\":1"));
}

// --state keeps the desktop: a second scenario run on it finds what the first left.
TEST_F(Scenarios, StateFolderIsKeptBetweenRuns) {
  const auto first = Write("first.scn", "Sim.SetRegistry \"Software\\K60418\", \"Essai\", \"gardé\"\n");
  const auto second =
      Write("second.scn", "Expect Sim.Registry(\"Software\\K60418\", \"Essai\") = \"gardé\"\n");
  RunOptions options;
  options.state_folder = folder_ / "state";
  std::ostringstream out;
  std::ostringstream err;
  options.paths = {first};
  EXPECT_EQ(kExitPassed, RunScenarios(options, out, err)) << out.str() << err.str();
  options.paths = {second};
  out.str("");
  EXPECT_EQ(kExitPassed, RunScenarios(options, out, err)) << out.str() << err.str();
  EXPECT_NE(std::string::npos, out.str().find("NOTE " + second + ": the desktop was reloaded from "))
      << out.str();
  EXPECT_NE(std::string::npos, out.str().find("no PowerPoint runs after a reload"));
  EXPECT_EQ(kExitFailed, Run({second}).status);  // a fresh desktop does not have it
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

// The example of the scenario language's contract runs unchanged, and so does its version for
// exercise 201 among the bundled scenarios.
TEST_F(Scenarios, TheContractsExampleRunsUnchanged) {
  const auto example =
      Write("example.scn", R"scn(' Exercise 203: underline "exceptionnel" in the second text of slide 3
InitQuestion 203
Expect ActivePresentation.Name = "Cinéloisirs.ppt"
TestePoint
Expect ErreurGenerale = False
Expect CauseErreur = "B"                 ' untouched: the word still has only its shadow
ActivePresentation.Slides(3).Shapes(2).TextFrame.TextRange.Find("exceptionnel").Font.Underline = msoTrue
TestePoint
Expect CauseErreur = "B"                 ' a later right answer does not clear an earlier code
Fermer
InitQuestion 203
ActivePresentation.Slides(3).Shapes(2).TextFrame.TextRange.Find("exceptionnel").Font.Underline = msoTrue
TestePoint
Expect CauseErreur = ""
Fermer
Expect Sim.FileExists(Sim.WorkFolder & "Cinéloisirs.ppt") = False
Quitter
Expect Host.Application Is Nothing
)scn");
  auto result = Run({example});
  EXPECT_EQ(kExitPassed, result.status) << result.out;
  result = Run({std::string(K60418_COURSE_DIR) + "/scenarios/0201/exemple.scn"});
  EXPECT_EQ(kExitPassed, result.status) << result.out;
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

TEST_F(Scenarios, ShowRefusesWhatIsNotAPresentation) {
  std::ostringstream out;
  std::ostringstream err;
  EXPECT_EQ(kExitPassed, ShowFile(std::string(K60418_COURSE_DIR) + "/models/02131201.ppt", out, err))
      << err.str();
  EXPECT_NE(std::string::npos, out.str().find("Cinéloisirs")) << out.str().substr(0, 400);
  EXPECT_EQ(kExitBadInput,
            ShowFile(Write("garbage.ppt", std::string("\xD0\xCF\x11\xE0\x00\x01", 6)), out, err));
  EXPECT_NE(std::string::npos, err.str().find("not a presentation file"));
  EXPECT_EQ(kExitBadInput, ShowFile((folder_ / "none.ppt").string(), out, err));
}

// The course: one row per exercise, the bundled scenarios of a course folder, failures listed.
TEST_F(Scenarios, CourseTableRowsAndSummary) {
  const fs::path course = folder_ / "course";
  fs::create_directories(course);
  fs::create_directory_symlink(fs::path(K60418_COURSE_DIR) / "models", course / "models");
  fs::create_directory_symlink(fs::path(K60418_COURSE_DIR) / "office", course / "office");
  Write("course/scenarios/0201/pixel.scn",
        "InitQuestion 201\nActivePresentation.ApplyTemplate Sim.DesignsFolder & \"Pixel.pot\"\nTestePoint\n"
        "Expect CauseErreur = \"A\"\n");
  Write("course/scenarios/0201/wrong.scn", "InitQuestion 201\nTestePoint\nExpect CauseErreur = \"A\"\n");
  Write("course/scenarios/general/dialog.scn",
        "InitQuestion 201\nSim.OpenDialog \"Imprimer\"\nTestePoint\nExpect CauseErreur = \"%AL\"\n");
  CourseOptions options;
  options.course_folder = course;
  std::ostringstream out;
  std::ostringstream err;
  EXPECT_EQ(kExitFailed, PlayCourse(options, out, err));
  const std::string text = out.str();
  EXPECT_NE(std::string::npos, text.find("0201      Appliquer le modèle de conception « Texture »")) << text;
  EXPECT_NE(std::string::npos, text.find("1/2        A B\n")) << text;
  EXPECT_NE(std::string::npos, text.find("            A      « c'est le modèle « Pixel » qui est appliqué"));
  EXPECT_NE(std::string::npos, text.find("général")) << text;
  EXPECT_NE(std::string::npos, text.find("1/1        %AL\n")) << text;
  EXPECT_NE(std::string::npos, text.find("FAIL 0201/wrong.scn:3: expected CauseErreur = \"A\", found \"B\""));
  EXPECT_NE(std::string::npos, WithoutTime(text).find("\n2 passed, 1 failed\n"));
  EXPECT_TRUE(err.str().empty()) << "no progress without a terminal: " << err.str();
}

}  // namespace
}  // namespace player
