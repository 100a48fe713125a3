#include "scenario/evaluator.hpp"

#include <cfloat>
#include <cmath>
#include <limits>

#include "scenario/names.hpp"
#include "vb/strings.hpp"

namespace scenario {
namespace {

[[noreturn]] void Raise(std::int32_t number, std::string description = {}) {
  vb::Raise(number, kScenarioSource, std::move(description));
}

bool IsWhole(vb::VarType type) {
  return type == vb::VarType::Empty || type == vb::VarType::Boolean || type == vb::VarType::Integer ||
         type == vb::VarType::Long;
}

void RequireOperand(const vb::Variant& value) {
  switch (value.type()) {
    case vb::VarType::Object:
    case vb::VarType::Array:
    case vb::VarType::Missing:
      Raise(vb::errors::kTypeMismatch);
    default:
      break;
  }
}

vb::Variant WholeOrDouble(std::int64_t value) {
  if (value >= std::numeric_limits<std::int32_t>::min() &&
      value <= std::numeric_limits<std::int32_t>::max()) {
    return vb::Variant(static_cast<std::int32_t>(value));
  }
  return vb::Variant(static_cast<double>(value));
}

vb::Variant FiniteDouble(double value) {
  if (!std::isfinite(value)) Raise(vb::errors::kOverflow);
  return vb::Variant(value);
}

}  // namespace

// --- operators ---------------------------------------------------------------------------------

vb::Variant Negate(const vb::Variant& value) {
  RequireOperand(value);
  if (IsWhole(value.type())) return WholeOrDouble(-static_cast<std::int64_t>(value.ToLong()));
  if (value.type() == vb::VarType::Single) return vb::Variant(-value.ToSingle());
  return vb::Variant(-value.ToDouble());
}

vb::Variant Apply(BinaryOperator op, const vb::Variant& a, const vb::Variant& b) {
  RequireOperand(a);
  RequireOperand(b);
  if (op == BinaryOperator::kConcatenate) return vb::Variant(a.ToString() + b.ToString());
  if (op == BinaryOperator::kAdd && (a.IsString() || a.IsEmpty()) && (b.IsString() || b.IsEmpty()) &&
      (a.IsString() || b.IsString())) {
    return vb::Variant(a.ToString() + b.ToString());
  }
  if (op == BinaryOperator::kDivide) {
    const double divisor = b.ToDouble();
    const double dividend = a.ToDouble();
    if (divisor == 0.0) Raise(language_errors::kDivisionByZero);
    return FiniteDouble(dividend / divisor);
  }
  if (IsWhole(a.type()) && IsWhole(b.type())) {
    const std::int64_t x = a.ToLong();
    const std::int64_t y = b.ToLong();
    switch (op) {
      case BinaryOperator::kAdd:
        return WholeOrDouble(x + y);
      case BinaryOperator::kSubtract:
        return WholeOrDouble(x - y);
      default:
        return WholeOrDouble(x * y);
    }
  }
  const double x = a.ToDouble();
  const double y = b.ToDouble();
  switch (op) {
    case BinaryOperator::kAdd:
      return FiniteDouble(x + y);
    case BinaryOperator::kSubtract:
      return FiniteDouble(x - y);
    default:
      return FiniteDouble(x * y);
  }
}

int CompareForExpectation(const vb::Variant& subject, const vb::Variant& value) {
  const bool single = subject.type() == vb::VarType::Single || value.type() == vb::VarType::Single;
  if (single && subject.IsNumeric() && value.IsNumeric()) {
    const auto narrow = [](double x) {
      return std::fabs(x) <= static_cast<double>(FLT_MAX) ? static_cast<double>(static_cast<float>(x)) : x;
    };
    const double x = narrow(subject.ToDouble());
    const double y = narrow(value.ToDouble());
    return x < y ? -1 : (x == y ? 0 : 1);
  }
  return vb::Variant::Compare(subject, value);
}

// --- evaluation --------------------------------------------------------------------------------

vb::Variant Evaluator::Evaluate(const Expression& expression) {
  switch (expression.kind) {
    case Expression::Kind::kLiteral:
      return expression.literal;
    case Expression::Kind::kUnary:
      return Negate(Evaluate(*expression.left));
    case Expression::Kind::kBinary: {
      const vb::Variant left = Evaluate(*expression.left);
      const vb::Variant right = Evaluate(*expression.right);
      return Apply(expression.binary, left, right);
    }
    case Expression::Kind::kPath:
      return EvaluatePath(expression, expression.path.size());
  }
  return {};
}

vb::Arguments Evaluator::EvaluateArguments(const ArgumentList& arguments) {
  vb::Arguments values;
  values.reserve(arguments.size());
  for (const auto& argument : arguments) {
    values.push_back(
        vb::Argument{argument.value ? Evaluate(*argument.value) : vb::Variant::Missing(), argument.name});
  }
  return values;
}

// The value of the path's first `segments` segments, each read as a property.
vb::Variant Evaluator::EvaluatePath(const Expression& path, std::size_t segments) {
  vb::Variant value = Root(path);
  std::size_t next = 1;
  // Host.X, Sim.X and Error.X are one name in two segments.
  if (path.root == RootKind::kHost || path.root == RootKind::kSim ||
      (path.root == RootKind::kError && path.path.size() > 1)) {
    next = 2;
  }
  for (std::size_t k = next; k < segments; ++k) {
    const Segment& segment = path.path[k];
    vb::Arguments arguments =
        segment.calls.empty() ? vb::Arguments{} : EvaluateArguments(segment.calls.front());
    value = Member(value, segment, vb::CallKind::Get, std::move(arguments));
    value = Index(value, segment.calls, 1);
  }
  return value;
}

vb::Variant Evaluator::Root(const Expression& path) {
  const Segment& first = path.path.front();
  switch (path.root) {
    case RootKind::kPowerPoint: {
      vb::ObjectRef application = environment_.PowerPoint();
      if (!application) Raise(vb::errors::kObjectNotSet);
      if (SameName(first.name, "Application")) return Index(vb::Variant(application), first.calls, 0);
      vb::Arguments arguments =
          first.calls.empty() ? vb::Arguments{} : EvaluateArguments(first.calls.front());
      vb::Variant value = application->Invoke(CanonicalName(first.name), vb::CallKind::Get, arguments);
      return Index(value, first.calls, 1);
    }
    case RootKind::kHost: {
      const Segment& member = path.path[1];
      return Index(environment_.HostValue(*FindHostMember(member.name)), member.calls, 0);
    }
    case RootKind::kSim: {
      const Segment& member = path.path[1];
      std::vector<vb::Variant> arguments;
      if (!member.calls.empty()) {
        for (const auto& argument : EvaluateArguments(member.calls.front()))
          arguments.push_back(argument.value);
      }
      return environment_.SimValue(FindSimMember(member.name)->name, arguments);
    }
    case RootKind::kVerdict:
      return Index(environment_.Verdict(CanonicalName(first.name)), first.calls, 0);
    case RootKind::kError: {
      const ErrorRecord& error = environment_.LastError();
      if (path.path.size() == 1 || SameName(path.path[1].name, "Number")) return vb::Variant(error.number);
      if (SameName(path.path[1].name, "Source")) return vb::Variant(error.source);
      return vb::Variant(error.description);
    }
    case RootKind::kFunction:
      return Index(Function(first), first.calls, 1);
    case RootKind::kConstant:
      return *FindConstant(first.name);
  }
  return {};
}

vb::Variant Evaluator::Function(const Segment& segment) {
  const vb::Arguments arguments = EvaluateArguments(segment.calls.front());
  for (const auto& argument : arguments) {
    if (!argument.name.empty() || argument.value.IsMissing()) Raise(vb::errors::kWrongArgumentCount);
  }
  if (SameName(segment.name, "Array")) {
    vb::Array items;
    for (const auto& argument : arguments) items.push_back(argument.value);
    return vb::Variant(std::move(items));
  }
  if (SameName(segment.name, "Chr")) {
    if (arguments.size() != 1) Raise(vb::errors::kWrongArgumentCount);
    const std::int32_t code = arguments[0].value.ToLong();
    if (code < 0 || code > 255) Raise(vb::errors::kInvalidCall);
    // Chr takes a character of the ANSI code page (Windows-1252): Chr(233) is "é".
    return vb::Variant(vb::FromWindows1252(std::string(1, static_cast<char>(code))));
  }
  // RGB(red, green, blue): each part taken as a whole number, above 255 counting as 255.
  if (arguments.size() != 3) Raise(vb::errors::kWrongArgumentCount);
  std::int32_t colour = 0;
  for (int k = 2; k >= 0; --k) {
    const std::int32_t part = arguments[static_cast<std::size_t>(k)].value.ToLong();
    if (part < 0) Raise(vb::errors::kInvalidCall);
    colour = colour * 256 + std::min(part, 255);
  }
  return vb::Variant(colour);
}

vb::Variant Evaluator::Member(const vb::Variant& on, const Segment& segment, vb::CallKind kind,
                              vb::Arguments arguments) {
  if (on.type() != vb::VarType::Object) Raise(language_errors::kObjectRequired);
  const vb::ObjectRef object = on.ToObject();
  if (!object) Raise(vb::errors::kObjectNotSet);
  try {
    return object->Invoke(segment.name, kind, arguments);
  } catch (const vb::Error& error) {
    if (error.number() == vb::errors::kNoSuchMember) environment_.MemberRefused(*object, segment.name, kind);
    throw;
  }
}

// X(a)(b): every argument list from `first` on indexes the value before it, as Item does on a
// collection and as an index does on an array (Array() counts from 0).
vb::Variant Evaluator::Index(const vb::Variant& on, const std::vector<ArgumentList>& calls,
                             std::size_t first) {
  vb::Variant value = on;
  for (std::size_t k = first; k < calls.size(); ++k) {
    vb::Arguments arguments = EvaluateArguments(calls[k]);
    if (value.type() == vb::VarType::Array) {
      if (arguments.size() != 1) Raise(vb::errors::kSubscriptOutOfRange);
      const std::int32_t position = arguments[0].value.ToLong();
      const auto& items = value.ToArray();
      if (position < 0 || static_cast<std::size_t>(position) >= items.size()) {
        Raise(vb::errors::kSubscriptOutOfRange);
      }
      vb::Variant item = items[static_cast<std::size_t>(position)];
      value = std::move(item);
      continue;
    }
    if (value.type() != vb::VarType::Object) Raise(vb::errors::kTypeMismatch);
    const vb::ObjectRef object = value.ToObject();
    if (!object) Raise(vb::errors::kObjectNotSet);
    value = object->Invoke("Item", vb::CallKind::Get, arguments);
  }
  return value;
}

void Evaluator::Assign(const Expression& path, const vb::Variant& value) {
  const std::size_t count = path.path.size();
  const Segment& last = path.path.back();
  if (count < 2 || last.calls.size() > 1) Raise(vb::errors::kWrongArgumentCount, "this cannot be assigned");
  const vb::Variant on = EvaluatePath(path, count - 1);
  vb::Arguments arguments = last.calls.empty() ? vb::Arguments{} : EvaluateArguments(last.calls.front());
  arguments.push_back(vb::Argument{value, {}});
  Member(on, last, vb::CallKind::Put, std::move(arguments));
}

vb::Variant Evaluator::Call(const Expression& path, const ArgumentList& extra) {
  const std::size_t count = path.path.size();
  const Segment& last = path.path.back();
  if (count == 1) {
    // A global alone (Presentations 1 is not VBA): read it, indexed by what follows.
    vb::Variant value = EvaluatePath(path, 1);
    return extra.empty() ? value : Index(value, {extra}, 0);
  }
  const vb::Variant on = EvaluatePath(path, count - 1);
  vb::Arguments arguments = EvaluateArguments(last.calls.empty() ? extra : last.calls.front());
  vb::Variant value = Member(on, last, vb::CallKind::Method, std::move(arguments));
  return Index(value, last.calls, 1);
}

}  // namespace scenario
