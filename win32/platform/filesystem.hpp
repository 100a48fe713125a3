// The FileSystem port over kernel32's wide functions: the port's UTF-8 paths become UTF-16, so
// that any name the disk holds ("Cinéloisirs.ppt", "Ciné.pot") is reached whatever the ANSI code
// page. Failures raise VB's file errors as VB's statements raise them: 53 a missing file,
// 58 an existing destination, 70 a file another program holds, 74 a rename across drives,
// 75 a read-only file or other refused access, 76 a missing folder, 52 a name Windows refuses.
#pragma once

#include <cstdint>
#include <string>

#include "platform/filesystem.hpp"

namespace win32 {

class DiskFileSystem : public platform::FileSystem {
 public:
  bool Exists(const std::string& path) override;
  std::uint32_t GetAttr(const std::string& path) override;
  /// Sets the read-only, hidden, system and archive bits; other bits raise error 5.
  void SetAttr(const std::string& path, std::uint32_t attributes) override;
  void Kill(const std::string& path) override;
  void Name(const std::string& from, const std::string& to) override;
  vb::Date FileDateTime(const std::string& path) override;
  /// Changes the current folder of the path's drive; the current drive stays, as VB's ChDir.
  void ChDir(const std::string& path) override;
  std::string CurDir() override;
  bool MakeSureDirectoryPathExists(const std::string& path) override;
};

}  // namespace win32
