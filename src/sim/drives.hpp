// The simulated drives: Windows paths ("C:\ZUK\Travail\Cinéloisirs.ppt") over a folder of the
// host, one sub-folder per drive letter. Names are found without case and created with the case
// given; "." and ".." are resolved as Windows resolves them, never above a drive's root; a path
// naming no mapped drive fails with error 76. What the host's file system cannot model is kept
// here: file attributes (the tests run as root, so permission bits would not refuse anything)
// and file dates, which come from the simulated clock.
#pragma once

#include <cstdint>
#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/filesystem.hpp"
#include "vb/date.hpp"

namespace sim {

class SimClock;

/// VB's error 74, raised by Name across drives.
inline constexpr std::int32_t kRenameAcrossDrives = 74;
/// VB's error 52, raised for a name Windows does not allow (< > : " | ? * or a control character,
/// or longer than kLongestName).
inline constexpr std::int32_t kBadFileName = 52;
/// The longest name of a file or folder, in bytes of UTF-8: Windows counts 255 characters, the host
/// folders behind the drives hold 255 bytes.
inline constexpr std::size_t kLongestName = 255;

class Drives : public platform::FileSystem {
 public:
  /// One entry of a folder listing.
  struct Entry {
    std::string name;
    bool folder = false;
    std::uint32_t attributes = 0;
    vb::Date date;
    std::uintmax_t size = 0;
  };
  /// What the simulator keeps about one file or folder beside its content: its attributes
  /// (without kDirectory) and the date it was last written.
  struct Metadata {
    std::uint32_t attributes = platform::attributes::kArchive;
    vb::Date date;
  };

  /// Drives for each letter of `letters` (upper case) over host_root/<letter>, created if
  /// missing. The current drive is the first letter, its current folder its root.
  Drives(std::filesystem::path host_root, SimClock& clock, std::string letters = "C");

  // --- The file-system port (VB's statements) ----------------------------------------------
  bool Exists(const std::string& path) override;
  std::uint32_t GetAttr(const std::string& path) override;
  /// Sets the read-only, hidden, system and archive bits; other bits raise error 5.
  void SetAttr(const std::string& path, std::uint32_t attributes) override;
  /// Deletes a file; the last component may hold the wildcards * and ?, as VB's Kill allows.
  void Kill(const std::string& path) override;
  /// Renames or moves a file or folder within one drive (74 across drives).
  void Name(const std::string& from, const std::string& to) override;
  vb::Date FileDateTime(const std::string& path) override;
  /// Changes the current folder of the path's drive; the current drive stays (as VB's ChDir).
  void ChDir(const std::string& path) override;
  /// The current folder of the current drive ("C:\ZUK\Travail", "C:\" at a root).
  std::string CurDir() override;
  bool MakeSureDirectoryPathExists(const std::string& path) override;

  // --- Content, for the simulated PowerPoint and the desktop's events ----------------------
  /// A file's bytes (53 when missing, 75 for a folder).
  std::string ReadFile(const std::string& path);
  /// Writes a whole file atomically (a reader sees the old content or the new, never a part),
  /// dated from the clock. 76 when its folder is missing, 75 for a read-only file or a folder.
  void WriteFile(const std::string& path, std::string_view bytes);
  /// Copies a file with its date and attributes, as Windows' CopyFile; an existing destination
  /// is replaced unless it is read-only (75).
  void CopyFile(const std::string& from, const std::string& to);
  /// Deletes a file as the user does in the Explorer, read-only or not (53 when missing).
  void DeleteFile(const std::string& path);
  /// Marks a file or folder read-only, or clears that mark.
  void SetReadOnly(const std::string& path, bool read_only = true);
  /// Copies a file of the host into the drives (the host's model files, the Office
  /// installation), creating the folders it needs; dated `date`, or from the clock.
  void PlaceHostFile(const std::filesystem::path& host_file, const std::string& path,
                     std::optional<vb::Date> date = std::nullopt);
  /// The files and folders of a folder, sorted by name without case (76 when it is missing).
  std::vector<Entry> List(const std::string& folder);
  /// Where a path is on the host (for diagnostics); the path need not exist.
  std::filesystem::path HostPath(const std::string& path);
  /// The path with its drive, "." and ".." resolved and the case of the names that exist.
  std::string FullPath(const std::string& path);

  // --- State ---------------------------------------------------------------------------------
  /// Attributes and dates of the files and folders that exist, by full path.
  std::map<std::string, Metadata> Records() const;
  void RestoreRecords(const std::map<std::string, Metadata>& records);
  /// The current folder of each drive ("C:\ZUK"), and the current drive.
  std::map<char, std::string> CurrentFolders() const;
  char current_drive() const { return current_drive_; }
  /// Sets the current drive and folders (a reloaded state); unknown drives are ignored.
  void RestoreCurrentFolders(char drive, const std::map<char, std::string>& folders);
  /// The drive letters mapped.
  const std::string& letters() const { return letters_; }

 private:
  struct Resolved;
  Resolved Resolve(const std::string& path, bool allow_wildcards = false);
  Metadata MetadataOf(const Resolved& where) const;
  void Forget(const std::string& full_path);
  void MoveRecords(const std::string& from, const std::string& to);
  void WriteHost(const std::filesystem::path& target, std::string_view bytes);
  void EnsureFolder(const std::string& path);

  std::filesystem::path host_root_;
  SimClock& clock_;
  std::string letters_;
  char current_drive_;
  std::map<char, std::vector<std::string>> current_folders_;
  /// Keyed by full path in its stored case; lookups go through Resolve, which gives that case.
  std::map<std::string, Metadata> records_;
  std::uint64_t temp_counter_ = 0;
};

}  // namespace sim
