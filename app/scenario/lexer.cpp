#include "scenario/lexer.hpp"

#include <charconv>
#include <cstdint>
#include <cstdio>
#include <limits>
#include <system_error>

namespace scenario {
namespace {

bool IsAsciiLetter(char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}
bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}
bool IsBlank(char c) {
  return c == ' ' || c == '\t';
}

std::string CodePointName(std::uint32_t code) {
  char buffer[16];
  std::snprintf(buffer, sizeof buffer, "U+%04X", static_cast<unsigned>(code));
  return buffer;
}

class Lexer {
 public:
  explicit Lexer(std::string_view source) : source_(source) {}

  std::vector<Token> Run() {
    if (source_.size() > kMaximumSourceBytes) {
      throw ParseError({1, 1}, "the file is too large for a scenario (more than " +
                                   std::to_string(kMaximumSourceBytes / (1024 * 1024)) + " MiB)");
    }
    if (source_.substr(0, 3) == "\xEF\xBB\xBF") index_ = 3;  // a byte-order mark is not text
    while (index_ < source_.size()) Next();
    EndStatement();
    Token end;
    end.kind = TokenKind::kEndOfFile;
    end.position = Here();
    end.begin = end.end = source_.size();
    tokens_.push_back(end);
    return std::move(tokens_);
  }

 private:
  Position Here() const { return {line_, column_}; }

  [[noreturn]] void Fail(Position at, const std::string& message) const { throw ParseError(at, message); }

  // Decodes the UTF-8 character at index_ without moving; raises for a malformed sequence.
  std::uint32_t Peek(std::size_t& length) const {
    const auto byte = static_cast<unsigned char>(source_[index_]);
    if (byte < 0x80) {
      length = 1;
      return byte;
    }
    std::uint32_t code = 0;
    std::uint32_t minimum = 0;
    if ((byte & 0xE0) == 0xC0) {
      length = 2, code = byte & 0x1F, minimum = 0x80;
    } else if ((byte & 0xF0) == 0xE0) {
      length = 3, code = byte & 0x0F, minimum = 0x800;
    } else if ((byte & 0xF8) == 0xF0) {
      length = 4, code = byte & 0x07, minimum = 0x10000;
    } else {
      BadByte(byte);
    }
    if (index_ + length > source_.size()) BadByte(byte);
    for (std::size_t k = 1; k < length; ++k) {
      const auto next = static_cast<unsigned char>(source_[index_ + k]);
      if ((next & 0xC0) != 0x80) BadByte(byte);
      code = (code << 6) | (next & 0x3F);
    }
    if (code < minimum || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) BadByte(byte);
    return code;
  }

  [[noreturn]] void BadByte(unsigned char byte) const {
    char buffer[8];
    std::snprintf(buffer, sizeof buffer, "0x%02X", byte);
    Fail(Here(),
         std::string("this is not UTF-8 text (byte ") + buffer + "): a scenario is a UTF-8 text file");
  }

  // Moves over one character of the current line (never a line break).
  void Advance() {
    std::size_t length = 1;
    Peek(length);
    index_ += length;
    ++column_;
  }

  bool AtLineBreak() const { return source_[index_] == '\n' || source_[index_] == '\r'; }

  void SkipLineBreak() {
    if (source_[index_] == '\r' && index_ + 1 < source_.size() && source_[index_ + 1] == '\n') ++index_;
    ++index_;
    ++line_;
    column_ = 1;
  }

  void SkipToLineEnd() {
    while (index_ < source_.size() && !AtLineBreak()) {
      std::size_t length = 1;
      const std::uint32_t code = Peek(length);
      if (code != '\t' && (code < 0x20 || code == 0x7F)) UnexpectedControl(code);
      Advance();
    }
  }

  [[noreturn]] void UnexpectedControl(std::uint32_t code) const {
    Fail(Here(), "unexpected control character " + CodePointName(code) + ": a scenario is a text file");
  }

  void EndStatement() {
    if (!tokens_.empty() && tokens_.back().kind != TokenKind::kEndOfStatement) {
      Token end;
      end.kind = TokenKind::kEndOfStatement;
      end.position = Here();
      end.begin = end.end = index_;
      tokens_.push_back(end);
    }
  }

  void Push(TokenKind kind, std::size_t begin, Position at, vb::Variant value = {}) {
    Token token;
    token.kind = kind;
    token.text = std::string(source_.substr(begin, index_ - begin));
    token.value = std::move(value);
    token.position = at;
    token.begin = begin;
    token.end = index_;
    tokens_.push_back(std::move(token));
  }

  void Next() {
    const char c = source_[index_];
    if (AtLineBreak()) {
      EndStatement();
      SkipLineBreak();
      return;
    }
    if (IsBlank(c)) {
      Advance();
      return;
    }
    if (c == '\'' || c == '#') {
      SkipToLineEnd();
      return;
    }
    if (c == '_') {
      Continuation();
      return;
    }
    if (IsAsciiLetter(c)) {
      Name();
      return;
    }
    if (IsDigit(c)) {
      Number();
      return;
    }
    if (c == '"') {
      String();
      return;
    }
    Operator();
  }

