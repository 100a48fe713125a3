#include "faults/forked.hpp"

#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>

namespace faults {
namespace {

/// In a copy: the end of the pipe its report goes to; -1 in the program itself.
int report_channel = -1;

}  // namespace

bool InForkedCopy() {
  return report_channel >= 0;
}

std::optional<ForkedResult> ForkHere(std::chrono::seconds bound) {
  std::fflush(nullptr);
  int channel[2];
  if (pipe(channel) != 0) return ForkedResult{{}, "no pipe for the copy"};
  const pid_t child = fork();
  if (child < 0) {
    close(channel[0]);
    close(channel[1]);
    return ForkedResult{{}, "fork failed"};
  }
  if (child == 0) {
    close(channel[0]);
    report_channel = channel[1];
    return std::nullopt;
  }

  close(channel[1]);
  ForkedResult result;
  const auto deadline = std::chrono::steady_clock::now() + bound;
  bool timed_out = false;
  char buffer[4096];
  for (;;) {
    const auto left =
        std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
    if (left.count() <= 0) {
      timed_out = true;
      break;
    }
    pollfd waiting{channel[0], POLLIN, 0};
    const int ready = poll(&waiting, 1, static_cast<int>(left.count()));
    if (ready <= 0) continue;
    const ssize_t n = read(channel[0], buffer, sizeof buffer);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) break;  // the copy closed its end: it is done
    result.text.append(buffer, static_cast<std::size_t>(n));
  }
  close(channel[0]);
  if (timed_out) kill(child, SIGKILL);
  int status = 0;
  while (waitpid(child, &status, 0) < 0 && errno == EINTR) {
  }
  if (timed_out) {
    result.death = "did not end within " + std::to_string(bound.count()) + " s";
  } else if (WIFSIGNALED(status)) {
    result.death = "killed by signal " + std::to_string(WTERMSIG(status));
  } else if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
    result.death = "exited with status " + std::to_string(WEXITSTATUS(status));
  }
  return result;
}

void ReportAndExit(const std::string& text) {
  std::size_t written = 0;
  while (written < text.size()) {
    const ssize_t n = write(report_channel, text.data() + written, text.size() - written);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) _exit(4);
    written += static_cast<std::size_t>(n);
  }
  close(report_channel);
  _exit(0);
}

}  // namespace faults
