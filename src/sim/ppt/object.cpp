#include "sim/ppt/object.hpp"

#include <algorithm>
#include <cctype>

namespace sim::ppt {
namespace {

bool SameName(std::string_view a, std::string_view b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
         });
}

[[noreturn]] void WrongArguments() {
  vb::Raise(vb::errors::kWrongArgumentCount, "PowerPoint");
}

}  // namespace

CallArgs::CallArgs(std::string_view member, const vb::Arguments& arguments, bool assignment)
    : member_(member) {
  std::size_t end = arguments.size();
  if (assignment) {
    if (arguments.empty()) WrongArguments();
    assigned_ = arguments.back().value;
    --end;
  }
  for (std::size_t i = 0; i < end; ++i) {
    const auto& argument = arguments[i];
    if (argument.name.empty()) {
      positional_.push_back(argument.value);
    } else {
      named_.emplace_back(argument.name, argument.value);
    }
  }
}

std::optional<vb::Variant> CallArgs::Find(std::size_t position, std::string_view name) const {
  if (position < positional_.size() && !positional_[position].IsMissing()) return positional_[position];
  for (const auto& [key, value] : named_) {
    if (SameName(key, name) && !value.IsMissing()) return value;
  }
  return std::nullopt;
}

vb::Variant CallArgs::Required(std::size_t position, std::string_view name) const {
  auto found = Find(position, name);
  if (!found) WrongArguments();
  return *found;
}

vb::Variant CallArgs::Optional(std::size_t position, std::string_view name, vb::Variant fallback) const {
  auto found = Find(position, name);
  return found ? *found : fallback;
}

const vb::Variant& CallArgs::value() const {
  if (!assigned_) WrongArguments();
  return *assigned_;
}

void CallArgs::Expect(std::size_t max_positional, std::initializer_list<std::string_view> names) const {
  if (positional_.size() > max_positional) WrongArguments();
  for (const auto& entry : named_) {
    const std::string& key = entry.first;
    if (std::none_of(names.begin(), names.end(), [&](std::string_view n) { return SameName(n, key); }))
      WrongArguments();
  }
}

MemberTable::MemberTable(std::vector<Member> members) : members_(std::move(members)) {}

const Member* MemberTable::Find(std::string_view name) const {
  for (const auto& member : members_) {
    if (SameName(member.name, name)) return &member;
  }
  return nullptr;
}

vb::Variant SimObject::Invoke(std::string_view member, vb::CallKind kind, const vb::Arguments& arguments) {
  if (context_ && context_->gate) context_->gate->Enter(member);
  const Member* found = Members().Find(member);
  if (!found) vb::Raise(vb::errors::kNoSuchMember, "PowerPoint");

  if (kind == vb::CallKind::Put) {
    if (!found->put) vb::Raise(vb::errors::kNoSuchMember, "PowerPoint");
    found->put(*this, CallArgs(member, arguments, true));
    return vb::Variant();
  }
  CallArgs args(member, arguments);
  if (found->call) return found->call(*this, args);
  if (!found->get) vb::Raise(vb::errors::kNoSuchMember, "PowerPoint");
  if (!found->takes_arguments && args.count() > 0) {
    // A collection's default member: Slides(3) is Slides.Item(3).
    vb::Variant collection = found->get(*this, CallArgs(member, {}));
    auto object = collection.ToObject();
    if (!object) vb::Raise(vb::errors::kObjectNotSet, "PowerPoint");
    return object->Invoke("Item", vb::CallKind::Get, arguments);
  }
  return found->get(*this, args);
}

void RaisePowerPoint(const std::string& message) {
  vb::Raise(vb::errors::kPowerPoint, "PowerPoint", message);
}

void RaiseOutOfRange(const std::string& where, long index, long count) {
  RaisePowerPoint(where + " : Integer out of range. " + std::to_string(index) +
                  " is not in the valid range of 1 to " + std::to_string(count) + ".");
}

}  // namespace sim::ppt
