// Cuts a scenario's text into tokens: names, numbers, strings, operators and ends of statements.
// Comments (' or # outside a string) are dropped; a line ending in " _" continues on the next.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "scenario/ast.hpp"

namespace scenario {

enum class TokenKind {
  kName,      // a letter followed by letters, digits and underscores
  kNumber,    // value holds a Long, or a Double for decimals and whole numbers beyond 32 bits
  kString,    // value holds the text, "" already turned into "
  kOperator,  // & + - * / ( ) , . = <> < > <= >= :=
  kEndOfStatement,
  kEndOfFile,
};

struct Token {
  TokenKind kind = TokenKind::kEndOfFile;
  /// The token as written (for an operator, its symbol).
  std::string text;
  vb::Variant value;
  Position position;
  /// Byte offsets of the token in the source, for the statement's text.
  std::size_t begin = 0;
  std::size_t end = 0;
};

/// The longest file the runner reads, so that a wrong argument cannot exhaust memory.
inline constexpr std::size_t kMaximumSourceBytes = 16 * 1024 * 1024;

/// Tokenizes a whole scenario. Raises ParseError for text that is not UTF-8, a character that
/// has no place in a scenario, an unterminated string, a number too large to be held, or a
/// continuation with no line after it. The token list always ends with kEndOfFile, preceded by
/// kEndOfStatement when the last line holds a statement.
std::vector<Token> Tokenize(std::string_view source);

/// The text of the tokens first..last (indexes into tokens, inclusive) as written, any space,
/// continuation or line break between two of them shown as one space.
std::string StatementText(std::string_view source, const std::vector<Token>& tokens, std::size_t first,
                          std::size_t last);

}  // namespace scenario
