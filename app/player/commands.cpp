#include "player/commands.hpp"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstring>
#include <fstream>
#include <iostream>
#include <map>
#include <ostream>
#include <sstream>
#include <stdexcept>

#include "exercises/fabrique.hpp"
#include "player/codes.hpp"
#include "player/json_line.hpp"
#include "player/not_playable.hpp"
#include "player/output.hpp"
#include "player/report.hpp"
#include "player/runner.hpp"
#include "scenario/lexer.hpp"
#include "scenario/parser.hpp"
#include "sim/state_file.hpp"

namespace player {
namespace fs = std::filesystem;

namespace {

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

double SecondsSince(std::chrono::steady_clock::time_point start) {
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

// Reads, parses and plays one scenario. A failure of our own below the scenario (an unreadable
// state folder, an unexpected exception) fails that scenario only. `source` is the scenario's
// text when it is not read from its file (standard input).
Played PlayFile(const ScenarioFile& file, const PlayerOptions& player_options, Observer* observer,
                bool keep_going, const std::optional<std::string>& source = std::nullopt) {
  const auto start = std::chrono::steady_clock::now();
  Played played;
  played.file = file;
  auto& result = played.result;
  const auto bad_input = [&](int line, int column, std::string message) {
    played.bad_input = true;
    result.passed = false;
    result.line = line;
    result.column = column;
    result.message = std::move(message);
    played.seconds = SecondsSince(start);
    return played;
  };
  scenario::Scenario parsed;
  try {
    parsed = scenario::Parse(source ? *source : ReadInputFile(file.path), file.name);
  } catch (const scenario::ParseError& error) {
    return bad_input(error.position().line, error.position().column, error.what());
  } catch (const std::exception& error) {
    return bad_input(0, 0, error.what());
  }
  std::error_code code;
  const bool reloaded = !player_options.state_folder.empty() &&
                        fs::exists(player_options.state_folder / sim::kStateFileName, code);
  std::unique_ptr<TrainingPlayer> player;
  try {
    player = std::make_unique<TrainingPlayer>(player_options);
  } catch (const NotPlayable& unplayable) {
    // A desktop that cannot be made that way (a kept state on a real desktop): not played.
    result.passed = false;
    result.skipped = true;
    result.message = unplayable.what();
    played.seconds = SecondsSince(start);
    return played;
  } catch (const std::exception& error) {
    // A state folder that holds no readable desktop is bad input, as an unreadable file is.
    return bad_input(0, 0, std::string("the desktop could not be made: ") + error.what());
  }
  try {
    Runner runner(*player, observer);
    runner.set_keep_going(keep_going);
    result = runner.Run(parsed);
    if (reloaded) {
      result.notes.insert(result.notes.begin(),
                          "the desktop was reloaded from " + player_options.state_folder.string() +
                              ": its files and registry are as the last run left them, but no PowerPoint "
                              "runs after a reload (InitQuestion or Sim.StartPowerPoint starts one)");
    }
  } catch (const std::exception& error) {
    result.passed = false;
    result.message = std::string("internal error: ") + error.what();
  }
  try {
    player->SaveState();
  } catch (const vb::Error& error) {
    result.passed = false;
    result.message = "the desktop could not be saved: " +
                     Show(scenario::ErrorRecord{error.number(), error.source(), error.description()});
  } catch (const std::exception& error) {
    result.passed = false;
    result.message = std::string("internal error: ") + error.what();
  }
  played.passed = result.passed;
  played.seconds = SecondsSince(start);
  return played;
}

// A bracket expression at pattern[k] ('[' included) against one character: [abc], [a-z], [!a] or
// [^a]. Returns the position after it, or npos when it is not closed (then '[' is itself).
std::size_t MatchBracket(std::string_view pattern, std::size_t k, char c, bool& matched) {
  std::size_t j = k + 1;
  const bool negated = j < pattern.size() && (pattern[j] == '!' || pattern[j] == '^');
  if (negated) ++j;
  bool found = false;
  for (bool first = true; j < pattern.size() && (first || pattern[j] != ']'); first = false) {
    char low = pattern[j];
    if (low == '\\' && j + 1 < pattern.size()) low = pattern[++j];
    char high = low;
    if (j + 2 < pattern.size() && pattern[j + 1] == '-' && pattern[j + 2] != ']') {
      j += 2;
      high = pattern[j];
      if (high == '\\' && j + 1 < pattern.size()) high = pattern[++j];
    }
    const auto byte = static_cast<unsigned char>(c);
    if (byte >= static_cast<unsigned char>(low) && byte <= static_cast<unsigned char>(high)) found = true;
    ++j;
  }
  if (j >= pattern.size()) return std::string_view::npos;
  matched = found != negated;
  return j + 1;
}

}  // namespace

bool WildcardMatch(std::string_view pattern, std::string_view name) {
  // Backtracking on the last star only: each star can stretch over what the one before took.
  std::size_t p = 0;
  std::size_t n = 0;
  std::size_t star = std::string_view::npos;
  std::size_t star_name = 0;
  while (n < name.size()) {
    if (p < pattern.size() && pattern[p] == '*') {
      star = ++p;
      star_name = n;
      continue;
    }
    if (p < pattern.size()) {
      bool matched = false;
      std::size_t next = std::string_view::npos;
      if (pattern[p] == '[') next = MatchBracket(pattern, p, name[n], matched);
      if (next == std::string_view::npos) {
        next = p + 1;
        char literal = pattern[p];
        if (literal == '\\' && next < pattern.size()) literal = pattern[next++];
        matched = pattern[p] == '?' || literal == name[n];
      }
      if (matched) {
        p = next;
        ++n;
        continue;
      }
    }
    if (star == std::string_view::npos) return false;
    p = star;
    n = ++star_name;
  }
  while (p < pattern.size() && pattern[p] == '*') ++p;
  return p == pattern.size();
}

namespace {

// Whether a scenario's name passes --filter: a pattern with wildcards (* ? [ ]) matches the whole
// name, any other text a part of it.
bool Chosen(const std::string& name, const std::string& filter) {
  if (filter.empty()) return true;
  if (filter.find_first_of("*?[") != std::string::npos) return WildcardMatch(filter, name);
  return name.find(filter) != std::string::npos;
}

// Reports the scenarios as they are played, and at the end: plain lines or JSON lines on out, the
// JUnit file when asked. Returns the exit status.
class Reporter {
 public:
  Reporter(const ReportOptions& options, std::ostream& out, std::ostream& err)
      : options_(options), out_(out), err_(err), start_(std::chrono::steady_clock::now()) {}

