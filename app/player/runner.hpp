// Plays a parsed scenario on a training player: each statement in turn, the host's calls, the
// learner's actions, the desktop's events and the expectations, stopping at the first failure.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "player/player.hpp"
#include "scenario/ast.hpp"

namespace player {

/// One failed statement: where, and what was expected and found.
struct Failure {
  int line = 0;
  int column = 0;
  /// What was expected and what was found, or the error that was not expected.
  std::string message;
  /// For a failed expectation: the value it wanted (with its comparison unless it is =) and the
  /// value read; empty for an action's error.
  std::string expected;
  std::string found;
};

/// How a scenario ended.
struct ScenarioResult {
  bool passed = true;
  /// The desktop could not play a statement (NotPlayable): the scenario stopped there, neither
  /// passed nor failed; line, column and message say where and why.
  bool skipped = false;
  /// The (first) failing statement's line and column (0 when the scenario passed).
  int line = 0;
  int column = 0;
  /// What was expected and what was found, or the error that was not expected.
  std::string message;
  /// For a failed expectation, its expected and found values apart (see Failure).
  std::string expected;
  std::string found;
  /// Every failure, in order: one unless the runner kept going after failed expectations.
  std::vector<Failure> failures;
  /// The expectations after the failure that stopped the scenario, which were not run.
  int expectations_not_run = 0;
  /// The runner's own notes ("line: text"): a statement the module answered, but whose answer
  /// says little (an exercise outside the course, a check with no exercise open).
  std::vector<std::string> notes;
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
  /// The runner's own note on a statement, after the module's answer (which it leaves as it is).
  virtual void OnNote(const scenario::Statement&, const std::string& /*note*/) {}
};

class Runner {
 public:
  Runner(TrainingPlayer& player, Observer* observer = nullptr) : player_(player), observer_(observer) {}

  /// Goes on after a failed expectation (every failure is reported); an action's unexpected
  /// error still ends the scenario.
  void set_keep_going(bool on) { keep_going_ = on; }

  /// Runs every statement of a scenario, stopping at the first failure (unless keep_going and
  /// the failure is an expectation's), or at a statement the desktop cannot play (skipped, or a
  /// note on a scenario that has already failed).
  ScenarioResult Run(const scenario::Scenario& scenario);

  /// Runs one statement. An action's error is recorded for Error; it is the statement's failure
  /// unless error_expected (the next statement is "Expect Error …", or the shell is asking).
  /// Returns the failure, if any. The result's verdicts and exercises are added to. Lets
  /// NotPlayable through.
  std::optional<std::string> Step(const scenario::Statement& statement, bool error_expected,
                                  ScenarioResult& result);

  /// True when the statement is an "Expect Error …" that takes the previous action's error.
  static bool ExpectsError(const scenario::Statement* statement);

  /// The exercise of the last InitQuestion (0 before the first).
  std::int32_t exercise() const { return exercise_; }

  /// The details of the failure the last Step returned.
  const Failure& last_failure() const { return last_failure_; }

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
  /// The runner's note on a host call that returned, if it deserves one.
  std::optional<std::string> NoteOn(const scenario::Statement& statement) const;
  /// Records the note on a host call (returned or raised) and tells the observer.
  void Note(const scenario::Statement& statement, ScenarioResult& result);
  /// " (`TextFrme` is not a member of Shape; did you mean `TextFrame`?)" for the error just
  /// raised, or "".
  std::string Hint();
  std::optional<std::string> Fail(const scenario::Statement& statement, std::string message,
                                  std::string expected = {}, std::string found = {});

  TrainingPlayer& player_;
  Observer* observer_;
  /// The exercise of the last InitQuestion (0 before the first).
  std::int32_t exercise_ = 0;
  /// An exercise is open: set up by InitQuestion and not yet closed by Fermer or Quitter.
  bool open_ = false;
  bool keep_going_ = false;
  Failure last_failure_;
};

/// A text made printable on one line: line breaks and other control characters written as \n,
/// \r, \t or \xNN.
std::string Printable(const std::string& text);

/// A value as messages show it: strings quoted and made printable, objects by type, Nothing.
std::string Show(const vb::Variant& value);

/// A raised error as a message shows it: "error 91 (source): description".
std::string Show(const scenario::ErrorRecord& error);

}  // namespace player
