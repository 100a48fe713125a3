// The shell's line editor on a terminal: editing and history (GNU Readline); Ctrl-C drops the
// line being typed and gives a fresh prompt, and the session goes on.
#pragma once

#include <csignal>
#include <optional>
#include <string>

#include "player/commands.hpp"

class LineEditor : public player::LineReader {
 public:
  LineEditor();
  ~LineEditor() override;
  std::optional<std::string> Read(const std::string& prompt) override;

 private:
  bool started_ = false;
  struct sigaction previous_ {};
};
