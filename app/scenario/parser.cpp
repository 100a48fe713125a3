#include "scenario/parser.hpp"

#include <algorithm>
#include <utility>

#include "scenario/lexer.hpp"
#include "scenario/names.hpp"

namespace scenario {
namespace {

std::string Describe(const Token& token) {
  switch (token.kind) {
    case TokenKind::kEndOfStatement:
    case TokenKind::kEndOfFile:
      return "the end of the line";
    case TokenKind::kString:
      return "the string " + token.text;
    case TokenKind::kNumber:
      return "the number " + token.text;
    default:
      return "'" + token.text + "'";
  }
}

std::string Plural(int n, const char* word) {
  return std::to_string(n) + " " + word + (n == 1 ? "" : "s");
}

class Parser {
 public:
  Parser(std::string_view source, const ParseOptions& options)
      : source_(source), options_(options), tokens_(Tokenize(source)) {}

  std::vector<Statement> Run() {
    std::vector<Statement> statements;
    while (Peek().kind != TokenKind::kEndOfFile) {
      if (Peek().kind == TokenKind::kEndOfStatement) {
        ++index_;
        continue;
      }
      const std::size_t first = index_;
      Statement statement = ParseStatement();
      if (Peek().kind != TokenKind::kEndOfStatement && Peek().kind != TokenKind::kEndOfFile) {
        Fail(Peek(), "expected the end of the statement, found " + Describe(Peek()));
      }
      statement.text = StatementText(source_, tokens_, first, index_ - 1);
      statements.push_back(std::move(statement));
    }
    return statements;
  }

 private:
  // --- tokens -------------------------------------------------------------------------------
  const Token& Peek(std::size_t ahead = 0) const {
    const std::size_t k = index_ + ahead;
    return k < tokens_.size() ? tokens_[k] : tokens_.back();
  }
  const Token& Take() { return tokens_[index_ < tokens_.size() - 1 ? index_++ : index_]; }
  bool IsOperator(const Token& token, std::string_view symbol) const {
    return token.kind == TokenKind::kOperator && token.text == symbol;
  }
  bool IsWord(const Token& token, std::string_view word) const {
    return token.kind == TokenKind::kName && SameName(token.text, word);
  }
  bool AtStatementEnd() const {
    return Peek().kind == TokenKind::kEndOfStatement || Peek().kind == TokenKind::kEndOfFile;
  }
  [[noreturn]] void Fail(const Token& at, const std::string& message) const {
    throw ParseError(at.position, message);
  }
  void Expect(std::string_view symbol) {
    if (!IsOperator(Peek(), symbol)) {
      Fail(Peek(), "expected '" + std::string(symbol) + "', found " + Describe(Peek()));
    }
    ++index_;
  }

  // Guards the recursion of nested expressions.
  struct Nesting {
    Nesting(Parser& parser, const Token& at) : parser_(parser) {
      if (++parser_.depth_ > parser_.options_.maximum_depth) {
        parser_.Fail(at, "the expression is nested too deeply (more than " +
                             std::to_string(parser_.options_.maximum_depth) + " levels)");
      }
    }
    ~Nesting() { --parser_.depth_; }
    Parser& parser_;
  };

  // --- statements ---------------------------------------------------------------------------
  Statement ParseStatement() {
    const Token& first = Peek();
    Statement statement;
    statement.position = first.position;
    if (first.kind != TokenKind::kName) {
      if (options_.interactive) {
        statement.kind = StatementKind::kEvaluate;
        statement.target = ParseExpression();
        return statement;
      }
      Fail(first, "expected a statement, found " + Describe(first));
    }
    if (IsWord(first, "Expect")) {
      ++index_;
      ParseExpectation(statement);
      return statement;
    }
    if (IsWord(first, "Call")) {
      ++index_;
      ParseCall(statement);
      return statement;
    }
    if (IsWord(first, "InitQuestion")) {
      ++index_;
      statement.kind = StatementKind::kInitQuestion;
      statement.arguments = ParseStatementArguments();
      CheckPositional(first, "InitQuestion", statement.arguments, 1, 2, "N [, \"C:\\folder\\\"]");
      return statement;
    }
    for (auto [word, kind] :
         {std::pair{"TestePoint", StatementKind::kTestePoint}, std::pair{"Fermer", StatementKind::kFermer},
          std::pair{"Quitter", StatementKind::kQuitter}}) {
      if (IsWord(first, word)) {
        ++index_;
        statement.kind = kind;
        if (!AtStatementEnd()) Fail(Peek(), std::string(word) + " takes no arguments");
        return statement;
      }
    }
    ParsePathStatement(statement);
    return statement;
  }