  void Add(Played played, bool print = true) {
    if (print) {
      if (options_.json) {
        WriteJsonLine(out_, ScenarioJson(played));
      } else {
        out_ << PlainReport(played, options_.colour);
      }
    }
    played_.push_back(std::move(played));
  }
  const std::vector<Played>& played() const { return played_; }
  double seconds() const { return SecondsSince(start_); }

  /// The summary (JSON or plain), the JUnit file; the exit status.
  int Finish(bool bad_input, const nlohmann::json& extra = nlohmann::json::object()) {
    const double elapsed = seconds();
    int passed = 0;
    int failed = 0;
    int skipped = 0;
    for (const auto& p : played_) {
      // A skipped scenario is neither passed nor failed.
      p.passed ? ++passed : p.result.skipped && !p.bad_input ? ++skipped : ++failed;
      bad_input = bad_input || p.bad_input;
    }
    if (options_.json) {
      nlohmann::json summary = SummaryJson(played_, elapsed);
      summary.update(extra);
      WriteJsonLine(out_, summary);
    } else {
      out_ << Summary(passed, failed, skipped, elapsed);
    }
    if (!options_.junit.empty()) {
      try {
        WriteJUnit(options_.junit, played_, elapsed);
      } catch (const std::exception& error) {
        err_ << "k60418: the JUnit report: " << error.what() << '\n';
        return kExitBadInput;
      }
    }
    if (bad_input) return kExitBadInput;
    return failed ? kExitFailed : kExitPassed;
  }

