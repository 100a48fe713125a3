#include "faults/session.hpp"

#include "player/runner.hpp"
#include "player/simulated_desktop.hpp"
#include "sim/desktop.hpp"
#include "sim/drives.hpp"

namespace faults {
namespace {

namespace fs = std::filesystem;
using scenario::StatementKind;

/// Where PowerPoint keeps the user's folder settings, and their value names in their order.
constexpr const char* kRecentFolders = "SOFTWARE\\Microsoft\\Office\\11.0\\Powerpoint\\RecentFolderList";
constexpr const char* kSettingNames[] = {"Default", "MultimediaDir", "PictureDir", "TemplateDir"};

/// The host calls' names, in the order of their kinds (the first four of StatementKind).
constexpr const char* kHostCallNames[] = {"InitQuestion", "TestePoint", "Fermer", "Quitter"};
static_assert(static_cast<int>(StatementKind::kQuitter) == 3);

}  // namespace

/// Every file and folder of the simulated drives, as the host folders behind them show them.
DriveSnapshot Snapshot(sim::Drives& drives, bool with_records) {
  const auto records = with_records ? drives.Records() : std::map<std::string, sim::Drives::Metadata>{};
  DriveSnapshot snapshot;
  for (const char letter : drives.letters()) {
    const std::string root = std::string(1, letter) + ":\\";
    const fs::path host_root = drives.HostPath(root);
    std::error_code error;
    if (!fs::is_directory(host_root, error)) continue;
    for (auto it = fs::recursive_directory_iterator(host_root, error); !error && it != fs::end(it);
         it.increment(error)) {
      std::string path = root;
      bool first = true;
      for (const auto& part : it->path().lexically_relative(host_root)) {
        if (!first) path += '\\';
        path += part.string();
        first = false;
      }
      DriveEntry entry;
      entry.host = it->path().string();
      entry.folder = it->is_directory();
      if (!entry.folder) {
        entry.size = it->file_size();
        entry.written = it->last_write_time().time_since_epoch().count();
      }
      if (const auto found = records.find(path); found != records.end()) {
        entry.attributes = found->second.attributes;
        entry.date = found->second.date.serial;
      }
      snapshot[path] = std::move(entry);
    }
  }
  return snapshot;
}

FolderSettings ReadFolderSettings(sim::Desktop& desktop) {
  FolderSettings settings;
  for (const char* name : kSettingNames) settings[name] = desktop.RegistryValue(kRecentFolders, name);
  return settings;
}

/// Counts the module's object-model calls over every PowerPoint process of the desktop, and
/// strikes the chosen one with the fault.
class SessionPlayer::Counter {
 public:
  explicit Counter(sim::Desktop& desktop) : desktop_(desktop) {
    desktop.SetProcessObserver([this](sim::PowerPointProcess& process) { Watch(process); });
    for (const auto& process : desktop.processes()) Watch(*process);
  }
  ~Counter() {
    desktop_.SetProcessObserver({});
    for (const auto& process : desktop_.processes()) process->gate().SetCallObserver({});
  }

  void Watch(sim::PowerPointProcess& process) {
    sim::Gate& gate = process.gate();
    gate.SetCallObserver([this, &gate](std::string_view member) {
      if (!counting_) return;
      ++calls_;
      if (point_hook_) point_hook_(calls_);
      if (calls_ == injection_.at) {
        gate.InjectAt(1, injection_.fault);
        struck_ = true;
        struck_member_ = std::string(member);
      }
    });
  }

  void Arm(Injection injection) { injection_ = injection; }
  void SetPointHook(std::function<void(std::uint64_t)> hook) { point_hook_ = std::move(hook); }
  void set_counting(bool on) { counting_ = on; }
  std::uint64_t calls() const { return calls_; }
  bool struck() const { return struck_; }
  const std::string& struck_member() const { return struck_member_; }

 private:
  sim::Desktop& desktop_;
  Injection injection_;
  std::function<void(std::uint64_t)> point_hook_;
  bool counting_ = false;
  std::uint64_t calls_ = 0;
  bool struck_ = false;
  std::string struck_member_;
};

/// Keeps the error of the last host call, as the runner tells it.
class SessionPlayer::Recorder : public player::Observer {
 public:
  void OnError(const scenario::Statement&, const scenario::ErrorRecord& error,
               const player::CallCounts&) override {
    error_ = error;
  }
  void Reset() { error_.reset(); }
  const std::optional<scenario::ErrorRecord>& error() const { return error_; }