  void ParseExpectation(Statement& statement) {
    statement.kind = StatementKind::kExpect;
    if (AtStatementEnd()) Fail(Peek(), "expected what to check after Expect, found the end of the line");
    statement.target = ParseExpression();
    const Token& op = Peek();
    static const std::pair<const char*, Comparison> kComparisons[] = {
        {"=", Comparison::kEqual},        {"<>", Comparison::kNotEqual}, {"<", Comparison::kLess},
        {"<=", Comparison::kLessOrEqual}, {">", Comparison::kGreater},   {">=", Comparison::kGreaterOrEqual}};
    for (const auto& [symbol, comparison] : kComparisons) {
      if (IsOperator(op, symbol)) {
        ++index_;
        statement.comparison = comparison;
        statement.value = ParseExpression();
        return;
      }
    }
    if (IsWord(op, "Like")) {
      ++index_;
      statement.comparison = Comparison::kLike;
      statement.value = ParseExpression();
      return;
    }
    if (IsWord(op, "Is")) {
      ++index_;
      if (!IsWord(Peek(), "Nothing")) Fail(Peek(), "expected Nothing after Is, found " + Describe(Peek()));
      ++index_;
      statement.comparison = Comparison::kIsNothing;
      return;
    }
    Fail(op, "expected =, <>, <, <=, >, >=, Like or Is Nothing, found " + Describe(op));
  }

  void ParseCall(Statement& statement) {
    const Token& at = Peek();
    if (at.kind != TokenKind::kName) Fail(at, "expected a path after Call, found " + Describe(at));
    auto path = ParsePath();
    if (path->root == RootKind::kSim) {
      SimEventStatement(statement, *path, {}, at);
      return;
    }
    if (path->root != RootKind::kPowerPoint) {
      Fail(at, "Call needs a path into PowerPoint (Application, ActivePresentation, …) or a Sim. event");
    }
    statement.kind = StatementKind::kLearnerCall;
    statement.target = std::move(path);
  }

  void ParsePathStatement(Statement& statement) {
    const Token& at = Peek();
    const std::size_t start = index_;
    auto path = ParsePath();
    const Segment& last = path->path.back();

    // The shell shows the value of an expression that starts with a path ("Sim.WorkFolder & x").
    if (options_.interactive && (IsOperator(Peek(), "&") || IsOperator(Peek(), "+") ||
                                 IsOperator(Peek(), "*") || IsOperator(Peek(), "/"))) {
      index_ = start;
      statement.kind = StatementKind::kEvaluate;
      statement.target = ParseExpression();
      return;
    }

    if (IsOperator(Peek(), "=")) {
      const Token& equals = Take();
      if (path->root == RootKind::kPowerPoint) {
        statement.kind = StatementKind::kLearnerAssign;
      } else if (path->root == RootKind::kHost && path->path.size() == 2 && path->path[1].calls.empty()) {
        statement.kind = StatementKind::kHostAssign;
        statement.member = path->path[1].name;
      } else {
        Fail(equals,
             "only a PowerPoint property, Host.PlaceFiles, Host.Handle or Host.Application "
             "can be assigned");
      }
      if (AtStatementEnd()) Fail(Peek(), "expected a value after '=', found the end of the line");
      statement.target = std::move(path);
      statement.value = ParseExpression();
      return;
    }

    if (AtStatementEnd()) {
      switch (path->root) {
        case RootKind::kPowerPoint:
          statement.kind = StatementKind::kLearnerRead;
          break;
        case RootKind::kVerdict:
          statement.kind = StatementKind::kVerdictRead;
          break;
        case RootKind::kSim:
          if (FindSimMember(path->path[1].name)->event) {
            SimEventStatement(statement, *path, {}, at);
            return;
          }
          statement.kind = StatementKind::kEvaluate;
          break;
        case RootKind::kHost:
          if (SameName(path->path[1].name, "PlaceFiles") && path->path.size() == 2) {
            if (path->path[1].calls.empty()) {
              Fail(at,
                   "Host.PlaceFiles needs an exercise number (Host.PlaceFiles N [, folder]) or "
                   "= True / = False");
            }
            statement.kind = StatementKind::kPlaceFiles;
            statement.arguments = path->path[1].calls.front();
            CheckPositional(at, "Host.PlaceFiles", statement.arguments, 1, 2, "N [, \"C:\\folder\\\"]");
            return;
          }
          statement.kind = StatementKind::kEvaluate;
          break;
        default:
          statement.kind = StatementKind::kEvaluate;
          break;
      }
      statement.target = std::move(path);
      return;
    }

    // Arguments written after the name, without parentheses.
    if (!last.calls.empty()) Fail(Peek(), "expected the end of the statement, found " + Describe(Peek()));
    ArgumentList arguments = ParseStatementArguments();
    if (path->root == RootKind::kPowerPoint) {
      statement.kind = StatementKind::kLearnerCall;
      statement.arguments = std::move(arguments);
      statement.target = std::move(path);
      return;
    }
    if (path->root == RootKind::kSim && FindSimMember(path->path[1].name)->event) {
      SimEventStatement(statement, *path, std::move(arguments), at);
      return;
    }
    if (path->root == RootKind::kHost && path->path.size() == 2 &&
        SameName(path->path[1].name, "PlaceFiles")) {
      statement.kind = StatementKind::kPlaceFiles;
      statement.arguments = std::move(arguments);
      CheckPositional(at, "Host.PlaceFiles", statement.arguments, 1, 2, "N [, \"C:\\folder\\\"]");
      return;
    }
    Fail(at, "'" + CanonicalPath(*path) + "' takes no arguments here: expected the end of the statement");
  }

