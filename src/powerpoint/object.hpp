// The base of every PowerPoint object the module holds: a typed, thin view over an automation
// object. The typed members of each class (ppt.hpp) read and write through Get, Put and Call.
#pragma once

#include <string_view>

#include "vb/dispatch.hpp"

namespace ppt {

/// A reference to one PowerPoint object, or Nothing. Copies refer to the same object.
class Object {
 public:
  Object() = default;
  explicit Object(vb::ObjectRef object) : object_(std::move(object)) {}

  bool IsNothing() const { return !object_; }
  /// VB's Is: the same PowerPoint object (or both Nothing).
  bool Is(const Object& other) const { return vb::SameObject(object_, other.object_); }
  const vb::ObjectRef& ref() const { return object_; }

  /// Late-bound access by member name, for the members the module reads by name.
  /// Each raises error 91 on Nothing and whatever the object raises.
  vb::Variant Get(std::string_view member, vb::Arguments arguments = {}) const;
  void Put(std::string_view member, vb::Variant value, vb::Arguments arguments = {}) const;
  vb::Variant Call(std::string_view member, vb::Arguments arguments = {}) const;

 protected:
  /// A member that returns an object, as a typed view T.
  template <class T>
  T GetAs(std::string_view member, vb::Arguments arguments = {}) const {
    return T(Get(member, std::move(arguments)).ToObject());
  }
  template <class T>
  T CallAs(std::string_view member, vb::Arguments arguments = {}) const {
    return T(Call(member, std::move(arguments)).ToObject());
  }

 private:
  vb::ObjectRef object_;
};

/// Positional arguments, for brevity in the typed members.
template <class... T>
vb::Arguments Args(T&&... values) {
  return vb::Arguments{vb::Argument{vb::Variant(std::forward<T>(values)), {}}...};
}

}  // namespace ppt
