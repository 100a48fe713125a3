// The training player: the host that loads the module, places each exercise's model files in the
// learner's working folder, calls the module in the host's order with the host's two in-out
// variables, and reads the verdict back. It reaches the module and the learner's desktop only
// through their two seams (HostedModule, LearnerDesktop): the simulated pair by default.
#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "player/hosted_module.hpp"
#include "player/learner_desktop.hpp"
#include "powerpoint/ppt.hpp"
#include "scenario/evaluator.hpp"

namespace player {

/// The working folder a host uses when a scenario names none.
inline constexpr const char* kDefaultWorkFolder = "C:\\ZUK\\Travail\\";
/// The source of the errors the player itself raises (a missing model file, a bad exercise number).
inline constexpr const char* kPlayerSource = "k60418";

struct PlayerOptions;

/// The module a player hosts and the desktop it plays on, made for it.
struct PlayerSides {
  std::unique_ptr<LearnerDesktop> desktop;
  std::unique_ptr<HostedModule> module;
};

/// Makes a player's sides from its options (the course folder as given, maybe empty).
using SidesMaker = std::function<PlayerSides(const PlayerOptions&)>;

/// Where the player finds the course and keeps its desktop.
struct PlayerOptions {
  /// The course's data (models/, office/); empty: the course of the source tree.
  std::filesystem::path course_folder;
  /// A folder the desktop is loaded from (when it holds one) and saved to; empty: a fresh,
  /// temporary desktop.
  std::filesystem::path state_folder;
  /// Makes the module and the desktop; empty: MakeSimulatedSides.
  SidesMaker make_sides{};
  /// The scenario played (its name in the report), for a sides maker's messages; may be empty.
  std::string scenario{};
};

/// The simulated desktop (kept in the options' state folder when there is one) and the core in
/// process on its ports.
PlayerSides MakeSimulatedSides(const PlayerOptions& options);

/// The verdict as the host reads it after a check.
struct VerdictReading {
  bool erreur_generale = false;
  std::string cause_erreur;
  bool bravo_nuance = false;
  /// Nothing when the exercise handed no list.
  std::optional<std::vector<std::string>> complement;
};

class TrainingPlayer : public scenario::Environment {
 public:
  explicit TrainingPlayer(const PlayerOptions& options = {});
  ~TrainingPlayer() override;
  TrainingPlayer(const TrainingPlayer&) = delete;
  TrainingPlayer& operator=(const TrainingPlayer&) = delete;

  LearnerDesktop& desktop() { return *desktop_; }
  HostedModule& module() { return *module_; }

  // --- The host's calls ---------------------------------------------------------------------
  /// Places the exercise's model files (unless placing is off), then InitQuestion with the host's
  /// variables. folder: the working folder, ending with a backslash (default C:\ZUK\Travail\).
  void InitQuestion(std::int32_t number, const std::string& folder = kDefaultWorkFolder);
  void TestePoint();
  void Fermer();
  void Quitter();
  /// Reads the verdict as the host does after a check: ErreurGenerale, CauseErreur, BravoNuance,
  /// Complement. Raises what the module raises.
  VerdictReading ReadVerdict();

  /// Creates the working folder and copies exercise number's model files from the course into it
  /// under their source names (the exercise's working-file list). Raises error 5 for a number
  /// outside the course and 53 for a model file the course lacks.
  void PlaceFiles(std::int32_t number, const std::string& folder = kDefaultWorkFolder);
  /// The source names of an exercise's model files, in the list's order (entries with an empty
  /// source left out); error 5 for a number outside 201 to 224.
  std::vector<std::string> ModelFiles(std::int32_t number);

  // --- The host's variables -------------------------------------------------------------------
  bool place_files() const { return place_files_; }
  void set_place_files(bool on) { place_files_ = on; }
  std::int32_t handle() const { return handle_; }
  void set_handle(std::int32_t handle) { handle_ = handle; }
  const ppt::Application& application() const { return application_; }
  /// Sets Host.Application: an object or Nothing (error 13 for anything else).
  void set_application(const vb::Variant& value);
  /// The folder of the last InitQuestion (the default folder before the first).
  const std::string& work_folder() const { return work_folder_; }

  /// The object-model calls made so far, per member, over every process of the desktop.
  CallCounts Calls();

  /// A desktop event by its scenario name ("OpenDialog") with its arguments; raises what the
  /// desktop raises (error 5 when no PowerPoint runs for an event that needs one, NotPlayable for
  /// an event it cannot give).
  void SimEvent(const std::string& name, const std::vector<vb::Variant>& arguments);

  /// Saves the desktop to its state folder (only for a desktop that has one).
  void SaveState();

  /// The error of the last action, as the scenario's Error reads it.
  void set_last_error(scenario::ErrorRecord error) { last_error_ = std::move(error); }

  // --- scenario::Environment ------------------------------------------------------------------
  vb::ObjectRef PowerPoint() override;
  vb::Variant HostValue(const std::string& member) override;
  vb::Variant SimValue(const std::string& member, const std::vector<vb::Variant>& arguments) override;
  vb::Variant Verdict(const std::string& member) override;
  const scenario::ErrorRecord& LastError() override { return last_error_; }
  void MemberRefused(const vb::Dispatch& object, std::string_view member, vb::CallKind kind) override;

  /// What the last refused member of the object model deserves to be told ("`TextFrme` is not a
  /// member of Shape; did you mean `TextFrame`?"), emptied by the reading; "" when none.
  std::string TakeHint() { return std::exchange(hint_, std::string()); }

 private:
  std::filesystem::path course_folder_;
  std::unique_ptr<LearnerDesktop> desktop_;
  std::unique_ptr<HostedModule> module_;
  ppt::Application application_;
  std::int32_t handle_ = -1;
  bool place_files_ = true;
  std::string work_folder_ = kDefaultWorkFolder;
  scenario::ErrorRecord last_error_;
  std::string hint_;
};

/// The course folder to use: the one given, else $K60418_COURSE_DIR, else the source tree's.
std::filesystem::path ResolveCourseFolder(const std::filesystem::path& given = {});

}  // namespace player
