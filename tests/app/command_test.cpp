// The k60418 command as CI and course authors use it: machine output, choosing what runs,
// coverage, messages that say what to fix, and the shell's record.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <pty.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <nlohmann/json.hpp>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include "app/cli_fixture.hpp"
#include "sim/ppt/file_format.hpp"

extern char** environ;

namespace player {
namespace {

namespace fs = std::filesystem;

class Command : public CliTest {
 protected:
  static bool Have(const char* program) {
    return std::system((std::string("command -v ") + program + " >/dev/null 2>&1").c_str()) == 0;
  }
};

const char* const kRight201 =
    "InitQuestion 201\nActivePresentation.ApplyTemplate Sim.TemplateFolder & \"Texture.pot\"\nTestePoint\n"
    "Expect CauseErreur = \"\"\n";

// --json: JSON lines only, one object per scenario with its own fields, and a summary last.
TEST_F(Command, JsonLinesOnlyWithFieldsOfTheirOwn) {
  const auto right = Write("a/right.scn", kRight201);
  const auto wrong = Write("a/wrong.scn", "InitQuestion 201\nTestePoint\nExpect   CauseErreur = \"A\"\n");
  const auto broken = Write("b/broken.scn", "Expect 1 = 1\nExpect \"open = 1\n");
  const auto result = Cli({"run", right, wrong, broken, "--json"});
  EXPECT_EQ(kExitBadInput, result.status);
  const auto lines = JsonLines(result.out);
  ASSERT_EQ(4u, lines.size()) << result.out;
  EXPECT_EQ("pass", lines[0]["status"]);
  EXPECT_TRUE(lines[0]["line"].is_null());
  EXPECT_TRUE(lines[0]["duration_ms"].is_number_integer());
  EXPECT_EQ(wrong, lines[1]["file"]);
  EXPECT_EQ("fail", lines[1]["status"]);
  EXPECT_EQ(3, lines[1]["line"]);
  EXPECT_EQ(1, lines[1]["column"]);
  EXPECT_EQ("\"A\"", lines[1]["expected"]);
  EXPECT_EQ("\"B\"", lines[1]["found"]);
  EXPECT_EQ("expected CauseErreur = \"A\", found \"B\"", lines[1]["message"]);
  EXPECT_EQ("error", lines[2]["status"]);
  EXPECT_EQ(2, lines[2]["line"]);
  EXPECT_EQ(8, lines[2]["column"]);
  EXPECT_TRUE(lines[2]["expected"].is_null());
  EXPECT_EQ(true, lines[3]["summary"]);
  EXPECT_EQ(1, lines[3]["passed"]);
  EXPECT_EQ(2, lines[3]["failed"]);
  EXPECT_EQ(1, lines[3]["errors"]);
  EXPECT_EQ("", result.err);
}

// A JUnit report from course --junit passes a JUnit schema; the check catches a malformed one.
TEST_F(Command, JUnitReportPassesTheSchema) {
  const fs::path course = MakeCourse();
  Write("course/scenarios/0201/right.scn", kRight201);
  Write("course/scenarios/0201/wrong & <odd>.scn",
        "InitQuestion 201\nTestePoint\nExpect CauseErreur = \"A\"\n");
  Write("course/scenarios/general/broken.scn", "Expect \"open\n");
  const std::string report = (folder_ / "report.xml").string();
  const auto result = Cli({"--course", course.string(), "course", "--junit", report});
  EXPECT_EQ(kExitBadInput, result.status) << result.out << result.err;
  std::stringstream xml;
  xml << std::ifstream(report).rdbuf();
  EXPECT_NE(std::string::npos,
            xml.str().find("<testsuite name=\"0201\" tests=\"2\" failures=\"1\" errors=\"0\""))
      << xml.str();
  EXPECT_NE(std::string::npos, xml.str().find("0201/wrong &amp; &lt;odd&gt;.scn:3: expected CauseErreur"));
  EXPECT_NE(std::string::npos,
            xml.str().find("<error message=\"general/broken.scn:1:8: unterminated string"));

  if (!Have("xmllint")) GTEST_SKIP() << "xmllint (libxml2-utils) is not installed";
  const std::string schema = std::string(K60418_APP_TESTS_DIR) + "/junit.xsd";
  const auto valid = [&](const std::string& file) {
    return std::system(("xmllint --noout --schema " + schema + " " + file + " >/dev/null 2>&1").c_str()) == 0;
  };
  EXPECT_TRUE(valid(report)) << xml.str();
  std::string broken = xml.str();
  broken.replace(broken.find(" classname="), 11, " class=");
  EXPECT_FALSE(valid(Write("broken.xml", broken)));
  EXPECT_FALSE(valid(Write("truncated.xml", xml.str().substr(0, xml.str().size() / 2))));
}

// A write error on standard output (a full disk, a closed pipe) ends with a non-zero status.
TEST_F(Command, OutputWriteErrorsAreErrors) {
  // In the engine: a stream that refuses every write.
  std::istringstream in;
  std::ostringstream err;
  std::ostream refusing(nullptr);
  Console console{in, refusing, err};
  EXPECT_EQ(kExitBadInput, RunCommandLine({"k60418", "codes"}, console));
  EXPECT_NE(std::string::npos, err.str().find("the output could not be written"));

  // The command itself, on /dev/full and on a pipe whose reader has gone.
  const auto run = [](int out) {
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, out, STDOUT_FILENO);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    char program[] = K60418_COMMAND;
    char codes[] = "codes";
    char* argv[] = {program, codes, nullptr};
    pid_t pid = 0;
    int status = -1;
    if (posix_spawn(&pid, program, &actions, nullptr, argv, environ) == 0) waitpid(pid, &status, 0);
    posix_spawn_file_actions_destroy(&actions);
    return status;
  };
  if (fs::exists("/dev/full")) {
    const int full = open("/dev/full", O_WRONLY);
    const int status = run(full);
    close(full);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == kExitBadInput) << status;
  }
  int ends[2];
  ASSERT_EQ(0, pipe(ends));
  close(ends[0]);
  const int status = run(ends[1]);
  close(ends[1]);
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == kExitBadInput) << status;
}

