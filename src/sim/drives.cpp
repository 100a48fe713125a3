#include "sim/drives.hpp"

#include <algorithm>
#include <chrono>
#include <ctime>
#include <fstream>
#include <iterator>
#include <sstream>
#include <system_error>

#include "sim/clock.hpp"
#include "sim/names.hpp"
#include "vb/error.hpp"

namespace fs = std::filesystem;
namespace attr = platform::attributes;

namespace sim {
namespace {

// Temporary files of atomic writes carry a character no Windows name may hold, so that no path
// of the drives can name them and listings skip them.
constexpr const char* kTempPrefix = "|k60418-";

constexpr std::uint32_t kSettableAttributes =
    attr::kReadOnly | attr::kHidden | attr::kSystem | attr::kArchive;

[[noreturn]] void Fail(std::int32_t number) {
  vb::Raise(number);
}

bool IsTempName(const std::string& name) {
  return name.find('|') != std::string::npos;
}

bool HasInvalidCharacter(std::string_view name, bool allow_wildcards) {
  for (const char ch : name) {
    const auto c = static_cast<unsigned char>(ch);
    if (c < 0x20) return true;
    switch (ch) {
      case '<':
      case '>':
      case ':':
      case '"':
      case '|':
      case '/':
        return true;
      case '*':
      case '?':
        if (!allow_wildcards) return true;
        break;
      default:
        break;
    }
  }
  return false;
}

bool HasWildcard(std::string_view name) {
  return name.find_first_of("*?") != std::string_view::npos;
}

// Matches a folded name against a folded pattern of * and ?; both are UTF-8, and ? stands for
// one character (not one byte).
bool Matches(std::string_view name, std::string_view pattern) {
  if (pattern.empty()) return name.empty();
  if (pattern.front() == '*') {
    for (std::size_t i = 0; i <= name.size(); ++i) {
      if (Matches(name.substr(i), pattern.substr(1))) return true;
    }
    return false;
  }
  if (name.empty()) return false;
  if (pattern.front() == '?') {
    std::size_t length = 1;
    while (length < name.size() && (static_cast<unsigned char>(name[length]) & 0xC0) == 0x80) ++length;
    return Matches(name.substr(length), pattern.substr(1));
  }
  return name.front() == pattern.front() && Matches(name.substr(1), pattern.substr(1));
}

vb::Date HostDate(const fs::path& path) {
  std::error_code error;
  const auto written = fs::last_write_time(path, error);
  if (error) return vb::Date{};
  const auto system = std::chrono::file_clock::to_sys(written);
  const std::time_t seconds = std::chrono::system_clock::to_time_t(
      std::chrono::time_point_cast<std::chrono::system_clock::duration>(system));
  // std::localtime shares a static buffer; the desktop is single-threaded.
  const std::tm* local = std::localtime(&seconds);
  if (!local) return vb::Date{};
  return vb::Date::FromParts(local->tm_year + 1900, local->tm_mon + 1, local->tm_mday, local->tm_hour,
                             local->tm_min, local->tm_sec);
}

std::string Join(char drive, const std::vector<std::string>& parts, std::size_t count) {
  std::string full(1, drive);
  full += ":\\";
  for (std::size_t i = 0; i < count; ++i) {
    if (i > 0) full += '\\';
    full += parts[i];
  }
  return full;
}

bool IsUnder(const std::string& path, const std::string& folder) {
  return path.size() > folder.size() && SameName(path.substr(0, folder.size()), folder) &&
         path[folder.size()] == '\\';
}

}  // namespace

/// A path resolved against the drives: its components with the case of those that exist.
struct Drives::Resolved {
  char drive = 'C';
  std::vector<std::string> parts;
  std::size_t found = 0;  // how many leading components exist on the host
  fs::path host;
  bool folder = false;  // the whole path exists and is a folder
  bool trailing_separator = false;
  std::string pattern;     // the last component when it held wildcards (not in parts)
  std::string given_last;  // the last component as given, before the case of the host was taken

