#include "player/runner.hpp"

#include <algorithm>
#include <cstdio>

#include "exercises/fabrique.hpp"
#include "player/not_playable.hpp"
#include "scenario/evaluator.hpp"
#include "scenario/like.hpp"
#include "scenario/names.hpp"

namespace player {
namespace {

using scenario::Comparison;
using scenario::StatementKind;

// The object-model calls made since `before`, per member.
CallCounts Since(const CallCounts& before, const CallCounts& after) {
  CallCounts made;
  for (const auto& [member, count] : after) {
    const auto found = before.find(member);
    const std::uint64_t earlier = found == before.end() ? 0 : found->second;
    if (count > earlier) made[member] = count - earlier;
  }
  return made;
}

bool IsHostCall(StatementKind kind) {
  return kind == StatementKind::kInitQuestion || kind == StatementKind::kTestePoint ||
         kind == StatementKind::kFermer || kind == StatementKind::kQuitter ||
         kind == StatementKind::kVerdictRead;
}

std::string HostVariables(TrainingPlayer& player) {
  return "Host.Application = " + Show(vb::Variant(player.application().ref())) +
         ", Host.Handle = " + std::to_string(player.handle());
}

std::string DescribeVerdict(const VerdictReading& verdict) {
  std::string text = "ErreurGenerale = " + std::string(verdict.erreur_generale ? "True" : "False") +
                     ", CauseErreur = " + Show(vb::Variant(verdict.cause_erreur));
  if (verdict.erreur_generale) return text;
  text += ", BravoNuance = " + std::string(verdict.bravo_nuance ? "True" : "False") + ", Complement = ";
  if (!verdict.complement) return text + "Nothing";
  text += std::to_string(verdict.complement->size()) + (verdict.complement->size() == 1 ? " line" : " lines");
  for (const auto& line : *verdict.complement) text += " " + Show(vb::Variant(line));
  return text;
}

// How a failed expectation's expected value is shown: the value alone for =, else with its
// comparison ("<> \"B\"", "Like \"C*\"").
std::string ComparisonPrefix(Comparison comparison) {
  switch (comparison) {
    case Comparison::kNotEqual:
      return "<> ";
    case Comparison::kLess:
      return "< ";
    case Comparison::kLessOrEqual:
      return "<= ";
    case Comparison::kGreater:
      return "> ";
    case Comparison::kGreaterOrEqual:
      return ">= ";
    case Comparison::kLike:
      return "Like ";
    default:
      return "";
  }
}

// The expectation as written, without the keyword.
std::string ExpectationText(const scenario::Statement& statement) {
  const auto space = statement.text.find(' ');
  return space == std::string::npos ? statement.text : statement.text.substr(space + 1);
}

}  // namespace

bool Runner::ExpectsError(const scenario::Statement* next) {
  return next && next->kind == StatementKind::kExpect && next->target &&
         next->target->kind == scenario::Expression::Kind::kPath &&
         next->target->root == scenario::RootKind::kError;
}

std::string Printable(const std::string& text) {
  std::string out;
  out.reserve(text.size());
  for (const char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    if (c == '\n') {
      out += "\\n";
    } else if (c == '\r') {
      out += "\\r";
    } else if (c == '\t') {
      out += "\\t";
    } else if (byte < 0x20 || byte == 0x7F) {
      char buffer[8];
      std::snprintf(buffer, sizeof buffer, "\\x%02X", byte);
      out += buffer;
    } else {
      out += c;
    }
  }
  return out;
}

std::string Show(const vb::Variant& value) {
  try {
    return Printable(value.Describe());
  } catch (const vb::Error&) {
    return "(a value that cannot be shown)";
  }
}

std::string Show(const scenario::ErrorRecord& error) {
  return "error " + std::to_string(error.number) + " (" + Printable(error.source) +
         "): " + Printable(error.description);
}

ScenarioResult Runner::Run(const scenario::Scenario& scenario) {
  ScenarioResult result;
  const auto& statements = scenario.statements;
  for (std::size_t k = 0; k < statements.size(); ++k) {
    const auto* next = k + 1 < statements.size() ? &statements[k + 1] : nullptr;
    try {
      if (!Step(statements[k], ExpectsError(next), result)) continue;
    } catch (const NotPlayable& unplayable) {
      const auto& position = statements[k].position;
      if (!result.failures.empty()) {
        // A failure found before stays the outcome; the rest could not be played.
        result.notes.push_back(std::to_string(position.line) +
                               ": the rest was not played: " + unplayable.what());
        break;
      }
      result.passed = false;
      result.skipped = true;
      result.line = position.line;
      result.column = position.column;
      result.message = unplayable.what();
      break;
    }
    if (result.failures.empty()) {
      result.passed = false;
      result.line = last_failure_.line;
      result.column = last_failure_.column;
      result.message = last_failure_.message;
      result.expected = last_failure_.expected;
      result.found = last_failure_.found;
    }
    result.failures.push_back(last_failure_);
    if (keep_going_ && statements[k].kind == StatementKind::kExpect) continue;
    result.expectations_not_run = static_cast<int>(
        std::count_if(statements.begin() + static_cast<std::ptrdiff_t>(k) + 1, statements.end(),
                      [](const scenario::Statement& s) { return s.kind == StatementKind::kExpect; }));
    break;
  }
  return result;
}

std::optional<std::string> Runner::Fail(const scenario::Statement& statement, std::string message,
                                        std::string expected, std::string found) {
  last_failure_ = {statement.position.line, statement.position.column, message, std::move(expected),
                   std::move(found)};
  return message;
}

void Runner::Note(const scenario::Statement& statement, ScenarioResult& result) {
  const auto note = NoteOn(statement);
  if (!note) return;
  result.notes.push_back(std::to_string(statement.position.line) + ": " + *note);
  if (observer_) observer_->OnNote(statement, *note);
}

std::optional<std::string> Runner::NoteOn(const scenario::Statement& statement) const {
  if (statement.kind == StatementKind::kInitQuestion &&
      (exercise_ < k60418::kPremiereQuestion || exercise_ > k60418::kDerniereQuestion)) {
    return std::to_string(exercise_) + " is not an exercise of the course (" +
           std::to_string(k60418::kPremiereQuestion) + " to " + std::to_string(k60418::kDerniereQuestion) +
           "): no model file was placed, and what the module answered is its answer to an unknown number";
  }
  if (statement.kind == StatementKind::kTestePoint && !open_) {
    return std::string("TestePoint with no exercise open (") +
           (exercise_ == 0 ? "no InitQuestion before it" : "the exercise was closed by Fermer or Quitter") +
           "): a host checks only between InitQuestion and Fermer, so this verdict tells nothing";
  }
  return std::nullopt;
}

std::optional<std::string> Runner::Step(const scenario::Statement& statement, bool error_expected,
                                        ScenarioResult& result) {
  if (observer_) observer_->OnStatement(statement);
  if (statement.kind == StatementKind::kExpect) return Check(statement);
  if (statement.kind == StatementKind::kEvaluate) {
    player_.TakeHint();
    try {
      const vb::Variant value = scenario::Evaluator(player_).Evaluate(*statement.target);
      if (observer_) observer_->OnValue(statement, value);
      return std::nullopt;
    } catch (const vb::Error& error) {
      return Fail(statement,
                  statement.text + " raised " +
                      Show(scenario::ErrorRecord{error.number(), error.source(), error.description()}) +
                      Hint());
    }
  }

  // An action: it clears the recorded error, and records the one it raises.
  player_.set_last_error({});
  player_.TakeHint();
  const bool host_call = IsHostCall(statement.kind);
  const CallCounts before = host_call ? player_.Calls() : CallCounts{};
  scenario::ErrorRecord raised;
  try {
    const auto call = Perform(statement, result);
    if (call && observer_) {
      observer_->OnHostCall(statement, call->call, call->results, Since(before, player_.Calls()));
      if (call->verdict) observer_->OnVerdict(statement, exercise_, *call->verdict);
    }
    if (observer_) observer_->OnActionDone(statement);
    Note(statement, result);
    return std::nullopt;
  } catch (const vb::Error& error) {
    raised = {error.number(), error.source(), error.description()};
  } catch (const NotPlayable&) {
    throw;  // not the action's error: the scenario cannot go on on this desktop
  } catch (const std::exception& error) {
    // A fault of our own below the object model: still the action's error, never a crash.
    raised = {51, kPlayerSource, std::string("Internal error: ") + error.what()};
  }
  player_.set_last_error(raised);
  if (observer_)
    observer_->OnError(statement, raised, host_call ? Since(before, player_.Calls()) : CallCounts{});
  Note(statement, result);
  if (error_expected) return std::nullopt;
  return Fail(statement, statement.text + " raised " + Show(raised) + Hint());
}

std::string Runner::Hint() {
  std::string hint = player_.TakeHint();
  return hint.empty() ? "" : " (" + hint + ")";
}

std::optional<Runner::HostCall> Runner::Perform(const scenario::Statement& statement,
                                                ScenarioResult& result) {
  scenario::Evaluator evaluator(player_);
  const auto positional = [&](std::size_t k) { return evaluator.Evaluate(*statement.arguments.at(k).value); };
  switch (statement.kind) {
    case StatementKind::kInitQuestion: {
      const std::int32_t number = positional(0).ToLong();
      const std::string folder =
          statement.arguments.size() > 1 ? positional(1).ToString() : kDefaultWorkFolder;
      HostCall call;
      call.call = "InitQuestion(" + std::to_string(number) + ", " + Show(vb::Variant(folder)) + ", " +
                  Show(vb::Variant(player_.application().ref())) + ", " + std::to_string(player_.handle()) +
                  ")";
      exercise_ = number;
      open_ = false;
      if (std::find(result.exercises.begin(), result.exercises.end(), number) == result.exercises.end()) {
        result.exercises.push_back(number);
      }
      player_.InitQuestion(number, folder);
      open_ = number >= k60418::kPremiereQuestion && number <= k60418::kDerniereQuestion;
      call.results = HostVariables(player_);
      return call;
    }
    case StatementKind::kTestePoint: {
      player_.TestePoint();
      HostCall call{"TestePoint()", "", std::nullopt};
      try {
        const VerdictReading verdict = player_.ReadVerdict();
        result.verdicts.push_back({exercise_, verdict.erreur_generale, verdict.cause_erreur});
        call.results = DescribeVerdict(verdict);
        call.verdict = verdict;
      } catch (const vb::Error& error) {
        call.results = "reading the verdict raised " +
                       Show(scenario::ErrorRecord{error.number(), error.source(), error.description()});
      }
      return call;
    }
    case StatementKind::kFermer:
      open_ = false;
      player_.Fermer();
      return HostCall{"Fermer()", "", std::nullopt};
    case StatementKind::kQuitter: {
      HostCall call;
      call.call = "Quitter(" + Show(vb::Variant(player_.application().ref())) + ", " +
                  std::to_string(player_.handle()) + ")";
      open_ = false;
      player_.Quitter();
      call.results = HostVariables(player_);
      return call;
    }
    case StatementKind::kVerdictRead: {
      const vb::Variant value = evaluator.Evaluate(*statement.target);
      return HostCall{statement.text, Show(value), std::nullopt};
    }
    case StatementKind::kPlaceFiles: {
      const std::int32_t number = positional(0).ToLong();
      player_.PlaceFiles(number,
                         statement.arguments.size() > 1 ? positional(1).ToString() : kDefaultWorkFolder);
      return std::nullopt;
    }
    case StatementKind::kHostAssign: {
      const vb::Variant value = evaluator.Evaluate(*statement.value);
      if (scenario::SameName(statement.member, "PlaceFiles")) {
        player_.set_place_files(value.ToBool());
      } else if (scenario::SameName(statement.member, "Handle")) {
        player_.set_handle(value.ToLong());
      } else {
        player_.set_application(value);
      }
      return std::nullopt;
    }
    case StatementKind::kSimEvent: {
      std::vector<vb::Variant> values;
      for (std::size_t k = 0; k < statement.arguments.size(); ++k) values.push_back(positional(k));
      player_.SimEvent(statement.member, values);
      return std::nullopt;
    }
    case StatementKind::kLearnerAssign:
      evaluator.Assign(*statement.target, evaluator.Evaluate(*statement.value));
      return std::nullopt;
    case StatementKind::kLearnerCall:
      evaluator.Call(*statement.target, statement.arguments);
      return std::nullopt;
    case StatementKind::kLearnerRead: {
      const vb::Variant value = evaluator.Evaluate(*statement.target);
      if (observer_) observer_->OnValue(statement, value);
      return std::nullopt;
    }
    case StatementKind::kExpect:
    case StatementKind::kEvaluate:
      break;
  }
  return std::nullopt;
}

std::optional<std::string> Runner::Check(const scenario::Statement& statement) {
  player_.TakeHint();
  scenario::Evaluator evaluator(player_);
  const std::string expectation = ExpectationText(statement);
  std::string expected;
  std::string found;
  const auto fail = [&](std::string detail) -> std::optional<std::string> {
    if (observer_) observer_->OnExpectation(statement, false, detail);
    return Fail(statement, detail, expected, found);
  };
  const auto raised = [](const vb::Error& error) {
    return Show(scenario::ErrorRecord{error.number(), error.source(), error.description()});
  };

  vb::Variant subject;
  try {
    subject = evaluator.Evaluate(*statement.target);
  } catch (const vb::Error& error) {
    found = raised(error);
    return fail("expected " + expectation + ", but reading it raised " + found + Hint());
  }
  found = Show(subject);

  bool passed = false;
  std::string value_note;
  if (statement.comparison == Comparison::kIsNothing) {
    expected = "Nothing";
    passed = subject.IsObject() && !subject.ToObject();
  } else {
    vb::Variant value;
    try {
      value = evaluator.Evaluate(*statement.value);
    } catch (const vb::Error& error) {
      return fail("expected " + expectation + ", but evaluating the value raised " + raised(error) + Hint());
    }
    expected = ComparisonPrefix(statement.comparison) + Show(value);
    if (statement.value->kind != scenario::Expression::Kind::kLiteral)
      value_note = " (the value is " + Show(value) + ")";
    try {
      if (statement.comparison == Comparison::kLike) {
        passed = scenario::Like(subject.ToString(), value.ToString());
      } else {
        const int order = scenario::CompareForExpectation(subject, value);
        switch (statement.comparison) {
          case Comparison::kEqual:
            passed = order == 0;
            break;
          case Comparison::kNotEqual:
            passed = order != 0;
            break;
          case Comparison::kLess:
            passed = order < 0;
            break;
          case Comparison::kLessOrEqual:
            passed = order <= 0;
            break;
          case Comparison::kGreater:
            passed = order > 0;
            break;
          default:
            passed = order >= 0;
            break;
        }
      }
    } catch (const vb::Error& error) {
      return fail("expected " + expectation + ", found " + Show(subject) + value_note +
                  ", which cannot be compared: " + raised(error));
    }
  }
  if (!passed) return fail("expected " + expectation + ", found " + Show(subject) + value_note);
  if (observer_) observer_->OnExpectation(statement, true, "");
  return std::nullopt;
}

}  // namespace player