// course N / N-M, run --filter, --list: what would run, without running it.
TEST_F(Command, ChoosingWhatRuns) {
  auto result = Cli({"course", "203", "210-212", "--list"});
  EXPECT_EQ(kExitPassed, result.status) << result.err;
  EXPECT_NE(std::string::npos, result.out.find("0203/"));
  EXPECT_NE(std::string::npos, result.out.find("0211/"));
  EXPECT_NE(std::string::npos, result.out.find("0212/"));
  EXPECT_EQ(std::string::npos, result.out.find("0204/"));
  EXPECT_EQ(std::string::npos, result.out.find("0213/"));
  EXPECT_EQ(std::string::npos, result.out.find("passed"));
  result = Cli({"course", "250"});
  EXPECT_EQ(kExitBadInput, result.status);
  EXPECT_NE(std::string::npos, result.err.find("250 is not an exercise of the course"));

  Write("set/one-right.scn", "Expect 1 = 1\n");
  Write("set/two-wrong.scn", "Expect 1 = 2\n");
  Write("set/sub/three-right.scn", "Expect 3 = 3\n");
  const std::string set = (folder_ / "set").string();
  result = Cli({"run", set, "--filter", "right"});
  EXPECT_EQ(kExitPassed, result.status) << result.out;
  EXPECT_NE(std::string::npos, result.out.find("2 passed, 0 failed"));
  result = Cli({"run", set, "--filter", "*/two-*", "--list"});
  EXPECT_EQ(set + "/two-wrong.scn\n", result.out);
  result = Cli({"course", "218", "--filter", "right", "--brief"});
  EXPECT_EQ(kExitPassed, result.status) << result.out;
  EXPECT_NE(std::string::npos, result.out.find("1/1")) << result.out;
}

