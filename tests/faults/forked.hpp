// Forks the test program at a chosen moment, so that a run of the campaign goes on from the very
// state the fault-free session had reached (inherited, not replayed), and so that a crash, a
// sanitizer's report or a hang of that run is seen from outside instead of ending the campaign.
#pragma once

#include <chrono>
#include <optional>
#include <string>

namespace faults {

struct ForkedResult {
  /// What the copy reported; meaningful only when it ended normally.
  std::string text;
  /// Empty when the copy ended normally; otherwise how it ended ("killed by signal 6",
  /// "exited with status 1", "did not end within 60 s").
  std::string death;
};

/// Forks. In the copy, returns nullopt at once: the copy goes on from here and ends with
/// ReportAndExit. In the program, waits for the copy (at most `bound`, then kills it) and returns
/// what it reported and how it ended.
std::optional<ForkedResult> ForkHere(std::chrono::seconds bound);

/// True in a copy made by ForkHere.
bool InForkedCopy();

/// In a copy: hands the report to the program and ends the copy at once (no destructors, no
/// buffered output written twice).
[[noreturn]] void ReportAndExit(const std::string& text);

}  // namespace faults