  void SimEventStatement(Statement& statement, const Expression& path, ArgumentList arguments,
                         const Token& at) {
    const SimMember* member = FindSimMember(path.path[1].name);
    if (!member || !member->event) Fail(at, "'" + CanonicalPath(path) + "' is a value, not a desktop event");
    if (path.path.size() != 2) Fail(at, "a desktop event has no members: " + CanonicalPath(path));
    const Segment& segment = path.path[1];
    if (!segment.calls.empty()) {
      if (segment.calls.size() > 1 || !arguments.empty())
        Fail(at, "too many argument lists for Sim." + member->name);
      arguments = segment.calls.front();
    }
    statement.kind = StatementKind::kSimEvent;
    statement.member = member->name;
    statement.arguments = std::move(arguments);
    CheckPositional(at, "Sim." + member->name, statement.arguments, member->minimum_arguments,
                    member->maximum_arguments, member->usage);
  }

  void CheckPositional(const Token& at, const std::string& what, const ArgumentList& arguments, int minimum,
                       int maximum, const std::string& usage) const {
    for (const auto& argument : arguments) {
      if (!argument.name.empty()) Fail(at, what + " takes no named arguments (" + argument.name + ":=)");
      if (!argument.value) Fail(at, what + " takes no omitted arguments");
    }
    const int count = static_cast<int>(arguments.size());
    if (count < minimum || count > maximum) {
      std::string expected = minimum == maximum
                                 ? Plural(minimum, "argument")
                                 : std::to_string(minimum) + " to " + Plural(maximum, "argument");
      Fail(at, what + " takes " + expected + (usage.empty() ? "" : " (" + what + " " + usage + ")") +
                   ", not " + std::to_string(count));
    }
  }

  void CheckHeight(const Expression& node, const Token& at) const {
    if (node.height > options_.maximum_height) {
      Fail(at, "the expression is too long (more than " + std::to_string(options_.maximum_height) +
                   " operations in one statement)");
    }
  }

  // --- expressions --------------------------------------------------------------------------
  ExpressionPtr ParseExpression() {
    Nesting nesting(*this, Peek());
    auto left = ParseAdditive();
    while (IsOperator(Peek(), "&")) {
      const Token& op = Take();
      left = Binary(op, BinaryOperator::kConcatenate, std::move(left), ParseAdditive());
      CheckHeight(*left, op);
    }
    return left;
  }

  ExpressionPtr ParseAdditive() {
    auto left = ParseMultiplicative();
    for (;;) {
      if (IsOperator(Peek(), "+")) {
        const Token& op = Take();
        left = Binary(op, BinaryOperator::kAdd, std::move(left), ParseMultiplicative());
        CheckHeight(*left, op);
      } else if (IsOperator(Peek(), "-")) {
        const Token& op = Take();
        left = Binary(op, BinaryOperator::kSubtract, std::move(left), ParseMultiplicative());
        CheckHeight(*left, op);
      } else {
        return left;
      }
    }
  }

  ExpressionPtr ParseMultiplicative() {
    auto left = ParseUnary();
    for (;;) {
      if (IsOperator(Peek(), "*")) {
        const Token& op = Take();
        left = Binary(op, BinaryOperator::kMultiply, std::move(left), ParseUnary());
        CheckHeight(*left, op);
      } else if (IsOperator(Peek(), "/")) {
        const Token& op = Take();
        left = Binary(op, BinaryOperator::kDivide, std::move(left), ParseUnary());
        CheckHeight(*left, op);
      } else {
        return left;
      }
    }
  }

