#include "sim/desktop.hpp"

#include <random>
#include <system_error>
#include <utility>

#include "sim/automation.hpp"
#include "sim/clock.hpp"
#include "sim/drives.hpp"
#include "sim/ppt/application.hpp"
#include "sim/registry.hpp"
#include "sim/state_file.hpp"
#include "sim/window_manager.hpp"
#include "vb/error.hpp"

namespace fs = std::filesystem;

namespace sim {
namespace {

// The drives of the desktop: the system disk and a second one for data.
constexpr const char* kDriveLetters = "CD";
// The version-independent ProgID answers to the same class, as on Windows.
constexpr const char* kPowerPointIndependentProgId = "PowerPoint.Application";
// The date the files of the Office installation carry.
const vb::Date kOfficeFilesDate = vb::Date::FromParts(2003, 7, 11, 12, 0, 0);

[[noreturn]] void EventError(const std::string& description) {
  vb::Raise(vb::errors::kInvalidCall, "Sim", description);
}

fs::path MakeTemporaryFolder() {
  std::random_device random;
  for (int attempt = 0; attempt < 100; ++attempt) {
    const fs::path folder = fs::temp_directory_path() / ("k60418-desktop-" + std::to_string(random()));
    if (fs::create_directory(folder)) return folder;
  }
  throw fs::filesystem_error("cannot make a temporary desktop folder", fs::temp_directory_path(),
                             std::make_error_code(std::errc::file_exists));
}

/// A PowerPoint 2003 process: its main window, its gate and its object model.
class SimPowerPointProcess : public PowerPointProcess {
 public:
  SimPowerPointProcess(Desktop& desktop, std::uint32_t id) : desktop_(desktop), id_(id) {
    WindowManager& windows = desktop.windows();
    WindowTraits traits;
    traits.class_name = kPowerPointFrameClass;
    traits.title = kPowerPointTitle;
    traits.style = WS_OVERLAPPEDWINDOW;
    traits.visible = false;
    traits.process = id;
    main_window_ = windows.Create(traits);
    // Closing the main window while automation holds the process hides it: the process lives on.
    const platform::HWND main = main_window_;
    windows.SetCloseHandler(main, [&windows, main] { windows.ShowWindow(main, platform::SW_HIDE); });

    gate_.SetModalProbe([this] { return desktop_.windows().HasModalDialog(main_window_); });
    gate_.SetOnEnd([this] { End(); });

    auto context = std::make_shared<ppt::Context>();
    context->gate = &gate_;
    context->desktop = &desktop;
    context->process = this;
    application_ = ppt::CreateApplication(std::move(context));
    desktop.automation().RegisterRunning(kPowerPointProgId, application_, this);
  }

  Gate& gate() override { return gate_; }
  platform::HWND main_window() const override { return main_window_; }
  bool running() const override { return !gate_.ended(); }
  vb::ObjectRef application() override { return application_; }
  std::uint32_t id() const override { return id_; }

 private:
  void End() {
    desktop_.windows().DestroyProcessWindows(id_);
    desktop_.automation().Revoke(this);
    main_window_ = 0;
  }

