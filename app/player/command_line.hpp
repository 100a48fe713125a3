// The k60418 command line: its sub-commands and options, parsed and run against the streams and
// terminal it is given, so that the whole command can be played in a test.
#pragma once

#include <iosfwd>
#include <string>
#include <vector>

#include "player/player.hpp"

namespace player {

class LineReader;

/// What the command runs in: its streams, whether each is a terminal, NO_COLOR, the shell's line
/// editor for a terminal (null: lines read from `in`), and how every player it makes gets its
/// module and desktop (empty: the simulated pair).
struct Console {
  std::istream& in;
  std::ostream& out;
  std::ostream& err;
  bool in_terminal = false;
  bool out_terminal = false;
  bool err_terminal = false;
  const char* no_color = nullptr;
  LineReader* line_editor = nullptr;
  SidesMaker make_sides{};
};

/// Parses the arguments (args[0] is the program's name) and runs the sub-command; returns the
/// exit status. An unknown sub-command or option is named on err, with status 2; so is an output
/// that could not be written (a full disk, a closed pipe).
int RunCommandLine(const std::vector<std::string>& args, Console& console);

}  // namespace player