  ExpressionPtr ParseUnary() {
    if (IsOperator(Peek(), "-") || IsOperator(Peek(), "+")) {
      const Token& op = Take();
      Nesting nesting(*this, op);
      auto operand = ParseUnary();
      if (op.text == "+") return operand;
      auto node = std::make_shared<Expression>();
      node->kind = Expression::Kind::kUnary;
      node->position = op.position;
      node->unary = UnaryOperator::kNegate;
      node->height = operand->height + 1;
      node->left = std::move(operand);
      CheckHeight(*node, op);
      return node;
    }
    return ParsePrimary();
  }

  ExpressionPtr ParsePrimary() {
    const Token& token = Peek();
    switch (token.kind) {
      case TokenKind::kNumber:
      case TokenKind::kString:
        ++index_;
        return Literal(token, token.value);
      case TokenKind::kName:
        if (IsWord(token, "True")) return Literal(Take(), vb::Variant(true));
        if (IsWord(token, "False")) return Literal(Take(), vb::Variant(false));
        if (IsWord(token, "Nothing")) return Literal(Take(), vb::Variant::Nothing());
        return ParsePath();
      default:
        break;
    }
    if (IsOperator(token, "(")) {
      ++index_;
      auto inner = ParseExpression();
      Expect(")");
      return inner;
    }
    Fail(token, "expected a value, found " + Describe(token));
  }

  std::shared_ptr<Expression> ParsePath() {
    const Token& first = Peek();
    const auto root = ClassifyRoot(first.text);
    if (!root) {
      std::vector<std::string> known = {"Expect",  "Call", "InitQuestion", "TestePoint", "Fermer",
                                        "Quitter", "Host", "Sim",          "Error"};
      for (const auto* list : {&PowerPointGlobals(), &VerdictMembers(), &Functions()})
        known.insert(known.end(), list->begin(), list->end());
      const std::string suggestion = DidYouMean(NearestNames(first.text, known));
      Fail(first, "unknown name '" + first.text + "'" + (suggestion.empty() ? "" : "; " + suggestion) +
                      " (not a statement, a PowerPoint global (Application, ActivePresentation, "
                      "ActiveWindow, Presentations, CommandBars, Windows), Host., Sim., a verdict member, "
                      "Error, a constant or a function)");
    }
    auto node = std::make_shared<Expression>();
    node->kind = Expression::Kind::kPath;
    node->position = first.position;
    node->root = *root;
    node->path.push_back(ParseSegment());
    while (IsOperator(Peek(), ".")) {
      ++index_;
      if (Peek().kind != TokenKind::kName)
        Fail(Peek(), "expected a member name after '.', found " + Describe(Peek()));
      node->path.push_back(ParseSegment());
    }
    for (const auto& segment : node->path) {
      for (const auto& call : segment.calls) {
        for (const auto& argument : call) {
          if (argument.value) node->height = std::max(node->height, argument.value->height + 1);
        }
      }
    }
    CheckHeight(*node, first);
    CheckPath(*node, first);
    return node;
  }

  Segment ParseSegment() {
    const Token& name = Take();
    Segment segment;
    segment.name = name.text;
    segment.position = name.position;
    while (IsOperator(Peek(), "(")) {
      Nesting nesting(*this, Peek());
      ++index_;
      segment.calls.push_back(ParseArgumentsUntil(")"));
      Expect(")");
    }
    return segment;
  }

  // Arguments between parentheses (ended by ")") or after a statement's name (ended by the line).
  ArgumentList ParseArgumentsUntil(std::string_view closing) {
    ArgumentList arguments;
    const auto at_end = [&] { return closing.empty() ? AtStatementEnd() : IsOperator(Peek(), closing); };
    if (at_end()) return arguments;
    for (;;) {
      ArgumentNode argument;
      if (Peek().kind == TokenKind::kName && IsOperator(Peek(1), ":=")) {
        argument.name = Take().text;
        ++index_;
        argument.value = ParseExpression();
      } else if (!IsOperator(Peek(), ",") && !at_end()) {
        argument.value = ParseExpression();
      }
      arguments.push_back(std::move(argument));
      if (IsOperator(Peek(), ",")) {
        ++index_;
        continue;
      }
      if (at_end()) return arguments;
      Fail(Peek(), std::string("expected ',' or ") + (closing.empty() ? "the end of the line" : "')'") +
                       ", found " + Describe(Peek()));
    }
  }

  ArgumentList ParseStatementArguments() { return ParseArgumentsUntil(""); }

