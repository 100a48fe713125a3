// The saved state of a desktop: one JSON file ("state.json" in the state folder) holding what the
// host folder of the drives cannot: the registry, the clock, the windows of other programs, the
// drives' current folders and the attributes and dates of their files. Written atomically: the
// new state goes to a temporary file that then replaces the old one.
#pragma once

#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "sim/drives.hpp"
#include "sim/registry.hpp"
#include "sim/window_manager.hpp"
#include "vb/date.hpp"

namespace sim {

/// Everything a saved desktop holds besides its files' contents.
struct StateSnapshot {
  vb::Date clock;
  std::vector<Registry::KeyRecord> registry;
  std::vector<WindowManager::Record> windows;
  platform::HWND next_handle = 0;
  char current_drive = 'C';
  std::map<char, std::string> current_folders;
  std::map<std::string, Drives::Metadata> files;
};

/// The name of the state file in a state folder.
inline constexpr const char* kStateFileName = "state.json";

/// Writes the snapshot to `file` atomically; raises error 75 (source "Sim") when it cannot,
/// leaving the previous file as it was.
void WriteStateFile(const std::filesystem::path& file, const StateSnapshot& snapshot);
/// Reads a snapshot; raises error 75 (source "Sim") naming the file and what is wrong in it.
StateSnapshot ReadStateFile(const std::filesystem::path& file);

}  // namespace sim
