// `k60418 shell`: an interactive session on a simulated desktop. Each line is a scenario
// statement, run at once and answered: the verdict as the host reads it, the error raised with
// its number, source and description, the value of an expression.
#include <algorithm>
#include <charconv>
#include <fstream>
#include <istream>
#include <ostream>
#include <sstream>

#include "player/codes.hpp"
#include "player/commands.hpp"
#include "player/not_playable.hpp"
#include "player/output.hpp"
#include "player/present.hpp"
#include "player/runner.hpp"
#include "scenario/evaluator.hpp"
#include "scenario/parser.hpp"

namespace player {
namespace {

const char* const kHelp =
    "Statements, as in a scenario file (names and keywords ignore case; a line ending in \" _\" goes on):\n"
    "  InitQuestion N [, \"C:\\folder\\\"]        set exercise N up; its model files are placed first\n"
    "  TestePoint | Fermer | Quitter            the host's other calls, with Host.Application and "
    "Host.Handle\n"
    "  ErreurGenerale | CauseErreur | BravoNuance | Complement | Complement(i)\n"
    "                                           read the verdict as the host reads it\n"
    "  Host.PlaceFiles N [, folder]             place exercise N's model files now\n"
    "  Host.PlaceFiles = False | Host.Handle = n | Host.Application = Nothing\n"
    "  ActivePresentation.Slides(2).Layout = ppLayoutTitle     a learner's action: assign a property,\n"
    "  ActivePresentation.Slides(2).MoveTo 1                   call a method, or\n"
    "  Call ActivePresentation.Save()                          call it with parentheses\n"
    "  Sim.StartPowerPoint | Sim.HideWindow | Sim.QuitPowerPoint | Sim.Minimize | Sim.Restore\n"
    "  Sim.OpenDialog \"title\" [, \"owner title\"] | Sim.OpenWindow \"title\", \"class\" | Sim.ShowBalloon\n"
    "  Sim.Wait seconds | Sim.FailCalls \"Member\", n | Sim.SetRegistry \"key\", \"name\", \"data\"\n"
    "  Sim.DeleteRegistry \"key\" [, \"name\"] | Sim.CopyFile \"from\", \"to\" | Sim.DeleteFile \"path\"\n"
    "  Sim.SetReadOnly \"path\" | Sim.DestroyMainWindow   desktop events\n"
    "  Expect subject = value | <> value | Like \"pattern\" | Is Nothing\n"
    "  an expression alone shows its value: Sim.WorkFolder, Sim.TemplateFolder, Sim.DesignsFolder,\n"
    "  Sim.ContentFolder, Sim.FileExists(\"path\"), Sim.Registry(\"key\", \"name\"), Sim.WindowVisible,\n"
    "  Sim.PowerPointRunning, Sim.WindowHandle(\"title\"), Host.Handle, Error, Error.Source,\n"
    "  RGB(r, g, b), Chr(13), msoTrue …\n"
    "Commands of the shell:\n"
    "  help    this list\n"
    "  show    the active presentation as text; show N: its slide N only\n"
    "  codes   the verdict codes of the current exercise and the general codes\n"
    "  quit    leave (end of input does too)\n";

std::string Trim(const std::string& text) {
  const auto begin = text.find_first_not_of(" \t");
  if (begin == std::string::npos) return "";
  const auto end = text.find_last_not_of(" \t");
  return text.substr(begin, end - begin + 1);
}

bool SameWord(const std::string& a, const char* b) {
  std::string lower = a;
  for (auto& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return lower == b;
}

// A value as a scenario writes it: True, 12, 0.3, "text" ("" for a quote, Chr(n) for a control
// character); nullopt for what a literal cannot say (an object, an array).
std::optional<std::string> Literal(const vb::Variant& value) {
  switch (value.type()) {
    case vb::VarType::Boolean:
      return value.ToBool() ? "True" : "False";
    case vb::VarType::Integer:
    case vb::VarType::Long:
      return std::to_string(value.ToLong());
    case vb::VarType::Single: {
      char buffer[32];
      const auto end = std::to_chars(buffer, buffer + sizeof buffer, value.ToSingle()).ptr;
      return std::string(buffer, end);
    }
    case vb::VarType::Double: {
      char buffer[32];
      const auto end = std::to_chars(buffer, buffer + sizeof buffer, value.ToDouble()).ptr;
      return std::string(buffer, end);
    }
    case vb::VarType::String: {
      const std::string text = value.ToString();
      std::string out = "\"";
      bool open = true;
      for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x20 || byte == 0x7F) {
          out += open ? "\" & Chr(" : " & Chr(";
          out += std::to_string(byte) + ")";
          open = false;
          continue;
        }
        if (!open) {
          out += " & \"";
          open = true;
        }
        out += c == '"' ? std::string("\"\"") : std::string(1, c);
      }
      if (open) out += "\"";
      if (out.compare(0, 5, "\"\" & ") == 0 && out.size() > 5) out.erase(0, 5);
      return out;
    }
    default:
      return std::nullopt;
  }
}

// The session written as a scenario: each statement typed that acts (host calls, learner
// actions, desktop events, host variables, expectations), an "Expect Error = n" after one that
// raised, and after each check an Expect for each verdict member the host read.
class Recorder {
 public:
  void Statement(const scenario::Statement& statement, TrainingPlayer& player, bool failed) {
    using scenario::StatementKind;
    switch (statement.kind) {
      case StatementKind::kEvaluate:
        return;  // a value shown, nothing done
      case StatementKind::kExpect:
        // The "Expect Error = n" written after an action is not written twice.
        if (!failed && !lines_.empty() && lines_.back() == statement.text) return;
        lines_.push_back(failed ? "' failed in the session: " + statement.text : statement.text);
        return;
      case StatementKind::kVerdictRead: {
        const auto& error = player.LastError();
        if (error.number != 0) {
          lines_.push_back(statement.text);
          lines_.push_back("Expect Error = " + std::to_string(error.number));
          return;
        }
        try {
          const vb::Variant value = scenario::Evaluator(player).Evaluate(*statement.target);
          if (value.IsObject()) {
            lines_.push_back(
                value.ToObject()
                    ? "Expect " + statement.text + ".Count = " +
                          std::to_string(value.ToObject()->Invoke("Count", vb::CallKind::Get, {}).ToLong())
                    : "Expect " + statement.text + " Is Nothing");
          } else if (const auto literal = Literal(value)) {
            lines_.push_back("Expect " + statement.text + " = " + *literal);
          }
        } catch (const vb::Error&) {
          lines_.push_back(statement.text);
        }
        return;
      }
      default:
        break;
    }
    lines_.push_back(statement.text);
    if (const auto& error = player.LastError(); error.number != 0)
      lines_.push_back("Expect Error = " + std::to_string(error.number));
    if (statement.kind == StatementKind::kTestePoint) {
      lines_.insert(lines_.end(), verdict_.begin(), verdict_.end());
    }
    verdict_.clear();
  }

