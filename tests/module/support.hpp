// Helpers shared by the module's tests: catching the error a call raises, and a scratch folder
// on the host for simulated drives.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <optional>
#include <random>
#include <string>

#include "vb/error.hpp"

namespace test_support {

/// The error the action raises; nullopt (and a test failure) when it raises none.
template <class Action>
std::optional<vb::Error> ErrorOf(Action&& action) {
  try {
    action();
  } catch (const vb::Error& error) {
    return error;
  }
  ADD_FAILURE() << "expected an error, none was raised";
  return std::nullopt;
}

/// A folder of the host removed with the object.
class ScratchFolder {
 public:
  ScratchFolder() {
    std::random_device random;
    path_ = std::filesystem::temp_directory_path() / ("k60418-test-" + std::to_string(random()));
    std::filesystem::create_directories(path_);
  }
  ~ScratchFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
  }
  ScratchFolder(const ScratchFolder&) = delete;
  ScratchFolder& operator=(const ScratchFolder&) = delete;
  const std::filesystem::path& path() const { return path_; }

 private:
  std::filesystem::path path_;
};

/// The source text a report composes for a class and a procedure around an inner source.
inline std::string Reported(const std::string& classe, const std::string& service, const std::string& inner) {
  return "DLL K63905 - CLASSE " + classe + "\n\r - SERVICE " + service + " - OBJET " + inner;
}

}  // namespace test_support
