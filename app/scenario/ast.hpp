// The parsed form of a scenario: statements made of expressions, each remembering where it was
// written so that a failure can name its line.
#pragma once

#include <cstdint>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "vb/variant.hpp"

namespace scenario {

/// A place in a scenario file: line and column, both counted from 1 (columns in characters).
struct Position {
  int line = 0;
  int column = 0;
};

/// A scenario that cannot be read: where, and what was expected there.
class ParseError : public std::runtime_error {
 public:
  ParseError(Position position, const std::string& message)
      : std::runtime_error(message), position_(position) {}
  Position position() const { return position_; }

 private:
  Position position_;
};

struct Expression;
using ExpressionPtr = std::shared_ptr<const Expression>;

/// One argument as written: positional when name is empty, named (Name:=value) otherwise.
/// A null value is an argument left out between commas (VB's Missing).
struct ArgumentNode {
  std::string name;
  ExpressionPtr value;
};
using ArgumentList = std::vector<ArgumentNode>;

/// One name of a dotted path with the parenthesised argument lists written after it.
/// The first list is the member's own arguments; each further list indexes the result
/// (X(1)(2) is X(1).Item(2)).
struct Segment {
  std::string name;
  Position position;
  std::vector<ArgumentList> calls;
};

/// What the first name of a path refers to.
enum class RootKind {
  kPowerPoint,  // Application, ActivePresentation, ActiveWindow, Presentations, CommandBars, Windows
  kHost,        // Host.Application, Host.Handle, Host.PlaceFiles
  kSim,         // Sim.<event> or Sim.<value>
  kVerdict,     // ErreurGenerale, CauseErreur, BravoNuance, Complement: read as the host reads them
  kError,       // the error of the last action: Error, Error.Number, Error.Source, Error.Description
  kFunction,    // RGB, Array, Chr
  kConstant,    // a PowerPoint or Office constant
};

enum class UnaryOperator { kNegate };
enum class BinaryOperator { kConcatenate, kAdd, kSubtract, kMultiply, kDivide };

struct Expression {
  enum class Kind { kLiteral, kPath, kUnary, kBinary };
  Kind kind = Kind::kLiteral;
  Position position;
  /// The number of nodes on the longest way down from this one (1 for a leaf); the parser bounds
  /// it so that evaluating and freeing the tree cannot exhaust the stack.
  int height = 1;

  vb::Variant literal;  // kLiteral

  RootKind root = RootKind::kConstant;  // kPath
  std::vector<Segment> path;            // kPath: at least one segment

  UnaryOperator unary = UnaryOperator::kNegate;          // kUnary (operand in left)
  BinaryOperator binary = BinaryOperator::kConcatenate;  // kBinary
  ExpressionPtr left;
  ExpressionPtr right;
};

/// How an expectation compares its subject with its value.
enum class Comparison {
  kEqual,
  kNotEqual,
  kLess,
  kLessOrEqual,
  kGreater,
  kGreaterOrEqual,
  kLike,
  kIsNothing
};

/// The kinds of statement a scenario line can hold.
enum class StatementKind {
  kInitQuestion,  // InitQuestion N [, folder]
  kTestePoint,    // TestePoint
  kFermer,        // Fermer
  kQuitter,       // Quitter
  kVerdictRead,  // ErreurGenerale / CauseErreur / BravoNuance / Complement… alone: read as the host reads it
  kPlaceFiles,   // Host.PlaceFiles N [, folder]
  kHostAssign,   // Host.PlaceFiles = b / Host.Handle = n / Host.Application = object
  kSimEvent,     // Sim.<event> [arguments]
  kExpect,       // Expect subject <comparison> value
  kLearnerAssign,  // path = value, path starting at a PowerPoint global
  kLearnerCall,    // path arguments / Call path(arguments)
  kLearnerRead,    // a PowerPoint path alone: read (or called) and discarded
  kEvaluate,       // any other expression alone (Sim., Host., Error values; the shell prints it)
};

struct Statement {
  StatementKind kind = StatementKind::kEvaluate;
  Position position;
  /// The statement as written (continued lines joined, comment dropped), for traces.
  std::string text;

  /// kInitQuestion, kPlaceFiles, kSimEvent, kLearnerCall: the arguments written after the name.
  ArgumentList arguments;
  /// kHostAssign: "PlaceFiles", "Handle" or "Application"; kSimEvent: the event's name as the
  /// language spells it ("StartPowerPoint").
  std::string member;

  /// kLearnerAssign, kLearnerCall, kLearnerRead, kVerdictRead, kEvaluate: the path or expression;
  /// kExpect: the subject.
  ExpressionPtr target;
  /// kLearnerAssign, kHostAssign: the value assigned; kExpect: the value compared with (null for Is Nothing).
  ExpressionPtr value;
  Comparison comparison = Comparison::kEqual;
};

/// A whole scenario file.
struct Scenario {
  std::string name;
  std::vector<Statement> statements;
};

}  // namespace scenario
