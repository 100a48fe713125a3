// VB's Variant: the late-bound values read from PowerPoint by name (a control's State, a document
// property's Value) and carried by every call across the automation boundary.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <variant>
#include <vector>

#include "vb/date.hpp"

namespace vb {

class Dispatch;
/// A reference to an automation object; a null reference is VB's Nothing.
using ObjectRef = std::shared_ptr<Dispatch>;

class Variant;
using Array = std::vector<Variant>;

/// The subtypes a Variant can hold, named as VB's VarType names them.
enum class VarType { Empty, Missing, Boolean, Integer, Long, Single, Double, String, Date, Object, Array };

/// A VB Variant. Conversions follow VB's CBool, CInt, CLng, CSng, CDbl, CStr and CDate:
/// a value that cannot be converted raises error 13, one out of range raises error 6.
class Variant {
 public:
  Variant() = default;  // Empty
  Variant(bool v) : value_(v) {}
  Variant(std::int16_t v) : value_(v) {}
  Variant(std::int32_t v) : value_(v) {}
  Variant(float v) : value_(v) {}
  Variant(double v) : value_(v) {}
  Variant(std::string v) : value_(std::move(v)) {}
  Variant(const char* v) : value_(std::string(v)) {}
  Variant(Date v) : value_(v) {}
  Variant(ObjectRef v) : value_(std::move(v)) {}
  Variant(Array v) : value_(std::move(v)) {}

  /// An optional argument that was not passed (VB's "Missing").
  static Variant Missing();
  /// A Variant holding the object reference Nothing.
  static Variant Nothing() { return Variant(ObjectRef{}); }

  VarType type() const;
  bool IsEmpty() const { return type() == VarType::Empty; }
  bool IsMissing() const { return type() == VarType::Missing; }
  bool IsObject() const { return type() == VarType::Object; }
  bool IsString() const { return type() == VarType::String; }
  /// Boolean, Integer, Long, Single, Double or Date: compared as numbers.
  bool IsNumeric() const;

  bool ToBool() const;             // CBool
  std::int16_t ToInteger() const;  // CInt: half to even, error 6 outside -32768..32767
  std::int32_t ToLong() const;     // CLng: half to even, error 6 outside 32 bits
  float ToSingle() const;          // CSng
  double ToDouble() const;         // CDbl
  std::string ToString() const;    // CStr (True/False, shortest decimal form, ISO date)
  Date ToDate() const;             // CDate
  ObjectRef ToObject() const;      // the object held; error 13 for a non-object
  const Array& ToArray() const;    // the array held; error 13 otherwise

  /// VB's comparison of two Variants: -1, 0 or 1. Numbers compare as numbers, strings as binary
  /// strings, Empty as 0 or "" beside the other side; a number against a non-numeric string
  /// is the smaller. Objects compare by identity (equal or not, error 13 for an order).
  static int Compare(const Variant& a, const Variant& b);
  friend bool operator==(const Variant& a, const Variant& b) { return Compare(a, b) == 0; }

  /// A readable form for traces and messages: strings quoted, Nothing, Empty.
  std::string Describe() const;

 private:
  struct MissingTag {
    bool operator==(const MissingTag&) const = default;
  };
  std::variant<std::monostate, MissingTag, bool, std::int16_t, std::int32_t, float, double, std::string, Date,
               ObjectRef, Array>
      value_;
};

/// VB's banker's rounding (CInt, CLng): a half goes to the even neighbour.
double RoundHalfEven(double value);

}  // namespace vb
