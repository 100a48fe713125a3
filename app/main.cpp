// k60418: plays the host of the course's exercise module on a simulated desktop.
#include <sys/statvfs.h>
#include <unistd.h>

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <string>
#include <vector>

#include "line_editor.hpp"
#include "player/command_line.hpp"
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
  // A closed pipe is a write error the command reports and ends on with a non-zero status, not a
  // signal that ends it half-way.
  std::signal(SIGPIPE, SIG_IGN);
  PreferMemoryForScratchDesktops();

  const bool in_terminal = IsTerminal(STDIN_FILENO);
  LineEditor editor;
  player::Console console{std::cin, std::cout, std::cerr};
  console.in_terminal = in_terminal;
  console.out_terminal = IsTerminal(STDOUT_FILENO);
  console.err_terminal = IsTerminal(STDERR_FILENO);
  console.no_color = std::getenv("NO_COLOR");
  console.line_editor = in_terminal ? &editor : nullptr;

  int status = player::RunCommandLine(std::vector<std::string>(argv, argv + argc), console);
  // What is still buffered reaches the file or pipe only now: its failure is an error too.
  std::cout.flush();
  if (std::fflush(stdout) != 0 || std::ferror(stdout) || !std::cout) {
    if (status != player::kExitBadInput)
      std::cerr << "k60418: the output could not be written (a full disk or a closed pipe?)\n";
    status = player::kExitBadInput;
  }
  return status;
}
