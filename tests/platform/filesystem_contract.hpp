// The FileSystem port's contract: Windows paths and VB's file statements as the module's file
// installation, cleanup and checks rely on them.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "error_number.hpp"
#include "platform/contract.hpp"
#include "platform/filesystem.hpp"
#include "vb/error.hpp"

namespace contract {

class FileSystemSubject {
 public:
  virtual ~FileSystemSubject() = default;
  virtual platform::FileSystem& files() = 0;
  /// An empty folder of the current drive that the checks may fill, as a full Windows path
  /// ending with a backslash.
  virtual std::string scratch_folder() = 0;
  /// Makes a file with some content (the port itself has no way to).
  virtual void MakeFile(const std::string& path) = 0;
};

namespace filesystem_checks {

using platform::FileSystem;
namespace attr = platform::attributes;

using test_support::ErrorNumberOf;

// Names are found without regard to case, accented capitals included; a file is no folder.
inline void NamesWithoutCase(FileSystemSubject& s) {
  FileSystem& f = s.files();
  const std::string folder = s.scratch_folder();
  s.MakeFile(folder + "Cinéloisirs.ppt");
  EXPECT_TRUE(f.Exists(folder + "CINÉLOISIRS.PPT"));
  EXPECT_TRUE(f.Exists(folder));
  EXPECT_FALSE(f.Exists(folder + "Cinéloisirs.ppt\\"));
  EXPECT_FALSE(f.Exists(folder + "Absent.ppt"));
  EXPECT_EQ(attr::kDirectory, f.GetAttr(folder) & attr::kDirectory);
  EXPECT_EQ(0u, f.GetAttr(folder + "cinéloisirs.ppt") & (attr::kReadOnly | attr::kDirectory));
}

// A read-only file refuses Kill and Name with error 75 until its attributes are normal again.
inline void ReadOnlyRefusesKillAndName(FileSystemSubject& s) {
  FileSystem& f = s.files();
  const std::string file = s.scratch_folder() + "Texture.pot";
  s.MakeFile(file);
  f.SetAttr(file, attr::kReadOnly);
  EXPECT_EQ(attr::kReadOnly, f.GetAttr(file) & attr::kReadOnly);
  EXPECT_EQ(75, ErrorNumberOf([&] { f.Kill(file); }));
  EXPECT_EQ(75, ErrorNumberOf([&] { f.Name(file, s.scratch_folder() + "Autre.pot"); }));
  EXPECT_TRUE(f.Exists(file));
  f.SetAttr(file, attr::kNormal);
  EXPECT_EQ(0, ErrorNumberOf([&] { f.Kill(file); }));
  EXPECT_FALSE(f.Exists(file));
}

// Name renames and moves; it refuses an existing destination (58) and a missing source (53).
inline void NameRenamesAndMoves(FileSystemSubject& s) {
  FileSystem& f = s.files();
  const std::string folder = s.scratch_folder();
  s.MakeFile(folder + "02131201.ppt");
  s.MakeFile(folder + "Occupé.ppt");
  EXPECT_EQ(58, ErrorNumberOf([&] { f.Name(folder + "02131201.ppt", folder + "occupé.ppt"); }));
  EXPECT_EQ(0, ErrorNumberOf([&] { f.Name(folder + "02131201.PPT", folder + "Cinéloisirs.ppt"); }));
  EXPECT_FALSE(f.Exists(folder + "02131201.ppt"));
  EXPECT_TRUE(f.Exists(folder + "Cinéloisirs.ppt"));
  EXPECT_EQ(53, ErrorNumberOf([&] { f.Name(folder + "02131201.ppt", folder + "Autre.ppt"); }));
  EXPECT_TRUE(f.MakeSureDirectoryPathExists(folder + "Modèles\\"));
  EXPECT_EQ(0,
            ErrorNumberOf([&] { f.Name(folder + "Cinéloisirs.ppt", folder + "Modèles\\Cinéloisirs.ppt"); }));
  EXPECT_TRUE(f.Exists(folder + "Modèles\\Cinéloisirs.ppt"));
  EXPECT_EQ(76, ErrorNumberOf([&] { f.Name(folder + "Occupé.ppt", folder + "Absent\\Occupé.ppt"); }));
}

// A missing file raises 53 for each statement that reads or changes it.
inline void MissingFileRaises53(FileSystemSubject& s) {
  FileSystem& f = s.files();
  const std::string file = s.scratch_folder() + "Absent.ppt";
  EXPECT_EQ(53, ErrorNumberOf([&] { f.Kill(file); }));
  EXPECT_EQ(53, ErrorNumberOf([&] { f.GetAttr(file); }));
  EXPECT_EQ(53, ErrorNumberOf([&] { f.SetAttr(file, attr::kNormal); }));
  EXPECT_EQ(53, ErrorNumberOf([&] { f.FileDateTime(file); }));
}

// ChDir changes the current folder (76 when missing); CurDir gives it without a trailing backslash.
inline void CurrentFolder(FileSystemSubject& s) {
  FileSystem& f = s.files();
  std::string folder = s.scratch_folder();
  folder.pop_back();
  f.ChDir(folder);
  const std::string current = f.CurDir();
  EXPECT_EQ(folder.size(), current.size());
  EXPECT_TRUE(f.Exists(current + "\\"));
  EXPECT_EQ(76, ErrorNumberOf([&] { f.ChDir(folder + "\\Absent"); }));
  s.MakeFile(folder + "\\Relatif.ppt");
  EXPECT_TRUE(f.Exists("Relatif.ppt"));
}

// MakeSureDirectoryPathExists makes every folder up to the last backslash, and no more.
inline void MakeSureDirectoryPathExists(FileSystemSubject& s) {
  FileSystem& f = s.files();
  const std::string folder = s.scratch_folder();
  EXPECT_TRUE(f.MakeSureDirectoryPathExists(folder + "a\\b\\ZUK Modèles\\"));
  EXPECT_TRUE(f.Exists(folder + "A\\B\\zuk modèles"));
  EXPECT_TRUE(f.MakeSureDirectoryPathExists(folder + "a\\b\\ZUK Modèles\\"));
  EXPECT_TRUE(f.MakeSureDirectoryPathExists(folder + "c\\fichier.ppt"));
  EXPECT_TRUE(f.Exists(folder + "c"));
  EXPECT_FALSE(f.Exists(folder + "c\\fichier.ppt"));
}

// ".." climbs one folder but never above the drive's root.
inline void DotDotStaysOnTheDrive(FileSystemSubject& s) {
  FileSystem& f = s.files();
  const std::string folder = s.scratch_folder();
  s.MakeFile(folder + "Fichier.ppt");
  EXPECT_TRUE(f.Exists(folder + "sous\\..\\Fichier.ppt"));
  const std::string root = folder.substr(0, 3);  // "C:\"
  EXPECT_TRUE(f.Exists(root + "..\\..\\..\\" + folder.substr(3) + "Fichier.ppt"));
}

}  // namespace filesystem_checks

inline const std::vector<Check<FileSystemSubject>> kFileSystemContract = {
    {"NamesWithoutCase", filesystem_checks::NamesWithoutCase},
    {"ReadOnlyRefusesKillAndName", filesystem_checks::ReadOnlyRefusesKillAndName},
    {"NameRenamesAndMoves", filesystem_checks::NameRenamesAndMoves},
    {"MissingFileRaises53", filesystem_checks::MissingFileRaises53},
    {"CurrentFolder", filesystem_checks::CurrentFolder},
    {"MakeSureDirectoryPathExists", filesystem_checks::MakeSureDirectoryPathExists},
    {"DotDotStaysOnTheDrive", filesystem_checks::DotDotStaysOnTheDrive},
};

}  // namespace contract
