#include "win32/platform/filesystem.hpp"

#include <cstdint>
#include <string>

#include "vb/error.hpp"
#include "win32/platform/text.hpp"

#include <windows.h>

namespace win32 {
namespace {

namespace attr = platform::attributes;

// VB's numbers for the failures the port names, and the others a disk gives.
constexpr std::int32_t kBadFileName = 52;
constexpr std::int32_t kDiskFull = 61;
constexpr std::int32_t kDiskNotReady = 71;
constexpr std::int32_t kRenameAcrossDrives = 74;

constexpr std::uint32_t kVbAttributes =
    attr::kReadOnly | attr::kHidden | attr::kSystem | attr::kDirectory | attr::kArchive;
constexpr std::uint32_t kSettableAttributes =
    attr::kReadOnly | attr::kHidden | attr::kSystem | attr::kArchive;

// Raises the VB error for a failed call, `missing` when the file or its folder was not found.
[[noreturn]] void Fail(DWORD error, std::int32_t missing) {
  switch (error) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
      vb::Raise(missing);
    case ERROR_INVALID_DRIVE:
    case ERROR_BAD_NETPATH:
    case ERROR_BAD_NET_NAME:
    case ERROR_DIRECTORY:
      vb::Raise(vb::errors::kPathNotFound);
    case ERROR_INVALID_NAME:
    case ERROR_BAD_PATHNAME:
    case ERROR_FILENAME_EXCED_RANGE:
      vb::Raise(kBadFileName);
    case ERROR_ALREADY_EXISTS:
    case ERROR_FILE_EXISTS:
      vb::Raise(vb::errors::kFileAlreadyExists);
    case ERROR_NOT_SAME_DEVICE:
      vb::Raise(kRenameAcrossDrives);
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
    case ERROR_WRITE_PROTECT:
      vb::Raise(vb::errors::kPermissionDenied);
    case ERROR_NOT_READY:
      vb::Raise(kDiskNotReady);
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL:
      vb::Raise(kDiskFull);
    default:
      vb::Raise(vb::errors::kPathFileAccess);
  }
}

// The UTF-16 form of a path. A path that is empty, not UTF-8, or holds a NUL (which would cut it
// short and name another file) is a bad file name.
std::wstring Wide(const std::string& path) {
  if (path.empty() || path.find('\0') != std::string::npos) vb::Raise(kBadFileName);
  const int size = static_cast<int>(path.size());
  const int n = MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, path.data(), size, nullptr, 0);
  if (n <= 0) vb::Raise(kBadFileName);
  std::wstring wide(static_cast<std::size_t>(n), L'\0');
  MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, path.data(), size, wide.data(), n);
  return wide;
}

bool EndsWithSeparator(const std::string& path) {
  return !path.empty() && (path.back() == '\\' || path.back() == '/');
}

// The attributes of what a path names: a path ending with a separator names a folder only.
// Raises `missing` (or the error the system gives) when there is nothing there.
DWORD Attributes(const std::string& path, std::int32_t missing) {
  const DWORD found = GetFileAttributesW(Wide(path).c_str());
  if (found == INVALID_FILE_ATTRIBUTES) Fail(GetLastError(), missing);
  if (EndsWithSeparator(path) && !(found & FILE_ATTRIBUTE_DIRECTORY)) vb::Raise(missing);
  return found;
}

std::wstring FullPath(const std::wstring& path) {
  std::wstring full(MAX_PATH, L'\0');
  while (true) {
    const DWORD n = GetFullPathNameW(path.c_str(), static_cast<DWORD>(full.size()), full.data(), nullptr);
    if (n == 0) Fail(GetLastError(), vb::errors::kPathNotFound);
    if (n < full.size()) {
      full.resize(n);
      return full;
    }
    full.resize(n);
  }
}

bool SameText(const std::wstring& a, const std::wstring& b) {
  return CompareStringOrdinal(a.data(), static_cast<int>(a.size()), b.data(), static_cast<int>(b.size()),
                              TRUE) == CSTR_EQUAL;
}

// The drive letter of a full path ("C:\…"), upper case; 0 for another kind of path.
wchar_t DriveOf(const std::wstring& full) {
  if (full.size() < 2 || full[1] != L':') return 0;
  const wchar_t letter = full[0];
  return letter >= L'a' && letter <= L'z' ? static_cast<wchar_t>(letter - L'a' + L'A') : letter;
}

std::wstring CurrentDirectory() {
  std::wstring current(MAX_PATH, L'\0');
  while (true) {
    const DWORD n = GetCurrentDirectoryW(static_cast<DWORD>(current.size()), current.data());
    if (n == 0) Fail(GetLastError(), vb::errors::kPathNotFound);
    if (n < current.size()) {
      current.resize(n);
      return current;
    }
    current.resize(n);
  }
}

}  // namespace

bool DiskFileSystem::Exists(const std::string& path) {
  try {
    Attributes(path, vb::errors::kFileNotFound);
    return true;
  } catch (const vb::Error&) {
    return false;
  }
}

std::uint32_t DiskFileSystem::GetAttr(const std::string& path) {
  return Attributes(path, vb::errors::kFileNotFound) & kVbAttributes;
}

