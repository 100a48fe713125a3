// The commands of k60418, each writing to the streams it is given and returning its exit status:
// 0 all went well, 1 a scenario failed, 2 the input could not be used (a file that cannot be
// read, a scenario that cannot be parsed, a bad argument).
#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <iosfwd>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "player/player.hpp"

namespace player {

inline constexpr int kExitPassed = 0;
inline constexpr int kExitFailed = 1;
inline constexpr int kExitBadInput = 2;

/// How a list of scenarios is chosen and reported, by `run` and `course` alike.
struct ReportOptions {
  /// JSON lines only on out: one object per scenario, then a summary object.
  bool json = false;
  /// Also writes a JUnit XML report to this file (a testsuite per folder, a testcase per scenario).
  std::filesystem::path junit;
  /// Runs only the scenarios whose name matches: a pattern with * ? [ ] (fnmatch), else a part of
  /// the name.
  std::string filter;
  /// Lists the scenarios that would run, without running them.
  bool list = false;
  /// Goes on after a failed expectation, reporting each.
  bool keep_going = false;
  /// Colours PASS, FAIL and ERROR (for a terminal).
  bool colour = false;
  /// Makes each scenario's module and desktop (empty: the simulated pair).
  SidesMaker make_sides;
};

struct RunOptions : ReportOptions {
  /// Scenario files, or folders whose .scn files (sub-folders included) are run in name order;
  /// "-" reads one scenario from `standard_input`.
  std::vector<std::string> paths;
  /// Keep the desktop there: a single scenario runs on DIR itself (loaded when it holds a saved
  /// desktop), several on DIR/<scenario name> each; empty: a fresh temporary desktop each.
  std::filesystem::path state_folder;
  std::filesystem::path course_folder;
  bool trace = false;
  /// Where "-" reads from (null: std::cin).
  std::istream* standard_input = nullptr;
};

/// `k60418 run`: PASS name / FAIL name:line: message / ERROR name:line:column: message per
/// scenario, then "N passed, M failed in T s".
int RunScenarios(const RunOptions& options, std::ostream& out, std::ostream& err);

struct CourseOptions : ReportOptions {
  std::filesystem::path course_folder;
  /// Exercises to run ("203", "210-212") or folders of course/scenarios ("general"); empty: all.
  std::vector<std::string> selection;
  /// After the table, the codes each exercise names that no scenario run reached.
  bool coverage = false;
  /// Shows which scenario is running on err, rewriting one line (for a terminal).
  bool progress = false;
  /// Rows only, without the sentence of each code seen.
  bool brief = false;
};

/// `k60418 course`: the bundled scenarios (all, or those chosen), a row per exercise, the
/// failures, then "N passed, M failed in T s".
int PlayCourse(const CourseOptions& options, std::ostream& out, std::ostream& err);

/// Where the shell's lines come from: a line editor on a terminal, or a stream.
class LineReader {
 public:
  virtual ~LineReader() = default;
  /// The next line, without its end, after showing the prompt (when there is one); nullopt at the
  /// end of the input.
  virtual std::optional<std::string> Read(const std::string& prompt) = 0;
};

struct ShellOptions {
  /// An exercise to set up before the first prompt.
  std::optional<std::int32_t> exercise;
  std::filesystem::path course_folder;
  /// Prompts shown (input from a terminal); without, only the answers are written, and an action's
  /// error not followed by "Expect Error …" makes the exit status 1, as `run` does.
  bool prompt = false;
  /// Writes the session there as a scenario that `run` replays (empty: not recorded).
  std::filesystem::path record;
  /// Reads the lines (a line editor); null: from the stream given to RunShell.
  LineReader* reader = nullptr;
  /// Makes the session's module and desktop (empty: the simulated pair).
  SidesMaker make_sides;
};

/// `k60418 shell`: statements read from in (or the options' reader), each answered at once. Exit
/// status 1 when an expectation failed, a line could not be parsed or (input not from a terminal)
/// an action's error was not expected; 2 when the record cannot be written; else 0.
int RunShell(const ShellOptions& options, std::istream& in, std::ostream& out, std::ostream& err);

/// `k60418 show FILE`: a presentation or template file as readable text.
int ShowFile(const std::string& file, std::ostream& out, std::ostream& err);

/// `k60418 codes [N]`: each verdict code of one exercise (or all) with its sentence, and the
/// general codes.
int ListCodes(const std::optional<std::string>& exercise, std::ostream& out, std::ostream& err);

/// Reads an input file whole, up to `limit` bytes (a scenario's 16 MiB by default); raises
/// std::runtime_error with a readable reason.
std::string ReadInputFile(const std::filesystem::path& file, std::size_t limit = 16 * 1024 * 1024);

/// True when colour should be used on an output: a terminal, and NO_COLOR unset or empty.
bool UseColour(bool terminal, const char* no_color);

/// Whether the whole name matches a pattern of * (any text), ? (one character), [abc], [a-z],
/// [!a] or [^a] (one of, or none of), \\ quoting the next character; an unclosed [ is itself.
bool WildcardMatch(std::string_view pattern, std::string_view name);

/// The .scn files of a folder and its sub-folders, in name order.
std::vector<std::filesystem::path> ScenarioFiles(const std::filesystem::path& folder);

}  // namespace player
