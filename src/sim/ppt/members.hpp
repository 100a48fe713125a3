// Building the member tables of the simulated PowerPoint's objects: each member is written as a
// lambda over the concrete object class, so that tables read as the list of PowerPoint's members.
#pragma once

#include <functional>
#include <string>
#include <utility>

#include "sim/ppt/object.hpp"

namespace sim::ppt {

/// Members of the object class T: its getters, putters and methods receive a T&.
template <class T>
struct MembersOf {
  using Getter = std::function<vb::Variant(T&, const CallArgs&)>;
  using Putter = std::function<void(T&, const CallArgs&)>;

  /// A property without arguments; read-only when put is empty.
  static Member Property(std::string name, Getter get, Putter put = {}) {
    return Make(std::move(name), std::move(get), std::move(put), {}, false);
  }
  /// A property that takes arguments (Item(Index), Colors(Index), Name(Index) …).
  static Member Indexed(std::string name, Getter get, Putter put = {}) {
    return Make(std::move(name), std::move(get), std::move(put), {}, true);
  }
  /// A method, called with or without arguments.
  static Member Method(std::string name, Getter call) {
    return Make(std::move(name), {}, {}, std::move(call), true);
  }
  /// A method that returns nothing.
  static Member Procedure(std::string name, std::function<void(T&, const CallArgs&)> call) {
    return Make(
        std::move(name), {}, {},
        [call = std::move(call)](T& self, const CallArgs& args) {
          call(self, args);
          return vb::Variant();
        },
        true);
  }

 private:
  static Member Make(std::string name, Getter get, Putter put, Getter call, bool takes_arguments) {
    Member member;
    member.name = std::move(name);
    if (get)
      member.get = [get](SimObject& self, const CallArgs& args) { return get(static_cast<T&>(self), args); };
    if (put) member.put = [put](SimObject& self, const CallArgs& args) { put(static_cast<T&>(self), args); };
    if (call)
      member.call = [call](SimObject& self, const CallArgs& args) {
        return call(static_cast<T&>(self), args);
      };
    member.takes_arguments = takes_arguments;
    return member;
  }
};

/// A VB tri-state / Boolean as PowerPoint returns it: msoTrue (-1) or msoFalse (0).
inline vb::Variant TriState(bool value) {
  return vb::Variant(std::int32_t{value ? -1 : 0});
}

}  // namespace sim::ppt
