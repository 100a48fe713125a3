// The file operations the module makes, over Windows paths ("C:\dossier\fichier.ppt": a drive
// letter, backslashes, names compared without case). Paths are UTF-8. Failures raise VB's
// file errors (53 file not found, 58 file already exists, 70 permission denied,
// 75 path/file access error, 76 path not found), as VB's SetAttr, Kill, Name, FileDateTime
// and ChDir do.
#pragma once

#include <cstdint>
#include <string>

#include "vb/date.hpp"

namespace platform {

/// File attributes, as VB's vbNormal, vbReadOnly … give them.
namespace attributes {
inline constexpr std::uint32_t kNormal = 0;
inline constexpr std::uint32_t kReadOnly = 1;
inline constexpr std::uint32_t kHidden = 2;
inline constexpr std::uint32_t kSystem = 4;
inline constexpr std::uint32_t kDirectory = 16;
inline constexpr std::uint32_t kArchive = 32;
}  // namespace attributes

class FileSystem {
 public:
  virtual ~FileSystem() = default;
  /// True when a file or folder exists at the path.
  virtual bool Exists(const std::string& path) = 0;
  virtual std::uint32_t GetAttr(const std::string& path) = 0;
  virtual void SetAttr(const std::string& path, std::uint32_t attributes) = 0;
  /// Deletes a file (53 when missing, 75 when read-only).
  virtual void Kill(const std::string& path) = 0;
  /// Renames or moves a file (53 source missing, 58 destination exists, 75 read-only source).
  virtual void Name(const std::string& from, const std::string& to) = 0;
  /// The date and time the file was last written.
  virtual vb::Date FileDateTime(const std::string& path) = 0;
  virtual void ChDir(const std::string& path) = 0;
  virtual std::string CurDir() = 0;
  /// imagehlp's MakeSureDirectoryPathExists: creates every folder of the path up to its last
  /// backslash; returns false when it could not.
  virtual bool MakeSureDirectoryPathExists(const std::string& path) = 0;
};

}  // namespace platform