  // The checks a path's root allows before anything runs.
  void CheckPath(const Expression& node, const Token& at) const {
    const auto& path = node.path;
    const std::string written = CanonicalPath(node);
    switch (node.root) {
      case RootKind::kHost: {
        if (path.size() < 2) Fail(at, "expected Host.Application, Host.Handle or Host.PlaceFiles");
        if (!FindHostMember(path[1].name)) {
          Fail(at, "unknown member Host." + path[1].name + ": expected Application, Handle or PlaceFiles");
        }
        if (!path[0].calls.empty()) Fail(at, "Host takes no arguments");
        break;
      }
      case RootKind::kSim: {
        if (path.size() < 2) Fail(at, "expected a Sim. event or value after Sim");
        const SimMember* member = FindSimMember(path[1].name);
        if (!member) {
          std::vector<std::string> names;
          for (const auto& candidate : SimMembers()) names.push_back(candidate.name);
          const std::string suggestion = DidYouMean(NearestNames(path[1].name, names));
          Fail(at, "unknown member Sim." + path[1].name + (suggestion.empty() ? "" : "; " + suggestion));
        }
        if (!path[0].calls.empty()) Fail(at, "Sim takes no arguments");
        if (!member->event) {
          const int count = path[1].calls.empty() ? 0 : static_cast<int>(path[1].calls.front().size());
          if (count < member->minimum_arguments || count > member->maximum_arguments ||
              path[1].calls.size() > 1) {
            Fail(at, "Sim." + member->name + " takes " + Plural(member->maximum_arguments, "argument") +
                         (member->usage.empty() ? "" : " (Sim." + member->name + member->usage + ")"));
          }
          if (path.size() > 2) Fail(at, "Sim." + member->name + " has no members");
        }
        break;
      }
      case RootKind::kError:
        if (!path[0].calls.empty()) Fail(at, "Error takes no arguments");
        if (path.size() > 2 ||
            (path.size() == 2 && !SameName(path[1].name, "Number") && !SameName(path[1].name, "Source") &&
             !SameName(path[1].name, "Description")) ||
            (path.size() == 2 && !path[1].calls.empty())) {
          Fail(at, "expected Error, Error.Number, Error.Source or Error.Description, found " + written);
        }
        break;
      case RootKind::kFunction:
        if (path.size() != 1 || path[0].calls.empty()) {
          Fail(at, CanonicalName(path[0].name) + " is a function: write " + CanonicalName(path[0].name) +
                       "(arguments)");
        }
        break;
      case RootKind::kConstant:
        if (path.size() != 1 || !path[0].calls.empty()) {
          Fail(at, CanonicalName(path[0].name) + " is a constant: it has no members or arguments");
        }
        break;
      case RootKind::kVerdict:
        if (!path[0].calls.empty() && !SameName(path[0].name, "Complement")) {
          Fail(at, CanonicalName(path[0].name) + " takes no arguments");
        }
        break;
      case RootKind::kPowerPoint:
        break;
    }
  }

  static std::string CanonicalPath(const Expression& node) {
    std::string text;
    for (std::size_t k = 0; k < node.path.size(); ++k) {
      if (k) text += '.';
      text += k == 0 ? CanonicalName(node.path[k].name) : node.path[k].name;
    }
    return text;
  }

  static ExpressionPtr Literal(const Token& token, vb::Variant value) {
    auto node = std::make_shared<Expression>();
    node->kind = Expression::Kind::kLiteral;
    node->position = token.position;
    node->literal = std::move(value);
    return node;
  }

  static ExpressionPtr Binary(const Token& op, BinaryOperator kind, ExpressionPtr left, ExpressionPtr right) {
    auto node = std::make_shared<Expression>();
    node->kind = Expression::Kind::kBinary;
    node->position = op.position;
    node->binary = kind;
    node->height = std::max(left->height, right->height) + 1;
    node->left = std::move(left);
    node->right = std::move(right);
    return node;
  }

  std::string_view source_;
  ParseOptions options_;
  std::vector<Token> tokens_;
  std::size_t index_ = 0;
  int depth_ = 0;
};

}  // namespace

Scenario Parse(std::string_view source, std::string name, const ParseOptions& options) {
  Scenario scenario;
  scenario.name = std::move(name);
  scenario.statements = Parser(source, options).Run();
  return scenario;
}

std::string DescribeParseError(const std::string& file, const ParseError& error) {
  return file + ":" + std::to_string(error.position().line) + ":" + std::to_string(error.position().column) +
         ": " + error.what();
}

}  // namespace scenario
