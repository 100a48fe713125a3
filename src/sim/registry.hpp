// The simulated registry: the keys and values of HKEY_CURRENT_USER, with advapi32's semantics
// (names compared without case, the key's default value named "", values enumerated in the
// order they were created, sizes counting a string's NUL, ERROR_MORE_DATA with the size needed).
// Data is kept as the bytes written: strings are Windows-1252 on this side of the boundary.
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/registry.hpp"

namespace sim {

/// advapi32 results the port does not name.
inline constexpr platform::LSTATUS ERROR_BAD_PATHNAME = 161;
inline constexpr platform::LSTATUS ERROR_KEY_DELETED = 1018;
inline constexpr platform::REGSAM KEY_ENUMERATE_SUB_KEYS = 0x0008;
inline constexpr platform::REGSAM KEY_ALL_ACCESS = 0xF003F;

class Registry : public platform::Registry {
 public:
  /// One value as stored: its name as created, its type and its bytes.
  struct Value {
    std::string name;
    platform::DWORD type = platform::REG_SZ;
    std::string data;
  };
  /// One key with its values in creation order; path is relative to HKEY_CURRENT_USER,
  /// with its components as they were created ("SOFTWARE\Microsoft\Office").
  struct KeyRecord {
    std::string path;
    std::vector<Value> values;
  };

  Registry();
  ~Registry() override;

  // --- advapi32 ----------------------------------------------------------------------------
  platform::LSTATUS RegCreateKeyA(platform::HKEY key, const char* subKey, platform::HKEY* result) override;
  platform::LSTATUS RegOpenKeyExA(platform::HKEY key, const char* subKey, platform::DWORD options,
                                  platform::REGSAM desired, platform::HKEY* result) override;
  platform::LSTATUS RegEnumValueA(platform::HKEY key, platform::DWORD index, char* name,
                                  platform::DWORD* nameLength, platform::DWORD* reserved,
                                  platform::DWORD* type, platform::BYTE* data,
                                  platform::DWORD* dataSize) override;
  platform::LSTATUS RegQueryValueExA(platform::HKEY key, const char* valueName, platform::DWORD* reserved,
                                     platform::DWORD* type, platform::BYTE* data,
                                     platform::DWORD* dataSize) override;
  platform::LSTATUS RegSetValueExA(platform::HKEY key, const char* valueName, platform::DWORD reserved,
                                   platform::DWORD type, const platform::BYTE* data,
                                   platform::DWORD dataSize) override;
  platform::LSTATUS RegCloseKey(platform::HKEY key) override;

  // --- The desktop's own access (UTF-8 names and text; key paths relative to HKEY_CURRENT_USER,
  // "HKEY_CURRENT_USER\" or "HKCU\" in front accepted) -----------------------------------------
  /// Writes a REG_SZ value (stored in Windows-1252, NUL-terminated), creating the key if missing.
  void SetString(const std::string& key, const std::string& valueName, const std::string& text);
  /// A string value's text up to its first NUL, or nullopt when the key or value is missing.
  std::optional<std::string> GetString(const std::string& key, const std::string& valueName) const;
  bool KeyExists(const std::string& key) const;
  /// Removes a key with its sub-keys; false when it did not exist. Open handles to it then fail
  /// with ERROR_KEY_DELETED, as on Windows.
  bool DeleteKey(const std::string& key);
  /// Removes one value; false when it did not exist.
  bool DeleteValue(const std::string& key, const std::string& valueName);

  /// Every key, parents before their sub-keys, with its values: what a saved state holds.
  std::vector<KeyRecord> Keys() const;
  /// Replaces the whole content by the keys given (as Keys() lists them); handles opened before
  /// then fail with ERROR_KEY_DELETED.
  void Restore(const std::vector<KeyRecord>& keys);
  /// Handles opened and not closed yet (the predefined HKEY_CURRENT_USER not counted).
  std::size_t open_handles() const { return handles_.size(); }

  /// The content of a fresh desktop: a French Windows XP session of the user "Apprenant" with
  /// Office 2003 installed.
  void LoadDefaults();

 private:
  struct Key;
  struct Handle {
    std::shared_ptr<Key> key;
    platform::REGSAM access = 0;
  };

  /// The key a handle designates (HKEY_CURRENT_USER included); status set when there is none.
  std::shared_ptr<Key> Resolve(platform::HKEY key, platform::LSTATUS& status,
                               platform::REGSAM needed = 0) const;
  std::shared_ptr<Key> Find(const std::string& path) const;
  std::shared_ptr<Key> Create(const std::string& path);
  platform::HKEY NewHandle(std::shared_ptr<Key> key, platform::REGSAM access);

  std::shared_ptr<Key> root_;
  std::map<platform::HKEY, Handle> handles_;
  platform::HKEY next_handle_ = 0x100;
};

}  // namespace sim
