// One learner's session of an exercise replayed on a fresh simulated desktop, with at most one
// fault injected at a chosen object-model call of the module: what every host call did, which
// calls it made, what it raised and what the host read afterwards, and what the session left on
// the desktop's registry and drives.
#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "player/player.hpp"
#include "player/runner.hpp"
#include "scenario/ast.hpp"
#include "sim/desktop.hpp"
#include "sim/gate.hpp"

namespace sim {
class Drives;
}

namespace faults {

/// Where a run injects its fault: at the n-th object-model call the module makes during the
/// session's host calls (counted from 1 over all of them; the learner's own calls do not count).
struct Injection {
  std::uint64_t at = 0;  // 0: no fault
  sim::Fault fault = sim::Fault::kRefuse;
};

/// The user's four folder settings (open and save, sounds and movies, pictures, templates):
/// value name and data, a missing value as nullopt.
using FolderSettings = std::map<std::string, std::optional<std::string>>;

/// A file or folder of the simulated drives as a snapshot sees it: its size and the moment its
/// host file was last written (any write changes them), its attributes and date in the simulator.
struct DriveEntry {
  /// Where it is on the host.
  std::string host;
  bool folder = false;
  std::uintmax_t size = 0;
  std::int64_t written = 0;
  std::uint32_t attributes = 0;
  double date = 0;
  bool operator==(const DriveEntry&) const = default;
};
/// Every file and folder of the drives, by full path.
using DriveSnapshot = std::map<std::string, DriveEntry>;

/// What one host call of the session did.
struct HostCallRecord {
  scenario::StatementKind kind = scenario::StatementKind::kTestePoint;
  /// "InitQuestion", "TestePoint", "Fermer" or "Quitter", and the line of the scenario.
  std::string name;
  int line = 0;
  /// Module calls made before this host call, and during it.
  std::uint64_t calls_before = 0;
  std::uint64_t calls = 0;
  /// The error it raised (nullopt: it returned normally).
  std::optional<scenario::ErrorRecord> error;
  /// After a TestePoint that returned normally: the verdict as the host reads it, or the error
  /// the reading raised.
  std::optional<player::VerdictReading> verdict;
  std::optional<scenario::ErrorRecord> verdict_error;
  /// The folder settings right after the call (after Fermer and Quitter only).
  FolderSettings settings;
};

struct SessionRun {
  int exercise = 0;
  std::vector<HostCallRecord> host_calls;
  /// All module calls of the session.
  std::uint64_t module_calls = 0;
  /// The host call (index into host_calls) during which the fault struck, and the member called.
  std::optional<std::size_t> struck;
  std::string struck_member;
  /// The settings before the first host call, and the drives after the session.
  FolderSettings settings_before;
  DriveSnapshot drives_after;
  /// What the host calls (the module, and the host placing its files) created, changed or deleted
  /// on the drives, by path: the learner's own saving is not theirs.
  std::map<std::string, std::string> changes;
  /// The working folder and the template folder of the session ("" when never resolved), as the
  /// drives resolve them; and the working folder as the host gave it.
  std::string work_folder_given;
  std::string work_folder;
  std::string template_folder;
};

/// Plays a session on a fresh desktop, statement by statement, so that a run may be taken up in the
/// middle (by a forked copy of the process). The learner's statements, desktop events and
/// expectations run as written; their failures are not the run's concern (after a fault the
/// learner's work may well go wrong).
class SessionPlayer {
 public:
  SessionPlayer(int exercise, const scenario::Scenario& session);
  ~SessionPlayer();
  SessionPlayer(const SessionPlayer&) = delete;
  SessionPlayer& operator=(const SessionPlayer&) = delete;

  /// Runs the statements up to the one at `statement` (not included).
  void RunTo(std::size_t statement);
  /// Aims the fault (at a module call not made yet, or at the call being made when called from the
  /// point hook).
  void Arm(Injection injection);
  /// Called at every module call, numbered from 1 over the session, before the call goes through.
  void SetPointHook(std::function<void(std::uint64_t call)> hook);
  /// Runs the rest of the session and gives the record of the whole of it.
  SessionRun Finish();

  /// The folder on the host behind the simulated drives, and the drives.
  std::filesystem::path DrivesFolder();
  sim::Drives& drives();
  const scenario::Scenario& session() const { return session_; }

 private:
  class Counter;
  class Recorder;
  void Step(const scenario::Statement& statement);
  /// A folder as the drives resolve it ("." and ".." gone, doubled backslashes made one, the drive
  /// named); the folder itself when the drives cannot resolve it.
  std::string Resolved(const std::string& folder);

  const scenario::Scenario& session_;
  std::size_t next_ = 0;
  SessionRun run_;
  std::unique_ptr<player::TrainingPlayer> player_;
  std::unique_ptr<Counter> counter_;
  std::unique_ptr<Recorder> recorder_;
  std::unique_ptr<player::Runner> runner_;
  player::ScenarioResult result_;
};

/// A whole session on a fresh desktop with the injection.
SessionRun PlaySession(int exercise, const scenario::Scenario& session, Injection injection);

/// True for the statements that are the host's calls to the module.
bool IsHostCall(scenario::StatementKind kind);

/// Every file and folder of the simulated drives; without the simulator's records, only what the
/// host folders show (sizes and write times).
DriveSnapshot Snapshot(sim::Drives& drives, bool with_records = true);

/// The four folder settings as the registry holds them now.
FolderSettings ReadFolderSettings(sim::Desktop& desktop);

}  // namespace faults
