// The simulated registry with refusals the simulator does not model: a key that opens for reading
// but not for writing, and values that cannot be written.
#pragma once

#include <string>

#include "platform/registry.hpp"
#include "sim/registry.hpp"

namespace test_support {

class RefusingRegistry : public platform::Registry {
 public:
  explicit RefusingRegistry(sim::Registry& inner) : inner_(inner) {}
  std::string refuse_write_access_to;
  bool refuse_set = false;

  platform::LSTATUS RegCreateKeyA(platform::HKEY key, const char* subKey, platform::HKEY* result) override {
    return inner_.RegCreateKeyA(key, subKey, result);
  }
  platform::LSTATUS RegOpenKeyExA(platform::HKEY key, const char* subKey, platform::DWORD options,
                                  platform::REGSAM desired, platform::HKEY* result) override {
    if (subKey != nullptr && refuse_write_access_to == subKey && (desired & platform::KEY_SET_VALUE) != 0) {
      return platform::ERROR_ACCESS_DENIED;
    }
    return inner_.RegOpenKeyExA(key, subKey, options, desired, result);
  }
  platform::LSTATUS RegEnumValueA(platform::HKEY key, platform::DWORD index, char* name,
                                  platform::DWORD* nameLength, platform::DWORD* reserved,
                                  platform::DWORD* type, platform::BYTE* data,
                                  platform::DWORD* dataSize) override {
    return inner_.RegEnumValueA(key, index, name, nameLength, reserved, type, data, dataSize);
  }
  platform::LSTATUS RegQueryValueExA(platform::HKEY key, const char* valueName, platform::DWORD* reserved,
                                     platform::DWORD* type, platform::BYTE* data,
                                     platform::DWORD* dataSize) override {
    return inner_.RegQueryValueExA(key, valueName, reserved, type, data, dataSize);
  }
  platform::LSTATUS RegSetValueExA(platform::HKEY key, const char* valueName, platform::DWORD reserved,
                                   platform::DWORD type, const platform::BYTE* data,
                                   platform::DWORD dataSize) override {
    if (refuse_set) return platform::ERROR_ACCESS_DENIED;
    return inner_.RegSetValueExA(key, valueName, reserved, type, data, dataSize);
  }
  platform::LSTATUS RegCloseKey(platform::HKEY key) override { return inner_.RegCloseKey(key); }

 private:
  sim::Registry& inner_;
};

}  // namespace test_support
