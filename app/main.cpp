// k60418: plays the host of the course's exercise module on a simulated desktop.
#include <sys/statvfs.h>
#include <unistd.h>

#include <CLI/CLI.hpp>
#include <cstdlib>
#include <iostream>
#include <optional>
#include <string>
#include <vector>

#include "player/commands.hpp"

namespace {

bool IsTerminal(int descriptor) {
  return isatty(descriptor) == 1;
}

// Each scenario runs on a fresh desktop kept in a temporary folder that is removed at its end.
// On a disk mounted with online discard, removing those files waits on the device at every
// scenario; a memory-backed folder has no such wait. When the user names no TMPDIR, use
// /dev/shm if it is there, writable and roomy (256 MiB free, for desktops of a few MiB each).
void PreferMemoryForScratchDesktops() {
  const char* given = std::getenv("TMPDIR");
  if (given && *given) return;
  const char* memory = "/dev/shm";
  struct statvfs space {};
  if (access(memory, W_OK | X_OK) != 0 || statvfs(memory, &space) != 0) return;
  const unsigned long long free_bytes =
      static_cast<unsigned long long>(space.f_bavail) * static_cast<unsigned long long>(space.f_frsize);
  if (free_bytes >= 256ull * 1024 * 1024) setenv("TMPDIR", memory, 1);
}

}  // namespace

int main(int argc, char** argv) {
  CLI::App app{
      "k60418: plays the training player (the host) of the course's PowerPoint 2003 exercise module on a "
      "simulated desktop: learner scenarios, the whole course, an interactive shell."};
  app.set_version_flag("--version", std::string("k60418 ") + K60418_VERSION);
  app.require_subcommand(1);
  app.fallthrough();

  std::string course_folder;
  app.add_option("--course", course_folder,
                 "the course's data (models/, office/, scenarios/); default: $K60418_COURSE_DIR, else the "
                 "source tree's course/")
      ->check(CLI::ExistingDirectory);

  // run
  player::RunOptions run;
  std::string state_folder;
  auto* run_command = app.add_subcommand(
      "run",
      "Run scenario files, each on a fresh simulated desktop: PASS name or FAIL name:line: message, then "
      "\"N passed, M failed\". Exit status 0 all passed, 1 one failed, 2 a file could not be read or "
      "parsed.");
  run_command->add_option("files", run.paths, "scenario files (.scn), or folders whose .scn files are run")
      ->required();
  run_command->add_option(
      "--state", state_folder,
      "keep the desktop in this folder (loaded when it holds one); with several scenarios, "
      "each in a sub-folder named after it");
  run_command->add_flag("--trace", run.trace,
                        "print every statement, every host call with its arguments and results and the "
                        "object-model calls it made, every error and expectation");
  run_command->add_flag("--json", run.json, "print results (and the trace) as JSON lines");

  // course
  player::CourseOptions course;
  auto* course_command = app.add_subcommand(
      "course",
      "Run every bundled scenario of the course and print one row per exercise: number, title, "
      "scenarios passed / run, verdicts seen; then \"N passed, M failed\".");
  course_command->add_flag("--brief", course.brief, "rows only, without the sentence of each verdict seen");

  // shell
  std::optional<std::int32_t> shell_exercise;
  auto* shell_command = app.add_subcommand(
      "shell",
      "An interactive session on a simulated desktop: scenario statements typed at a prompt (or piped "
      "in), each answered at once. Type help for the statements.");
  shell_command->add_option("exercise", shell_exercise, "an exercise to set up first (201 to 224)")
      ->check(CLI::Range(201, 224));

  // show
  std::string show_file;
  auto* show_command =
      app.add_subcommand("show", "Print a presentation or design template file as readable text.");
  show_command->add_option("file", show_file, "the presentation (.ppt) or template (.pot) file")->required();

  // codes
  std::optional<std::string> codes_exercise;
  auto* codes_command = app.add_subcommand(
      "codes",
      "Each verdict code of one exercise (or of all) with what it tells the learner, and the "
      "general-error codes.");
  codes_command->add_option("exercise", codes_exercise, "the exercise's number (201 to 224)");

  try {
    app.parse(argc, argv);
  } catch (const CLI::ParseError& error) {
    const int status = app.exit(error);
    return status == 0 ? 0 : player::kExitBadInput;
  }

  PreferMemoryForScratchDesktops();
  try {
    if (*run_command) {
      run.state_folder = state_folder;
      run.course_folder = course_folder;
      return player::RunScenarios(run, std::cout, std::cerr);
    }
    if (*course_command) {
      course.course_folder = course_folder;
      course.progress = IsTerminal(STDERR_FILENO);
      return player::PlayCourse(course, std::cout, std::cerr);
    }
    if (*shell_command) {
      player::ShellOptions shell;
      shell.exercise = shell_exercise;
      shell.course_folder = course_folder;
      shell.prompt = IsTerminal(STDIN_FILENO);
      return player::RunShell(shell, std::cin, std::cout, std::cerr);
    }
    if (*show_command) return player::ShowFile(show_file, std::cout, std::cerr);
    if (*codes_command) return player::ListCodes(codes_exercise, std::cout, std::cerr);
  } catch (const std::exception& error) {
    std::cerr << "k60418: " << error.what() << '\n';
    return player::kExitBadInput;
  }
  return player::kExitBadInput;
}
