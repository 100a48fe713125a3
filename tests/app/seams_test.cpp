// The player's two seams as the commands use them: every player a command makes gets its module
// and desktop from the console's maker, and a desktop that cannot play an event or a value makes
// the scenario skipped, never passed nor failed, in every report.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <nlohmann/json.hpp>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include "app/cli_fixture.hpp"
#include "player/in_process_module.hpp"
#include "player/not_playable.hpp"
#include "player/simulated_desktop.hpp"

namespace player {
namespace {

namespace fs = std::filesystem;

// The simulated desktop, short of what a real one may lack: it cannot destroy PowerPoint's frame
// nor find a window by its title.
class DesktopWithoutFrameEvents : public SimulatedDesktop {
 public:
  using SimulatedDesktop::SimulatedDesktop;
  void DestroyMainWindow(const vb::ObjectRef&) override { throw NotPlayable("no frame to destroy here"); }
  std::int32_t WindowHandle(const std::string&) override { throw NotPlayable("no window titles here"); }
};

class Seams : public CliTest {
 protected:
  // A maker of the double with the core in process; a kept desktop it refuses, as a real
  // desktop would.
  SidesMaker Maker() {
    return [this](const PlayerOptions& options) {
      ++made_;
      if (!options.state_folder.empty()) throw NotPlayable("no kept desktop here");
      sim::DesktopOptions desktop_options;
      desktop_options.course_folder = ResolveCourseFolder(options.course_folder);
      auto desktop = std::make_unique<DesktopWithoutFrameEvents>(desktop_options);
      auto module = std::make_unique<InProcessModule>(desktop->Platform());
      return PlayerSides{std::move(desktop), std::move(module)};
    };
  }
  Output Run(std::vector<std::string> args, const std::string& input = "") {
    return Cli(std::move(args), input, Maker());
  }

