#include "player/commands.hpp"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fstream>
#include <map>
#include <ostream>
#include <sstream>
#include <stdexcept>

#include "exercises/fabrique.hpp"
#include "player/codes.hpp"
#include "player/json_line.hpp"
#include "player/output.hpp"
#include "player/runner.hpp"
#include "scenario/lexer.hpp"
#include "scenario/parser.hpp"

namespace player {
namespace fs = std::filesystem;

namespace {

// One scenario to run: where it is and the name it is reported under.
struct ScenarioFile {
  fs::path path;
  std::string name;
};

// The outcome of one scenario file, parse failures included.
struct FileOutcome {
  bool passed = false;
  bool bad_input = false;
  ScenarioResult result;
};

// A name usable as a folder name: the scenario's name with separators and the extension dropped.
std::string FolderNameFor(const std::string& name) {
  std::string folder = name;
  if (folder.size() > 4 && folder.compare(folder.size() - 4, 4, ".scn") == 0)
    folder.resize(folder.size() - 4);
  for (auto& c : folder) {
    if (c == '/' || c == '\\' || c == ':') c = '_';
  }
  while (!folder.empty() && (folder.front() == '.' || folder.front() == '_')) folder.erase(folder.begin());
  return folder.empty() ? "scenario" : folder;
}

// Reads, parses and plays one scenario, reporting as `run` does. A failure of our own below the
// scenario (an unreadable state folder, an unexpected exception) fails that scenario only.
FileOutcome PlayFile(const ScenarioFile& file, const PlayerOptions& player_options, Observer* observer,
                     std::ostream& err) {
  FileOutcome outcome;
  scenario::Scenario parsed;
  try {
    parsed = scenario::Parse(ReadInputFile(file.path), file.name);
  } catch (const scenario::ParseError& error) {
    outcome.bad_input = true;
    outcome.result.passed = false;
    outcome.result.line = error.position().line;
    outcome.result.message = std::to_string(error.position().column) + ": " + error.what();
    err << scenario::DescribeParseError(file.name, error) << '\n';
    return outcome;
  } catch (const std::exception& error) {
    outcome.bad_input = true;
    outcome.result.passed = false;
    outcome.result.message = error.what();
    err << file.name << ": " << error.what() << '\n';
    return outcome;
  }
  std::unique_ptr<TrainingPlayer> player;
  try {
    player = std::make_unique<TrainingPlayer>(player_options);
  } catch (const std::exception& error) {
    // A state folder that holds no readable desktop is bad input, as an unreadable file is.
    outcome.bad_input = true;
    outcome.result.passed = false;
    outcome.result.message = std::string("the desktop could not be made: ") + error.what();
    err << file.name << ": " << outcome.result.message << '\n';
    return outcome;
  }
  try {
    Runner runner(*player, observer);
    outcome.result = runner.Run(parsed);
  } catch (const std::exception& error) {
    outcome.result.passed = false;
    outcome.result.message = std::string("internal error: ") + error.what();
  }
  try {
    player->SaveState();
  } catch (const vb::Error& error) {
    outcome.result.passed = false;
    outcome.result.message = "the desktop could not be saved: " +
                             Show(scenario::ErrorRecord{error.number(), error.source(), error.description()});
  } catch (const std::exception& error) {
    outcome.result.passed = false;
    outcome.result.message = std::string("internal error: ") + error.what();
  }
  outcome.passed = outcome.result.passed;
  return outcome;
}

std::string FailLine(const std::string& name, const ScenarioResult& result) {
  return "FAIL " + name + ":" + std::to_string(result.line) + ": " + result.message;
}

}  // namespace

std::string ReadInputFile(const fs::path& file) {
  std::error_code code;
  const auto status = fs::status(file, code);
  if (code || !fs::exists(status)) throw std::runtime_error("cannot read the file: it does not exist");
  if (fs::is_directory(status)) throw std::runtime_error("cannot read the file: it is a folder");
  std::ifstream in(file, std::ios::binary);
  if (!in) throw std::runtime_error(std::string("cannot read the file: ") + std::strerror(errno));
  std::string content;
  char buffer[65536];
  while (in.read(buffer, sizeof buffer) || in.gcount() > 0) {
    content.append(buffer, static_cast<std::size_t>(in.gcount()));
    if (content.size() > scenario::kMaximumSourceBytes) {
      throw std::runtime_error("the file is too large (more than " +
                               std::to_string(scenario::kMaximumSourceBytes / (1024 * 1024)) + " MiB)");
    }
  }
  if (in.bad()) throw std::runtime_error(std::string("cannot read the file: ") + std::strerror(errno));
  return content;
}

std::vector<fs::path> ScenarioFiles(const fs::path& folder) {
  std::vector<fs::path> files;
  std::error_code code;
  for (fs::recursive_directory_iterator it(folder, fs::directory_options::skip_permission_denied, code), end;
       !code && it != end; it.increment(code)) {
    if (it->path().extension() == ".scn" && it->is_regular_file(code)) files.push_back(it->path());
  }
  std::sort(files.begin(), files.end());
  return files;
}

// --- run ---------------------------------------------------------------------------------------

int RunScenarios(const RunOptions& options, std::ostream& out, std::ostream& err) {
  std::vector<ScenarioFile> files;
  bool bad_input = false;
  for (const auto& given : options.paths) {
    std::error_code code;
    const fs::path path(given);
    if (fs::is_directory(path, code)) {
      const auto found = ScenarioFiles(path);
      if (found.empty()) {
        err << given << ": no scenario (.scn file) in this folder\n";
        bad_input = true;
      }
      for (const auto& file : found)
        files.push_back({file, (path / fs::relative(file, path, code)).generic_string()});
    } else {
      files.push_back({path, given});
    }
  }

  int passed = 0;
  int failed = 0;
  for (const auto& file : files) {
    PlayerOptions player_options;
    player_options.course_folder = options.course_folder;
    if (!options.state_folder.empty()) {
      player_options.state_folder =
          files.size() == 1 ? options.state_folder : options.state_folder / FolderNameFor(file.name);
    }
    std::unique_ptr<Observer> observer;
    if (options.trace && options.json) {
      observer = std::make_unique<JsonTrace>(out, file.name);
    } else if (options.trace) {
      observer = std::make_unique<TextTrace>(out);
      out << "== " << file.name << '\n';
    }
    const FileOutcome outcome = PlayFile(file, player_options, observer.get(), err);
    bad_input = bad_input || outcome.bad_input;
    outcome.passed ? ++passed : ++failed;
    if (options.json) {
      nlohmann::json line = {{"scenario", file.name}, {"result", outcome.passed ? "pass" : "fail"}};
      if (!outcome.passed) {
        line["line"] = outcome.result.line;
        line["message"] = outcome.result.message;
        if (outcome.bad_input) line["result"] = "error";
      }
      WriteJsonLine(out, line);
    } else if (outcome.passed) {
      out << "PASS " << file.name << '\n';
    } else {
      out << FailLine(file.name, outcome.result) << '\n';
    }
  }
  if (options.json) WriteJsonLine(out, {{"passed", passed}, {"failed", failed}});
  out << passed << " passed, " << failed << " failed\n";
  if (bad_input) return kExitBadInput;
  return failed ? kExitFailed : kExitPassed;
}

// --- course ------------------------------------------------------------------------------------

namespace {

// The scenarios of one folder of course/scenarios and what they gave.
struct CourseGroup {
  std::string folder;
  std::int32_t exercise = 0;  // 0 for the general folder or any other
  std::vector<ScenarioFile> files;
  int passed = 0;
  std::vector<ScenarioResult::Seen> seen;
};

std::int32_t ExerciseOfFolder(const std::string& name) {
  if (name.size() != 4 ||
      !std::all_of(name.begin(), name.end(), [](char c) { return c >= '0' && c <= '9'; })) {
    return 0;
  }
  return std::stoi(name);
}

// The codes seen, in the order of the list that defines them, unknown ones after.
std::vector<std::string> CodesInOrder(const std::vector<std::string>& seen,
                                      const std::vector<CodeMeaning>& order) {
  std::vector<std::string> codes;
  for (const auto& meaning : order) {
    if (std::find(seen.begin(), seen.end(), meaning.code) != seen.end()) codes.push_back(meaning.code);
  }
  for (const auto& code : seen) {
    if (std::find(codes.begin(), codes.end(), code) == codes.end()) codes.push_back(code);
  }
  return codes;
}

std::string CodeLabel(const std::string& code) {
  return code.empty() ? "juste" : code;
}

}  // namespace

int PlayCourse(const CourseOptions& options, std::ostream& out, std::ostream& err) {
  const fs::path course = ResolveCourseFolder(options.course_folder);
  const fs::path root = course / "scenarios";
  std::error_code code;
  if (!fs::is_directory(root, code)) {
    err << "k60418: the course has no scenarios folder (" << root.string()
        << "); give the course folder with --course or K60418_COURSE_DIR\n";
    return kExitBadInput;
  }

  std::vector<CourseGroup> groups;
  std::vector<fs::path> folders;
  for (const auto& entry : fs::directory_iterator(root, code)) {
    if (entry.is_directory()) folders.push_back(entry.path());
  }
  std::sort(folders.begin(), folders.end());
  std::size_t total = 0;
  for (const auto& folder : folders) {
    CourseGroup group;
    group.folder = folder.filename().string();
    group.exercise = ExerciseOfFolder(group.folder);
    for (const auto& file : ScenarioFiles(folder)) {
      group.files.push_back(
          {file, (fs::path(group.folder) / fs::relative(file, folder, code)).generic_string()});
    }
    total += group.files.size();
    groups.push_back(std::move(group));
  }

  int passed = 0;
  int failed = 0;
  bool bad_input = false;
  std::vector<std::string> failures;
  std::size_t done = 0;
  for (auto& group : groups) {
    for (const auto& file : group.files) {
      if (options.progress) {
        err << "\r[" << ++done << "/" << total << "] " << Pad(file.name, 50) << std::flush;
      }
      PlayerOptions player_options;
      player_options.course_folder = course;
      std::ostringstream diagnostics;
      const FileOutcome outcome = PlayFile(file, player_options, nullptr, diagnostics);
      bad_input = bad_input || outcome.bad_input;
      if (outcome.passed) {
        ++passed;
        ++group.passed;
      } else {
        ++failed;
        failures.push_back(outcome.bad_input ? "ERROR " + diagnostics.str()
                                             : FailLine(file.name, outcome.result));
        if (!failures.back().empty() && failures.back().back() == '\n') failures.back().pop_back();
      }
      group.seen.insert(group.seen.end(), outcome.result.verdicts.begin(), outcome.result.verdicts.end());
    }
  }
  if (options.progress) err << '\r' << std::string(60, ' ') << '\r' << std::flush;

  // One row per exercise of the course, then the folders that are not an exercise.
  std::size_t title_width = 20;
  for (const auto& exercise : CourseExercises())
    title_width = std::max(title_width, DisplayWidth(exercise.title) + 2);
  out << Pad("Exercice", 10) << Pad("Titre", title_width) << Pad("Scénarios", 11) << "Verdicts vus\n";
  const auto row = [&](const std::string& label, const std::string& title, const std::string& count,
                       const std::vector<std::string>& codes, std::int32_t exercise, bool general) {
    std::string shown;
    for (const auto& c : codes) shown += (shown.empty() ? "" : " ") + CodeLabel(c);
    out << Pad(label, 10) << Pad(title, title_width) << Pad(count, 11) << shown << '\n';
    if (options.brief) return;
    for (const auto& c : codes) {
      const std::string sentence = Sentence(exercise, general, c);
      out << std::string(12, ' ') << Pad(CodeLabel(c), 7) << Quoted(sentence) << '\n';
    }
  };
  for (const auto& exercise : CourseExercises()) {
    const CourseGroup* group = nullptr;
    for (const auto& g : groups) {
      if (g.exercise == exercise.number) group = &g;
    }
    char label[8];
    std::snprintf(label, sizeof label, "%04d", static_cast<int>(exercise.number));
    std::vector<std::string> seen;
    if (group) {
      for (const auto& s : group->seen) {
        if (!s.erreur_generale && s.exercise == exercise.number) seen.push_back(s.cause_erreur);
      }
    }
    const std::string count = group
                                  ? std::to_string(group->passed) + "/" + std::to_string(group->files.size())
                                  : std::string("0/0");
    row(label, exercise.title, count, CodesInOrder(seen, exercise.codes), exercise.number, false);
  }
  for (const auto& group : groups) {
    if (group.exercise != 0 && FindExercise(group.exercise)) continue;
    std::vector<std::string> seen;
    for (const auto& s : group.seen) {
      if (s.erreur_generale) seen.push_back(s.cause_erreur);
    }
    const std::string title = group.folder == "general"
                                  ? "Codes généraux du pilote et du contrôle de la présentation"
                                  : "Scénarios du dossier " + group.folder;
    row(group.folder == "general" ? "général" : group.folder, title,
        std::to_string(group.passed) + "/" + std::to_string(group.files.size()),
        CodesInOrder(seen, GeneralCodes()), 0, true);
  }
  for (const auto& failure : failures) out << failure << '\n';
  out << passed << " passed, " << failed << " failed\n";
  if (bad_input) return kExitBadInput;
  return failed ? kExitFailed : kExitPassed;
}

// --- codes -------------------------------------------------------------------------------------

int ListCodes(const std::optional<std::string>& exercise, std::ostream& out, std::ostream& err) {
  std::vector<const ExerciseEntry*> chosen;
  if (exercise) {
    const std::string& text = *exercise;
    const bool digits = !text.empty() && text.size() <= 4 &&
                        std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
    const ExerciseEntry* entry = digits ? FindExercise(std::stoi(text)) : nullptr;
    if (!entry) {
      err << "k60418 codes: " << text << " is not an exercise of the course (201 to 224)\n";
      return kExitBadInput;
    }
    chosen.push_back(entry);
  } else {
    for (const auto& entry : CourseExercises()) chosen.push_back(&entry);
  }
  for (const auto* entry : chosen) {
    char label[8];
    std::snprintf(label, sizeof label, "%04d", static_cast<int>(entry->number));
    out << label << "  " << entry->title << '\n';
    for (const auto& meaning : entry->codes) {
      out << "  " << Pad(meaning.code.empty() ? "\"\"" : meaning.code, 6) << meaning.sentence << '\n';
    }
    out << '\n';
  }
  out << "Codes généraux (ErreurGenerale = True : le contrôle n'a pas pu se faire)\n";
  for (const auto& meaning : GeneralCodes()) out << "  " << Pad(meaning.code, 6) << meaning.sentence << '\n';
  return kExitPassed;
}

}  // namespace player
