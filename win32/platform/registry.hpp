// The Registry port over advapi32's 8-bit functions, under HKEY_CURRENT_USER. The port's 32-bit
// HKEY values name entries of a handle table (real HKEYs are pointers on 64-bit Windows); the
// port's HKEY_CURRENT_USER is the real one. Strings cross as bytes of the ANSI code page, which
// the port's callers give in Windows-1252. Include the ports' headers before <windows.h>.
#pragma once

#include <cstddef>
#include <map>

#include "platform/registry.hpp"

namespace win32 {

class HkcuRegistry : public platform::Registry {
 public:
  /// The port's value for the predefined key (the macro of <windows.h> has the same name).
  static constexpr platform::HKEY kCurrentUser = platform::HKEY_CURRENT_USER;

  HkcuRegistry() = default;
  HkcuRegistry(const HkcuRegistry&) = delete;
  HkcuRegistry& operator=(const HkcuRegistry&) = delete;
  /// Closes the keys still open.
  ~HkcuRegistry() override;

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

  /// Keys opened and not closed yet (the predefined key not counted).
  std::size_t open_handles() const { return keys_.size(); }

 private:
  /// The real key (an HKEY) behind a port handle; null when the handle is unknown.
  void* Native(platform::HKEY key) const;
  /// Files a real key in the table and gives its port handle.
  platform::HKEY Keep(void* native);

  std::map<platform::HKEY, void*> keys_;
  platform::HKEY next_handle_ = 0x100;
};

}  // namespace win32