  int made_ = 0;
};

const char* const kUnplayableEvent = "Sim.StartPowerPoint\nSim.DestroyMainWindow\nExpect 1 = 2\n";

// run: SKIP with the reason and where, from an event and from a value read by an expectation; a
// skip is counted apart and does not fail the run; a failure already found stays a failure.
TEST_F(Seams, RunReportsSkippedScenarios) {
  const auto event = Write("set/event.scn", kUnplayableEvent);
  Write("set/value.scn", "Expect 1 = 1\nExpect Sim.WindowHandle(\"Imprimer\") = 0\n");
  Write("set/right.scn", "Expect 1 = 1\n");
  const std::string set = (folder_ / "set").string();
  auto result = Run({"run", set});
  EXPECT_EQ(kExitPassed, result.status) << result.out;
  EXPECT_EQ(3, made_);
  EXPECT_NE(std::string::npos, result.out.find("SKIP " + set + "/event.scn:2: no frame to destroy here\n"))
      << result.out;
  EXPECT_NE(std::string::npos, result.out.find("SKIP " + set + "/value.scn:2: no window titles here\n"));
  EXPECT_NE(std::string::npos, result.out.find("\n1 passed, 0 failed, 2 skipped\n")) << result.out;

  Write("set/wrong.scn", "Expect 1 = 2\n");
  result = Run({"run", set});
  EXPECT_EQ(kExitFailed, result.status);
  EXPECT_NE(std::string::npos, result.out.find("\n1 passed, 1 failed, 2 skipped\n")) << result.out;

  const auto failed_first = Write("failed-first.scn", "Expect 1 = 2\nSim.DestroyMainWindow\nExpect 2 = 2\n");
  result = Run({"run", failed_first, "--keep-going"});
  EXPECT_EQ(kExitFailed, result.status);
  EXPECT_NE(std::string::npos, result.out.find("FAIL " + failed_first + ":1: expected 1 = 2")) << result.out;
  EXPECT_NE(std::string::npos, result.out.find("NOTE " + failed_first +
                                               ":2: the rest was not played: no frame to destroy here"));
  EXPECT_NE(std::string::npos, result.out.find("\n0 passed, 1 failed\n"));

  // A desktop that cannot be made as asked: the scenario is skipped before its first line.
  result = Run({"run", event, "--state", (folder_ / "kept").string()});
  EXPECT_EQ(kExitPassed, result.status) << result.out << result.err;
  EXPECT_EQ("SKIP " + event + ": no kept desktop here\n0 passed, 0 failed, 1 skipped\n", result.out);
}

// --json and --junit: the skipped status with its reason, counted apart from the failures.
TEST_F(Seams, MachineReportsSaySkipped) {
  Write("a/event.scn", kUnplayableEvent);
  Write("a/wrong.scn", "Expect 1 = 2\n");
  const std::string report = (folder_ / "report.xml").string();
  const auto result = Run({"run", (folder_ / "a").string(), "--json", "--junit", report});
  EXPECT_EQ(kExitFailed, result.status);
  const auto lines = JsonLines(result.out);
  ASSERT_EQ(3u, lines.size()) << result.out;
  EXPECT_EQ("skipped", lines[0]["status"]);
  EXPECT_EQ("no frame to destroy here", lines[0]["reason"]);
  EXPECT_EQ(2, lines[0]["line"]);
  EXPECT_EQ("fail", lines[1]["status"]);
  EXPECT_FALSE(lines[1].contains("reason"));
  EXPECT_EQ(0, lines[2]["passed"]);
  EXPECT_EQ(1, lines[2]["failed"]);
  EXPECT_EQ(1, lines[2]["skipped"]);

  std::stringstream xml;
  xml << std::ifstream(report).rdbuf();
  EXPECT_NE(std::string::npos, xml.str().find("tests=\"2\" failures=\"1\" errors=\"0\" skipped=\"1\""))
      << xml.str();
  EXPECT_NE(std::string::npos, xml.str().find("<skipped message=\"" + (folder_ / "a").string() +
                                              "/event.scn:2: no frame to destroy here\">"));
  if (std::system("command -v xmllint >/dev/null 2>&1") != 0) GTEST_SKIP() << "xmllint is not installed";
  const std::string schema = std::string(K60418_APP_TESTS_DIR) + "/junit.xsd";
  EXPECT_EQ(0,
            std::system(("xmllint --noout --schema " + schema + " " + report + " >/dev/null 2>&1").c_str()))
      << xml.str();
}

// course: the maker makes every scenario's player; a row counts its skipped scenarios, the SKIP
// lines follow the table, and the summary counts them apart.
TEST_F(Seams, CourseCountsSkippedPerExercise) {
  const fs::path course = MakeCourse();
  Write("course/scenarios/0201/wrong.scn", "InitQuestion 201\nTestePoint\nExpect CauseErreur = \"B\"\n");
  Write("course/scenarios/0201/frame.scn", "InitQuestion 201\nSim.DestroyMainWindow\nTestePoint\n");
  const auto result = Run({"--course", course.string(), "course", "--brief"});
  EXPECT_EQ(kExitPassed, result.status) << result.out;
  EXPECT_EQ(2, made_);
  EXPECT_NE(std::string::npos, result.out.find("1/2, 1 skipped  B\n")) << result.out;
  EXPECT_NE(std::string::npos, result.out.find("Scénarios       Verdicts vus\n")) << result.out;
  EXPECT_NE(std::string::npos, result.out.find("SKIP 0201/frame.scn:2: no frame to destroy here\n"));
  EXPECT_NE(std::string::npos, result.out.find("\n1 passed, 0 failed, 1 skipped\n")) << result.out;
}

// shell: its player comes from the maker too; what the desktop cannot play is said, and the
// session goes on.
TEST_F(Seams, ShellSaysWhatCannotBePlayed) {
  const auto result = Run({"shell"}, "Sim.StartPowerPoint\nSim.DestroyMainWindow\nSim.PowerPointRunning\n");
  EXPECT_EQ(kExitPassed, result.status) << result.out << result.err;
  EXPECT_EQ(1, made_);
  EXPECT_NE(std::string::npos, result.out.find("not playable on this desktop: no frame to destroy here\n"))
      << result.out;
  EXPECT_NE(std::string::npos, result.out.find("1\n")) << result.out;
}

// --filter's patterns: the whole name, with stars, question marks and bracket sets.
TEST(WildcardMatch, MatchesAsAShellPatternDoes) {
  EXPECT_TRUE(WildcardMatch("*/two-*", "set/two-wrong.scn"));
  EXPECT_FALSE(WildcardMatch("*/two-*", "set/one-two-x.scn"));
  EXPECT_TRUE(WildcardMatch("*right*", "0203/sub/right.scn"));
  EXPECT_TRUE(WildcardMatch("a*b*c", "a-b-b-c"));
  EXPECT_FALSE(WildcardMatch("a*b*c", "a-b-b-c-d"));
  EXPECT_TRUE(WildcardMatch("020?/*", "0203/x.scn"));
  EXPECT_FALSE(WildcardMatch("020?/*", "02/x.scn"));
  EXPECT_TRUE(WildcardMatch("021[0-2]/*", "0211/x"));
  EXPECT_FALSE(WildcardMatch("021[0-2]/*", "0213/x"));
  EXPECT_TRUE(WildcardMatch("021[!0-2]/*", "0213/x"));
  EXPECT_FALSE(WildcardMatch("021[^0-2]/*", "0211/x"));
  EXPECT_TRUE(WildcardMatch("[]x]", "]"));
  EXPECT_TRUE(WildcardMatch("a[b", "a[b"));
  EXPECT_TRUE(WildcardMatch("\\*x", "*x"));
  EXPECT_FALSE(WildcardMatch("\\*x", "ax"));
  EXPECT_TRUE(WildcardMatch("*", ""));
  EXPECT_FALSE(WildcardMatch("?", ""));
}

}  // namespace
}  // namespace player