  Desktop& desktop_;
  std::uint32_t id_;
  Gate gate_;
  platform::HWND main_window_ = 0;
  vb::ObjectRef application_;
};

}  // namespace

struct Desktop::State {
  fs::path folder;
  bool temporary = false;
  fs::path course;
  SimClock clock;
  Registry registry;
  WindowManager windows;
  Automation automation;
  std::unique_ptr<Drives> drives;
  // Last, so that the processes go before the windows and the table they refer to.
  std::vector<std::unique_ptr<PowerPointProcess>> processes;
  std::function<void(PowerPointProcess&)> process_observer;
  std::uint32_t next_process_id = 1000;
  // Failures asked for while no PowerPoint ran, for the next one to start (member, count).
  std::vector<std::pair<std::string, int>> pending_failures;
};

Desktop::Desktop() : Desktop(DesktopOptions{}) {}

Desktop::Desktop(const fs::path& state_folder) : Desktop(DesktopOptions{state_folder, {}}) {}

Desktop::Desktop(const DesktopOptions& options) : state_(std::make_unique<State>()) {
  State& s = *state_;
  s.course = options.course_folder.empty() ? fs::path(K60418_COURSE_DIR) : options.course_folder;
  if (options.state_folder.empty()) {
    s.folder = MakeTemporaryFolder();
    s.temporary = true;
  } else {
    s.folder = options.state_folder;
    fs::create_directories(s.folder);
  }
  s.drives = std::make_unique<Drives>(s.folder / "drives", s.clock, kDriveLetters);
  s.automation.RegisterClass({kPowerPointProgId, kPowerPointIndependentProgId},
                             [this] { return CreatePowerPoint().application(); });
  if (fs::exists(s.folder / kStateFileName)) {
    LoadState();
  } else {
    MakeFresh();
  }
}

Desktop::~Desktop() {
  if (!state_->temporary) return;
  const fs::path folder = state_->folder;
  state_.reset();
  std::error_code ignored;
  fs::remove_all(folder, ignored);
}

void Desktop::MakeFresh() {
  State& s = *state_;
  s.registry.LoadDefaults();
  // The user's folders the registry names, as Windows made them at the first logon.
  for (const std::string& folder : UserFolders()) s.drives->MakeSureDirectoryPathExists(folder);
  // The Office installation: PowerPoint's design and content templates.
  const std::pair<fs::path, std::string> installation[] = {
      {s.course / "office" / "designs", DesignsFolder()}, {s.course / "office" / "content", ContentFolder()}};
  for (const auto& [source, target] : installation) {
    s.drives->MakeSureDirectoryPathExists(target);
    std::error_code error;
    if (!fs::is_directory(source, error)) continue;
    for (const auto& entry : fs::directory_iterator(source, error)) {
      if (!entry.is_regular_file()) continue;
      // Installing again over a state folder that was never saved repairs the files it finds.
      const std::string file = target + entry.path().filename().string();
      if (s.drives->Exists(file)) s.drives->SetReadOnly(file, false);
      s.drives->PlaceHostFile(entry.path(), file, kOfficeFilesDate);
    }
  }
}

void Desktop::LoadState() {
  State& s = *state_;
  const StateSnapshot snapshot = ReadStateFile(s.folder / kStateFileName);
  s.clock.Set(snapshot.clock);
  s.registry.Restore(snapshot.registry);
  s.windows.Restore(snapshot.windows, snapshot.next_handle);
  s.drives->RestoreRecords(snapshot.files);
  s.drives->RestoreCurrentFolders(snapshot.current_drive, snapshot.current_folders);
}

void Desktop::Save() {
  State& s = *state_;
  StateSnapshot snapshot;
  snapshot.clock = s.clock.Now();
  snapshot.registry = s.registry.Keys();
  snapshot.windows = s.windows.Records();
  snapshot.next_handle = s.windows.next_handle();
  snapshot.current_drive = s.drives->current_drive();
  snapshot.current_folders = s.drives->CurrentFolders();
  snapshot.files = s.drives->Records();
  WriteStateFile(s.folder / kStateFileName, snapshot);
}

const fs::path& Desktop::state_folder() const {
  return state_->folder;
}

platform::Platform Desktop::Platform() {
  State& s = *state_;
  return platform::Platform{s.windows, s.registry, *s.drives, s.automation, s.clock};
}

WindowManager& Desktop::windows() {
  return state_->windows;
}
Registry& Desktop::registry() {
  return state_->registry;
}
Drives& Desktop::drives() {
  return *state_->drives;
}
SimClock& Desktop::clock() {
  return state_->clock;
}
Automation& Desktop::automation() {
  return state_->automation;
}

// --- PowerPoint processes ----------------------------------------------------------------------

PowerPointProcess& Desktop::CreatePowerPoint() {
  State& s = *state_;
  const std::uint32_t id = s.next_process_id;
  s.next_process_id += 4;
  s.processes.push_back(std::make_unique<SimPowerPointProcess>(*this, id));
  for (const auto& [member, n] : s.pending_failures) s.processes.back()->gate().FailCalls(member, n);
  s.pending_failures.clear();
  if (s.process_observer) s.process_observer(*s.processes.back());
  return *s.processes.back();
}

void Desktop::SetProcessObserver(std::function<void(PowerPointProcess&)> observer) {
  state_->process_observer = std::move(observer);
}

PowerPointProcess& Desktop::StartPowerPoint() {
  PowerPointProcess& process = CreatePowerPoint();
  windows().ShowWindow(process.main_window(), platform::SW_SHOWNORMAL);
  return process;
}

const std::vector<std::unique_ptr<PowerPointProcess>>& Desktop::processes() const {
  return state_->processes;
}

int Desktop::PowerPointRunning() const {
  int count = 0;
  for (const auto& process : state_->processes) count += process->running() ? 1 : 0;
  return count;
}

PowerPointProcess* Desktop::LatestPowerPoint() {
  return state_->processes.empty() ? nullptr : state_->processes.back().get();
}

PowerPointProcess* Desktop::FindProcess(const vb::ObjectRef& application) {
  if (!application) return nullptr;
  for (const auto& process : state_->processes) {
    if (vb::SameObject(process->application(), application)) return process.get();
  }
  return nullptr;
}

PowerPointProcess& Desktop::Target(PowerPointProcess* process, bool must_run) {
  if (!process) process = LatestPowerPoint();
  if (!process) EventError("No PowerPoint has been started on this desktop.");
  if (must_run && !process->running()) EventError("PowerPoint is not running.");
  return *process;
}

// --- Events ------------------------------------------------------------------------------------

void Desktop::HideWindow(PowerPointProcess* process) {
  windows().ShowWindow(Target(process, true).main_window(), platform::SW_HIDE);
}

void Desktop::QuitPowerPoint(PowerPointProcess* process) {
  Target(process, false).gate().EndProcess();
}

void Desktop::Minimize(PowerPointProcess* process) {
  windows().ShowWindow(Target(process, true).main_window(), platform::SW_MINIMIZE);
}

void Desktop::Restore(PowerPointProcess* process) {
  windows().ShowWindow(Target(process, true).main_window(), platform::SW_RESTORE);
}

platform::HWND Desktop::OpenDialog(const std::string& title, const std::string& owner_title,
                                   PowerPointProcess* process) {
  const platform::HWND main = Target(process, true).main_window();
  platform::HWND owner = main;
  if (!owner_title.empty()) {
    owner = windows().FindDialog(main, owner_title);
    if (owner == 0) EventError("PowerPoint has no dialog titled \"" + owner_title + "\" open.");
  }
  return windows().OpenDialog(owner, title);
}

platform::HWND Desktop::OpenWindow(const std::string& title, const std::string& class_name) {
  return windows().OpenWindow(title, class_name);
}

platform::HWND Desktop::ShowBalloon(PowerPointProcess* process) {
  if (!process) process = LatestPowerPoint();
  if (process && process->running()) return windows().ShowBalloon(process->main_window(), process->id());
  return windows().ShowBalloon(0, 0);
}

void Desktop::Wait(double seconds) {
  clock().Wait(seconds);
}

void Desktop::FailCalls(const std::string& member, int n, PowerPointProcess* process) {
  if (!process) process = LatestPowerPoint();
  if (process && process->running()) {
    process->gate().FailCalls(member, n);
  } else {
    state_->pending_failures.emplace_back(member, n);
  }
}

void Desktop::SetRegistry(const std::string& key, const std::string& value_name, const std::string& data) {
  registry().SetString(key, value_name, data);
}

bool Desktop::DeleteRegistry(const std::string& key) {
  return registry().DeleteKey(key);
}

bool Desktop::DeleteRegistry(const std::string& key, const std::string& value_name) {
  return registry().DeleteValue(key, value_name);
}

void Desktop::CopyFile(const std::string& from, const std::string& to) {
  drives().CopyFile(from, to);
}

void Desktop::DeleteFile(const std::string& path) {
  drives().DeleteFile(path);
}

void Desktop::SetReadOnly(const std::string& path) {
  drives().SetReadOnly(path, true);
}

// --- Values ------------------------------------------------------------------------------------

std::vector<std::string> Desktop::UserFolders() {
  const std::string user = "C:\\Documents and Settings\\Apprenant\\";
  std::vector<std::string> folders;
  for (const char* folder : {"Mes documents\\Mes images\\", "Mes documents\\Ma musique\\", "Bureau\\",
                             "Application Data\\Microsoft\\Modèles\\"}) {
    folders.push_back(user + folder);
  }
  return folders;
}

std::string Desktop::DocumentsFolder() {
  return "C:\\Documents and Settings\\Apprenant\\Mes documents\\";
}

std::string Desktop::DesignsFolder() {
  return "C:\\Program Files\\Microsoft Office\\Templates\\Presentation Designs\\";
}

std::string Desktop::ContentFolder() {
  return "C:\\Program Files\\Microsoft Office\\Templates\\1036\\";
}

bool Desktop::FileExists(const std::string& path) {
  return drives().Exists(path);
}

std::optional<std::string> Desktop::RegistryValue(const std::string& key,
                                                  const std::string& value_name) const {
  return state_->registry.GetString(key, value_name);
}

bool Desktop::WindowVisible(PowerPointProcess* process) {
  if (!process) process = LatestPowerPoint();
  if (!process || !process->running()) return false;
  return windows().IsWindowVisible(process->main_window()) != 0;
}

}  // namespace sim
