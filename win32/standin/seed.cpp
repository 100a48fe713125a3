// Makes a real Windows user's desktop ready for the course as the simulated desktop's default
// user has it: the same registry values (from the simulated registry's defaults) but the system's
// own Shell Folders, the user's folders, and PowerPoint's design and content templates where the
// simulated Office has them.
#include <string>

#include "sim/desktop.hpp"
#include "sim/registry.hpp"
#include "vb/error.hpp"
#include "win32/platform/filesystem.hpp"
#include "win32/platform/registry.hpp"
#include "win32/platform/text.hpp"
#include "win32/standin/link.hpp"

namespace standin {
namespace {

[[noreturn]] void Fail(const std::string& what) {
  vb::Raise(vb::errors::kPathFileAccess, "StandinPowerPoint", what);
}

// Copies every file of `source` (a folder, UTF-8) into `target` (ending with a backslash).
void CopyFolder(const std::string& source, const std::string& target) {
  std::wstring pattern = win32::Utf8ToWide(source);
  if (!pattern.empty() && pattern.back() != L'\\') pattern += L'\\';
  const std::wstring folder = pattern;
  pattern += L'*';
  WIN32_FIND_DATAW found;
  const HANDLE search = FindFirstFileW(pattern.c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) Fail("no templates in " + source);
  do {
    if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) continue;
    const std::wstring to = win32::Utf8ToWide(target) + found.cFileName;
    // Installing again repairs what it finds, read-only or not.
    SetFileAttributesW(to.c_str(), FILE_ATTRIBUTE_NORMAL);
    if (!CopyFileW((folder + found.cFileName).c_str(), to.c_str(), FALSE)) {
      FindClose(search);
      Fail("cannot copy " + win32::WideToUtf8(found.cFileName));
    }
  } while (FindNextFileW(search, &found));
  FindClose(search);
}

}  // namespace

void SeedDesktop(const std::string& office) {
  sim::Registry defaults;
  defaults.LoadDefaults();
  win32::HkcuRegistry registry;
  for (const sim::Registry::KeyRecord& key : defaults.Keys()) {
    // The system keeps Shell Folders in step with the user's real folders (Wine rewrites the key
    // whenever a folder is asked for): the real values stand.
    if (key.path.ends_with("\\Shell Folders")) continue;
    platform::HKEY opened = 0;
    if (registry.RegCreateKeyA(win32::HkcuRegistry::kCurrentUser, key.path.c_str(), &opened) != 0)
      Fail("cannot create the key " + key.path);
    for (const sim::Registry::Value& value : key.values) {
      const auto status = registry.RegSetValueExA(opened, value.name.c_str(), 0, value.type,
                                                  reinterpret_cast<const platform::BYTE*>(value.data.data()),
                                                  static_cast<platform::DWORD>(value.data.size()));
      if (status != 0) Fail("cannot write " + key.path + "\\" + value.name);
    }
    registry.RegCloseKey(opened);
  }
  win32::DiskFileSystem files;
  for (const std::string& folder : sim::Desktop::UserFolders()) {
    if (!files.MakeSureDirectoryPathExists(folder)) Fail("cannot make " + folder);
  }
  std::string source = office;
  if (!source.empty() && source.back() != '\\') source += '\\';
  const std::pair<std::string, std::string> installation[] = {
      {source + "designs", sim::Desktop::DesignsFolder()},
      {source + "content", sim::Desktop::ContentFolder()}};
  for (const auto& [from, to] : installation) {
    if (!files.MakeSureDirectoryPathExists(to)) Fail("cannot make " + to);
    CopyFolder(from, to);
  }
}

}  // namespace standin