  // The verdict the host read after a check, as expectations.
  void Verdict(const VerdictReading& verdict) {
    verdict_.clear();
    verdict_.push_back("Expect ErreurGenerale = " + std::string(verdict.erreur_generale ? "True" : "False"));
    verdict_.push_back("Expect CauseErreur = " + *Literal(vb::Variant(verdict.cause_erreur)));
    if (verdict.erreur_generale) return;
    verdict_.push_back("Expect BravoNuance = " + std::string(verdict.bravo_nuance ? "True" : "False"));
    if (!verdict.complement) {
      verdict_.push_back("Expect Complement Is Nothing");
      return;
    }
    verdict_.push_back("Expect Complement.Count = " + std::to_string(verdict.complement->size()));
    for (std::size_t k = 0; k < verdict.complement->size(); ++k) {
      verdict_.push_back("Expect Complement(" + std::to_string(k + 1) +
                         ") = " + *Literal(vb::Variant((*verdict.complement)[k])));
    }
  }

  std::string Text() const {
    std::string text = "' Recorded by k60418 shell --record; k60418 run replays it.\n";
    for (const auto& line : lines_) text += line + "\n";
    return text;
  }

 private:
  std::vector<std::string> lines_;
  std::vector<std::string> verdict_;
};

// The shell's answers: one or more lines per statement, "ok" for an action that says nothing else.
class Answers : public Observer {
 public:
  Answers(std::ostream& out, TrainingPlayer& player) : out_(out), player_(player) {}
  void set_runner(const Runner* runner) { runner_ = runner; }