void DiskFileSystem::SetAttr(const std::string& path, std::uint32_t attributes) {
  if ((attributes & ~kSettableAttributes) != 0) vb::Raise(vb::errors::kInvalidCall);
  Attributes(path, vb::errors::kFileNotFound);
  const DWORD value = attributes == attr::kNormal ? FILE_ATTRIBUTE_NORMAL : attributes;
  if (!SetFileAttributesW(Wide(path).c_str(), value)) Fail(GetLastError(), vb::errors::kFileNotFound);
}

void DiskFileSystem::Kill(const std::string& path) {
  // A folder is no file to Kill.
  if (Attributes(path, vb::errors::kFileNotFound) & FILE_ATTRIBUTE_DIRECTORY)
    vb::Raise(vb::errors::kFileNotFound);
  if (!DeleteFileW(Wide(path).c_str())) Fail(GetLastError(), vb::errors::kFileNotFound);
}

void DiskFileSystem::Name(const std::string& from, const std::string& to) {
  const DWORD source = Attributes(from, vb::errors::kFileNotFound);
  const std::wstring wide_from = Wide(from);
  const std::wstring wide_to = Wide(to);
  // The destination may be the source itself under another case (a change of case only).
  if (GetFileAttributesW(wide_to.c_str()) != INVALID_FILE_ATTRIBUTES &&
      !SameText(FullPath(wide_from), FullPath(wide_to)))
    vb::Raise(vb::errors::kFileAlreadyExists);
  // Windows renames read-only files; VB's Name, as the port, refuses them.
  if (source & FILE_ATTRIBUTE_READONLY) vb::Raise(vb::errors::kPathFileAccess);
  if (!MoveFileW(wide_from.c_str(), wide_to.c_str())) {
    const DWORD error = GetLastError();
    Fail(error, error == ERROR_FILE_NOT_FOUND ? vb::errors::kFileNotFound : vb::errors::kPathNotFound);
  }
}

vb::Date DiskFileSystem::FileDateTime(const std::string& path) {
  Attributes(path, vb::errors::kFileNotFound);
  WIN32_FILE_ATTRIBUTE_DATA data;
  if (!GetFileAttributesExW(Wide(path).c_str(), GetFileExInfoStandard, &data))
    Fail(GetLastError(), vb::errors::kFileNotFound);
  SYSTEMTIME utc, local;
  if (!FileTimeToSystemTime(&data.ftLastWriteTime, &utc) ||
      !SystemTimeToTzSpecificLocalTime(nullptr, &utc, &local))
    Fail(GetLastError(), vb::errors::kFileNotFound);
  return vb::Date::FromParts(local.wYear, local.wMonth, local.wDay, local.wHour, local.wMinute,
                             local.wSecond);
}

void DiskFileSystem::ChDir(const std::string& path) {
  const std::wstring full = FullPath(Wide(path));
  const DWORD found = GetFileAttributesW(full.c_str());
  if (found == INVALID_FILE_ATTRIBUTES) Fail(GetLastError(), vb::errors::kPathNotFound);
  if (!(found & FILE_ATTRIBUTE_DIRECTORY)) vb::Raise(vb::errors::kPathNotFound);
  const wchar_t drive = DriveOf(full);
  if (drive != 0 && drive != DriveOf(CurrentDirectory())) {
    // Another drive's current folder is the hidden variable "=D:" the system keeps for it.
    const std::wstring variable = std::wstring(L"=") + drive + L":";
    if (!SetEnvironmentVariableW(variable.c_str(), full.c_str()))
      Fail(GetLastError(), vb::errors::kPathNotFound);
    return;
  }
  if (!SetCurrentDirectoryW(full.c_str())) Fail(GetLastError(), vb::errors::kPathNotFound);
}

std::string DiskFileSystem::CurDir() {
  return WideToUtf8(CurrentDirectory());
}

bool DiskFileSystem::MakeSureDirectoryPathExists(const std::string& path) {
  try {
    // Everything up to the last separator is a folder; what follows it is a file name.
    const std::size_t last = path.find_last_of("\\/");
    if (last == std::string::npos) return true;
    const std::wstring full = FullPath(Wide(path.substr(0, last + 1)));
    // The root ("C:\" or "\\server\share\") is there or not; the folders below it are made.
    std::size_t start = 0;
    if (DriveOf(full) != 0) {
      start = 3;
    } else if (full.rfind(L"\\\\", 0) == 0) {
      start = full.find(L'\\', 2);
      start = start == std::wstring::npos ? full.size() : full.find(L'\\', start + 1);
      start = start == std::wstring::npos ? full.size() : start + 1;
    }
    for (std::size_t end = full.find(L'\\', start); end != std::wstring::npos;
         end = full.find(L'\\', end + 1)) {
      const std::wstring folder = full.substr(0, end);
      const DWORD found = GetFileAttributesW(folder.c_str());
      if (found != INVALID_FILE_ATTRIBUTES) {
        if (!(found & FILE_ATTRIBUTE_DIRECTORY)) return false;
        continue;
      }
      if (!CreateDirectoryW(folder.c_str(), nullptr) && GetLastError() != ERROR_ALREADY_EXISTS) return false;
    }
    return true;
  } catch (const vb::Error&) {
    return false;
  }
}

}  // namespace win32