// course --coverage: the codes an exercise names that no scenario reaches, 0218's "A" with why.
TEST_F(Command, CoverageNamesTheCodesNotReached) {
  auto result = Cli({"course", "218", "--coverage", "--brief"});
  EXPECT_EQ(kExitPassed, result.status) << result.out;
  EXPECT_TRUE(
      std::regex_search(result.out, std::regex("\n  0218 +A +inatteignable : une présentation garde")))
      << result.out;
  EXPECT_NE(std::string::npos, result.out.find("\n  1 code sur 6 non atteint (dont 1 inatteignable)\n"))
      << result.out;

  const fs::path course = MakeCourse();
  Write("course/scenarios/0201/untouched.scn", "InitQuestion 201\nTestePoint\nExpect CauseErreur = \"B\"\n");
  result = Cli({"--course", course.string(), "course", "--coverage", "--brief"});
  EXPECT_EQ(kExitPassed, result.status) << result.out;
  EXPECT_TRUE(std::regex_search(result.out, std::regex("\n  0201 +A +« ")));
  EXPECT_TRUE(std::regex_search(result.out, std::regex("\n  0201 +juste ")));
  EXPECT_FALSE(std::regex_search(result.out, std::regex("\n  0201 +B ")));
  EXPECT_TRUE(std::regex_search(result.out, std::regex("\n  0202 +")));  // no scenario at all
  result = Cli({"--course", course.string(), "course", "201", "--coverage", "--json"});
  const auto lines = JsonLines(result.out);
  ASSERT_FALSE(lines.empty());
  EXPECT_EQ(2, lines.back()["codes_not_reached"]);
}

// A failed expectation ends the scenario and says how many were not run; --keep-going goes on.
TEST_F(Command, FailedExpectationsAndKeepGoing) {
  const auto file = Write("two.scn",
                          "Expect 1 = 2\n"
                          "Expect 2 = 2\n"
                          "Expect 3 = 4\n"
                          "Expect 5 = 5\n");
  auto result = Cli({"run", file});
  EXPECT_EQ(kExitFailed, result.status);
  EXPECT_NE(std::string::npos,
            result.out.find("FAIL " + file + ":1: expected 1 = 2, found 1 (3 later expectations not run)\n"))
      << result.out;
  // The summary ends with the time taken, which CI leaves out when it reads "N passed, M failed".
  EXPECT_TRUE(std::regex_search(result.raw, std::regex("\n0 passed, 1 failed in [0-9]+\\.[0-9] s\n$")))
      << result.raw;
  result = Cli({"run", file, "--keep-going"});
  EXPECT_EQ(kExitFailed, result.status);
  EXPECT_NE(std::string::npos, result.out.find("FAIL " + file + ":1: expected 1 = 2, found 1\nFAIL " + file +
                                               ":3: expected 3 = 4, found 3\n"))
      << result.out;
  result = Cli({"run", file, "--keep-going", "--json"});
  EXPECT_EQ(2u, JsonLines(result.out).front()["failures"].size());
}

// An unknown member names the object and the nearest members; an unknown statement likewise.
TEST_F(Command, UnknownNamesSayWhatWasMeant) {
  const auto member =
      Write("member.scn",
            "InitQuestion 203\n"
            "ActivePresentation.Slides(3).Shapes(2).TextFrme.TextRange.Font.Bold = msoTrue\n");
  auto result = Cli({"run", member});
  EXPECT_EQ(kExitFailed, result.status);
  EXPECT_NE(std::string::npos,
            result.out.find("(`TextFrme` is not a member of Shape; did you mean `TextFrame`?)"))
      << result.out;
  const auto statement = Write("statement.scn", "InitQuestion 203\nTestePiont\n");
  result = Cli({"run", statement});
  EXPECT_EQ(kExitBadInput, result.status);
  EXPECT_NE(std::string::npos, result.out.find("ERROR " + statement +
                                               ":2:1: unknown name 'TestePiont'; did you mean `TestePoint`?"))
      << result.out;
  const auto event = Write("event.scn", "Sim.StartPowerPont\n");
  EXPECT_NE(std::string::npos, Cli({"run", event}).out.find("; did you mean `StartPowerPoint`?\n"));
}

// A scenario that cannot be read is an ERROR in course as in run (Scenarios.BadInputEndsWithStatusTwo);
// run - reads standard input.
TEST_F(Command, ParseErrorsAndStandardInput) {
  const fs::path course = MakeCourse();
  Write("course/scenarios/0201/broken.scn", "Expect 1 = 1\nExpect \"open = 1\n");
  const auto course_result = Cli({"--course", course.string(), "course", "--brief"});
  EXPECT_EQ(kExitBadInput, course_result.status);
  EXPECT_NE(std::string::npos, course_result.out.find("\nERROR 0201/broken.scn:2:8: unterminated string"))
      << course_result.out;

  auto result = Cli({"run", "-"}, kRight201);
  EXPECT_EQ(kExitPassed, result.status) << result.out;
  EXPECT_NE(std::string::npos, result.out.find("PASS -\n"));
  result = Cli({"run", "-"}, "Expect 1 = 2\n");
  EXPECT_NE(std::string::npos, result.out.find("FAIL -:1: expected 1 = 2, found 1"));
}

