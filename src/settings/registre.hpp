// Reading and writing the user's string values through the Registry port: keys closed on every
// path out, 8-bit (Windows-1252) data converted to and from UTF-8, values read whole whatever
// their length.
#pragma once

#include <optional>
#include <string>

#include "platform/registry.hpp"

namespace k60418::registry_access {

/// A key of HKEY_CURRENT_USER opened through the port, closed when the object goes.
class OpenKey {
 public:
  /// Opens subKey (UTF-8) with the access asked for; nullopt when it cannot be opened.
  static std::optional<OpenKey> Open(platform::Registry& registry, const std::string& subKey,
                                     platform::REGSAM access);
  OpenKey(OpenKey&& other) noexcept;
  OpenKey& operator=(OpenKey&&) = delete;
  OpenKey(const OpenKey&) = delete;
  OpenKey& operator=(const OpenKey&) = delete;
  ~OpenKey();

  platform::HKEY handle() const { return handle_; }

  /// The whole string value of that name ("" names the key's default value), without its
  /// terminator and without any NUL character, in UTF-8. nullopt when the value does not
  /// exist or cannot be read: the query reports a size of 0.
  std::optional<std::string> QueryString(const std::string& valueName) const;
  /// Writes a REG_SZ value, NUL-terminated, its data length counting the terminator.
  /// Returns the port's result code.
  platform::LSTATUS SetString(const std::string& valueName, const std::string& value) const;

 private:
  OpenKey(platform::Registry& registry, platform::HKEY handle) : registry_(&registry), handle_(handle) {}
  platform::Registry* registry_;
  platform::HKEY handle_;
};

}  // namespace k60418::registry_access
