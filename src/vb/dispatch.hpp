// Late binding: an automation object reached by member name, as IDispatch is on Windows.
// PowerPoint's objects cross this boundary whether they are the simulator's or the real ones.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "vb/variant.hpp"

namespace vb {

/// How a member is invoked: a property read, a property assignment or a method call.
enum class CallKind { Get, Put, Method };

/// One argument of a call: positional when name is empty, named (VB's Name:=value) otherwise.
struct Argument {
  Variant value;
  std::string name;
};
using Arguments = std::vector<Argument>;

/// An automation object. Member names are case-insensitive. For a Put the assigned value is
/// passed last in the arguments. An unknown member raises error 438.
class Dispatch {
 public:
  virtual ~Dispatch() = default;

  virtual Variant Invoke(std::string_view member, CallKind kind, const Arguments& arguments) = 0;

  /// What makes two references the same object for VB's Is: two wrappers of one presentation,
  /// slide or shape share it.
  virtual const void* Identity() const { return this; }

  /// The object's type name, as VB's TypeName gives it ("Presentation", "Slide" …).
  virtual std::string TypeName() const = 0;
};

/// VB's Is: both Nothing, or the same object.
inline bool SameObject(const ObjectRef& a, const ObjectRef& b) {
  if (!a || !b) return !a && !b;
  return a->Identity() == b->Identity();
}

}  // namespace vb
