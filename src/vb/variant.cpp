#include "vb/variant.hpp"

#include <cerrno>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>

#include "vb/dispatch.hpp"
#include "vb/error.hpp"

namespace vb {
namespace {

[[noreturn]] void TypeMismatch() {
  Raise(errors::kTypeMismatch);
}
[[noreturn]] void Overflow() {
  Raise(errors::kOverflow);
}

// VB accepts leading and trailing spaces around a number written in a string.
bool ParseNumber(const std::string& text, double& out) {
  std::size_t begin = text.find_first_not_of(' ');
  std::size_t end = text.find_last_not_of(' ');
  if (begin == std::string::npos) return false;
  const std::string trimmed = text.substr(begin, end - begin + 1);
  char* stop = nullptr;
  errno = 0;
  const double value = std::strtod(trimmed.c_str(), &stop);
  if (stop == trimmed.c_str() || *stop != '\0' || errno == ERANGE || !std::isfinite(value)) return false;
  out = value;
  return true;
}

std::string ShortestDecimal(double value) {
  char buffer[64];
  auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
  return std::string(buffer, result.ptr);
}

std::string ShortestDecimal(float value) {
  char buffer[64];
  auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
  return std::string(buffer, result.ptr);
}

}  // namespace

double RoundHalfEven(double value) {
  const double floor = std::floor(value);
  const double diff = value - floor;
  if (diff > 0.5) return floor + 1.0;
  if (diff < 0.5) return floor;
  return std::fmod(floor, 2.0) == 0.0 ? floor : floor + 1.0;
}

Variant Variant::Missing() {
  Variant v;
  v.value_ = MissingTag{};
  return v;
}

VarType Variant::type() const {
  switch (value_.index()) {
    case 0:
      return VarType::Empty;
    case 1:
      return VarType::Missing;
    case 2:
      return VarType::Boolean;
    case 3:
      return VarType::Integer;
    case 4:
      return VarType::Long;
    case 5:
      return VarType::Single;
    case 6:
      return VarType::Double;
    case 7:
      return VarType::String;
    case 8:
      return VarType::Date;
    case 9:
      return VarType::Object;
    default:
      return VarType::Array;
  }
}

bool Variant::IsNumeric() const {
  switch (type()) {
    case VarType::Boolean:
    case VarType::Integer:
    case VarType::Long:
    case VarType::Single:
    case VarType::Double:
    case VarType::Date:
      return true;
    default:
      return false;
  }
}

double Variant::ToDouble() const {
  switch (type()) {
    case VarType::Empty:
      return 0.0;
    case VarType::Boolean:
      return std::get<bool>(value_) ? -1.0 : 0.0;
    case VarType::Integer:
      return std::get<std::int16_t>(value_);
    case VarType::Long:
      return std::get<std::int32_t>(value_);
    case VarType::Single:
      return std::get<float>(value_);
    case VarType::Double:
      return std::get<double>(value_);
    case VarType::Date:
      return std::get<Date>(value_).serial;
    case VarType::String: {
      const auto& text = std::get<std::string>(value_);
      double value = 0.0;
      if (ParseNumber(text, value)) return value;
      if (text == "True") return -1.0;
      if (text == "False") return 0.0;
      TypeMismatch();
    }
    default:
      TypeMismatch();
  }
}

float Variant::ToSingle() const {
  if (type() == VarType::Single) return std::get<float>(value_);
  const double value = ToDouble();
  if (std::fabs(value) > static_cast<double>(std::numeric_limits<float>::max())) Overflow();
  return static_cast<float>(value);
}

std::int32_t Variant::ToLong() const {
  if (type() == VarType::Long) return std::get<std::int32_t>(value_);
  const double rounded = RoundHalfEven(ToDouble());
  if (rounded < -2147483648.0 || rounded > 2147483647.0) Overflow();
  return static_cast<std::int32_t>(rounded);
}

std::int16_t Variant::ToInteger() const {
  if (type() == VarType::Integer) return std::get<std::int16_t>(value_);
  const double rounded = RoundHalfEven(ToDouble());
  if (rounded < -32768.0 || rounded > 32767.0) Overflow();
  return static_cast<std::int16_t>(rounded);
}

bool Variant::ToBool() const {
  if (type() == VarType::Boolean) return std::get<bool>(value_);
  return ToDouble() != 0.0;
}

std::string Variant::ToString() const {
  switch (type()) {
    case VarType::Empty:
      return "";
    case VarType::Boolean:
      return std::get<bool>(value_) ? "True" : "False";
    case VarType::Integer:
      return std::to_string(std::get<std::int16_t>(value_));
    case VarType::Long:
      return std::to_string(std::get<std::int32_t>(value_));
    case VarType::Single:
      return ShortestDecimal(std::get<float>(value_));
    case VarType::Double:
      return ShortestDecimal(std::get<double>(value_));
    case VarType::String:
      return std::get<std::string>(value_);
    case VarType::Date:
      return std::get<Date>(value_).ToIso();
    default:
      TypeMismatch();
  }
}

Date Variant::ToDate() const {
  switch (type()) {
    case VarType::Date:
      return std::get<Date>(value_);
    case VarType::String: {
      Date date;
      if (Date::FromIso(std::get<std::string>(value_), date)) return date;
      TypeMismatch();
    }
    case VarType::Empty:
    case VarType::Boolean:
    case VarType::Integer:
    case VarType::Long:
    case VarType::Single:
    case VarType::Double:
      return Date{ToDouble()};
    default:
      TypeMismatch();
  }
}

ObjectRef Variant::ToObject() const {
  if (type() != VarType::Object) TypeMismatch();
  return std::get<ObjectRef>(value_);
}

const Array& Variant::ToArray() const {
  if (type() != VarType::Array) TypeMismatch();
  return std::get<Array>(value_);
}

int Variant::Compare(const Variant& a, const Variant& b) {
  const VarType ta = a.type();
  const VarType tb = b.type();
  if (ta == VarType::Object || tb == VarType::Object) {
    if (ta != tb) TypeMismatch();
    return SameObject(a.ToObject(), b.ToObject()) ? 0 : 1;
  }
  if (ta == VarType::Array || tb == VarType::Array || ta == VarType::Missing || tb == VarType::Missing)
    TypeMismatch();
  const bool sa = ta == VarType::String;
  const bool sb = tb == VarType::String;
  if (sa && sb) {
    const auto& x = std::get<std::string>(a.value_);
    const auto& y = std::get<std::string>(b.value_);
    return x < y ? -1 : (x == y ? 0 : 1);
  }
  if ((sa && tb == VarType::Empty) || (sb && ta == VarType::Empty)) {
    const std::string x = a.ToString();
    const std::string y = b.ToString();
    return x < y ? -1 : (x == y ? 0 : 1);
  }
  if (sa != sb) {
    // A number against a string: numerically when the string is a number, else the number is smaller.
    const std::string& text = sa ? std::get<std::string>(a.value_) : std::get<std::string>(b.value_);
    double parsed = 0.0;
    if (!ParseNumber(text, parsed)) return sa ? 1 : -1;
  }
  const double x = a.ToDouble();
  const double y = b.ToDouble();
  return x < y ? -1 : (x == y ? 0 : 1);
}

std::string Variant::Describe() const {
  switch (type()) {
    case VarType::Empty:
      return "Empty";
    case VarType::Missing:
      return "Missing";
    case VarType::String:
      return "\"" + std::get<std::string>(value_) + "\"";
    case VarType::Object: {
      const auto& object = std::get<ObjectRef>(value_);
      return object ? object->TypeName() : "Nothing";
    }
    case VarType::Array: {
      std::string text = "Array(";
      const auto& items = std::get<Array>(value_);
      for (std::size_t i = 0; i < items.size(); ++i) text += (i ? ", " : "") + items[i].Describe();
      return text + ")";
    }
    case VarType::Date:
      return "#" + std::get<Date>(value_).ToIso() + "#";
    default:
      return ToString();
  }
}

}  // namespace vb