  void OnStatement(const scenario::Statement&) override { answered_ = false; }
  void OnHostCall(const scenario::Statement& statement, const std::string&, const std::string& results,
                  const CallCounts& calls) override {
    if (statement.kind == scenario::StatementKind::kTestePoint) return;  // the verdict says it
    if (statement.kind == scenario::StatementKind::kVerdictRead) {
      Say("= " + results + CodeSentence(statement, results));
      return;
    }
    if (!results.empty()) Say(results);
    if (statement.kind != scenario::StatementKind::kFermer) Say(DescribeCalls(calls));
  }
  void OnVerdict(const scenario::Statement&, std::int32_t exercise, const VerdictReading& verdict) override {
    std::string text = "ErreurGenerale = " + std::string(verdict.erreur_generale ? "True" : "False") +
                       ", CauseErreur = " + CodeWithSentence(exercise, verdict);
    if (!verdict.erreur_generale) {
      text += ", BravoNuance = " + std::string(verdict.bravo_nuance ? "True" : "False");
      if (verdict.complement) {
        text += ", Complement: " + std::to_string(verdict.complement->size()) + " line(s)";
        for (const auto& line : *verdict.complement) text += " " + Show(vb::Variant(line));
      } else {
        text += ", Complement = Nothing";
      }
    }
    Say(text);
    if (recorder_) recorder_->Verdict(verdict);
  }
  void set_recorder(class Recorder* recorder) { recorder_ = recorder; }
  void OnError(const scenario::Statement&, const scenario::ErrorRecord& error, const CallCounts&) override {
    Say(Show(error));
  }
  void OnValue(const scenario::Statement&, const vb::Variant& value) override { Say("= " + Show(value)); }
  void OnExpectation(const scenario::Statement&, bool passed, const std::string& detail) override {
    Say(passed ? "ok" : "failed: " + detail);
  }
  void OnActionDone(const scenario::Statement&) override {
    if (!answered_) Say("ok");
  }
  void OnNote(const scenario::Statement&, const std::string& note) override { Say("note: " + note); }

  void Say(const std::string& text) {
    out_ << text << '\n';
    answered_ = true;
  }

 private:
  // A CauseErreur read shows the sentence of the code it gave.
  std::string CodeSentence(const scenario::Statement& statement, const std::string&) {
    const auto& path = statement.target->path;
    if (path.size() != 1 || path.front().name.size() != 11 || !SameWord(path.front().name, "causeerreur"))
      return "";
    try {
      const bool general = player_.module().ErreurGenerale();
      const std::string code = player_.module().CauseErreur();
      const std::string sentence = Sentence(runner_ ? runner_->exercise() : 0, general, code);
      return sentence.empty() ? "" : " " + Quoted(sentence);
    } catch (const vb::Error&) {
      return "";
    }
  }

  std::ostream& out_;
  TrainingPlayer& player_;
  const Runner* runner_ = nullptr;
  class Recorder* recorder_ = nullptr;
  bool answered_ = false;
};

}  // namespace

namespace {

// Lines from a stream, with the prompt written before each (for a terminal without a line editor).
class StreamReader : public LineReader {
 public:
  StreamReader(std::istream& in, std::ostream& out, bool prompt) : in_(in), out_(out), prompt_(prompt) {}
  std::optional<std::string> Read(const std::string& prompt) override {
    if (prompt_) out_ << prompt << std::flush;
    std::string line;
    if (!std::getline(in_, line)) return std::nullopt;
    return line;
  }

 private:
  std::istream& in_;
  std::ostream& out_;
  bool prompt_;
};

// "show" or "show N": nullopt when the line is not one; 0 for the whole presentation.
std::optional<int> ShowCommand(const std::string& word) {
  if (word.size() < 4 || !SameWord(word.substr(0, 4), "show")) return std::nullopt;
  if (word.size() == 4) return 0;
  const std::string rest = Trim(word.substr(4));
  if (rest.empty() || word[4] != ' ' || rest.size() > 6 ||
      !std::all_of(rest.begin(), rest.end(), [](char c) { return c >= '0' && c <= '9'; }))
    return std::nullopt;
  return std::stoi(rest);
}

}  // namespace

