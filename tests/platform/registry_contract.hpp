// The Registry port's contract: advapi32's results, sizes and name rules that the module's folder
// settings rely on.
#pragma once

#include <cstring>
#include <string>
#include <vector>

#include "platform/contract.hpp"
#include "platform/registry.hpp"

namespace contract {

class RegistrySubject {
 public:
  virtual ~RegistrySubject() = default;
  virtual platform::Registry& registry() = 0;
  /// A key path under HKEY_CURRENT_USER, missing at first, that the checks may fill; the subject
  /// removes it when it goes.
  virtual std::string scratch_key() = 0;
};

namespace registry_checks {

using namespace platform;

inline HKEY Create(RegistrySubject& s, const std::string& sub) {
  HKEY key = 0;
  EXPECT_EQ(ERROR_SUCCESS,
            s.registry().RegCreateKeyA(HKEY_CURRENT_USER, (s.scratch_key() + sub).c_str(), &key));
  return key;
}

inline void SetString(Registry& registry, HKEY key, const char* name, const std::string& bytes) {
  EXPECT_EQ(ERROR_SUCCESS,
            registry.RegSetValueExA(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(bytes.c_str()),
                                    static_cast<DWORD>(bytes.size() + 1)));
}

// Keys are created with their parents, opened without regard to case, and closed once.
inline void KeysOpenWithoutCase(RegistrySubject& s) {
  Registry& r = s.registry();
  HKEY created = Create(s, "\\Office\\11.0\\PowerPoint");
  EXPECT_EQ(ERROR_SUCCESS, r.RegCloseKey(created));
  HKEY opened = 0;
  std::string upper = s.scratch_key() + "\\OFFICE\\11.0\\POWERPOINT";
  EXPECT_EQ(ERROR_SUCCESS, r.RegOpenKeyExA(HKEY_CURRENT_USER, upper.c_str(), 0, KEY_READ, &opened));
  EXPECT_EQ(ERROR_SUCCESS, r.RegCloseKey(opened));
  EXPECT_EQ(ERROR_INVALID_HANDLE, r.RegCloseKey(opened));
  HKEY missing = 0;
  std::string absent = s.scratch_key() + "\\Office\\10.0";
  EXPECT_EQ(ERROR_FILE_NOT_FOUND, r.RegOpenKeyExA(HKEY_CURRENT_USER, absent.c_str(), 0, KEY_READ, &missing));
}

// A string's size counts its NUL, with or without a buffer to receive it; a buffer too small
// gives ERROR_MORE_DATA and the size needed.
inline void StringSizesCountTheNul(RegistrySubject& s) {
  Registry& r = s.registry();
  HKEY key = Create(s, "");
  SetString(r, key, "Templates", "Mod\xE8les");
  DWORD type = 0, size = 0;
  EXPECT_EQ(ERROR_SUCCESS, r.RegQueryValueExA(key, "Templates", nullptr, &type, nullptr, &size));
  EXPECT_EQ(8u, size);
  EXPECT_EQ(REG_SZ, type);
  BYTE buffer[255] = {};
  size = sizeof buffer;
  EXPECT_EQ(ERROR_SUCCESS, r.RegQueryValueExA(key, "Templates", nullptr, &type, buffer, &size));
  EXPECT_EQ(8u, size);
  EXPECT_EQ(std::string("Mod\xE8les"), std::string(reinterpret_cast<char*>(buffer)));
  size = 4;
  EXPECT_EQ(ERROR_MORE_DATA, r.RegQueryValueExA(key, "Templates", nullptr, nullptr, buffer, &size));
  EXPECT_EQ(8u, size);
  r.RegCloseKey(key);
}

// Value names are found without case; writing under another case replaces the value.
inline void ValueNamesWithoutCase(RegistrySubject& s) {
  Registry& r = s.registry();
  HKEY key = Create(s, "");
  SetString(r, key, "TemplateDir", "a");
  SetString(r, key, "TEMPLATEDIR", "bc");
  DWORD size = 0;
  EXPECT_EQ(ERROR_SUCCESS, r.RegQueryValueExA(key, "templatedir", nullptr, nullptr, nullptr, &size));
  EXPECT_EQ(3u, size);
  char name[64];
  DWORD length = sizeof name;
  EXPECT_EQ(ERROR_SUCCESS, r.RegEnumValueA(key, 0, name, &length, nullptr, nullptr, nullptr, nullptr));
  length = sizeof name;
  EXPECT_EQ(ERROR_NO_MORE_ITEMS, r.RegEnumValueA(key, 1, name, &length, nullptr, nullptr, nullptr, nullptr));
  r.RegCloseKey(key);
}

// The key's default value is the value named "" (or a null name); a new key has none.
inline void DefaultValueIsNamedEmpty(RegistrySubject& s) {
  Registry& r = s.registry();
  HKEY key = Create(s, "\\Recent Folder List\\Default");
  DWORD size = 0;
  EXPECT_EQ(ERROR_FILE_NOT_FOUND, r.RegQueryValueExA(key, "", nullptr, nullptr, nullptr, &size));
  SetString(r, key, nullptr, "c:\\mes documents\\");
  EXPECT_EQ(ERROR_SUCCESS, r.RegQueryValueExA(key, "", nullptr, nullptr, nullptr, &size));
  EXPECT_EQ(18u, size);
  r.RegCloseKey(key);
}

// Values enumerate in the order they were made; lengths leave the NUL out; the end says so.
inline void EnumerationFollowsCreation(RegistrySubject& s) {
  Registry& r = s.registry();
  HKEY key = Create(s, "");
  const std::vector<std::string> names = {"Default", "MultimediaDir", "PictureDir", "TemplateDir"};
  for (const auto& name : names) SetString(r, key, name.c_str(), "x");
  SetString(r, key, "Default", "rewritten");
  for (DWORD i = 0; i < names.size(); ++i) {
    char name[2000];
    DWORD length = sizeof name;
    DWORD size = 0;
    EXPECT_EQ(ERROR_SUCCESS, r.RegEnumValueA(key, i, name, &length, nullptr, nullptr, nullptr, &size));
    EXPECT_EQ(names[i], std::string(name, length));
    EXPECT_EQ(names[i].size(), length);
  }
  char small[4];
  DWORD length = sizeof small;
  EXPECT_EQ(ERROR_MORE_DATA, r.RegEnumValueA(key, 1, small, &length, nullptr, nullptr, nullptr, nullptr));
  char name[64];
  length = sizeof name;
  EXPECT_EQ(ERROR_NO_MORE_ITEMS, r.RegEnumValueA(key, 4, name, &length, nullptr, nullptr, nullptr, nullptr));
  r.RegCloseKey(key);
}

// A key opened for reading refuses writes; access 3 reads and writes.
inline void AccessIsWhatWasAsked(RegistrySubject& s) {
  Registry& r = s.registry();
  r.RegCloseKey(Create(s, ""));
  const std::string path = s.scratch_key();
  HKEY reading = 0;
  EXPECT_EQ(ERROR_SUCCESS, r.RegOpenKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, KEY_READ, &reading));
  const BYTE data[] = "x";
  EXPECT_EQ(ERROR_ACCESS_DENIED, r.RegSetValueExA(reading, "v", 0, REG_SZ, data, 2));
  r.RegCloseKey(reading);
  HKEY both = 0;
  EXPECT_EQ(ERROR_SUCCESS,
            r.RegOpenKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, KEY_QUERY_VALUE | KEY_SET_VALUE, &both));
  EXPECT_EQ(ERROR_SUCCESS, r.RegSetValueExA(both, "v", 0, REG_SZ, data, 2));
  DWORD size = 0;
  EXPECT_EQ(ERROR_SUCCESS, r.RegQueryValueExA(both, "v", nullptr, nullptr, nullptr, &size));
  EXPECT_EQ(ERROR_FILE_NOT_FOUND, r.RegQueryValueExA(both, "absent", nullptr, nullptr, nullptr, &size));
  r.RegCloseKey(both);
}

}  // namespace registry_checks

inline const std::vector<Check<RegistrySubject>> kRegistryContract = {
    {"KeysOpenWithoutCase", registry_checks::KeysOpenWithoutCase},
    {"StringSizesCountTheNul", registry_checks::StringSizesCountTheNul},
    {"ValueNamesWithoutCase", registry_checks::ValueNamesWithoutCase},
    {"DefaultValueIsNamedEmpty", registry_checks::DefaultValueIsNamedEmpty},
    {"EnumerationFollowsCreation", registry_checks::EnumerationFollowsCreation},
    {"AccessIsWhatWasAsked", registry_checks::AccessIsWhatWasAsked},
};

}  // namespace contract
