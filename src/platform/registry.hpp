// The advapi32 registry functions the module calls, over HKEY_CURRENT_USER and 8-bit strings
// (Windows-1252 on the wire: callers convert with vb::ToCp1252 / vb::FromCp1252).
#pragma once

#include <cstdint>

namespace platform {

using HKEY = std::uint32_t;
using LSTATUS = std::int32_t;
using DWORD = std::uint32_t;
using REGSAM = std::uint32_t;
using BYTE = std::uint8_t;

inline constexpr HKEY HKEY_CURRENT_USER = 0x80000001u;

inline constexpr LSTATUS ERROR_SUCCESS = 0;
inline constexpr LSTATUS ERROR_FILE_NOT_FOUND = 2;
inline constexpr LSTATUS ERROR_ACCESS_DENIED = 5;
inline constexpr LSTATUS ERROR_INVALID_HANDLE = 6;
inline constexpr LSTATUS ERROR_INVALID_PARAMETER = 87;
inline constexpr LSTATUS ERROR_MORE_DATA = 234;
inline constexpr LSTATUS ERROR_NO_MORE_ITEMS = 259;

inline constexpr DWORD REG_SZ = 1;
inline constexpr REGSAM KEY_QUERY_VALUE = 0x0001;
inline constexpr REGSAM KEY_SET_VALUE = 0x0002;
inline constexpr REGSAM KEY_READ = 0x20019;

/// Registry functions of advapi32, with Win32's result codes and size conventions: a string
/// value's size counts its terminating NUL; a buffer too small gives ERROR_MORE_DATA and the
/// size needed. Null pointers are allowed where Win32 allows them.
class Registry {
 public:
  virtual ~Registry() = default;
  virtual LSTATUS RegCreateKeyA(HKEY key, const char* subKey, HKEY* result) = 0;
  virtual LSTATUS RegOpenKeyExA(HKEY key, const char* subKey, DWORD options, REGSAM desired,
                                HKEY* result) = 0;
  /// nameLength: in, the buffer's size in characters; out, the name's length without its NUL.
  virtual LSTATUS RegEnumValueA(HKEY key, DWORD index, char* name, DWORD* nameLength, DWORD* reserved,
                                DWORD* type, BYTE* data, DWORD* dataSize) = 0;
  virtual LSTATUS RegQueryValueExA(HKEY key, const char* valueName, DWORD* reserved, DWORD* type, BYTE* data,
                                   DWORD* dataSize) = 0;
  virtual LSTATUS RegSetValueExA(HKEY key, const char* valueName, DWORD reserved, DWORD type,
                                 const BYTE* data, DWORD dataSize) = 0;
  virtual LSTATUS RegCloseKey(HKEY key) = 0;
};

}  // namespace platform
