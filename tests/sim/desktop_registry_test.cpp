// Conformance of the simulated registry beyond the port's contract: the fresh desktop's content,
// the 8-bit boundary, deleted keys.
#include <gtest/gtest.h>

#include "sim/desktop.hpp"
#include "sim/registry.hpp"

namespace {

using namespace platform;

constexpr const char* kRecent = "SOFTWARE\\Microsoft\\Office\\11.0\\Powerpoint\\RecentFolderList";
constexpr const char* kGeneral = "SOFTWARE\\Microsoft\\Office\\11.0\\Common\\General";

std::string Query(sim::Registry& registry, const char* key_path, const char* name,
                  DWORD* size_out = nullptr) {
  HKEY key = 0;
  if (registry.RegOpenKeyExA(HKEY_CURRENT_USER, key_path, 0, KEY_READ, &key) != ERROR_SUCCESS)
    return "<no key>";
  char buffer[255] = {};
  DWORD size = sizeof buffer;
  const LSTATUS status =
      registry.RegQueryValueExA(key, name, nullptr, nullptr, reinterpret_cast<BYTE*>(buffer), &size);
  registry.RegCloseKey(key);
  if (size_out) *size_out = size;
  return status == ERROR_SUCCESS ? std::string(buffer) : "<no value>";
}

class DesktopRegistry : public testing::Test {
 protected:
  sim::Desktop desktop;
  sim::Registry& registry = desktop.registry();
};

TEST_F(DesktopRegistry, FreshDesktopHoldsTheUsersSettings) {
  // The application-data folder of the user "Apprenant".
  EXPECT_EQ(
      "C:\\Documents and Settings\\Apprenant\\Application Data",
      Query(registry, "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders", "AppData"));
  // Office's template sub-folder, in Windows-1252, its size counting the NUL.
  DWORD size = 0;
  EXPECT_EQ("Mod\xE8les", Query(registry, kGeneral, "Templates", &size));
  EXPECT_EQ(8u, size);
  // No folder of the user's own templates.
  EXPECT_EQ("<no value>", Query(registry, kGeneral, "UserTemplates"));
  // PowerPoint's four remembered folders: mixed case, ending with a backslash.
  for (const char* name : {"Default", "MultimediaDir", "PictureDir", "TemplateDir"}) {
    const std::string folder = Query(registry, kRecent, name);
    EXPECT_EQ(0u, folder.rfind("C:\\Documents and Settings\\Apprenant\\", 0)) << name << ": " << folder;
    EXPECT_EQ('\\', folder.back()) << name;
  }
  // No Office 10.0 keys.
  EXPECT_FALSE(registry.KeyExists("SOFTWARE\\Microsoft\\Office\\10.0"));
}

TEST_F(DesktopRegistry, DesktopTextCrossesTheEightBitBoundary) {
  // UTF-8 in, Windows-1252 bytes stored, UTF-8 out; the value's case-insensitive name still finds it.
  desktop.SetRegistry("HKEY_CURRENT_USER\\Software\\K60418", "Dossier", "C:\\Modèles\\‹en-tête›\\");
  EXPECT_EQ(
      "C:\\Mod\xE8les\\\x8B"
      "en-t\xEAte\x9B\\",
      Query(registry, "Software\\K60418", "dossier"));
  EXPECT_EQ("C:\\Modèles\\‹en-tête›\\",
            desktop.RegistryValue("software\\k60418", "DOSSIER").value_or("<none>"));
  // A character Windows-1252 lacks becomes '?'.
  desktop.SetRegistry("Software\\K60418", "Grec", "Ωmega");
  EXPECT_EQ("?mega", desktop.RegistryValue("Software\\K60418", "Grec").value_or("<none>"));
}

TEST_F(DesktopRegistry, DeletedKeyFailsItsHandles) {
  // A handle to a key deleted from under it answers ERROR_KEY_DELETED, as on Windows.
  HKEY key = 0;
  ASSERT_EQ(ERROR_SUCCESS, registry.RegOpenKeyExA(HKEY_CURRENT_USER, kRecent, 0, 3, &key));
  EXPECT_TRUE(desktop.DeleteRegistry("SOFTWARE\\Microsoft\\Office\\11.0\\PowerPoint"));
  DWORD size = 0;
  EXPECT_EQ(sim::ERROR_KEY_DELETED,
            registry.RegQueryValueExA(key, "Default", nullptr, nullptr, nullptr, &size));
  EXPECT_EQ(ERROR_SUCCESS, registry.RegCloseKey(key));
  // The sub-keys went with it; deleting again reports that nothing was there.
  EXPECT_FALSE(registry.KeyExists(kRecent));
  EXPECT_FALSE(desktop.DeleteRegistry("SOFTWARE\\Microsoft\\Office\\11.0\\PowerPoint"));
}

TEST_F(DesktopRegistry, EmptySubKeyOpensTheKeyAgain) {
  // Windows opens an opened key again under a handle of its own, closed apart from the first;
  // the predefined key stays itself.
  HKEY key = 0;
  ASSERT_EQ(ERROR_SUCCESS, registry.RegCreateKeyA(HKEY_CURRENT_USER, kRecent, &key));
  HKEY again = 0;
  ASSERT_EQ(ERROR_SUCCESS, registry.RegCreateKeyA(key, "", &again));
  EXPECT_NE(key, again);
  EXPECT_EQ(ERROR_SUCCESS, registry.RegCloseKey(key));
  DWORD size = 0;
  EXPECT_EQ(ERROR_SUCCESS, registry.RegQueryValueExA(again, "Default", nullptr, nullptr, nullptr, &size));
  EXPECT_EQ(ERROR_SUCCESS, registry.RegCloseKey(again));
  HKEY root = 0;
  EXPECT_EQ(ERROR_SUCCESS, registry.RegCreateKeyA(HKEY_CURRENT_USER, nullptr, &root));
  EXPECT_EQ(HKEY_CURRENT_USER, root);
  EXPECT_EQ(0u, registry.open_handles());
}

TEST_F(DesktopRegistry, EnumerationReportsDataSizes) {
  // RegEnumValueA gives the data size with the name, and ERROR_MORE_DATA for a small data buffer.
  HKEY key = 0;
  ASSERT_EQ(ERROR_SUCCESS, registry.RegOpenKeyExA(HKEY_CURRENT_USER, kGeneral, 0, KEY_READ, &key));
  char name[2000];
  DWORD length = sizeof name;
  BYTE data[4];
  DWORD size = sizeof data;
  DWORD type = 0;
  EXPECT_EQ(ERROR_MORE_DATA, registry.RegEnumValueA(key, 0, name, &length, nullptr, &type, data, &size));
  EXPECT_EQ(8u, size);
  EXPECT_EQ(REG_SZ, type);
  registry.RegCloseKey(key);
  // Every handle opened here was closed.
  EXPECT_EQ(0u, registry.open_handles());
}

}  // namespace
