#include "powerpoint/object.hpp"

#include "vb/error.hpp"

namespace ppt {

vb::Variant Object::Get(std::string_view member, vb::Arguments arguments) const {
  if (!object_) vb::Raise(vb::errors::kObjectNotSet);
  return object_->Invoke(member, vb::CallKind::Get, arguments);
}

void Object::Put(std::string_view member, vb::Variant value, vb::Arguments arguments) const {
  if (!object_) vb::Raise(vb::errors::kObjectNotSet);
  arguments.push_back(vb::Argument{std::move(value), {}});
  object_->Invoke(member, vb::CallKind::Put, arguments);
}

vb::Variant Object::Call(std::string_view member, vb::Arguments arguments) const {
  if (!object_) vb::Raise(vb::errors::kObjectNotSet);
  return object_->Invoke(member, vb::CallKind::Method, arguments);
}

}  // namespace ppt