// The runner's note after the module's own answer, which stays what it was.
TEST_F(Command, NotesOnAnExerciseOutsideTheCourseAndACheckWithNoneOpen) {
  const auto file = Write("notes.scn",
                          "InitQuestion 250\n"
                          "Expect Error = 91\n"
                          "TestePoint\n"
                          "Expect ErreurGenerale = True\n");
  const auto result = Cli({"run", file});
  EXPECT_EQ(kExitPassed, result.status) << result.out;
  EXPECT_NE(std::string::npos, result.out.find("PASS " + file + "\nNOTE " + file +
                                               ":1: 250 is not an exercise of the course (201 to 224)"))
      << result.out;
  EXPECT_NE(std::string::npos, result.out.find("NOTE " + file + ":3: TestePoint with no exercise open"));
  std::istringstream in("InitQuestion 201\nFermer\nTestePoint\n");
  std::ostringstream out;
  std::ostringstream err;
  RunShell({}, in, out, err);
  EXPECT_NE(std::string::npos,
            out.str().find("\nnote: TestePoint with no exercise open (the exercise was closed"))
      << out.str();
}

// One size limit for show and the desktop: a file of 20 MiB, beyond a scenario's limit, is shown
// as the desktop reads it (what the reader refuses, and why: FileFormat's tests).
TEST_F(Command, ShowTakesWhatTheDesktopReads) {
  std::stringstream model;
  model << std::ifstream(std::string(K60418_COURSE_DIR) + "/models/02131201.ppt").rdbuf();
  std::string large = model.str();
  large.insert(large.find("\"title\": \"") + 10, std::string(20u << 20, 'x'));
  const auto file = Write("large.ppt", large);
  ASSERT_NO_THROW(sim::ppt::LoadPresentation(large));
  std::ostringstream out;
  std::ostringstream err;
  EXPECT_EQ(kExitPassed, ShowFile(file, out, err)) << err.str();
}

// show: names beside numbers, sizes rounded as PowerPoint shows them; the shell's show N.
TEST_F(Command, ShowNamesValuesAndRoundsSizes) {
  auto result = Cli({"show", std::string(K60418_COURSE_DIR) + "/models/02131203.ppt"});
  EXPECT_EQ(kExitPassed, result.status) << result.err;
  EXPECT_NE(std::string::npos, result.out.find("view 9 (normal)")) << result.out.substr(0, 600);
  EXPECT_NE(std::string::npos, result.out.find("placeholder 1 (title)"));
  EXPECT_NE(std::string::npos, result.out.find("layout 1 (title)"));
  EXPECT_FALSE(std::regex_search(result.out, std::regex("[0-9]\\.[0-9]{3}")));

  std::istringstream in(
      "InitQuestion 203\nActivePresentation.Slides(2).Shapes(1).TextFrame.TextRange.Font.Size = 20.3333\n"
      "show 2\nshow 99\n");
  std::ostringstream out;
  std::ostringstream err;
  RunShell({}, in, out, err);
  EXPECT_NE(std::string::npos, out.str().find("\nslide 2 (id ")) << out.str();
  EXPECT_EQ(std::string::npos, out.str().find("\nslide 3 (id "));
  EXPECT_EQ(std::string::npos, out.str().find("design 1"));
  EXPECT_NE(std::string::npos, out.str().find("there is no slide 99"));
  // A font size a learner typed shows as PowerPoint shows it.
  EXPECT_NE(std::string::npos, out.str().find(" 20.33 ")) << out.str();
  EXPECT_FALSE(std::regex_search(out.str(), std::regex("[0-9]\\.[0-9]{3}")));
}