  // " _" at the end of a line joins the next line to this statement.
  void Continuation() {
    const Position at = Here();
    const bool after_blank = index_ == 0 || IsBlank(source_[index_ - 1]);
    std::size_t k = index_ + 1;
    while (k < source_.size() && IsBlank(source_[k])) ++k;
    const bool at_line_end = k >= source_.size() || source_[k] == '\n' || source_[k] == '\r' ||
                             source_[k] == '\'' || source_[k] == '#';
    if (!after_blank || !at_line_end) {
      Fail(at, "unexpected '_': a line is continued by a space and '_' at its very end");
    }
    Advance();
    SkipToLineEnd();
    if (index_ >= source_.size()) Fail(at, "the line is continued with ' _' but no line follows");
    SkipLineBreak();
  }

  void Name() {
    const std::size_t begin = index_;
    const Position at = Here();
    while (index_ < source_.size() &&
           (IsAsciiLetter(source_[index_]) || IsDigit(source_[index_]) || source_[index_] == '_')) {
      Advance();
    }
    Push(TokenKind::kName, begin, at);
  }

  void Number() {
    const std::size_t begin = index_;
    const Position at = Here();
    bool whole = true;
    while (index_ < source_.size() && IsDigit(source_[index_])) Advance();
    if (index_ + 1 < source_.size() && source_[index_] == '.' && IsDigit(source_[index_ + 1])) {
      whole = false;
      Advance();
      while (index_ < source_.size() && IsDigit(source_[index_])) Advance();
    }
    if (index_ < source_.size() && (source_[index_] == 'e' || source_[index_] == 'E')) {
      std::size_t k = index_ + 1;
      if (k < source_.size() && (source_[k] == '+' || source_[k] == '-')) ++k;
      if (k < source_.size() && IsDigit(source_[k])) {
        whole = false;
        while (index_ < k) Advance();
        while (index_ < source_.size() && IsDigit(source_[index_])) Advance();
      }
    }
    const std::string_view text = source_.substr(begin, index_ - begin);
    if (whole) {
      std::int64_t integer = 0;
      const auto result = std::from_chars(text.data(), text.data() + text.size(), integer);
      if (result.ec == std::errc() && integer <= std::numeric_limits<std::int32_t>::max()) {
        Push(TokenKind::kNumber, begin, at, vb::Variant(static_cast<std::int32_t>(integer)));
        return;
      }
    }
    double value = 0.0;
    const auto result = std::from_chars(text.data(), text.data() + text.size(), value);
    if (result.ec != std::errc() || result.ptr != text.data() + text.size()) {
      Fail(at, "number out of range: " + Shorten(text) + " cannot be held (the largest is about 1.8E+308)");
    }
    Push(TokenKind::kNumber, begin, at, vb::Variant(value));
  }

  static std::string Shorten(std::string_view text) {
    if (text.size() <= 40) return std::string(text);
    return std::string(text.substr(0, 20)) + "…(" + std::to_string(text.size()) + " characters)";
  }

  void String() {
    const Position at = Here();
    const std::size_t begin = index_;
    Advance();
    std::string value;
    for (;;) {
      if (index_ >= source_.size() || AtLineBreak()) {
        Fail(at, "unterminated string: a string must end with \" on the line where it starts");
      }
      if (source_[index_] == '"') {
        if (index_ + 1 < source_.size() && source_[index_ + 1] == '"') {
          value += '"';
          Advance();
          Advance();
          continue;
        }
        Advance();
        break;
      }
      std::size_t length = 1;
      const std::uint32_t code = Peek(length);
      if (code != '\t' && (code < 0x20 || code == 0x7F)) UnexpectedControl(code);
      value.append(source_.substr(index_, length));
      Advance();
    }
    Push(TokenKind::kString, begin, at, vb::Variant(std::move(value)));
  }

  void Operator() {
    const Position at = Here();
    const std::size_t begin = index_;
    const char c = source_[index_];
    const char next = index_ + 1 < source_.size() ? source_[index_ + 1] : '\0';
    switch (c) {
      case '&':
      case '+':
      case '-':
      case '*':
      case '/':
      case '(':
      case ')':
      case ',':
      case '.':
      case '=':
        Advance();
        break;
      case '<':
        Advance();
        if (next == '>' || next == '=') Advance();
        break;
      case '>':
        Advance();
        if (next == '=') Advance();
        break;
      case ':':
        if (next != '=') Fail(at, "unexpected ':': write one statement per line (':=' names an argument)");
        Advance();
        Advance();
        break;
      default: {
        std::size_t length = 1;
        const std::uint32_t code = Peek(length);
        if (code < 0x20 || code == 0x7F) UnexpectedControl(code);
        Fail(at, "unexpected character '" + std::string(source_.substr(index_, length)) + "'");
      }
    }
    Push(TokenKind::kOperator, begin, at);
  }

  std::string_view source_;
  std::size_t index_ = 0;
  int line_ = 1;
  int column_ = 1;
  std::vector<Token> tokens_;
};

}  // namespace

std::vector<Token> Tokenize(std::string_view source) {
  return Lexer(source).Run();
}

std::string StatementText(std::string_view source, const std::vector<Token>& tokens, std::size_t first,
                          std::size_t last) {
  std::string text;
  for (std::size_t k = first; k <= last && k < tokens.size(); ++k) {
    if (k > first && tokens[k].begin > tokens[k - 1].end) text += ' ';
    text.append(source.substr(tokens[k].begin, tokens[k].end - tokens[k].begin));
  }
  return text;
}

}  // namespace scenario
