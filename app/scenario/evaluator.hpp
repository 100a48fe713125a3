// Evaluates a scenario's expressions over VB's values and late-bound objects: literals,
// operators, functions, constants, and paths walked member by member through vb::Dispatch.
// Errors are vb::Error, as VBA raises them (438 unknown member, 450 wrong arguments, 13 type
// mismatch, 91 Nothing, 424 object required, 11 division by zero): the runner reports them as
// the statement's error.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "scenario/ast.hpp"
#include "vb/dispatch.hpp"
#include "vb/error.hpp"

namespace scenario {

/// The source of the errors the language itself raises.
inline constexpr const char* kScenarioSource = "Scenario";

/// VBA run-time errors the language raises besides vb::errors.
namespace language_errors {
inline constexpr std::int32_t kDivisionByZero = 11;
inline constexpr std::int32_t kObjectRequired = 424;
}  // namespace language_errors

/// The error of the last host call or learner action, as Error reads it (number 0: none).
struct ErrorRecord {
  std::int32_t number = 0;
  std::string source;
  std::string description;
};

/// What paths start from: the world the scenario plays in (the host, the desktop, PowerPoint).
class Environment {
 public:
  virtual ~Environment() = default;
  /// The Application a learner's statement acts on.
  virtual vb::ObjectRef PowerPoint() = 0;
  /// Host.Application, Host.Handle or Host.PlaceFiles (canonical names).
  virtual vb::Variant HostValue(const std::string& member) = 0;
  /// A Sim. value (canonical name) with its arguments.
  virtual vb::Variant SimValue(const std::string& member, const std::vector<vb::Variant>& arguments) = 0;
  /// ErreurGenerale, CauseErreur, BravoNuance or Complement (an object with Count and Item, or
  /// Nothing), read as the host reads them.
  virtual vb::Variant Verdict(const std::string& member) = 0;
  virtual const ErrorRecord& LastError() = 0;
  /// Told when an object raised error 438 for a member, so that the runner can say what the
  /// object is and which of its members come nearest.
  virtual void MemberRefused(const vb::Dispatch& /*object*/, std::string_view /*member*/, vb::CallKind) {}
};

class Evaluator {
 public:
  explicit Evaluator(Environment& environment) : environment_(environment) {}

  /// The value of an expression (every member of a path read as a property).
  vb::Variant Evaluate(const Expression& expression);

  /// A learner's assignment: every member of the path read but the last, which is assigned.
  void Assign(const Expression& path, const vb::Variant& value);

  /// A learner's call: every member read but the last, which is called with the arguments
  /// written in its parentheses, or else those written after it (extra).
  vb::Variant Call(const Expression& path, const ArgumentList& extra);

  /// Evaluates a list of arguments as the object model receives them (left out: Missing).
  vb::Arguments EvaluateArguments(const ArgumentList& arguments);

 private:
  vb::Variant EvaluatePath(const Expression& path, std::size_t segments);
  vb::Variant Root(const Expression& path);
  vb::Variant Function(const Segment& segment);
  vb::Variant Member(const vb::Variant& on, const Segment& segment, vb::CallKind kind,
                     vb::Arguments arguments);
  vb::Variant Index(const vb::Variant& on, const std::vector<ArgumentList>& calls, std::size_t first);

  Environment& environment_;
};

// --- VB's operators over Variants -------------------------------------------------------------

/// -x: whole numbers stay whole (Long, or Double beyond 32 bits); 13 for a non-number.
vb::Variant Negate(const vb::Variant& value);
/// a op b for & + - * /, with VB's rules: & joins the text forms; + joins two strings; whole
/// numbers give a Long (a Double beyond 32 bits); / always a Double, 11 when dividing by zero.
vb::Variant Apply(BinaryOperator op, const vb::Variant& a, const vb::Variant& b);

/// An expectation's comparison: -1, 0 or 1 as VB compares, except that a Single against another
/// number is compared in single precision (a font size read as 20.5 equals the literal 20.5, a
/// spacing of 0.2 lines read as a Single equals 0.2), as the module compares sizes and spacings.
int CompareForExpectation(const vb::Variant& subject, const vb::Variant& value);

}  // namespace scenario