 private:
  const ReportOptions& options_;
  std::ostream& out_;
  std::ostream& err_;
  std::chrono::steady_clock::time_point start_;
  std::vector<Played> played_;
};

// --list: the scenarios that would run, one name per line (or a JSON object each).
int ListScenarios(const std::vector<ScenarioFile>& files, const ReportOptions& options, std::ostream& out) {
  for (const auto& file : files) {
    if (options.json) {
      WriteJsonLine(out, {{"file", file.name}, {"suite", file.suite}});
    } else {
      out << file.name << '\n';
    }
  }
  return kExitPassed;
}

}  // namespace

std::string ReadInputFile(const fs::path& file, std::size_t limit) {
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
    if (content.size() > limit) {
      throw std::runtime_error("the file is too large (more than " + std::to_string(limit / (1024 * 1024)) +
                               " MiB)");
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
  std::optional<std::string> standard_input;
  for (const auto& given : options.paths) {
    std::error_code code;
    const fs::path path(given);
    if (given == "-") {
      if (standard_input) {
        err << "k60418 run: - (standard input) can be given once only\n";
        return kExitBadInput;
      }
      std::istream& in = options.standard_input ? *options.standard_input : std::cin;
      std::string text;
      char buffer[65536];
      while (in.read(buffer, sizeof buffer) || in.gcount() > 0) {
        text.append(buffer, static_cast<std::size_t>(in.gcount()));
        if (text.size() > scenario::kMaximumSourceBytes) break;
      }
      standard_input = std::move(text);
      files.push_back({path, "-", "stdin"});
    } else if (fs::is_directory(path, code)) {
      const auto found = ScenarioFiles(path);
      if (found.empty()) {
        err << given << ": no scenario (.scn file) in this folder\n";
        bad_input = true;
      }
      for (const auto& file : found) {
        const fs::path name = path / fs::relative(file, path, code);
        files.push_back({file, name.generic_string(), name.parent_path().generic_string()});
      }
    } else {
      const std::string suite = path.parent_path().generic_string();
      files.push_back({path, given, suite.empty() ? "." : suite});
    }
  }
  std::erase_if(files, [&](const ScenarioFile& file) { return !Chosen(file.name, options.filter); });
  if (options.list) return ListScenarios(files, options, out);

  Reporter reporter(options, out, err);
  for (const auto& file : files) {
    PlayerOptions player_options;
    player_options.course_folder = options.course_folder;
    player_options.make_sides = options.make_sides;
    player_options.scenario = file.name;
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
    std::optional<std::string> source;
    if (file.name == "-" && file.suite == "stdin") {
      source = *standard_input;
      if (source->size() > scenario::kMaximumSourceBytes) {
        source.reset();
        Played played;
        played.file = file;
        played.bad_input = true;
        played.result.passed = false;
        played.result.message = "the scenario is too large (more than " +
                                std::to_string(scenario::kMaximumSourceBytes / (1024 * 1024)) + " MiB)";
        reporter.Add(std::move(played));
        continue;
      }
    }
    reporter.Add(PlayFile(file, player_options, observer.get(), options.keep_going, source));
  }
  return reporter.Finish(bad_input);
}

// --- course ------------------------------------------------------------------------------------

namespace {

// The scenarios of one folder of course/scenarios and what they gave.
struct CourseGroup {
  std::string folder;
  std::int32_t exercise = 0;  // 0 for the general folder or any other
  std::vector<ScenarioFile> files;
  int passed = 0;
  int run = 0;
  int skipped = 0;
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

// "3/4" (passed / run), with ", 1 skipped" when some could not be played.
std::string CountText(const CourseGroup& group) {
  return std::to_string(group.passed) + "/" + std::to_string(group.run) +
         (group.skipped > 0 ? ", " + std::to_string(group.skipped) + " skipped" : std::string());
}

std::string CodeLabel(const std::string& code) {
  return code.empty() ? "juste" : code;
}

std::string ExerciseLabel(std::int32_t number) {
  char label[8];
  std::snprintf(label, sizeof label, "%04d", static_cast<int>(number));
  return label;
}

// The folders of course/scenarios a selection names: "203" or "0203", a range "210-212", or a
// folder's name ("general"). Raises std::invalid_argument naming what is not one.
std::vector<std::string> SelectedFolders(const std::vector<std::string>& selection,
                                         const std::vector<std::string>& folders) {
  std::vector<std::string> chosen;
  const auto add = [&](const std::string& folder) {
    if (std::find(chosen.begin(), chosen.end(), folder) == chosen.end()) chosen.push_back(folder);
  };
  const auto number = [](const std::string& text) -> std::optional<std::int32_t> {
    if (text.empty() || text.size() > 4 ||
        !std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; }))
      return std::nullopt;
    return std::stoi(text);
  };
  for (const auto& item : selection) {
    if (std::find(folders.begin(), folders.end(), item) != folders.end()) {
      add(item);
      continue;
    }
    const auto dash = item.find('-');
    const auto first = number(item.substr(0, dash));
    const auto last = dash == std::string::npos ? first : number(item.substr(dash + 1));
    if (!first || !last || *last < *first || !FindExercise(*first) || !FindExercise(*last)) {
      throw std::invalid_argument(item +
                                  " is not an exercise of the course (201 to 224), a range of them "
                                  "(210-212) or a folder of the course's scenarios");
    }
    for (std::int32_t n = *first; n <= *last; ++n) add(ExerciseLabel(n));
  }
  return chosen;
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

  std::vector<fs::path> folders;
  for (const auto& entry : fs::directory_iterator(root, code)) {
    if (entry.is_directory()) folders.push_back(entry.path());
  }
  std::sort(folders.begin(), folders.end());
  std::vector<std::string> folder_names;
  for (const auto& folder : folders) folder_names.push_back(folder.filename().string());
  std::vector<std::string> selected;
  try {
    selected = SelectedFolders(options.selection, folder_names);
  } catch (const std::invalid_argument& error) {
    err << "k60418 course: " << error.what() << '\n';
    return kExitBadInput;
  }

  std::vector<CourseGroup> groups;
  std::size_t total = 0;
  for (const auto& folder : folders) {
    CourseGroup group;
    group.folder = folder.filename().string();
    group.exercise = ExerciseOfFolder(group.folder);
    const bool wanted =
        selected.empty() || std::find(selected.begin(), selected.end(), group.folder) != selected.end();
    for (const auto& file : ScenarioFiles(folder)) {
      const std::string name = (fs::path(group.folder) / fs::relative(file, folder, code)).generic_string();
      if (wanted && Chosen(name, options.filter)) group.files.push_back({file, name, group.folder});
    }
    total += group.files.size();
    groups.push_back(std::move(group));
  }
  if (options.list) {
    std::vector<ScenarioFile> files;
    for (const auto& group : groups) files.insert(files.end(), group.files.begin(), group.files.end());
    return ListScenarios(files, options, out);
  }

  Reporter reporter(options, out, err);
  std::size_t done = 0;
  for (auto& group : groups) {
    for (const auto& file : group.files) {
      if (options.progress) {
        err << "\r[" << ++done << "/" << total << "] " << Pad(file.name, 50) << std::flush;
      }
      PlayerOptions player_options;
      player_options.course_folder = course;
      player_options.make_sides = options.make_sides;
      player_options.scenario = file.name;
      Played played = PlayFile(file, player_options, nullptr, options.keep_going);
      ++group.run;
      if (played.passed) ++group.passed;
      if (played.result.skipped && !played.bad_input) ++group.skipped;
      group.seen.insert(group.seen.end(), played.result.verdicts.begin(), played.result.verdicts.end());
      // The plain report lists what did not pass after the table; JSON lines go as they come.
      reporter.Add(std::move(played), options.json);
    }
  }
  if (options.progress) err << '\r' << std::string(60, ' ') << '\r' << std::flush;

  // What each exercise's codes list names and no scenario reached.
  struct Missing {
    std::string label;
    std::int32_t exercise = 0;
    std::vector<std::string> codes;
  };
  std::vector<Missing> missing;
  int named = 0;
  int not_reached = 0;
  const auto cover = [&](const std::string& label, std::int32_t exercise,
                         const std::vector<CodeMeaning>& list, const std::vector<std::string>& seen) {
    Missing entry{label, exercise, {}};
    for (const auto& meaning : list) {
      ++named;
      if (std::find(seen.begin(), seen.end(), meaning.code) == seen.end())
        entry.codes.push_back(meaning.code);
    }
    not_reached += static_cast<int>(entry.codes.size());
    if (!entry.codes.empty()) missing.push_back(std::move(entry));
  };

  const bool table = !options.json;
  std::size_t title_width = 20;
  for (const auto& exercise : CourseExercises())
    title_width = std::max(title_width, DisplayWidth(exercise.title) + 2);
  std::size_t count_width = 11;
  for (const auto& group : groups) count_width = std::max(count_width, CountText(group).size() + 2);
  if (table)
    out << Pad("Exercice", 10) << Pad("Titre", title_width) << Pad("Scénarios", count_width)
        << "Verdicts vus\n";
  const auto row = [&](const std::string& label, const std::string& title, const std::string& count,
                       const std::vector<std::string>& codes, std::int32_t exercise, bool general) {
    if (!table) return;
    std::string shown;
    for (const auto& c : codes) shown += (shown.empty() ? "" : " ") + CodeLabel(c);
    out << Pad(label, 10) << Pad(title, title_width) << Pad(count, count_width) << shown << '\n';
    if (options.brief) return;
    for (const auto& c : codes) {
      const std::string sentence = Sentence(exercise, general, c);
      out << std::string(12, ' ') << Pad(CodeLabel(c), 7) << Quoted(sentence) << '\n';
    }
  };
  const auto in_selection = [&](const std::string& folder) {
    return selected.empty() || std::find(selected.begin(), selected.end(), folder) != selected.end();
  };
  for (const auto& exercise : CourseExercises()) {
    const std::string label = ExerciseLabel(exercise.number);
    if (!in_selection(label)) continue;
    const CourseGroup* group = nullptr;
    for (const auto& g : groups) {
      if (g.exercise == exercise.number) group = &g;
    }
    std::vector<std::string> seen;
    if (group) {
      for (const auto& s : group->seen) {
        if (!s.erreur_generale && s.exercise == exercise.number) seen.push_back(s.cause_erreur);
      }
    }
    const std::string count = group ? CountText(*group) : std::string("0/0");
    row(label, exercise.title, count, CodesInOrder(seen, exercise.codes), exercise.number, false);
    cover(label, exercise.number, exercise.codes, seen);
  }
  std::vector<std::string> general_seen;
  bool general_run = false;
  for (const auto& group : groups) {
    if (group.exercise != 0 && FindExercise(group.exercise)) continue;
    if (!in_selection(group.folder)) continue;
    std::vector<std::string> seen;
    for (const auto& s : group.seen) {
      if (s.erreur_generale) seen.push_back(s.cause_erreur);
    }
    general_seen.insert(general_seen.end(), seen.begin(), seen.end());
    general_run = general_run || group.folder == "general";
    const std::string title = group.folder == "general"
                                  ? "Codes généraux du pilote et du contrôle de la présentation"
                                  : "Scénarios du dossier " + group.folder;
    row(group.folder == "general" ? "général" : group.folder, title, CountText(group),
        CodesInOrder(seen, GeneralCodes()), 0, true);
  }
  if (general_run) cover("général", 0, GeneralCodes(), general_seen);

  if (!options.json) {
    for (const auto& played : reporter.played()) {
      if (!played.passed) out << PlainReport(played, options.colour);
    }
  }
  nlohmann::json extra = nlohmann::json::object();
  if (options.coverage) {
    int unreachable = 0;
    if (table) out << "Codes nommés qu'aucun scénario n'atteint :\n";
    for (const auto& entry : missing) {
      nlohmann::json codes = nlohmann::json::array();
      for (const auto& c : entry.codes) {
        const std::string reason = entry.exercise ? UnreachableReason(entry.exercise, c) : "";
        if (!reason.empty()) ++unreachable;
        if (table) {
          out << "  " << Pad(entry.label, 8) << Pad(c.empty() ? "juste" : c, 7)
              << (reason.empty() ? Quoted(Sentence(entry.exercise, entry.exercise == 0, c))
                                 : "inatteignable : " + reason)
              << '\n';
        }
        codes.push_back({{"code", c},
                         {"unreachable", reason.empty() ? nlohmann::json(nullptr) : nlohmann::json(reason)}});
      }
      if (options.json) {
        WriteJsonLine(
            out, {{"coverage", entry.label},
                  {"exercise", entry.exercise ? nlohmann::json(entry.exercise) : nlohmann::json(nullptr)},
                  {"not_reached", codes}});
      }
    }
    if (table) {
      out << "  " << not_reached << " code" << (not_reached == 1 ? "" : "s") << " sur " << named
          << " non atteint" << (not_reached == 1 ? "" : "s") << " (dont " << unreachable << " inatteignable"
          << (unreachable == 1 ? "" : "s") << ")\n";
    }
    extra = {{"codes_named", named}, {"codes_not_reached", not_reached}, {"codes_unreachable", unreachable}};
  }
  return reporter.Finish(false, extra);
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

bool UseColour(bool terminal, const char* no_color) {
  return terminal && (no_color == nullptr || *no_color == '\0');
}

}  // namespace player