  bool exists() const { return found == parts.size(); }
  bool parent_exists() const { return !parts.empty() && found + 1 >= parts.size(); }
  std::string full() const { return Join(drive, parts, parts.size()); }
  std::string parent_full() const { return Join(drive, parts, parts.empty() ? 0 : parts.size() - 1); }
};

Drives::Drives(fs::path host_root, SimClock& clock, std::string letters)
    : host_root_(std::move(host_root)), clock_(clock) {
  for (char letter : letters) {
    if (letter >= 'a' && letter <= 'z') letter = static_cast<char>(letter - 'a' + 'A');
    if (letter < 'A' || letter > 'Z' || letters_.find(letter) != std::string::npos) continue;
    letters_ += letter;
    fs::create_directories(host_root_ / std::string(1, letter));
    current_folders_[letter] = {};
  }
  if (letters_.empty()) vb::Raise(vb::errors::kInvalidCall, "Sim", "The desktop needs at least one drive.");
  current_drive_ = letters_.front();
}

Drives::Resolved Drives::Resolve(const std::string& raw, bool allow_wildcards) {
  std::string path = raw;
  std::replace(path.begin(), path.end(), '/', '\\');
  if (path.empty()) Fail(kBadFileName);
  if (path.size() >= 2 && path[0] == '\\' && path[1] == '\\') Fail(vb::errors::kPathNotFound);  // UNC

  Resolved where;
  std::string_view rest = path;
  bool absolute = false;
  if (rest.size() >= 2 && rest[1] == ':') {
    char letter = rest[0];
    if (letter >= 'a' && letter <= 'z') letter = static_cast<char>(letter - 'a' + 'A');
    if (letters_.find(letter) == std::string::npos) Fail(vb::errors::kPathNotFound);
    where.drive = letter;
    rest.remove_prefix(2);
  } else {
    where.drive = current_drive_;
  }
  if (!rest.empty() && rest.front() == '\\') {
    absolute = true;
    rest.remove_prefix(1);
  }
  if (!absolute) where.parts = current_folders_[where.drive];
  where.trailing_separator = !rest.empty() && rest.back() == '\\';

  // Components: "." stays, ".." climbs but never above the root, trailing dots and spaces go.
  std::vector<std::string> components;
  std::size_t start = 0;
  while (start <= rest.size()) {
    const std::size_t end = std::min(rest.find('\\', start), rest.size());
    components.emplace_back(rest.substr(start, end - start));
    start = end + 1;
  }
  for (std::size_t i = 0; i < components.size(); ++i) {
    std::string name = components[i];
    if (name.empty() || name == ".") continue;
    if (name == "..") {
      if (!where.parts.empty()) where.parts.pop_back();
      continue;
    }
    while (!name.empty() && (name.back() == '.' || name.back() == ' ')) name.pop_back();
    if (name.empty()) continue;
    const bool last = i + 1 == components.size();
    if (HasInvalidCharacter(name, allow_wildcards && last)) Fail(kBadFileName);
    // Windows takes names of up to 255 characters; the host folders take 255 bytes, so a longer
    // name (in bytes) is refused as a bad name rather than failing on the host.
    if (name.size() > kLongestName) Fail(kBadFileName);
    if (last && HasWildcard(name)) {
      where.pattern = name;
      continue;
    }
    where.parts.push_back(name);
  }
  if (!where.parts.empty()) where.given_last = where.parts.back();

  // Walks the host folders, taking the case of each name that exists.
  where.host = host_root_ / std::string(1, where.drive);
  bool walking = true;
  for (auto& part : where.parts) {
    std::error_code error;
    if (walking && fs::is_directory(fs::symlink_status(where.host, error))) {
      std::string match;
      for (const auto& entry : fs::directory_iterator(where.host, error)) {
        if (entry.is_symlink(error)) continue;
        const std::string name = entry.path().filename().string();
        if (IsTempName(name)) continue;
        if (name == part) {
          match = name;
          break;
        }
        if (match.empty() && SameName(name, part)) match = name;
      }
      if (!match.empty()) {
        part = match;
        where.host /= match;
        ++where.found;
        continue;
      }
    }
    walking = false;
    where.host /= part;
  }
  std::error_code error;
  where.folder = where.exists() && fs::is_directory(fs::symlink_status(where.host, error));
  return where;
}

Drives::Metadata Drives::MetadataOf(const Resolved& where) const {
  Metadata metadata;
  const auto found = records_.find(where.full());
  if (found != records_.end()) {
    metadata = found->second;
  } else {
    metadata.attributes = where.folder ? 0 : attr::kArchive;
    metadata.date = HostDate(where.host);
  }
  if (where.folder) metadata.attributes |= attr::kDirectory;
  return metadata;
}

void Drives::Forget(const std::string& full_path) {
  for (auto it = records_.begin(); it != records_.end();) {
    if (SameName(it->first, full_path) || IsUnder(it->first, full_path)) {
      it = records_.erase(it);
    } else {
      ++it;
    }
  }
}

void Drives::MoveRecords(const std::string& from, const std::string& to) {
  std::map<std::string, Metadata> moved;
  for (auto it = records_.begin(); it != records_.end();) {
    if (SameName(it->first, from)) {
      moved[to] = it->second;
      it = records_.erase(it);
    } else if (IsUnder(it->first, from)) {
      moved[to + it->first.substr(from.size())] = it->second;
      it = records_.erase(it);
    } else {
      ++it;
    }
  }
  records_.merge(moved);
}

void Drives::WriteHost(const fs::path& target, std::string_view bytes) {
  const fs::path temp = target.parent_path() / (kTempPrefix + std::to_string(++temp_counter_) + ".tmp");
  {
    std::ofstream out(temp, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    out.close();
    if (!out) {
      std::error_code ignored;
      fs::remove(temp, ignored);
      Fail(vb::errors::kPathFileAccess);
    }
  }
  std::error_code error;
  fs::rename(temp, target, error);
  if (error) {
    std::error_code ignored;
    fs::remove(temp, ignored);
    Fail(vb::errors::kPathFileAccess);
  }
}

bool Drives::Exists(const std::string& path) {
  try {
    const Resolved where = Resolve(path);
    if (!where.exists()) return false;
    return where.folder || !where.trailing_separator;
  } catch (const vb::Error&) {
    return false;
  }
}

std::uint32_t Drives::GetAttr(const std::string& path) {
  const Resolved where = Resolve(path);
  if (!where.exists()) Fail(vb::errors::kFileNotFound);
  return MetadataOf(where).attributes;
}

void Drives::SetAttr(const std::string& path, std::uint32_t attributes) {
  if ((attributes & ~kSettableAttributes) != 0) Fail(vb::errors::kInvalidCall);
  const Resolved where = Resolve(path);
  if (!where.exists()) Fail(vb::errors::kFileNotFound);
  Metadata metadata = MetadataOf(where);
  metadata.attributes = attributes;
  records_[where.full()] = metadata;
}

void Drives::Kill(const std::string& path) {
  const Resolved where = Resolve(path, true);
  if (where.pattern.empty()) {
    if (!where.exists() || where.folder) Fail(vb::errors::kFileNotFound);
    if (MetadataOf(where).attributes & attr::kReadOnly) Fail(vb::errors::kPathFileAccess);
    std::error_code error;
    if (!fs::remove(where.host, error) || error) Fail(vb::errors::kPathFileAccess);
    Forget(where.full());
    return;
  }
  // Wildcards: every matching file of the folder, none deleted when one of them is read-only.
  if (!where.exists() || !where.folder) Fail(vb::errors::kFileNotFound);
  const std::string pattern = FoldCase(where.pattern);
  std::vector<Resolved> matches;
  for (const auto& entry : List(where.full())) {
    if (entry.folder || !Matches(FoldCase(entry.name), pattern)) continue;
    Resolved file = where;
    file.parts.push_back(entry.name);
    file.found = file.parts.size();
    file.host /= entry.name;
    file.folder = false;
    if (entry.attributes & attr::kReadOnly) Fail(vb::errors::kPathFileAccess);
    matches.push_back(std::move(file));
  }
  if (matches.empty()) Fail(vb::errors::kFileNotFound);
  for (const auto& file : matches) {
    std::error_code error;
    fs::remove(file.host, error);
    if (error) Fail(vb::errors::kPathFileAccess);
    Forget(file.full());
  }
}

void Drives::Name(const std::string& from, const std::string& to) {
  const Resolved source = Resolve(from);
  if (!source.exists() || source.parts.empty()) Fail(vb::errors::kFileNotFound);
  const Resolved target = Resolve(to);
  if (target.drive != source.drive)
    vb::Raise(kRenameAcrossDrives, vb::kProjectName, "Can't rename with different drive");
  if (target.parts.empty()) Fail(vb::errors::kFileAlreadyExists);
  const bool same_entry = target.exists() && target.host == source.host;
  if (target.exists() && !same_entry) Fail(vb::errors::kFileAlreadyExists);
  if (!target.parent_exists()) Fail(vb::errors::kPathNotFound);
  if (!fs::is_directory(target.host.parent_path())) Fail(vb::errors::kPathNotFound);
  if (MetadataOf(source).attributes & attr::kReadOnly) Fail(vb::errors::kPathFileAccess);
  if (source.folder && IsUnder(target.full(), source.full())) Fail(vb::errors::kPathFileAccess);

  // A change of case only: the entry keeps its place and takes the name as given.
  Resolved destination = target;
  if (same_entry) {
    destination.parts.back() = target.given_last;
    destination.host = destination.host.parent_path() / target.given_last;
  }
  std::error_code error;
  fs::rename(source.host, destination.host, error);
  if (error) Fail(vb::errors::kPathFileAccess);
  MoveRecords(source.full(), destination.full());
}

vb::Date Drives::FileDateTime(const std::string& path) {
  const Resolved where = Resolve(path);
  if (!where.exists()) Fail(vb::errors::kFileNotFound);
  return MetadataOf(where).date;
}

void Drives::ChDir(const std::string& path) {
  const Resolved where = Resolve(path);
  if (!where.exists() || !where.folder) Fail(vb::errors::kPathNotFound);
  current_folders_[where.drive] = where.parts;
}

std::string Drives::CurDir() {
  const auto& parts = current_folders_[current_drive_];
  return Join(current_drive_, parts, parts.size());
}

void Drives::EnsureFolder(const std::string& path) {
  const Resolved where = Resolve(path);
  if (where.exists()) {
    if (!where.folder) Fail(vb::errors::kPathFileAccess);
    return;
  }
  fs::path host = host_root_ / std::string(1, where.drive);
  for (std::size_t i = 0; i < where.parts.size(); ++i) {
    host /= where.parts[i];
    if (i < where.found) continue;
    std::error_code error;
    if (!fs::create_directory(host, error) && !fs::is_directory(host, error)) Fail(vb::errors::kPathNotFound);
    records_[Join(where.drive, where.parts, i + 1)] = Metadata{0, clock_.Now()};
  }
}

bool Drives::MakeSureDirectoryPathExists(const std::string& path) {
  try {
    // Everything up to the last backslash is a folder; what follows it is a file name.
    std::string folders = path;
    std::replace(folders.begin(), folders.end(), '/', '\\');
    const std::size_t last = folders.find_last_of('\\');
    if (last == std::string::npos) return true;
    folders.resize(last + 1);
    EnsureFolder(folders);
    return true;
  } catch (const vb::Error&) {
    return false;
  }
}

std::string Drives::ReadFile(const std::string& path) {
  const Resolved where = Resolve(path);
  if (!where.exists()) Fail(vb::errors::kFileNotFound);
  if (where.folder) Fail(vb::errors::kPathFileAccess);
  std::ifstream in(where.host, std::ios::binary);
  if (!in) Fail(vb::errors::kPathFileAccess);
  std::ostringstream content;
  content << in.rdbuf();
  return content.str();
}

void Drives::WriteFile(const std::string& path, std::string_view bytes) {
  const Resolved where = Resolve(path);
  if (where.parts.empty() || where.trailing_separator) Fail(vb::errors::kPathFileAccess);
  if (!where.parent_exists() || !fs::is_directory(where.host.parent_path())) Fail(vb::errors::kPathNotFound);
  Metadata metadata;
  if (where.exists()) {
    if (where.folder) Fail(vb::errors::kPathFileAccess);
    metadata = MetadataOf(where);
    if (metadata.attributes & attr::kReadOnly) Fail(vb::errors::kPathFileAccess);
  }
  WriteHost(where.host, bytes);
  metadata.attributes |= attr::kArchive;
  metadata.date = clock_.Now();
  records_[where.full()] = metadata;
}

void Drives::CopyFile(const std::string& from, const std::string& to) {
  const Resolved source = Resolve(from);
  if (!source.exists() || source.folder) Fail(vb::errors::kFileNotFound);
  const Resolved target = Resolve(to);
  if (target.parts.empty() || target.folder) Fail(vb::errors::kPathFileAccess);
  if (!target.parent_exists() || !fs::is_directory(target.host.parent_path()))
    Fail(vb::errors::kPathNotFound);
  if (target.exists() && (MetadataOf(target).attributes & attr::kReadOnly)) Fail(vb::errors::kPathFileAccess);
  if (target.host == source.host) return;
  const Metadata metadata = MetadataOf(source);
  WriteHost(target.host, ReadFile(from));
  records_[target.full()] = metadata;
}

void Drives::DeleteFile(const std::string& path) {
  const Resolved where = Resolve(path);
  if (!where.exists()) Fail(vb::errors::kFileNotFound);
  if (where.folder) Fail(vb::errors::kPathFileAccess);
  std::error_code error;
  fs::remove(where.host, error);
  if (error) Fail(vb::errors::kPathFileAccess);
  Forget(where.full());
}

void Drives::SetReadOnly(const std::string& path, bool read_only) {
  const Resolved where = Resolve(path);
  if (!where.exists()) Fail(vb::errors::kFileNotFound);
  Metadata metadata = MetadataOf(where);
  metadata.attributes &= ~attr::kDirectory;
  if (read_only) {
    metadata.attributes |= attr::kReadOnly;
  } else {
    metadata.attributes &= ~attr::kReadOnly;
  }
  records_[where.full()] = metadata;
}

void Drives::PlaceHostFile(const fs::path& host_file, const std::string& path, std::optional<vb::Date> date) {
  std::ifstream in(host_file, std::ios::binary);
  if (!in || fs::is_directory(host_file))
    vb::Raise(vb::errors::kFileNotFound, "Sim", "File not found on the host: " + host_file.string());
  std::ostringstream content;
  content << in.rdbuf();

  std::string target = path;
  std::replace(target.begin(), target.end(), '/', '\\');
  const std::size_t last = target.find_last_of('\\');
  if (last != std::string::npos) EnsureFolder(target.substr(0, last + 1));
  const Resolved where = Resolve(target);
  if (where.parts.empty() || where.folder) Fail(vb::errors::kPathFileAccess);
  if (where.exists() && (MetadataOf(where).attributes & attr::kReadOnly)) Fail(vb::errors::kPathFileAccess);
  WriteHost(where.host, content.str());
  records_[where.full()] = Metadata{attr::kArchive, date ? *date : clock_.Now()};
}

std::vector<Drives::Entry> Drives::List(const std::string& folder) {
  const Resolved where = Resolve(folder);
  if (!where.exists() || !where.folder) Fail(vb::errors::kPathNotFound);
  std::vector<Entry> entries;
  std::error_code error;
  for (const auto& item : fs::directory_iterator(where.host, error)) {
    if (item.is_symlink(error)) continue;
    const std::string name = item.path().filename().string();
    if (IsTempName(name)) continue;
    Resolved child = where;
    child.parts.push_back(name);
    child.found = child.parts.size();
    child.host = item.path();
    child.folder = item.is_directory(error);
    const Metadata metadata = MetadataOf(child);
    entries.push_back(Entry{name, child.folder, metadata.attributes, metadata.date,
                            child.folder ? 0 : item.file_size(error)});
  }
  std::sort(entries.begin(), entries.end(),
            [](const Entry& a, const Entry& b) { return FoldCase(a.name) < FoldCase(b.name); });
  return entries;
}

fs::path Drives::HostPath(const std::string& path) {
  return Resolve(path).host;
}

std::string Drives::FullPath(const std::string& path) {
  const Resolved where = Resolve(path, true);
  std::string full = where.full();
  if (!where.pattern.empty()) full += (where.parts.empty() ? "" : "\\") + where.pattern;
  return full;
}

std::map<std::string, Drives::Metadata> Drives::Records() const {
  std::map<std::string, Metadata> existing;
  for (const auto& [path, metadata] : records_) {
    fs::path host = host_root_ / std::string(1, path[0]);
    std::string rest = path.substr(3);
    std::size_t start = 0;
    while (start < rest.size()) {
      const std::size_t end = std::min(rest.find('\\', start), rest.size());
      host /= rest.substr(start, end - start);
      start = end + 1;
    }
    std::error_code error;
    if (fs::exists(fs::symlink_status(host, error))) existing[path] = metadata;
  }
  return existing;
}

void Drives::RestoreRecords(const std::map<std::string, Metadata>& records) {
  records_.clear();
  for (const auto& [path, metadata] : records) {
    if (path.size() < 3 || letters_.find(path[0]) == std::string::npos || path.substr(1, 2) != ":\\")
      continue;
    records_[path] = Metadata{metadata.attributes & kSettableAttributes, metadata.date};
  }
}

std::map<char, std::string> Drives::CurrentFolders() const {
  std::map<char, std::string> folders;
  for (const auto& [drive, parts] : current_folders_) folders[drive] = Join(drive, parts, parts.size());
  return folders;
}

void Drives::RestoreCurrentFolders(char drive, const std::map<char, std::string>& folders) {
  if (letters_.find(drive) != std::string::npos) current_drive_ = drive;
  for (const auto& [letter, folder] : folders) {
    if (letters_.find(letter) == std::string::npos) continue;
    try {
      const Resolved where = Resolve(folder);
      if (where.exists() && where.folder && where.drive == letter) current_folders_[letter] = where.parts;
    } catch (const vb::Error&) {
      // A folder that no longer resolves leaves that drive at its root.
    }
  }
}

}  // namespace sim
