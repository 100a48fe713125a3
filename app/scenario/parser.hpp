// Reads a scenario's text into statements, checking every name it can check before anything runs:
// a misspelt statement, constant or Sim. event is a parse error with its line and column.
#pragma once

#include <string>
#include <string_view>

#include "scenario/ast.hpp"

namespace scenario {

struct ParseOptions {
  /// The shell's mode: an expression alone on a line ("1 + 2", "Chr(65)") is a statement whose
  /// value is shown.
  bool interactive = false;
  /// How deeply expressions may nest (parentheses, argument lists, unary minus) before the text
  /// is refused: a guard against a stack overflow on hostile input.
  int maximum_depth = 200;
  /// How many operations one statement's expression tree may stack up (a chain of 2,000 "&"
  /// counts 2,000): evaluating a tree is recursive too.
  int maximum_height = 1000;
};

/// Parses a whole scenario; raises ParseError at the first fault.
Scenario Parse(std::string_view source, std::string name, const ParseOptions& options = {});

/// "line 3, column 7: expected …" form of a parse error, prefixed with the file's name.
std::string DescribeParseError(const std::string& file, const ParseError& error);

}  // namespace scenario
