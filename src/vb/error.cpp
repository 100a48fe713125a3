#include "vb/error.hpp"

#include <utility>

namespace vb {

std::string DefaultDescription(std::int32_t number) {
  switch (number) {
    case errors::kInvalidCall:
      return "Invalid procedure call or argument";
    case errors::kOverflow:
      return "Overflow";
    case errors::kSubscriptOutOfRange:
      return "Subscript out of range";
    case errors::kTypeMismatch:
      return "Type mismatch";
    case errors::kFileNotFound:
      return "File not found";
    case errors::kFileAlreadyExists:
      return "File already exists";
    case errors::kPermissionDenied:
      return "Permission denied";
    case errors::kPathFileAccess:
      return "Path/File access error";
    case errors::kPathNotFound:
      return "Path not found";
    case errors::kObjectNotSet:
      return "Object variable or With block variable not set";
    case errors::kCannotCreateObject:
      return "ActiveX component can't create object";
    case errors::kNoSuchMember:
      return "Object doesn't support this property or method";
    case errors::kWrongArgumentCount:
      return "Wrong number of arguments or invalid property assignment";
    case errors::kCallRejected:
      return "Call was rejected by callee.";
    case errors::kServerUnavailable:
      return "The RPC server is unavailable.";
    default:
      return "Application-defined or object-defined error";
  }
}

Error::Error(std::int32_t number, std::string source, std::string description)
    : number_(number), source_(std::move(source)), description_(std::move(description)) {
  what_ = "error " + std::to_string(number_) + " (" + source_ + "): " + description_;
}

Error Error::WithSource(std::string source) const {
  return Error(number_, std::move(source), description_);
}

void Raise(std::int32_t number, std::string source, std::string description) {
  if (description.empty()) description = DefaultDescription(number);
  throw Error(number, std::move(source), std::move(description));
}

}  // namespace vb
