#include "sim/state_file.hpp"

#include <fstream>
#include <nlohmann/json.hpp>
#include <sstream>
#include <system_error>

#include "sim/names.hpp"
#include "vb/error.hpp"
#include "vb/strings.hpp"

namespace sim {
namespace {

using nlohmann::json;

constexpr const char* kFormat = "k60418 desktop";
constexpr int kVersion = 1;

[[noreturn]] void Fail(const std::filesystem::path& file, const std::string& reason) {
  vb::Raise(vb::errors::kPathFileAccess, "Sim",
            "The desktop state \"" + file.string() + "\" cannot be read: " + reason + ".");
}

const char* StateName(ShowState state) {
  switch (state) {
    case ShowState::kMinimized:
      return "minimized";
    case ShowState::kMaximized:
      return "maximized";
    case ShowState::kNormal:
      break;
  }
  return "normal";
}

vb::Date ParseDate(const std::filesystem::path& file, const json& value, const std::string& what) {
  vb::Date date;
  if (!value.is_string() || !vb::Date::FromIso(value.get<std::string>(), date))
    Fail(file, what + " is not a date of the form 2026-12-06 07:25:12");
  return date;
}

json ToJson(const StateSnapshot& snapshot) {
  json registry = json::array();
  for (const auto& key : snapshot.registry) {
    json values = json::array();
    // Names and data are Windows-1252 bytes; their UTF-8 text gives every byte back.
    for (const auto& value : key.values) {
      values.push_back({{"name", vb::FromWindows1252(value.name)},
                        {"type", value.type},
                        {"data", vb::FromWindows1252(value.data)}});
    }
    registry.push_back({{"key", key.path}, {"values", values}});
  }

  json windows = json::array();
  for (const auto& record : snapshot.windows) {
    const WindowTraits& traits = record.traits;
    windows.push_back({{"handle", record.handle},
                       {"class", traits.class_name},
                       {"title", traits.title},
                       {"style", traits.style},
                       {"ex_style", traits.ex_style},
                       {"owner", traits.owner},
                       {"parent", traits.parent},
                       {"visible", traits.visible},
                       {"state", StateName(traits.state)},
                       {"ignores_close", traits.ignores_close}});
  }

  json folders = json::object();
  for (const auto& [drive, folder] : snapshot.current_folders) folders[std::string(1, drive)] = folder;
  json files = json::array();
  for (const auto& [path, metadata] : snapshot.files) {
    files.push_back({{"path", path}, {"attributes", metadata.attributes}, {"date", metadata.date.ToIso()}});
  }

  return {{"format", kFormat},
          {"version", kVersion},
          {"clock", snapshot.clock.ToIso()},
          {"registry", registry},
          {"windows", {{"next_handle", snapshot.next_handle}, {"list", windows}}},
          {"drives",
           {{"current_drive", std::string(1, snapshot.current_drive)},
            {"current_folders", folders},
            {"files", files}}}};
}

StateSnapshot FromJson(const std::filesystem::path& file, const json& root) {
  if (!root.is_object() || root.value("format", "") != kFormat) Fail(file, "it is not a saved desktop");
  if (root.value("version", 0) != kVersion) Fail(file, "its version is not " + std::to_string(kVersion));

  StateSnapshot snapshot;
  snapshot.clock = ParseDate(file, root.at("clock"), "the clock");

  for (const auto& key : root.at("registry")) {
    Registry::KeyRecord record;
    record.path = key.at("key").get<std::string>();
    if (record.path.empty()) Fail(file, "a registry key has no name");
    for (const auto& value : key.at("values")) {
      record.values.push_back(Registry::Value{vb::ToWindows1252(value.at("name").get<std::string>()),
                                              value.at("type").get<platform::DWORD>(),
                                              vb::ToWindows1252(value.at("data").get<std::string>())});
    }
    snapshot.registry.push_back(std::move(record));
  }

  const json& windows = root.at("windows");
  snapshot.next_handle = windows.at("next_handle").get<platform::HWND>();
  for (const auto& window : windows.at("list")) {
    WindowManager::Record record;
    record.handle = window.at("handle").get<platform::HWND>();
    if (record.handle <= 0) Fail(file, "a window has an invalid handle");
    WindowTraits& traits = record.traits;
    traits.class_name = window.at("class").get<std::string>();
    traits.title = window.at("title").get<std::string>();
    traits.style = window.at("style").get<platform::LONG>();
    traits.ex_style = window.at("ex_style").get<platform::LONG>();
    traits.owner = window.at("owner").get<platform::HWND>();
    traits.parent = window.at("parent").get<platform::HWND>();
    traits.visible = window.at("visible").get<bool>();
    const std::string state = window.at("state").get<std::string>();
    if (state == "minimized") {
      traits.state = ShowState::kMinimized;
    } else if (state == "maximized") {
      traits.state = ShowState::kMaximized;
    } else if (state == "normal") {
      traits.state = ShowState::kNormal;
    } else {
      Fail(file, "a window's state \"" + state + "\" is not normal, minimized or maximized");
    }
    traits.ignores_close = window.at("ignores_close").get<bool>();
    snapshot.windows.push_back(std::move(record));
  }

  const json& drives = root.at("drives");
  const std::string drive = drives.at("current_drive").get<std::string>();
  if (drive.size() != 1) Fail(file, "the current drive is not a letter");
  snapshot.current_drive = drive[0];
  for (const auto& [letter, folder] : drives.at("current_folders").items()) {
    if (letter.size() != 1) Fail(file, "a current folder is not given for a drive letter");
    snapshot.current_folders[letter[0]] = folder.get<std::string>();
  }
  for (const auto& entry : drives.at("files")) {
    Drives::Metadata metadata;
    metadata.attributes = entry.at("attributes").get<std::uint32_t>();
    metadata.date = ParseDate(file, entry.at("date"), "a file's date");
    snapshot.files[entry.at("path").get<std::string>()] = metadata;
  }
  return snapshot;
}

}  // namespace

void WriteStateFile(const std::filesystem::path& file, const StateSnapshot& snapshot) {
  const std::string text = ToJson(snapshot).dump(1) + "\n";
  std::filesystem::path temp = file;
  temp += ".tmp";
  {
    std::ofstream out(temp, std::ios::binary | std::ios::trunc);
    out.write(text.data(), static_cast<std::streamsize>(text.size()));
    out.close();
    if (!out) {
      std::error_code ignored;
      if (!std::filesystem::is_directory(temp, ignored)) std::filesystem::remove(temp, ignored);
      vb::Raise(vb::errors::kPathFileAccess, "Sim",
                "The desktop state cannot be written to \"" + temp.string() + "\".");
    }
  }
  std::error_code error;
  std::filesystem::rename(temp, file, error);
  if (error) {
    std::error_code ignored;
    std::filesystem::remove(temp, ignored);
    vb::Raise(vb::errors::kPathFileAccess, "Sim",
              "The desktop state cannot replace \"" + file.string() + "\": " + error.message() + ".");
  }
}

StateSnapshot ReadStateFile(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  if (!in) Fail(file, "it cannot be opened");
  std::ostringstream content;
  content << in.rdbuf();
  try {
    return FromJson(file, json::parse(content.str()));
  } catch (const json::exception& error) {
    Fail(file, error.what());
  }
}

}  // namespace sim