// Unknown commands and options are named; each sub-command's help ends with an example.
TEST_F(Command, UnknownCommandsAndOptionsAreNamed) {
  auto result = Cli({"bogus"});
  EXPECT_EQ(kExitBadInput, result.status);
  EXPECT_NE(std::string::npos, result.err.find("unknown command bogus"));
  result = Cli({"run", "x.scn", "--jsno"});
  EXPECT_EQ(kExitBadInput, result.status);
  EXPECT_NE(std::string::npos, result.err.find("--jsno")) << result.err;
  for (const char* command : {"run", "course", "shell", "show", "codes"}) {
    result = Cli({command, "--help"});
    EXPECT_EQ(kExitPassed, result.status);
    EXPECT_TRUE(
        std::regex_search(result.out, std::regex("Example: k60418 " + std::string(command) + ".*\n$")))
        << result.out;
  }
}

// Colour only on a terminal, and never with NO_COLOR set.
TEST_F(Command, ColourOnlyOnATerminalWithoutNoColor) {
  EXPECT_TRUE(UseColour(true, nullptr));
  EXPECT_TRUE(UseColour(true, ""));
  EXPECT_FALSE(UseColour(true, "1"));
  EXPECT_FALSE(UseColour(false, nullptr));
  const auto file = Write("one.scn", "Expect 1 = 1\n");
  std::istringstream in;
  std::ostringstream out;
  std::ostringstream err;
  Console terminal{in, out, err};
  terminal.out_terminal = true;
  RunCommandLine({"k60418", "run", file}, terminal);
  EXPECT_NE(std::string::npos, out.str().find("\033[32mPASS\033[0m " + file));
  EXPECT_EQ(std::string::npos, Cli({"run", file}).out.find('\033'));
}

// Piped into the shell, an action's error not expected by the next line gives a non-zero exit.
TEST_F(Command, PipedShellFailsOnAnUnexpectedError) {
  auto result = Cli({"shell"}, "Sim.StartPowerPoint\nApplication.Nonexistent\nExpect Error = 438\n");
  EXPECT_EQ(kExitPassed, result.status) << result.err;
  result = Cli({"shell"}, "Sim.StartPowerPoint\nApplication.Nonexistent\nApplication.Visible = True\n");
  EXPECT_EQ(kExitFailed, result.status);
  EXPECT_NE(std::string::npos, result.err.find("line 2: Application.Nonexistent raised error 438"));
  result = Cli({"shell"}, "CauseErreur\n");
  EXPECT_EQ(kExitFailed, result.status) << "the last line's error, with nothing after it";
}

// shell --record writes a scenario that run replays green, and that fails when the verdict
// changes.
TEST_F(Command, RecordedSessionReplays) {
  const std::string record = (folder_ / "session.scn").string();
  const auto result = Cli({"shell", "201", "--record", record},
                          "help\n"
                          "show\n"
                          "ActivePresentation.ApplyTemplate _\n"
                          "  Sim.TemplateFolder & \"Texture.pot\"\n"
                          "Application.Nonexistent\n"
                          "Expect Error = 438\n"
                          "TestePoint\n"
                          "CauseErreur\n"
                          "Sim.WorkFolder\n"
                          "Fermer\n"
                          "Quitter\n");
  EXPECT_EQ(kExitPassed, result.status) << result.err;
  std::stringstream text;
  text << std::ifstream(record).rdbuf();
  const std::string recorded = text.str();
  EXPECT_NE(std::string::npos, recorded.find("InitQuestion 201\nActivePresentation.ApplyTemplate "
                                             "Sim.TemplateFolder & \"Texture.pot\"\n"))
      << recorded;
  EXPECT_NE(std::string::npos, recorded.find("\nTestePoint\nExpect ErreurGenerale = False\n"
                                             "Expect CauseErreur = \"\"\nExpect BravoNuance = False\n"));
  EXPECT_NE(std::string::npos, recorded.find("Application.Nonexistent\nExpect Error = 438\nTestePoint\n"));
  EXPECT_NE(std::string::npos,
            recorded.find("\nExpect Complement.Count = 0\nExpect CauseErreur = \"\"\nFermer\n"));
  EXPECT_EQ(std::string::npos, recorded.find("Sim.WorkFolder"));
  EXPECT_EQ(std::string::npos, recorded.find("help"));
  EXPECT_EQ(kExitPassed, Cli({"run", record}).status) << Cli({"run", record}).out;

  // Without the learner's action, the module's verdict is another: the replay says so.
  std::string changed = recorded;
  changed.erase(changed.find("ActivePresentation.ApplyTemplate"),
                changed.find('\n', changed.find("ActivePresentation.ApplyTemplate")) -
                    changed.find("ActivePresentation.ApplyTemplate") + 1);
  const auto replay = Cli({"run", Write("changed.scn", changed)});
  EXPECT_EQ(kExitFailed, replay.status);
  EXPECT_NE(std::string::npos, replay.out.find("expected CauseErreur = \"\", found \"B\"")) << replay.out;
}

}  // namespace
}  // namespace player

