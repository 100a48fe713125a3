// How `run` and `course` report the scenarios they play: plain lines (PASS, FAIL, ERROR, NOTE),
// JSON lines, and a JUnit XML file for CI systems.
#pragma once

#include <filesystem>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "player/runner.hpp"

namespace player {

/// One scenario to run: where it is, the name it is reported under, and the suite it belongs to
/// in a JUnit report (its exercise's folder, or the folder it was found in).
struct ScenarioFile {
  std::filesystem::path path;
  std::string name;
  std::string suite;
};

/// What one scenario file gave, reading and parsing included.
struct Played {
  ScenarioFile file;
  bool passed = false;
  /// The file could not be read or parsed (or its desktop made): an ERROR, not a FAIL.
  bool bad_input = false;
  ScenarioResult result;
  double seconds = 0;
};

/// The plain lines of one scenario: "PASS name", one "FAIL name:line: message" per failure
/// (the first with the count of expectations not run), "SKIP name:line: reason" or
/// "ERROR name:line:column: message"; then a "NOTE name:line: …" per note of the runner.
/// Coloured when asked.
std::string PlainReport(const Played& played, bool colour);

/// "179 passed, 0 failed in 0.9 s", or "170 passed, 0 failed, 9 skipped in 0.9 s" when some
/// were skipped.
std::string Summary(int passed, int failed, int skipped, double seconds);

/// The JSON object of one scenario: file, line, column, status (pass, fail, error, skipped),
/// message, expected, found, duration_ms (and expectations_not_run, notes, failures when there
/// are; reason for a skipped one).
nlohmann::json ScenarioJson(const Played& played);

/// The last JSON line: {"summary": true, "passed", "failed", "errors", "duration_ms"}, with
/// "skipped" when some were.
nlohmann::json SummaryJson(const std::vector<Played>& played, double seconds);

/// The JUnit XML report of the scenarios: a testsuite per suite, a testcase per scenario, a
/// failure (with file:line), an error (file:line:column) or skipped (file:line: reason) for each
/// that did not pass.
std::string JUnitReport(const std::vector<Played>& played, double seconds);

/// Writes the JUnit report to a file; raises std::runtime_error when it cannot.
void WriteJUnit(const std::filesystem::path& file, const std::vector<Played>& played, double seconds);

}  // namespace player
