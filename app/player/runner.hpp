// Plays a parsed scenario on a training player: each statement in turn, the host's calls, the
// learner's actions, the desktop's events and the expectations, stopping at the first failure.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "player/player.hpp"
#include "scenario/ast.hpp"

namespace player {

/// How a scenario ended.
struct ScenarioResult {
  bool passed = true;
  /// The failing statement's line (0 when the scenario passed).
  int line = 0;
  /// What was expected and what was found, or the error that was not expected.
  std::string message;
  /// The exercise numbers set up (InitQuestion), in order of first use.
  std::vector<std::int32_t> exercises;
  /// What the host read after each check that returned normally.
  struct Seen {
    std::int32_t exercise = 0;
    bool erreur_generale = false;
    std::string cause_erreur;
  };
  std::vector<Seen> verdicts;
};

/// Told of each step as it happens: the trace of `run --trace` and the shell's answers.
class Observer {
 public:
  virtual ~Observer() = default;
  /// A statement is about to run.
  virtual void OnStatement(const scenario::Statement&) {}
  /// A host call returned: the call with its arguments, what it gave back, the object-model calls
  /// it caused (per member).
  virtual void OnHostCall(const scenario::Statement&, const std::string& /*call*/,
                          const std::string& /*results*/, const CallCounts& /*calls*/) {}
  /// The verdict the host read after a check of an exercise (the number of the last InitQuestion).
  virtual void OnVerdict(const scenario::Statement&, std::int32_t /*exercise*/, const VerdictReading&) {}
  /// An action raised an error (recorded for Error; it fails the scenario unless expected).
  virtual void OnError(const scenario::Statement&, const scenario::ErrorRecord&,
                       const CallCounts& /*calls*/) {}
  /// The value of an expression statement (the shell shows it).
  virtual void OnValue(const scenario::Statement&, const vb::Variant&) {}
  /// An expectation was checked.
  virtual void OnExpectation(const scenario::Statement&, bool /*passed*/, const std::string& /*detail*/) {}
  /// An action (host call, learner action, desktop event, host variable) returned normally.
  virtual void OnActionDone(const scenario::Statement&) {}
};

class Runner {
 public:
  Runner(TrainingPlayer& player, Observer* observer = nullptr) : player_(player), observer_(observer) {}

  /// Runs every statement of a scenario, stopping at the first failure.
  ScenarioResult Run(const scenario::Scenario& scenario);

  /// Runs one statement. An action's error is recorded for Error; it is the statement's failure
  /// unless error_expected (the next statement is "Expect Error …", or the shell is asking).
  /// Returns the failure, if any. The result's verdicts and exercises are added to.
  std::optional<std::string> Step(const scenario::Statement& statement, bool error_expected,
                                  ScenarioResult& result);

  /// True when the statement is an "Expect Error …" that takes the previous action's error.
  static bool ExpectsError(const scenario::Statement* statement);

  /// The exercise of the last InitQuestion (0 before the first).
  std::int32_t exercise() const { return exercise_; }

 private:
  /// What a host call was and gave back, for the trace.
  struct HostCall {
    std::string call;
    std::string results;
    /// For a check: the verdict the host read after it.
    std::optional<VerdictReading> verdict;
  };
  std::optional<HostCall> Perform(const scenario::Statement& statement, ScenarioResult& result);
  std::optional<std::string> Check(const scenario::Statement& statement);

  TrainingPlayer& player_;
  Observer* observer_;
  /// The exercise of the last InitQuestion (0 before the first).
  std::int32_t exercise_ = 0;
};

/// A text made printable on one line: line breaks and other control characters written as \n,
/// \r, \t or \xNN.
std::string Printable(const std::string& text);

/// A value as messages show it: strings quoted and made printable, objects by type, Nothing.
std::string Show(const vb::Variant& value);

/// A raised error as a message shows it: "error 91 (source): description".
std::string Show(const scenario::ErrorRecord& error);

}  // namespace player
