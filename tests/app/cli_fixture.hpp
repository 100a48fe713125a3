// The tests of the k60418 command: a scratch folder of scenario files (and of a course of their
// own), and the whole command line run as main runs it, on string streams that are no terminal.
#pragma once

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <nlohmann/json.hpp>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include "player/command_line.hpp"
#include "player/commands.hpp"

namespace player {

struct Output {
  int status = -1;
  std::string out;  // the summary's time left out ("1 passed, 0 failed in 0.3 s" → "1 passed, 0 failed")
  std::string raw;  // as written
  std::string err;
};

class CliTest : public ::testing::Test {
 protected:
  CliTest() {
    folder_ = std::filesystem::temp_directory_path() /
              ("k60418_cli_" + std::to_string(getpid()) + "_" +
               ::testing::UnitTest::GetInstance()->current_test_info()->name());
    std::filesystem::remove_all(folder_);
    std::filesystem::create_directories(folder_);
  }
  ~CliTest() override { std::filesystem::remove_all(folder_); }

  std::string Write(const std::string& name, const std::string& content) {
    const std::filesystem::path path = folder_ / name;
    std::filesystem::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary) << content;
    return path.string();
  }

  /// A course folder of its own: the real models and templates, and the scenarios written here.
  std::filesystem::path MakeCourse() {
    const std::filesystem::path course = folder_ / "course";
    std::filesystem::create_directories(course / "scenarios");
    std::filesystem::create_directory_symlink(std::filesystem::path(K60418_COURSE_DIR) / "models",
                                              course / "models");
    std::filesystem::create_directory_symlink(std::filesystem::path(K60418_COURSE_DIR) / "office",
                                              course / "office");
    return course;
  }

  /// The command line ("k60418" put first), with the players made by `maker` when one is given.
  static Output Cli(std::vector<std::string> args, const std::string& input = "", SidesMaker maker = {}) {
    args.insert(args.begin(), "k60418");
    std::istringstream in(input);
    std::ostringstream out;
    std::ostringstream err;
    Console console{in, out, err};
    console.make_sides = std::move(maker);
    Output result;
    result.status = RunCommandLine(args, console);
    result.raw = out.str();
    result.out = WithoutTime(result.raw);
    result.err = err.str();
    return result;
  }

  static std::string WithoutTime(const std::string& text) {
    return std::regex_replace(text, std::regex(" in [0-9]+\\.[0-9] s\n"), "\n");
  }

  static std::vector<nlohmann::json> JsonLines(const std::string& text) {
    std::vector<nlohmann::json> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);)
      lines.push_back(nlohmann::json::parse(line));  // throws if not JSON
    return lines;
  }

  std::filesystem::path folder_;
};

}  // namespace player
