// Conformance of the simulated drives for names at the length limit.
#include <gtest/gtest.h>

#include <string>

#include "sim/desktop.hpp"
#include "sim/drives.hpp"
#include "vb/error.hpp"

namespace {

int ErrorOf(void (*call)(sim::Drives&, const std::string&), sim::Drives& drives, const std::string& path) {
  try {
    call(drives, path);
  } catch (const vb::Error& error) {
    return error.number();
  }
  return 0;
}

TEST(DrivesLongNames, NameOf255CharactersIsTaken) {
  // A folder and a file whose names have 255 characters are made and found again.
  sim::Desktop desktop;
  const std::string folder = "C:\\" + std::string(255, 'd') + "\\";
  EXPECT_TRUE(desktop.drives().MakeSureDirectoryPathExists(folder));
  desktop.drives().WriteFile(folder + std::string(255, 'f'), "texte");
  EXPECT_TRUE(desktop.drives().Exists(folder + std::string(255, 'f')));
}

TEST(DrivesLongNames, LongerNameIsABadFileName) {
  // A name of 256 characters and more is refused with error 52, and the path is not made:
  // MakeSureDirectoryPathExists answers False, as its Win32 namesake does for a bad path, and
  // such a file does not exist.
  sim::Desktop desktop;
  const std::string folder = "C:\\Mes dossiers\\" + std::string(2000, 'x') + "\\";
  EXPECT_FALSE(desktop.drives().MakeSureDirectoryPathExists(folder));
  EXPECT_FALSE(desktop.drives().Exists("C:\\Mes dossiers\\"));
  EXPECT_EQ(sim::kBadFileName, ErrorOf([](sim::Drives& d, const std::string& p) { d.WriteFile(p, "texte"); },
                                       desktop.drives(), "C:\\" + std::string(256, 'f')));
  EXPECT_FALSE(desktop.drives().Exists("C:\\" + std::string(300, 'f') + "\\x.ppt"));
}

TEST(DrivesLongNames, LimitCountsBytesOfTheHost) {
  // Known divergence: Windows counts 255 UTF-16 characters; the host folders behind the drives
  // hold 255 bytes, so a name of 128 accented letters (256 bytes of UTF-8) is refused here.
  sim::Desktop desktop;
  std::string name;
  for (int i = 0; i < 128; ++i) name += "é";
  EXPECT_FALSE(desktop.drives().MakeSureDirectoryPathExists("C:\\" + name + "\\"));
}

}  // namespace
