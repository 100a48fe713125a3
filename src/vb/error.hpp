// The error the host reads: VB's Err object, with its number, source and description.
#pragma once

#include <cstdint>
#include <exception>
#include <string>

namespace vb {

/// The component's project name: the source of every error the module raises itself.
inline constexpr const char* kProjectName = "K60418";

/// VB6 run-time error numbers the module raises (descriptions in DefaultDescription).
namespace errors {
inline constexpr std::int32_t kInvalidCall = 5;
inline constexpr std::int32_t kOverflow = 6;
inline constexpr std::int32_t kSubscriptOutOfRange = 9;
inline constexpr std::int32_t kTypeMismatch = 13;
inline constexpr std::int32_t kFileNotFound = 53;
inline constexpr std::int32_t kFileAlreadyExists = 58;
inline constexpr std::int32_t kPermissionDenied = 70;
inline constexpr std::int32_t kPathFileAccess = 75;
inline constexpr std::int32_t kPathNotFound = 76;
inline constexpr std::int32_t kObjectNotSet = 91;
inline constexpr std::int32_t kCannotCreateObject = 429;
inline constexpr std::int32_t kNoSuchMember = 438;
inline constexpr std::int32_t kWrongArgumentCount = 450;
/// The generic error PowerPoint raises for a bad argument or a missing object (0x80048240).
inline constexpr std::int32_t kPowerPoint = -2147188160;
/// RPC_E_CALL_REJECTED: the other process refuses calls (a modal dialog is open).
inline constexpr std::int32_t kCallRejected = -2147418111;
/// RPC_S_SERVER_UNAVAILABLE: the other process has ended.
inline constexpr std::int32_t kServerUnavailable = -2147023174;
}  // namespace errors

/// The description VB gives an error raised with no description of its own: the run-time
/// error's text for the numbers above, "Application-defined or object-defined error" otherwise.
std::string DefaultDescription(std::int32_t number);

/// A raised error, as the host receives it: number, source and description.
/// Trapping is catching it; re-raising with another source keeps number and description.
class Error : public std::exception {
 public:
  Error(std::int32_t number, std::string source, std::string description);

  std::int32_t number() const noexcept { return number_; }
  const std::string& source() const noexcept { return source_; }
  const std::string& description() const noexcept { return description_; }

  /// The same error with another source (what a reporting trap raises again).
  Error WithSource(std::string source) const;

  const char* what() const noexcept override { return what_.c_str(); }

 private:
  std::int32_t number_;
  std::string source_;
  std::string description_;
  std::string what_;
};

/// VB's Err.Raise: an empty description takes the default one for the number.
[[noreturn]] void Raise(std::int32_t number, std::string source = kProjectName, std::string description = {});

}  // namespace vb
