#include "win32/platform/registry.hpp"

#include <cstring>
#include <string>
#include <vector>

#include <windows.h>

namespace win32 {
namespace {

// The longest value name the registry holds, with its NUL.
constexpr DWORD kLongestValueName = 16384;

// Reads a whole value, asking its size first and again while it grows in between; the bytes
// are exactly the value's, whatever size the first answer gave.
template <class Read>
LSTATUS ReadWhole(Read read, std::vector<BYTE>& bytes) {
  DWORD size = 0;
  LSTATUS status = read(nullptr, &size);
  while (status == ERROR_SUCCESS || status == ERROR_MORE_DATA) {
    bytes.assign(size + 1, 0);  // one more, so that an empty value still has a buffer
    DWORD got = size + 1;
    status = read(bytes.data(), &got);
    if (status == ERROR_SUCCESS) {
      bytes.resize(got);
      return status;
    }
    size = got > size ? got : size + 1;
  }
  return status;
}

// Hands a value's bytes to the caller as advapi32 does: the size is always reported; a buffer
// too small gives ERROR_MORE_DATA and receives nothing.
LSTATUS Deliver(const std::vector<BYTE>& stored, platform::BYTE* data, platform::DWORD* dataSize) {
  if (!dataSize) return ERROR_SUCCESS;
  const auto needed = static_cast<platform::DWORD>(stored.size());
  if (data) {
    if (*dataSize < needed) {
      *dataSize = needed;
      return ERROR_MORE_DATA;
    }
    if (needed > 0) std::memcpy(data, stored.data(), needed);
  }
  *dataSize = needed;
  return ERROR_SUCCESS;
}

}  // namespace

HkcuRegistry::~HkcuRegistry() {
  for (const auto& [handle, native] : keys_) ::RegCloseKey(static_cast<HKEY>(native));
}

void* HkcuRegistry::Native(platform::HKEY key) const {
  if (key == kCurrentUser) return HKEY_CURRENT_USER;
  const auto found = keys_.find(key);
  return found == keys_.end() ? nullptr : found->second;
}

platform::HKEY HkcuRegistry::Keep(void* native) {
  // Handles are multiples of 4 below the predefined keys' range, never two alike.
  while (keys_.count(next_handle_) != 0 || next_handle_ < 0x100 || next_handle_ >= 0x80000000u) {
    next_handle_ = next_handle_ >= 0x80000000u ? 0x100 : next_handle_ + 4;
  }
  const platform::HKEY handle = next_handle_;
  next_handle_ += 4;
  keys_[handle] = native;
  return handle;
}

platform::LSTATUS HkcuRegistry::RegCreateKeyA(platform::HKEY key, const char* subKey,
                                              platform::HKEY* result) {
  if (!result) return ERROR_INVALID_PARAMETER;
  const auto parent = static_cast<HKEY>(Native(key));
  if (!parent) return ERROR_INVALID_HANDLE;
  HKEY created = nullptr;
  const LSTATUS status = ::RegCreateKeyA(parent, subKey, &created);
  if (status != ERROR_SUCCESS) return status;
  // An empty sub-key hands back the key it was given.
  *result = created == parent ? key : Keep(created);
  return ERROR_SUCCESS;
}

platform::LSTATUS HkcuRegistry::RegOpenKeyExA(platform::HKEY key, const char* subKey, platform::DWORD options,
                                              platform::REGSAM desired, platform::HKEY* result) {
  if (!result) return ERROR_INVALID_PARAMETER;
  const auto parent = static_cast<HKEY>(Native(key));
  if (!parent) return ERROR_INVALID_HANDLE;
  HKEY opened = nullptr;
  const LSTATUS status = ::RegOpenKeyExA(parent, subKey, options, desired, &opened);
  if (status != ERROR_SUCCESS) return status;
  *result = Keep(opened);
  return ERROR_SUCCESS;
}

platform::LSTATUS HkcuRegistry::RegEnumValueA(platform::HKEY key, platform::DWORD index, char* name,
                                              platform::DWORD* nameLength, platform::DWORD* reserved,
                                              platform::DWORD* type, platform::BYTE* data,
                                              platform::DWORD* dataSize) {
  const auto native = static_cast<HKEY>(Native(key));
  if (!native) return ERROR_INVALID_HANDLE;
  if (!name || !nameLength || reserved || (data && !dataSize)) return ERROR_INVALID_PARAMETER;
  std::vector<char> found(kLongestValueName);
  DWORD found_type = 0;
  std::vector<BYTE> bytes;
  const LSTATUS status = ReadWhole(
      [&](BYTE* buffer, DWORD* size) {
        DWORD length = kLongestValueName;
        return ::RegEnumValueA(native, index, found.data(), &length, nullptr, &found_type, buffer, size);
      },
      bytes);
  if (status != ERROR_SUCCESS) return status;
  // The name buffer must hold the name and its NUL; when it cannot, nothing is stored.
  const std::size_t length = std::strlen(found.data());
  if (length + 1 > *nameLength) return ERROR_MORE_DATA;
  std::memcpy(name, found.data(), length + 1);
  *nameLength = static_cast<platform::DWORD>(length);
  if (type) *type = found_type;
  return Deliver(bytes, data, dataSize);
}

platform::LSTATUS HkcuRegistry::RegQueryValueExA(platform::HKEY key, const char* valueName,
                                                 platform::DWORD* reserved, platform::DWORD* type,
                                                 platform::BYTE* data, platform::DWORD* dataSize) {
  const auto native = static_cast<HKEY>(Native(key));
  if (!native) return ERROR_INVALID_HANDLE;
  if (reserved || (data && !dataSize)) return ERROR_INVALID_PARAMETER;
  DWORD found_type = 0;
  std::vector<BYTE> bytes;
  const LSTATUS status = ReadWhole(
      [&](BYTE* buffer, DWORD* size) {
        return ::RegQueryValueExA(native, valueName, nullptr, &found_type, buffer, size);
      },
      bytes);
  if (status != ERROR_SUCCESS) return status;
  if (type) *type = found_type;
  return Deliver(bytes, data, dataSize);
}

platform::LSTATUS HkcuRegistry::RegSetValueExA(platform::HKEY key, const char* valueName,
                                               platform::DWORD reserved, platform::DWORD type,
                                               const platform::BYTE* data, platform::DWORD dataSize) {
  const auto native = static_cast<HKEY>(Native(key));
  if (!native) return ERROR_INVALID_HANDLE;
  if (!data && dataSize > 0) return ERROR_INVALID_PARAMETER;
  return ::RegSetValueExA(native, valueName, reserved, type, data, dataSize);
}

platform::LSTATUS HkcuRegistry::RegCloseKey(platform::HKEY key) {
  if (key == kCurrentUser) return ERROR_SUCCESS;
  const auto found = keys_.find(key);
  if (found == keys_.end()) return ERROR_INVALID_HANDLE;
  const LSTATUS status = ::RegCloseKey(static_cast<HKEY>(found->second));
  keys_.erase(found);
  return status;
}

}  // namespace win32
