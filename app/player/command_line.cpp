#include "player/command_line.hpp"

#include <CLI/CLI.hpp>
#include <cstdint>
#include <iostream>
#include <optional>

#include "player/commands.hpp"

namespace player {
namespace {

const char* const kCommands[] = {"run", "course", "shell", "show", "codes"};

bool IsCommand(const std::string& word) {
  for (const char* command : kCommands) {
    if (word == command) return true;
  }
  return false;
}

// The first word that is not an option of the command itself, if any: the sub-command.
std::optional<std::string> SubcommandWord(const std::vector<std::string>& args) {
  for (std::size_t k = 1; k < args.size(); ++k) {
    const std::string& word = args[k];
    if (word == "--course") {
      ++k;
      continue;
    }
    if (!word.empty() && word[0] == '-') continue;
    return word;
  }
  return std::nullopt;
}

}  // namespace

int RunCommandLine(const std::vector<std::string>& args, Console& console) {
  std::ostream& out = console.out;
  std::ostream& err = console.err;
  if (const auto word = SubcommandWord(args); word && !IsCommand(*word)) {
    err << "k60418: unknown command " << *word << " (the commands are run, course, shell, show and codes; "
        << "k60418 --help tells more)\n";
    return kExitBadInput;
  }

  CLI::App app{
      "k60418: plays the training player (the host) of the course's PowerPoint 2003 exercise module on a "
      "simulated desktop: learner scenarios, the whole course, an interactive shell."};
  app.set_version_flag("--version", std::string("k60418 ") + K60418_VERSION);
  app.require_subcommand(1);
  app.fallthrough();
  app.footer("Example: k60418 run course/scenarios/0203 --json | jq -c .");

  std::string course_folder;
  app.add_option("--course", course_folder,
                 "the course's data (models/, office/, scenarios/); default: $K60418_COURSE_DIR, else the "
                 "source tree's course/")
      ->check(CLI::ExistingDirectory);

  const auto report_options = [](CLI::App* command, ReportOptions& report) {
    command->add_flag("--json", report.json,
                      "print JSON lines only: one object per scenario (file, line, column, status, message, "
                      "expected, found, duration_ms), then a summary object");
    command->add_option("--junit", report.junit, "also write a JUnit XML report to this file");
    command->add_option("--filter", report.filter,
                        "run only the scenarios whose name matches: a pattern with * ? [ ] for the whole "
                        "name, or a part of it");
    command->add_flag("--list", report.list, "list the scenarios that would run, without running them");
    command->add_flag("--keep-going", report.keep_going,
                      "go on after a failed expectation and report every one (by default a failed "
                      "expectation ends the scenario, and the expectations not run are counted)");
  };

  // run
  RunOptions run;
  std::string state_folder;
  auto* run_command = app.add_subcommand(
      "run",
      "Run scenario files, each on a fresh simulated desktop: PASS name, FAIL name:line: message or ERROR "
      "name:line:column: message, then \"N passed, M failed in T s\". Exit status 0 all passed, 1 one "
      "failed, 2 a file could not be read or parsed.");
  run_command
      ->add_option("files", run.paths,
                   "scenario files (.scn), folders whose .scn files are run, or - for standard input")
      ->required();
  run_command->add_option(
      "--state", state_folder,
      "keep the desktop in this folder (loaded when it holds one; no PowerPoint runs after a reload); with "
      "several scenarios, each in a sub-folder named after it");
  run_command->add_flag("--trace", run.trace,
                        "print every statement, every host call with its arguments and results and the "
                        "object-model calls it made, every error and expectation");
  report_options(run_command, run);
  run_command->footer("Example: k60418 run course/scenarios/0203 --filter '*right*' --junit report.xml");

  // course
  CourseOptions course;
  auto* course_command = app.add_subcommand(
      "course",
      "Run the bundled scenarios of the course (all, or the exercises named) and print one row per "
      "exercise: number, title, scenarios passed / run, verdicts seen; then \"N passed, M failed in T s\".");
  course_command->add_option(
      "exercises", course.selection,
      "exercises to run: 203, a range 210-212, or a folder of the scenarios (general)");
  course_command->add_flag("--brief", course.brief, "rows only, without the sentence of each verdict seen");
  course_command->add_flag("--coverage", course.coverage,
                           "after the table, the codes each exercise names that no scenario reaches, and "
                           "the count for the whole course");
  report_options(course_command, course);
  course_command->footer("Example: k60418 course 203 210-212 --coverage");

  // shell
  std::optional<std::int32_t> shell_exercise;
  std::string record_file;
  auto* shell_command = app.add_subcommand(
      "shell",
      "An interactive session on a simulated desktop: scenario statements typed at a prompt (or piped "
      "in), each answered at once. Type help for the statements.");
  shell_command->add_option("exercise", shell_exercise, "an exercise to set up first (201 to 224)")
      ->check(CLI::Range(201, 224));
  shell_command->add_option("--record", record_file,
                            "write the session to this file as a scenario that run replays: the statements "
                            "typed, and an Expect for each verdict member read after a check");
  shell_command->footer("Example: k60418 shell 203 --record 0203-essai.scn");

  // show
  std::string show_file;
  auto* show_command =
      app.add_subcommand("show", "Print a presentation or design template file as readable text.");
  show_command->add_option("file", show_file, "the presentation (.ppt) or template (.pot) file")->required();
  show_command->footer("Example: k60418 show course/models/02131203.ppt");

  // codes
  std::optional<std::string> codes_exercise;
  auto* codes_command = app.add_subcommand(
      "codes",
      "Each verdict code of one exercise (or of all) with what it tells the learner, and the "
      "general-error codes.");
  codes_command->add_option("exercise", codes_exercise, "the exercise's number (201 to 224)");
  codes_command->footer("Example: k60418 codes 218");

  std::vector<std::string> reversed(args.rbegin(), args.rend());
  if (!reversed.empty()) reversed.pop_back();  // the program's name
  try {
    app.parse(reversed);
  } catch (const CLI::CallForHelp&) {
    out << app.help();
    return kExitPassed;
  } catch (const CLI::CallForAllHelp&) {
    out << app.help("", CLI::AppFormatMode::All);
    return kExitPassed;
  } catch (const CLI::CallForVersion&) {
    out << app.version() << '\n';
    return kExitPassed;
  } catch (const CLI::ParseError& error) {
    // A sub-command's --help is raised from it: CLI11 prints the help of the command asked.
    if (error.get_exit_code() == 0) {
      app.exit(error, out, err);
      return kExitPassed;
    }
    std::string context = "k60418";
    for (auto* command : app.get_subcommands()) context += " " + command->get_name();
    err << context << ": " << error.what() << " (" << context << " --help tells more)\n";
    return kExitBadInput;
  }

  int status = kExitBadInput;
  const bool colour = UseColour(console.out_terminal, console.no_color);
  try {
    if (*run_command) {
      run.state_folder = state_folder;
      run.course_folder = course_folder;
      run.colour = colour && !run.json;
      run.standard_input = &console.in;
      run.make_sides = console.make_sides;
      status = RunScenarios(run, out, err);
    } else if (*course_command) {
      course.course_folder = course_folder;
      course.progress = console.err_terminal && !course.list;
      course.colour = colour && !course.json;
      course.make_sides = console.make_sides;
      status = PlayCourse(course, out, err);
    } else if (*shell_command) {
      ShellOptions shell;
      shell.exercise = shell_exercise;
      shell.course_folder = course_folder;
      shell.prompt = console.in_terminal;
      shell.record = record_file;
      shell.reader = console.in_terminal ? console.line_editor : nullptr;
      shell.make_sides = console.make_sides;
      status = RunShell(shell, console.in, out, err);
    } else if (*show_command) {
      status = ShowFile(show_file, out, err);
    } else if (*codes_command) {
      status = ListCodes(codes_exercise, out, err);
    }
  } catch (const std::exception& error) {
    err << "k60418: " << error.what() << '\n';
    status = kExitBadInput;
  }
  out.flush();
  if (!out) {
    err << "k60418: the output could not be written (a full disk or a closed pipe?)\n";
    return kExitBadInput;
  }
  return status;
}

}  // namespace player
