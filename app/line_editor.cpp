#include "line_editor.hpp"

#include <readline/history.h>
#include <readline/readline.h>

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

/// Set while readline() reads a line. Readline's own state flags do not do: a Ctrl-C typed while
/// it is still taking in the keys typed before it finds it between two reads, and the line stayed.
volatile std::sig_atomic_t reading = 0;

// Ctrl-C while a line is being typed: Readline has already put the terminal back; the line is
// dropped and a fresh prompt shown, and reading goes on (SA_RESTART). While a statement runs, the
// signal is ignored by the session likewise.
void OnInterrupt(int) {
  if (reading) {
    rl_replace_line("", 0);
    rl_crlf();
    rl_on_new_line();
    rl_redisplay();
  }
}

}  // namespace

LineEditor::LineEditor() = default;

LineEditor::~LineEditor() {
  if (!started_) return;
  sigaction(SIGINT, &previous_, nullptr);
  clear_history();
}

std::optional<std::string> LineEditor::Read(const std::string& prompt) {
  if (!started_) {
    // Only once the shell reads a line: any other command keeps Ctrl-C's usual meaning.
    started_ = true;
    struct sigaction action {};
    action.sa_handler = OnInterrupt;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    sigaction(SIGINT, &action, &previous_);
    rl_readline_name = "k60418";
    using_history();
    stifle_history(1000);
  }
  reading = 1;
  char* line = readline(prompt.c_str());
  reading = 0;
  if (!line) return std::nullopt;
  std::string text(line);
  std::free(line);
  if (!text.empty() && (history_length == 0 ||
                        std::strcmp(history_get(history_base + history_length - 1)->line, text.c_str()) != 0))
    add_history(text.c_str());
  return text;
}