int RunShell(const ShellOptions& options, std::istream& in, std::ostream& out, std::ostream& err) {
  PlayerOptions player_options;
  player_options.course_folder = options.course_folder;
  player_options.make_sides = options.make_sides;
  std::unique_ptr<TrainingPlayer> player;
  try {
    player = std::make_unique<TrainingPlayer>(player_options);
  } catch (const std::exception& error) {
    err << "k60418 shell: the desktop could not be made: " << error.what() << '\n';
    return kExitBadInput;
  }
  Answers answers(out, *player);
  Runner runner(*player, &answers);
  answers.set_runner(&runner);
  std::optional<Recorder> recorder;
  if (!options.record.empty()) {
    recorder.emplace();
    answers.set_recorder(&*recorder);
  }
  ScenarioResult result;
  scenario::ParseOptions parse_options;
  parse_options.interactive = true;
  int status = kExitPassed;
  // Piped input is a scenario: an action's error must be expected by the statement after it.
  std::optional<std::string> unexpected_error;

  const auto execute = [&](const std::string& text, int first_line) {
    scenario::Scenario parsed;
    try {
      parsed = scenario::Parse(text, "shell", parse_options);
    } catch (const scenario::ParseError& error) {
      err << "line " << first_line + error.position().line - 1 << ", column " << error.position().column
          << ": " << error.what() << '\n';
      status = kExitFailed;
      return;
    }
    for (const auto& statement : parsed.statements) {
      if (unexpected_error && !Runner::ExpectsError(&statement)) {
        err << *unexpected_error << '\n';
        status = kExitFailed;
      }
      unexpected_error.reset();
      bool failed = false;
      try {
        if (auto failure = runner.Step(statement, true, result)) {
          failed = true;
          if (statement.kind == scenario::StatementKind::kExpect) {
            status = kExitFailed;
          } else {
            answers.Say(*failure);
          }
        }
      } catch (const NotPlayable& unplayable) {
        // Not the statement's error, nor a failure (as `run` skips such a scenario): said, and the
        // session goes on without it.
        answers.Say(std::string("not playable on this desktop: ") + unplayable.what());
      } catch (const std::exception& error) {
        answers.Say(std::string("internal error: ") + error.what());
      }
      const bool action = statement.kind != scenario::StatementKind::kExpect &&
                          statement.kind != scenario::StatementKind::kEvaluate;
      if (!options.prompt && action && player->LastError().number != 0) {
        unexpected_error = "line " + std::to_string(first_line + statement.position.line - 1) + ": " +
                           statement.text + " raised " + Show(player->LastError()) +
                           ", and the next statement is not Expect Error";
      }
      if (recorder) recorder->Statement(statement, *player, failed);
    }
  };

  if (options.prompt) out << "k60418 shell: type help for the statements, quit to leave\n";
  if (options.exercise) {
    if (options.prompt) out << "InitQuestion " << *options.exercise << '\n';
    execute("InitQuestion " + std::to_string(*options.exercise) + "\n", 0);
  }

  StreamReader stream_reader(in, out, options.prompt);
  LineReader& reader = options.reader ? *options.reader : stream_reader;
  std::string pending;
  int line_number = 0;
  int pending_first = 1;
  for (;;) {
    const auto read = reader.Read(pending.empty() ? "k60418> " : "   ...> ");
    if (!read) break;
    std::string line = *read;
    ++line_number;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (pending.empty()) {
      const std::string word = Trim(line);
      if (SameWord(word, "quit") || SameWord(word, "exit")) break;
      if (SameWord(word, "help")) {
        out << kHelp;
        continue;
      }
      if (const auto slide = ShowCommand(word)) {
        out << ActivePresentationText(*player, *slide);
        continue;
      }
      if (SameWord(word, "codes")) {
        if (runner.exercise() != 0) {
          ListCodes(std::to_string(runner.exercise()), out, err);
        } else {
          ListCodes(std::nullopt, out, err);
        }
        continue;
      }
      pending_first = line_number;
    }
    pending += line + "\n";
    const std::string trimmed = Trim(line);
    if (trimmed.size() >= 2 && trimmed.compare(trimmed.size() - 2, 2, " _") == 0) continue;  // goes on
    execute(pending, pending_first);
    pending.clear();
  }
  if (!pending.empty()) execute(pending, pending_first);
  if (unexpected_error) {
    err << *unexpected_error << '\n';
    status = kExitFailed;
  }
  if (options.prompt) out << '\n';
  if (recorder) {
    std::ofstream file(options.record, std::ios::binary | std::ios::trunc);
    file << recorder->Text();
    file.flush();
    if (!file) {
      err << "k60418 shell: the session could not be recorded in " << options.record.string() << '\n';
      return kExitBadInput;
    }
  }
  return status;
}

}  // namespace player
