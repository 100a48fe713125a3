// A simulated desktop with a Module on it, played as the host plays it: the host's two in-out
// variables, the model files placed in the working folder before each set-up.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "module/module.hpp"
#include "powerpoint/ppt.hpp"
#include "sim/clock.hpp"
#include "sim/desktop.hpp"
#include "sim/drives.hpp"
#include "sim/registry.hpp"
#include "sim/window_manager.hpp"

namespace test_support {

/// The user's folder settings on a fresh desktop, and the key that holds them.
inline const std::string kRecentFolders = "SOFTWARE\\Microsoft\\Office\\11.0\\PowerPoint\\RecentFolderList";
inline const std::string kUserDefault = "C:\\Documents and Settings\\Apprenant\\Mes documents\\";
inline const std::string kUserMultimedia =
    "C:\\Documents and Settings\\Apprenant\\Mes documents\\Ma musique\\";
inline const std::string kUserPictures = "C:\\Documents and Settings\\Apprenant\\Mes documents\\Mes images\\";
inline const std::string kUserTemplates =
    "C:\\Documents and Settings\\Apprenant\\Application Data\\Microsoft\\Modèles\\";
/// The course's template folder on a fresh desktop.
inline const std::string kTemplateFolder =
    "c:\\documents and settings\\apprenant\\application data\\Microsoft\\modèles\\ZUK Modèles\\";

class CourseTest : public ::testing::Test {
 protected:
  CourseTest() : module(desktop.Platform()) {}

  /// Places the model files of exercise 201 in a folder, as the host does before InitQuestion.
  void PlaceFiles201(const std::string& folder) {
    desktop.drives().MakeSureDirectoryPathExists(folder);
    const std::filesystem::path models = std::filesystem::path(K60418_COURSE_DIR) / "models";
    desktop.drives().PlaceHostFile(models / "02131201.ppt", folder + "02131201.ppt");
    desktop.drives().PlaceHostFile(models / "12131201.pot", folder + "12131201.pot");
  }

  /// Places exercise 201's files in the working folder and sets the exercise up.
  void Init201() {
    PlaceFiles201(work);
    module.InitQuestion(201, work, application, handle);
  }

  /// One of the user's folder settings as the registry holds it now.
  std::string Setting(const std::string& name) {
    return desktop.RegistryValue(kRecentFolders, name).value_or("<missing>");
  }

  /// The running PowerPoint the host holds, as a process of the desktop.
  sim::PowerPointProcess* Process() { return desktop.FindProcess(application.ref()); }

  sim::Desktop desktop;
  k60418::Module module;
  /// The host's variables: Nothing and -1 until the module returns an instance and its handle.
  ppt::Application application;
  std::int32_t handle = -1;
  std::string work = "C:\\ZUK\\Travail\\";
};

}  // namespace test_support
