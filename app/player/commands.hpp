// The commands of k60418, each writing to the streams it is given and returning its exit status:
// 0 all went well, 1 a scenario failed, 2 the input could not be used (a file that cannot be
// read, a scenario that cannot be parsed, a bad argument).
#pragma once

#include <cstdint>
#include <filesystem>
#include <iosfwd>
#include <optional>
#include <string>
#include <vector>

namespace player {

inline constexpr int kExitPassed = 0;
inline constexpr int kExitFailed = 1;
inline constexpr int kExitBadInput = 2;

struct RunOptions {
  /// Scenario files, or folders whose .scn files (sub-folders included) are run in name order.
  std::vector<std::string> paths;
  /// Keep the desktop there: a single scenario runs on DIR itself (loaded when it holds a saved
  /// desktop), several on DIR/<scenario name> each; empty: a fresh temporary desktop each.
  std::filesystem::path state_folder;
  std::filesystem::path course_folder;
  bool trace = false;
  bool json = false;
};

/// `k60418 run`: PASS name / FAIL name:line: message per scenario, then "N passed, M failed".
int RunScenarios(const RunOptions& options, std::ostream& out, std::ostream& err);

struct CourseOptions {
  std::filesystem::path course_folder;
  /// Shows which scenario is running on err, rewriting one line (for a terminal).
  bool progress = false;
  /// Rows only, without the sentence of each code seen.
  bool brief = false;
};

/// `k60418 course`: every bundled scenario, a row per exercise, then "N passed, M failed".
int PlayCourse(const CourseOptions& options, std::ostream& out, std::ostream& err);

struct ShellOptions {
  /// An exercise to set up before the first prompt.
  std::optional<std::int32_t> exercise;
  std::filesystem::path course_folder;
  /// Prompts shown (input from a terminal); without, only the answers are written.
  bool prompt = false;
};

/// `k60418 shell`: statements read from in, each answered at once. Exit status 1 when an
/// expectation failed or a line could not be parsed, else 0.
int RunShell(const ShellOptions& options, std::istream& in, std::ostream& out, std::ostream& err);

/// `k60418 show FILE`: a presentation or template file as readable text.
int ShowFile(const std::string& file, std::ostream& out, std::ostream& err);

/// `k60418 codes [N]`: each verdict code of one exercise (or all) with its sentence, and the
/// general codes.
int ListCodes(const std::optional<std::string>& exercise, std::ostream& out, std::ostream& err);

/// Reads an input file (a scenario, a presentation) whole, up to 16 MiB; raises
/// std::runtime_error with a readable reason.
std::string ReadInputFile(const std::filesystem::path& file);

/// The .scn files of a folder and its sub-folders, in name order.
std::vector<std::filesystem::path> ScenarioFiles(const std::filesystem::path& folder);

}  // namespace player