 private:
  std::optional<scenario::ErrorRecord> error_;
};

bool IsHostCall(StatementKind kind) {
  return kind == StatementKind::kInitQuestion || kind == StatementKind::kTestePoint ||
         kind == StatementKind::kFermer || kind == StatementKind::kQuitter;
}

SessionPlayer::SessionPlayer(int exercise, const scenario::Scenario& session)
    : session_(session), player_(std::make_unique<player::TrainingPlayer>()) {
  run_.exercise = exercise;
  counter_ = std::make_unique<Counter>(player::SimulatedDesktopOf(player_->desktop()));
  recorder_ = std::make_unique<Recorder>();
  runner_ = std::make_unique<player::Runner>(*player_, recorder_.get());
}

SessionPlayer::~SessionPlayer() {
  counter_.reset();
  runner_.reset();
  player_.reset();
}

fs::path SessionPlayer::DrivesFolder() {
  return drives().HostPath("C:\\").parent_path();
}

sim::Drives& SessionPlayer::drives() {
  return player::SimulatedDesktopOf(player_->desktop()).drives();
}

void SessionPlayer::Arm(Injection injection) {
  counter_->Arm(injection);
}

void SessionPlayer::SetPointHook(std::function<void(std::uint64_t call)> hook) {
  counter_->SetPointHook(std::move(hook));
}

void SessionPlayer::RunTo(std::size_t statement) {
  while (next_ < statement && next_ < session_.statements.size()) Step(session_.statements[next_++]);
}

void SessionPlayer::Step(const scenario::Statement& statement) {
  if (!IsHostCall(statement.kind)) {
    runner_->Step(statement, /*error_expected=*/true, result_);
    return;
  }
  // What the user had before the module first acted (after the scenario's own desktop events).
  if (run_.host_calls.empty())
    run_.settings_before = ReadFolderSettings(player::SimulatedDesktopOf(player_->desktop()));
  const DriveSnapshot drives_before = Snapshot(drives());
  HostCallRecord record;
  record.kind = statement.kind;
  record.name = kHostCallNames[static_cast<int>(statement.kind)];
  record.line = statement.position.line;
  record.calls_before = counter_->calls();
  const bool struck_before = counter_->struck();
  recorder_->Reset();
  counter_->set_counting(true);
  runner_->Step(statement, /*error_expected=*/true, result_);
  counter_->set_counting(false);
  record.calls = counter_->calls() - record.calls_before;
  record.error = recorder_->error();
  if (!struck_before && counter_->struck()) {
    run_.struck = run_.host_calls.size();
    run_.struck_member = counter_->struck_member();
  }
  if (statement.kind == StatementKind::kTestePoint && !record.error) {
    try {
      record.verdict = player_->ReadVerdict();
    } catch (const vb::Error& error) {
      record.verdict_error = scenario::ErrorRecord{error.number(), error.source(), error.description()};
    }
  }
  if (statement.kind == StatementKind::kFermer || statement.kind == StatementKind::kQuitter)
    record.settings = ReadFolderSettings(player::SimulatedDesktopOf(player_->desktop()));
  const DriveSnapshot drives_after = Snapshot(drives());
  for (const auto& [path, entry] : drives_after) {
    const auto before = drives_before.find(path);
    if (before == drives_before.end()) {
      run_.changes[path] = "created";
    } else if (!(before->second == entry)) {
      run_.changes[path] = "changed";
    }
  }
  for (const auto& [path, entry] : drives_before) {
    if (drives_after.count(path) == 0) run_.changes[path] = "deleted";
  }
  run_.host_calls.push_back(std::move(record));
}

std::string SessionPlayer::Resolved(const std::string& folder) {
  if (folder.empty()) return folder;
  try {
    std::string full = drives().FullPath(folder);
    if (full.back() != '\\') full += '\\';
    return full;
  } catch (const vb::Error&) {
    return folder;
  }
}

SessionRun SessionPlayer::Finish() {
  RunTo(session_.statements.size());
  run_.module_calls = counter_->calls();
  run_.drives_after = Snapshot(drives());
  run_.work_folder_given = player_->work_folder();
  run_.work_folder = Resolved(run_.work_folder_given);
  run_.template_folder = Resolved(player_->module().TemplateFolder());
  return run_;
}

SessionRun PlaySession(int exercise, const scenario::Scenario& session, Injection injection) {
  SessionPlayer player(exercise, session);
  player.Arm(injection);
  return player.Finish();
}

}  // namespace faults
