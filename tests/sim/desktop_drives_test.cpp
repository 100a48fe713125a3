// Conformance of the simulated drives beyond the port's contract: dates from the clock, the
// content API, confinement to the drive folders, names at the length limit, and what the host
// folder cannot model.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>

#include "error_number.hpp"
#include "sim/clock.hpp"
#include "sim/desktop.hpp"
#include "sim/drives.hpp"
#include "vb/error.hpp"

namespace {

namespace fs = std::filesystem;
namespace attr = platform::attributes;

using test_support::ErrorNumberOf;

class DesktopDrives : public testing::Test {
 protected:
  void SetUp() override {
    desktop.clock().Set(vb::Date::FromParts(2026, 3, 2, 9, 0, 0));
    ASSERT_TRUE(drives.MakeSureDirectoryPathExists("C:\\ZUK\\Travail\\"));
  }
  sim::Desktop desktop;
  sim::Drives& drives = desktop.drives();
};

TEST_F(DesktopDrives, WritesAreDatedByTheClock) {
  // A new file takes the clock's time and the archive attribute.
  drives.WriteFile("C:\\ZUK\\Travail\\Objectifs.ppt", "v1");
  EXPECT_EQ(vb::Date::FromParts(2026, 3, 2, 9, 0, 0), drives.FileDateTime("C:\\ZUK\\Travail\\Objectifs.ppt"));
  EXPECT_EQ(attr::kArchive, drives.GetAttr("C:\\ZUK\\Travail\\Objectifs.ppt"));
  // Writing again later moves the date; renaming keeps it; copying keeps it too.
  desktop.Wait(90);
  drives.WriteFile("C:\\zuk\\travail\\objectifs.ppt", "v2");
  const vb::Date written = vb::Date::FromParts(2026, 3, 2, 9, 1, 30);
  EXPECT_EQ(written, drives.FileDateTime("C:\\ZUK\\Travail\\Objectifs.ppt"));
  desktop.Wait(60);
  drives.Name("C:\\ZUK\\Travail\\Objectifs.ppt", "C:\\ZUK\\Objectifs.ppt");
  EXPECT_EQ(written, drives.FileDateTime("C:\\ZUK\\Objectifs.ppt"));
  desktop.CopyFile("C:\\ZUK\\Objectifs.ppt", "C:\\ZUK\\Travail\\Copie.ppt");
  EXPECT_EQ(written, drives.FileDateTime("C:\\ZUK\\Travail\\Copie.ppt"));
  EXPECT_EQ("v2", drives.ReadFile("C:\\ZUK\\Travail\\Copie.ppt"));
}

TEST_F(DesktopDrives, ReadOnlyFilesRefuseEveryChange) {
  // Writing, copying over and renaming a read-only file fail with 75; its content stays.
  drives.WriteFile("C:\\ZUK\\Travail\\Ciné.pot", "modèle");
  desktop.SetReadOnly("C:\\ZUK\\Travail\\Ciné.pot");
  drives.WriteFile("C:\\ZUK\\Travail\\Autre.pot", "autre");
  EXPECT_EQ(75, ErrorNumberOf([&] { drives.WriteFile("C:\\ZUK\\Travail\\Ciné.pot", "écrasé"); }));
  EXPECT_EQ(75, ErrorNumberOf(
                    [&] { drives.CopyFile("C:\\ZUK\\Travail\\Autre.pot", "C:\\ZUK\\Travail\\CINÉ.POT"); }));
  EXPECT_EQ("modèle", drives.ReadFile("C:\\ZUK\\Travail\\Ciné.pot"));
  // The user still deletes it from the Explorer.
  desktop.DeleteFile("C:\\ZUK\\Travail\\Ciné.pot");
  EXPECT_FALSE(desktop.FileExists("C:\\ZUK\\Travail\\Ciné.pot"));
  // A new file under the same name is not read-only.
  drives.WriteFile("C:\\ZUK\\Travail\\Ciné.pot", "neuf");
  EXPECT_EQ(0u, drives.GetAttr("C:\\ZUK\\Travail\\Ciné.pot") & attr::kReadOnly);
}

TEST_F(DesktopDrives, PathsStayInsideTheDrives) {
  // ".." at a root stays at the root; the host path stays under the drive's folder.
  const fs::path root = drives.HostPath("C:\\");
  EXPECT_EQ("C:\\ZUK", drives.FullPath("C:\\..\\..\\..\\ZUK\\Travail\\.."));
  const fs::path escaped = drives.HostPath("C:\\..\\..\\..\\etc\\passwd");
  EXPECT_EQ(root / "etc" / "passwd", escaped);
  // A drive that is not mapped, or a network path, is "path not found".
  EXPECT_EQ(76, ErrorNumberOf([&] { drives.ChDir("Q:\\"); }));
  EXPECT_EQ(76, ErrorNumberOf([&] { drives.ReadFile("\\\\serveur\\partage\\x.ppt"); }));
  EXPECT_FALSE(drives.Exists("Q:\\x.ppt"));
  EXPECT_FALSE(drives.MakeSureDirectoryPathExists("Q:\\Dossier\\"));
  // Characters Windows forbids in names are a bad file name.
  EXPECT_EQ(sim::kBadFileName, ErrorNumberOf([&] { drives.WriteFile("C:\\ZUK\\a<b>.ppt", "x"); }));
  EXPECT_EQ(sim::kBadFileName, ErrorNumberOf([&] { drives.ReadFile("C:\\ZUK\\a|b.ppt"); }));
}

TEST_F(DesktopDrives, HostLinksAreNotFollowed) {
  // A symbolic link placed in the host folder leads nowhere on the drive.
  fs::create_directory_symlink(fs::temp_directory_path(), drives.HostPath("C:\\ZUK") / "Lien");
  EXPECT_FALSE(drives.Exists("C:\\ZUK\\Lien"));
  EXPECT_EQ(76, ErrorNumberOf([&] { drives.WriteFile("C:\\ZUK\\Lien\\x.ppt", "x"); }));
}

TEST_F(DesktopDrives, WritesLeaveNoTemporaryFiles) {
  // An atomic write leaves only the file itself, under the case it was given.
  drives.WriteFile("C:\\ZUK\\Travail\\Cinéloisirs.ppt", std::string(100000, 'x'));
  drives.WriteFile("C:\\ZUK\\Travail\\CINÉLOISIRS.PPT", "court");
  const auto entries = drives.List("C:\\ZUK\\Travail");
  ASSERT_EQ(1u, entries.size());
  EXPECT_EQ("Cinéloisirs.ppt", entries[0].name);
  EXPECT_EQ(5u, entries[0].size);
  EXPECT_EQ(1, std::distance(fs::directory_iterator(drives.HostPath("C:\\ZUK\\Travail")),
                             fs::directory_iterator()));
}

TEST_F(DesktopDrives, RenameChangesCaseOnly) {
  // Renaming a file to another case of its own name is allowed and takes the new case.
  drives.WriteFile("C:\\ZUK\\Travail\\objectifs.ppt", "x");
  drives.Name("C:\\ZUK\\Travail\\objectifs.ppt", "C:\\ZUK\\Travail\\Objectifs.ppt");
  EXPECT_EQ("C:\\ZUK\\Travail\\Objectifs.ppt", drives.FullPath("c:\\zuk\\travail\\OBJECTIFS.PPT"));
  // Across drives, Name refuses with 74.
  EXPECT_EQ(sim::kRenameAcrossDrives,
            ErrorNumberOf([&] { drives.Name("C:\\ZUK\\Travail\\Objectifs.ppt", "D:\\Objectifs.ppt"); }));
}

TEST_F(DesktopDrives, KillTakesWildcards) {
  // "*.ppt" deletes the presentations of a folder and leaves the rest.
  for (const char* name : {"a.ppt", "B.PPT", "c.pot"})
    drives.WriteFile(std::string("C:\\ZUK\\Travail\\") + name, "x");
  drives.Kill("C:\\ZUK\\Travail\\*.ppt");
  const auto entries = drives.List("C:\\ZUK\\Travail\\");
  ASSERT_EQ(1u, entries.size());
  EXPECT_EQ("c.pot", entries[0].name);
  // No match is "file not found".
  EXPECT_EQ(53, ErrorNumberOf([&] { drives.Kill("C:\\ZUK\\Travail\\*.ppt"); }));
}

TEST_F(DesktopDrives, ChDirKeepsTheCurrentDrive) {
  // ChDir on another drive changes that drive's folder, not the current drive (as VB's ChDir).
  ASSERT_TRUE(drives.MakeSureDirectoryPathExists("D:\\Données\\"));
  drives.ChDir("D:\\Données");
  EXPECT_EQ("C:\\", drives.CurDir());
  drives.ChDir("C:\\ZUK\\Travail");
  EXPECT_EQ("C:\\ZUK\\Travail", drives.CurDir());
  // A relative path is read from the current folder; "\" from the root of the current drive.
  drives.WriteFile("Relatif.ppt", "x");
  EXPECT_TRUE(drives.Exists("C:\\ZUK\\Travail\\Relatif.ppt"));
  EXPECT_TRUE(drives.Exists("\\ZUK\\Travail\\Relatif.ppt"));
}

TEST_F(DesktopDrives, NamesUpTo255BytesAreTaken) {
  // A folder and a file whose names have 255 characters are made and found again.
  const std::string folder = "C:\\" + std::string(255, 'd') + "\\";
  EXPECT_TRUE(drives.MakeSureDirectoryPathExists(folder));
  drives.WriteFile(folder + std::string(255, 'f'), "texte");
  EXPECT_TRUE(drives.Exists(folder + std::string(255, 'f')));
  // A name of 256 characters and more is a bad file name (52), and the path is not made:
  // MakeSureDirectoryPathExists answers False, as its Win32 namesake does for a bad path.
  EXPECT_FALSE(drives.MakeSureDirectoryPathExists("C:\\Mes dossiers\\" + std::string(2000, 'x') + "\\"));
  EXPECT_FALSE(drives.Exists("C:\\Mes dossiers\\"));
  EXPECT_EQ(sim::kBadFileName,
            ErrorNumberOf([&] { drives.WriteFile("C:\\" + std::string(256, 'f'), "texte"); }));
  EXPECT_FALSE(drives.Exists("C:\\" + std::string(300, 'f') + "\\x.ppt"));
  // Known divergence: Windows counts 255 UTF-16 characters; the host folders behind the drives
  // hold 255 bytes, so a name of 128 accented letters (256 bytes of UTF-8) is refused here.
  std::string accented;
  for (int i = 0; i < 128; ++i) accented += "é";
  EXPECT_FALSE(drives.MakeSureDirectoryPathExists("C:\\" + accented + "\\"));
}

}  // namespace
