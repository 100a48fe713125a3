// What the Win32 adapters do beyond the ports' contracts: the text conversions at their edges,
// handles in 32 bits, the registry's handle table and whole reads, and the disk's names, refusals
// and current folders, observed through the wide API the adapters must agree with.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "error_number.hpp"
#include "platform_subjects.hpp"
#include "win32/platform/text.hpp"

// After the ports' headers: its macros carry the ports' names.
#include <windows.h>

namespace {

using test_support::ErrorNumberOf;

// Wine's ntdll exports its version; Windows' does not.
bool UnderWine() {
  return GetProcAddress(GetModuleHandleA("ntdll.dll"), "wine_get_version") != nullptr;
}

bool OnDisk(const std::wstring& path) {
  return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

// The name a folder holds for a path, as the disk spells it.
std::wstring NameOnDisk(const std::wstring& path) {
  WIN32_FIND_DATAW found;
  const HANDLE find = FindFirstFileW(path.c_str(), &found);
  if (find == INVALID_HANDLE_VALUE) return L"";
  FindClose(find);
  return found.cFileName;
}

TEST(Win32Text, ConvertsBetweenUtf8Utf16AndTheAnsiCodePage) {
  EXPECT_EQ(std::wstring(L"Cin\u00E9loisirs.ppt"), win32::Utf8ToWide("Cinéloisirs.ppt"));
  EXPECT_EQ(std::string("Ciné.pot"), win32::WideToUtf8(L"Cin\u00E9.pot"));
  EXPECT_EQ(std::string("\xF0\x9F\x93\x8E"), win32::WideToUtf8(win32::Utf8ToWide("\xF0\x9F\x93\x8E")));
  EXPECT_EQ(std::wstring(), win32::Utf8ToWide(""));
  // The course's systems are Western European: the 8-bit functions speak Windows-1252.
  ASSERT_EQ(1252u, GetACP());
  EXPECT_EQ(std::string("Mod\xE8les \x80"), win32::Utf8ToAnsi("Modèles €"));
  EXPECT_EQ(std::string("Modèles €"), win32::AnsiToUtf8("Mod\xE8les \x80"));
  EXPECT_EQ(std::string("?"), win32::Utf8ToAnsi("\xE2\x88\x9E"));  // ∞ has no byte of its own
}

TEST(Win32Windows, HandlesKeep32BitsBySignExtension) {
  const platform::HWND high = static_cast<platform::HWND>(0x80001234u);
  EXPECT_EQ(static_cast<std::intptr_t>(high), reinterpret_cast<std::intptr_t>(win32::NativeHandle(high)));
  EXPECT_EQ(high, win32::PortHandle(win32::NativeHandle(high)));
  contract::Win32WindowsSubject subject;
  const platform::HWND window = subject.OpenWindow(
      "Poign\xC3\xA9"
      "e",
      "K60418Contract");
  EXPECT_TRUE(IsWindow(static_cast<HWND>(win32::NativeHandle(window))));
  EXPECT_EQ(window, subject.windows().FindWindowA("K60418Contract",
                                                  "Poign\xE9"
                                                  "e"));
}

TEST(Win32Registry, HandleTableAndWholeValues) {
  contract::Win32RegistrySubject subject;
  win32::HkcuRegistry registry;
  const platform::HKEY current_user = win32::HkcuRegistry::kCurrentUser;
  platform::HKEY key = 0;
  ASSERT_EQ(ERROR_SUCCESS, registry.RegCreateKeyA(current_user, subject.scratch_key().c_str(), &key));
  EXPECT_EQ(1u, registry.open_handles());
  // An empty sub-key opens the key again under a handle of its own.
  platform::HKEY again = 0;
  EXPECT_EQ(ERROR_SUCCESS, registry.RegCreateKeyA(key, "", &again));
  EXPECT_NE(key, again);
  EXPECT_EQ(2u, registry.open_handles());
  EXPECT_EQ(ERROR_SUCCESS, registry.RegCloseKey(again));
  EXPECT_EQ(1u, registry.open_handles());

  // A value longer than any first guess comes back whole; an accented name is stored as the
  // character it stands for in Windows-1252.
  const std::string long_text(5000, 'x');
  ASSERT_EQ(ERROR_SUCCESS, registry.RegSetValueExA(key, "Mod\xE8les", 0, REG_SZ,
                                                   reinterpret_cast<const BYTE*>(long_text.c_str()),
                                                   static_cast<platform::DWORD>(long_text.size() + 1)));
  std::string read(6000, '\0');
  platform::DWORD size = static_cast<platform::DWORD>(read.size());
  EXPECT_EQ(ERROR_SUCCESS, registry.RegQueryValueExA(key, "MOD\xC8LES", nullptr, nullptr,
                                                     reinterpret_cast<BYTE*>(read.data()), &size));
  EXPECT_EQ(5001u, size);
  EXPECT_EQ(long_text, std::string(read.c_str()));
  char name[32];
  platform::DWORD length = sizeof name;
  size = 0;
  EXPECT_EQ(ERROR_SUCCESS, registry.RegEnumValueA(key, 0, name, &length, nullptr, nullptr, nullptr, &size));
  EXPECT_EQ(std::string("Mod\xE8les"), std::string(name, length));
  EXPECT_EQ(5001u, size);
  HKEY native = nullptr;
  ASSERT_EQ(ERROR_SUCCESS, RegOpenKeyExW(HKEY_CURRENT_USER, win32::Utf8ToWide(subject.scratch_key()).c_str(),
                                         0, KEY_READ, &native));
  EXPECT_EQ(ERROR_SUCCESS, RegQueryValueExW(native, L"Mod\u00E8les", nullptr, nullptr, nullptr, nullptr));
  RegCloseKey(native);

  // Data announced but missing is refused rather than read from nowhere.
  EXPECT_EQ(ERROR_INVALID_PARAMETER, registry.RegSetValueExA(key, "v", 0, REG_SZ, nullptr, 4));
  EXPECT_EQ(ERROR_SUCCESS, registry.RegCloseKey(key));
  EXPECT_EQ(0u, registry.open_handles());
  EXPECT_EQ(ERROR_SUCCESS, registry.RegCloseKey(current_user));
  // A handle the table does not hold is refused by every function.
  size = 0;
  length = sizeof name;
  EXPECT_EQ(ERROR_INVALID_HANDLE, registry.RegQueryValueExA(key, "v", nullptr, nullptr, nullptr, &size));
  EXPECT_EQ(ERROR_INVALID_HANDLE,
            registry.RegEnumValueA(key, 0, name, &length, nullptr, nullptr, nullptr, nullptr));
  EXPECT_EQ(ERROR_INVALID_HANDLE, registry.RegSetValueExA(key, "v", 0, REG_SZ, nullptr, 0));
  EXPECT_EQ(ERROR_INVALID_HANDLE, registry.RegOpenKeyExA(key, "", 0, KEY_READ, &again));
  EXPECT_EQ(ERROR_INVALID_HANDLE, registry.RegCreateKeyA(0x80000002u, "Software", &again));
}

// Windows enumerates a key's values in the order they were made, as the simulator does; Wine in
// the order of their names (a divergence of Wine's: the contract's names are made in that order,
// and the module looks values up by name, never by position).
TEST(Win32Registry, EnumerationOrderIsTheSystems) {
  contract::Win32RegistrySubject subject;
  win32::HkcuRegistry registry;
  platform::HKEY key = 0;
  ASSERT_EQ(ERROR_SUCCESS,
            registry.RegCreateKeyA(win32::HkcuRegistry::kCurrentUser, subject.scratch_key().c_str(), &key));
  for (const char* name : {"Zeta", "Alpha"}) {
    registry.RegSetValueExA(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>("x"), 2);
  }
  char first[16];
  platform::DWORD length = sizeof first;
  ASSERT_EQ(ERROR_SUCCESS,
            registry.RegEnumValueA(key, 0, first, &length, nullptr, nullptr, nullptr, nullptr));
  EXPECT_EQ(std::string(UnderWine() ? "Alpha" : "Zeta"), std::string(first)) << "Wine's order changed";
  registry.RegCloseKey(key);
}

class Win32Files : public testing::Test {
 protected:
  std::wstring Wide(const std::string& name) { return win32::Utf8ToWide(subject.scratch_folder() + name); }
  contract::Win32FileSystemSubject subject;
  platform::FileSystem& files = subject.files();
  const std::string folder = subject.scratch_folder();
};

TEST_F(Win32Files, AccentedNamesReachTheDiskAsTheyAre) {
  const HANDLE made = CreateFileW(Wide("").append(L"Cin\u00E9.pot").c_str(), GENERIC_WRITE, 0, nullptr,
                                  CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(INVALID_HANDLE_VALUE, made);
  CloseHandle(made);
  EXPECT_TRUE(files.Exists(folder + "Ciné.pot"));
  files.Name(folder + "Ciné.pot", folder + "Cinéloisirs.ppt");
  EXPECT_TRUE(OnDisk(Wide("").append(L"Cin\u00E9loisirs.ppt")));
  // A change of case only is no existing destination. Windows then spells the name as given;
  // Wine keeps the former spelling (a divergence of Wine's, which the module does not meet: its
  // renames change names, not only their case).
  EXPECT_EQ(0, ErrorNumberOf([&] { files.Name(folder + "cinéloisirs.ppt", folder + "CINÉLOISIRS.PPT"); }));
  const std::wstring spelt = NameOnDisk(Wide("CINÉLOISIRS.PPT"));
  if (UnderWine()) {
    EXPECT_EQ(std::wstring(L"Cin\u00E9loisirs.ppt"), spelt) << "Wine now renames a change of case";
  } else {
    EXPECT_EQ(std::wstring(L"CIN\u00C9LOISIRS.PPT"), spelt);
  }
}

TEST_F(Win32Files, PathsThatWouldNameAnotherFileAreBadNames) {
  subject.MakeFile(folder + "Garde.ppt");
  EXPECT_EQ(52, ErrorNumberOf([&] { files.Kill(folder + std::string("Garde.ppt\0.bak", 14)); }));
  EXPECT_EQ(52, ErrorNumberOf([&] { files.Kill(folder + "Gard\xE9.ppt"); }));  // not UTF-8
  EXPECT_EQ(52, ErrorNumberOf([&] { files.Kill(""); }));
  // A divergence from the simulator, which deletes what a pattern matches as VB's Kill does: the
  // port names one file, the module never gives a pattern, and this adapter refuses one.
  EXPECT_EQ(52, ErrorNumberOf([&] { files.Kill(folder + "*.ppt"); }));
  EXPECT_TRUE(files.Exists(folder + "Garde.ppt"));
}

TEST_F(Win32Files, FileHeldOpenGives70) {
  subject.MakeFile(folder + "Ouvert.ppt");
  const HANDLE held = CreateFileW(Wide("Ouvert.ppt").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                                  FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(INVALID_HANDLE_VALUE, held);
  EXPECT_EQ(70, ErrorNumberOf([&] { files.Kill(folder + "Ouvert.ppt"); }));
  EXPECT_EQ(70, ErrorNumberOf([&] { files.Name(folder + "Ouvert.ppt", folder + "Autre.ppt"); }));
  CloseHandle(held);
  EXPECT_EQ(0, ErrorNumberOf([&] { files.Kill(folder + "Ouvert.ppt"); }));
}

TEST_F(Win32Files, AttributesDatesAndFolders) {
  subject.MakeFile(folder + "Fichier.ppt");
  // Windows clears the archive bit when asked; Wine (on a disk without extended attributes) keeps
  // it on every file, a divergence of Wine's that the module does not meet (it only clears
  // read-only before Kill and Name).
  const std::uint32_t archive = UnderWine() ? platform::attributes::kArchive : 0;
  files.SetAttr(folder + "Fichier.ppt", platform::attributes::kHidden | platform::attributes::kReadOnly);
  EXPECT_EQ(platform::attributes::kHidden | platform::attributes::kReadOnly | archive,
            files.GetAttr(folder + "Fichier.ppt"));
  files.SetAttr(folder + "Fichier.ppt", platform::attributes::kNormal);
  EXPECT_EQ(platform::attributes::kNormal | archive, files.GetAttr(folder + "Fichier.ppt"));
  EXPECT_EQ(5,
            ErrorNumberOf([&] { files.SetAttr(folder + "Fichier.ppt", platform::attributes::kDirectory); }));
  // Written just now, in local time.
  const double age =
      (win32::SystemClock().Now().serial - files.FileDateTime(folder + "Fichier.ppt").serial) * 86400;
  EXPECT_LE(0.0, age);
  EXPECT_GE(120.0, age);
  // A file in the way of a folder: the path cannot be made.
  EXPECT_FALSE(files.MakeSureDirectoryPathExists(folder + "Fichier.ppt\\sous\\"));
  EXPECT_FALSE(files.MakeSureDirectoryPathExists(folder + "Fichier.ppt\\"));
  EXPECT_EQ(53, ErrorNumberOf([&] { files.Kill(folder); }));
}

TEST_F(Win32Files, ChDirOnAnotherDriveKeepsTheCurrentDrive) {
  const std::string current = files.CurDir();
  const DWORD drives = GetLogicalDrives();
  char other = 0;
  for (char letter = 'D'; letter <= 'Z' && !other; ++letter) {
    if (letter != current[0] && (drives & (1u << (letter - 'A')))) other = letter;
  }
  ASSERT_NE(0, other) << "no second drive to change to";
  files.ChDir(std::string(1, other) + ":\\");
  EXPECT_EQ(current, files.CurDir());
  wchar_t full[MAX_PATH];
  const wchar_t relative[] = {static_cast<wchar_t>(other), L':', L'\0'};
  GetFullPathNameW(relative, MAX_PATH, full, nullptr);
  EXPECT_EQ(std::wstring(1, static_cast<wchar_t>(other)) + L":\\", std::wstring(full));
  // A file is no folder to change to, on another drive too (the test program's, Z: under Wine).
  wchar_t program[MAX_PATH];
  GetModuleFileNameW(nullptr, program, MAX_PATH);
  ASSERT_NE(static_cast<wchar_t>(current[0]), program[0]) << "the test program is on the current drive";
  EXPECT_EQ(76, ErrorNumberOf([&] { files.ChDir(win32::WideToUtf8(program)); }));
  EXPECT_EQ(current, files.CurDir());
}

}  // namespace
