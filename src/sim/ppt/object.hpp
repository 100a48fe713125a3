// The base of every object of the simulated PowerPoint: an automation object whose members are
// found by name in a table, each call crossing the process gate first.
#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "sim/gate.hpp"
#include "vb/dispatch.hpp"
#include "vb/error.hpp"

namespace sim {
class Desktop;
class PowerPointProcess;
}  // namespace sim

namespace sim::ppt {

/// The arguments of one call, with PowerPoint's way of reading them: by position or by name,
/// optional ones defaulted, too many raising error 450.
class CallArgs {
 public:
  /// For a Put (assignment), the last argument is the assigned value.
  CallArgs(std::string_view member, const vb::Arguments& arguments, bool assignment = false);

  /// The number of positional arguments (a Put's assigned value excluded).
  std::size_t count() const { return positional_.size(); }
  /// The argument at a position (0-based) or of a name (case-insensitive); nullopt when absent
  /// or passed as Missing.
  std::optional<vb::Variant> Find(std::size_t position, std::string_view name) const;
  /// As Find; raises error 450 (wrong number of arguments) when absent.
  vb::Variant Required(std::size_t position, std::string_view name) const;
  /// As Find, with a default when absent.
  vb::Variant Optional(std::size_t position, std::string_view name, vb::Variant fallback) const;
  /// The value assigned by a Put.
  const vb::Variant& value() const;
  /// Raises error 450 when more positional arguments were passed than the member takes, or a
  /// name it does not know.
  void Expect(std::size_t max_positional, std::initializer_list<std::string_view> names = {}) const;

 private:
  std::string member_;
  std::vector<vb::Variant> positional_;
  std::vector<std::pair<std::string, vb::Variant>> named_;
  std::optional<vb::Variant> assigned_;
};

class SimObject;

/// One member of an object's table. A property has get and possibly put; a method has call.
/// default_item: a property read with arguments it does not take applies them to the result's
/// Item, as VB does with a collection's default member (Slides(3) is Slides.Item(3)).
struct Member {
  std::string name;
  std::function<vb::Variant(SimObject&, const CallArgs&)> get;
  std::function<void(SimObject&, const CallArgs&)> put;
  std::function<vb::Variant(SimObject&, const CallArgs&)> call;
  bool takes_arguments = false;
};

/// A table of members, looked up without case.
class MemberTable {
 public:
  MemberTable(std::vector<Member> members);
  const Member* Find(std::string_view name) const;
  const std::vector<Member>& members() const { return members_; }

 private:
  std::vector<Member> members_;
};

/// What every object of one PowerPoint process shares: its gate and the desktop it runs on.
struct Context {
  Gate* gate = nullptr;
  Desktop* desktop = nullptr;
  PowerPointProcess* process = nullptr;
};

class SimObject : public vb::Dispatch, public std::enable_shared_from_this<SimObject> {
 public:
  explicit SimObject(std::shared_ptr<Context> context) : context_(std::move(context)) {}

  /// Crosses the gate, finds the member and runs it. Unknown members raise error 438; a Put on
  /// a read-only property and a call of a property raise 438 too, as PowerPoint does.
  vb::Variant Invoke(std::string_view member, vb::CallKind kind, const vb::Arguments& arguments) final;

  const std::shared_ptr<Context>& context() const { return context_; }
  /// The object's members, for messages that name the nearest to a misspelt one.
  const MemberTable& member_table() const { return Members(); }

 protected:
  virtual const MemberTable& Members() const = 0;

 private:
  std::shared_ptr<Context> context_;
};

/// Raises PowerPoint's own error (-2147188160) with a message in PowerPoint's style,
/// for example "Slides.Item : Integer out of range. 9 is not in the valid range of 1 to 8.".
[[noreturn]] void RaisePowerPoint(const std::string& message);
/// The message and error of an index outside 1..count of a collection's Item.
[[noreturn]] void RaiseOutOfRange(const std::string& where, long index, long count);

}  // namespace sim::ppt
