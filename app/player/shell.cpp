// `k60418 shell`: an interactive session on a simulated desktop. Each line is a scenario
// statement, run at once and answered: the verdict as the host reads it, the error raised with
// its number, source and description, the value of an expression.
#include <istream>
#include <ostream>
#include <sstream>

#include "player/codes.hpp"
#include "player/commands.hpp"
#include "player/output.hpp"
#include "player/present.hpp"
#include "player/runner.hpp"
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
    "  show    the active presentation as text\n"
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
  }
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
  bool answered_ = false;
};

}  // namespace

int RunShell(const ShellOptions& options, std::istream& in, std::ostream& out, std::ostream& err) {
  PlayerOptions player_options;
  player_options.course_folder = options.course_folder;
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
  ScenarioResult result;
  scenario::ParseOptions parse_options;
  parse_options.interactive = true;
  int status = kExitPassed;

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
      try {
        if (auto failure = runner.Step(statement, true, result)) {
          if (statement.kind == scenario::StatementKind::kExpect) {
            status = kExitFailed;
          } else {
            answers.Say(*failure);
          }
        }
      } catch (const std::exception& error) {
        answers.Say(std::string("internal error: ") + error.what());
      }
    }
  };

  if (options.prompt) out << "k60418 shell: type help for the statements, quit to leave\n";
  if (options.exercise) {
    if (options.prompt) out << "InitQuestion " << *options.exercise << '\n';
    execute("InitQuestion " + std::to_string(*options.exercise) + "\n", 0);
  }

  std::string pending;
  int line_number = 0;
  int pending_first = 1;
  std::string line;
  for (;;) {
    if (options.prompt) out << (pending.empty() ? "k60418> " : "   ...> ") << std::flush;
    if (!std::getline(in, line)) break;
    ++line_number;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (pending.empty()) {
      const std::string word = Trim(line);
      if (SameWord(word, "quit") || SameWord(word, "exit")) break;
      if (SameWord(word, "help")) {
        out << kHelp;
        continue;
      }
      if (SameWord(word, "show")) {
        out << ActivePresentationText(*player);
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
  if (options.prompt) out << '\n';
  return status;
}

}  // namespace player