namespace player {
namespace {

// The shell on a terminal (a pseudo-terminal here): Ctrl-C drops the line being typed and the
// session goes on; the arrow keys bring earlier lines back.
class Terminal {
 public:
  Terminal() {
    char program[] = K60418_COMMAND;
    char shell[] = "shell";
    char* argv[] = {program, shell, nullptr};
    pid_ = forkpty(&fd_, nullptr, nullptr, nullptr);
    if (pid_ == 0) {
      setenv("TERM", "dumb", 1);
      execv(program, argv);
      _exit(127);
    }
  }
  ~Terminal() {
    if (pid_ > 0 && !waited_) {
      kill(pid_, SIGKILL);
      waitpid(pid_, nullptr, 0);
    }
    if (fd_ >= 0) close(fd_);
  }
  bool started() const { return pid_ > 0; }
  void Type(const std::string& keys) {
    EXPECT_EQ(static_cast<ssize_t>(keys.size()), write(fd_, keys.data(), keys.size()));
  }
  // Reads until the text has appeared since the last wait (20 s at most).
  bool WaitFor(const std::string& text) {
    for (int k = 0; k < 200; ++k) {
      const auto found = seen_.find(text, from_);
      if (found != std::string::npos) {
        from_ = found + text.size();
        return true;
      }
      pollfd ready{fd_, POLLIN, 0};
      if (poll(&ready, 1, 100) > 0) {
        char buffer[4096];
        const ssize_t count = read(fd_, buffer, sizeof buffer);
        if (count <= 0) return false;
        seen_.append(buffer, static_cast<std::size_t>(count));
      }
    }
    return false;
  }
  int Wait() {
    int status = -1;
    waitpid(pid_, &status, 0);
    waited_ = true;
    return status;
  }
  const std::string& seen() const { return seen_; }

 private:
  int fd_ = -1;
  pid_t pid_ = -1;
  bool waited_ = false;
  std::string seen_;
  std::size_t from_ = 0;
};

TEST(ShellOnATerminal, CtrlCDropsTheLineAndHistoryRecallsOne) {
  Terminal terminal;
  ASSERT_TRUE(terminal.started());
  ASSERT_TRUE(terminal.WaitFor("k60418> ")) << terminal.seen();
  terminal.Type("Expect 1 = 1\n");
  ASSERT_TRUE(terminal.WaitFor("ok")) << terminal.seen();
  ASSERT_TRUE(terminal.WaitFor("k60418> ")) << terminal.seen();
  terminal.Type("InitQuest");
  ASSERT_TRUE(terminal.WaitFor("InitQuest")) << terminal.seen();
  terminal.Type("\003");
  ASSERT_TRUE(terminal.WaitFor("k60418> ")) << "the session ended on Ctrl-C: " << terminal.seen();
  terminal.Type("Expect 2 = 3\n");
  ASSERT_TRUE(terminal.WaitFor("failed: expected 2 = 3, found 2")) << terminal.seen();
  ASSERT_TRUE(terminal.WaitFor("k60418> ")) << terminal.seen();
  terminal.Type("\033[A\033[A\n");  // two lines back: Expect 1 = 1
  ASSERT_TRUE(terminal.WaitFor("ok")) << terminal.seen();
  terminal.Type("quit\n");
  const int status = terminal.Wait();
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == kExitFailed) << status;
  EXPECT_EQ(std::string::npos, terminal.seen().find("InitQuest\r\nline")) << "the dropped line was run";
  EXPECT_EQ(std::string::npos, terminal.seen().find("unknown name")) << terminal.seen();
}

}  // namespace
}  // namespace player
