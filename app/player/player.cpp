#include "player/player.hpp"

#include <cstdlib>
#include <stdexcept>

#include "exercises/fabrique.hpp"
#include "player/in_process_module.hpp"
#include "player/simulated_desktop.hpp"
#include "scenario/names.hpp"
#include "sim/ppt/object.hpp"

namespace player {
namespace {

[[noreturn]] void Raise(std::int32_t number, std::string description) {
  vb::Raise(number, kPlayerSource, std::move(description));
}

// The additional-information list as a late-bound object, so that a scenario reads
// Complement.Count and Complement(i) as the host reads its ComplementInfo interface.
class ComplementObject : public vb::Dispatch {
 public:
  explicit ComplementObject(std::shared_ptr<host::ComplementInfo> list) : list_(std::move(list)) {}

  vb::Variant Invoke(std::string_view member, vb::CallKind kind, const vb::Arguments& arguments) override {
    const bool count =
        scenario::SameName(member, "Count") || scenario::SameName(member, "ComplementInfo_count");
    const bool item = scenario::SameName(member, "Item") || scenario::SameName(member, "ComplementInfo_item");
    if ((!count && !item) || kind == vb::CallKind::Put) vb::Raise(vb::errors::kNoSuchMember, kPlayerSource);
    if (count) {
      if (!arguments.empty()) vb::Raise(vb::errors::kWrongArgumentCount, kPlayerSource);
      return vb::Variant(list_->ComplementInfo_count());
    }
    if (arguments.size() != 1 || !arguments[0].name.empty()) {
      vb::Raise(vb::errors::kWrongArgumentCount, kPlayerSource);
    }
    return vb::Variant(list_->ComplementInfo_item(arguments[0].value.ToLong()));
  }
  const void* Identity() const override { return list_.get(); }
  std::string TypeName() const override { return "ComplementInfo"; }

 private:
  std::shared_ptr<host::ComplementInfo> list_;
};

// The longest step of the simulated clock, so that its dates stay dates: 100 years.
constexpr double kLongestWait = 100.0 * 366 * 24 * 3600;

std::string Text(const std::vector<vb::Variant>& arguments, std::size_t k) {
  return k < arguments.size() ? arguments[k].ToString() : std::string();
}

}  // namespace

std::filesystem::path ResolveCourseFolder(const std::filesystem::path& given) {
  if (!given.empty()) return given;
  if (const char* variable = std::getenv("K60418_COURSE_DIR"); variable && *variable) return variable;
  return K60418_COURSE_DIR;
}

PlayerSides MakeSimulatedSides(const PlayerOptions& options) {
  sim::DesktopOptions desktop_options;
  desktop_options.state_folder = options.state_folder;
  desktop_options.course_folder = ResolveCourseFolder(options.course_folder);
  auto desktop = std::make_unique<SimulatedDesktop>(desktop_options);
  auto module = std::make_unique<InProcessModule>(desktop->Platform());
  return {std::move(desktop), std::move(module)};
}

TrainingPlayer::TrainingPlayer(const PlayerOptions& options)
    : course_folder_(ResolveCourseFolder(options.course_folder)) {
  PlayerSides sides = options.make_sides ? options.make_sides(options) : MakeSimulatedSides(options);
  if (!sides.desktop || !sides.module) throw std::logic_error("the player was given no desktop or no module");
  desktop_ = std::move(sides.desktop);
  module_ = std::move(sides.module);
}

TrainingPlayer::~TrainingPlayer() {
  // The module and the host's references go before the desktop whose PowerPoint they refer to.
  module_.reset();
  application_ = ppt::Application();
  desktop_.reset();
}

// --- host calls ------------------------------------------------------------------------------

void TrainingPlayer::InitQuestion(std::int32_t number, const std::string& folder) {
  // A host has model files only for the course's exercises; for another number it places
  // nothing and lets the module answer.
  if (place_files_ && number >= k60418::kPremiereQuestion && number <= k60418::kDerniereQuestion) {
    PlaceFiles(number, folder);
  }
  work_folder_ = folder;
  module_->InitQuestion(number, folder, application_, handle_);
}

void TrainingPlayer::TestePoint() {
  module_->TestePoint();
}

void TrainingPlayer::Fermer() {
  module_->Fermer();
}

void TrainingPlayer::Quitter() {
  module_->Quitter(application_, handle_);
}

VerdictReading TrainingPlayer::ReadVerdict() {
  VerdictReading verdict;
  verdict.erreur_generale = module_->ErreurGenerale();
  verdict.cause_erreur = module_->CauseErreur();
  if (verdict.erreur_generale) return verdict;  // the rest means nothing after a general error
  verdict.bravo_nuance = module_->BravoNuance();
  if (auto list = module_->Complement()) {
    std::vector<std::string> lines;
    const std::int32_t count = list->ComplementInfo_count();
    for (std::int32_t k = 1; k <= count; ++k) lines.push_back(list->ComplementInfo_item(k));
    verdict.complement = std::move(lines);
  }
  return verdict;
}

std::vector<std::string> TrainingPlayer::ModelFiles(std::int32_t number) {
  k60418::Api api;
  const platform::Platform ports = desktop_->Platform();
  k60418::ContexteExercice contexte{api, ports.clock, ports.files};
  const auto question = k60418::CreeQuestion(number, contexte);
  if (!question) {
    Raise(vb::errors::kInvalidCall, "exercise " + std::to_string(number) +
                                        " is not part of the course (201 to " +
                                        std::to_string(k60418::kDerniereQuestion) + ")");
  }
  std::vector<std::string> names;
  const auto& list = question->FichiersDeTravail();
  for (std::int32_t k = 1; k <= list.count(); ++k) {
    const auto entry = list.Item(k);
    if (!entry.NomSource.empty()) names.push_back(entry.NomSource);
  }
  return names;
}

void TrainingPlayer::PlaceFiles(std::int32_t number, const std::string& folder) {
  const auto names = ModelFiles(number);
  // The learner's working folder exists even for an exercise without model files.
  if (!desktop_->MakeFolder(folder)) {
    Raise(vb::errors::kPathNotFound, "the working folder " + folder + " cannot be created");
  }
  for (const auto& name : names) {
    const auto model = course_folder_ / "models" / name;
    std::error_code error;
    if (!std::filesystem::is_regular_file(model, error)) {
      Raise(vb::errors::kFileNotFound,
            "the course has no model file " + name + " (looked for " + model.string() + ")");
    }
    const std::u8string utf8 = model.u8string();
    desktop_->PlaceHostFile(std::string(utf8.begin(), utf8.end()), folder + name);
  }
}

void TrainingPlayer::set_application(const vb::Variant& value) {
  application_ = ppt::Application(value.ToObject());
}

// --- the desktop ------------------------------------------------------------------------------

CallCounts TrainingPlayer::Calls() {
  return desktop_->Calls();
}

void TrainingPlayer::SimEvent(const std::string& name, const std::vector<vb::Variant>& arguments) {
  LearnerDesktop& d = *desktop_;
  // Events aimed at PowerPoint act on the instance the module holds while it runs.
  const auto held = [&] { return module_->HeldApplication(); };
  if (name == "StartPowerPoint") {
    d.StartPowerPoint();
  } else if (name == "HideWindow") {
    d.HideWindow(held());
  } else if (name == "QuitPowerPoint") {
    d.QuitPowerPoint(held());
  } else if (name == "Minimize") {
    d.Minimize(held());
  } else if (name == "Restore") {
    d.Restore(held());
  } else if (name == "OpenDialog") {
    d.OpenDialog(Text(arguments, 0), Text(arguments, 1), held());
  } else if (name == "OpenWindow") {
    d.OpenWindow(Text(arguments, 0), Text(arguments, 1));
  } else if (name == "ShowBalloon") {
    d.ShowBalloon(held());
  } else if (name == "Wait") {
    const double seconds = arguments.at(0).ToDouble();
    if (seconds < 0)
      Raise(vb::errors::kInvalidCall, "Sim.Wait takes a number of seconds that is not negative");
    if (seconds > kLongestWait) Raise(vb::errors::kOverflow, "Sim.Wait moves the clock by at most 100 years");
    d.Wait(seconds);
  } else if (name == "FailCalls") {
    const std::int32_t count = arguments.at(1).ToLong();
    if (count < 0) Raise(vb::errors::kInvalidCall, "Sim.FailCalls takes a count that is not negative");
    d.FailCalls(Text(arguments, 0), count, held());
  } else if (name == "SetRegistry") {
    d.SetRegistry(Text(arguments, 0), Text(arguments, 1), Text(arguments, 2));
  } else if (name == "DeleteRegistry") {
    d.DeleteRegistry(Text(arguments, 0),
                     arguments.size() == 1 ? std::nullopt : std::optional<std::string>(Text(arguments, 1)));
  } else if (name == "CopyFile") {
    d.CopyFile(Text(arguments, 0), Text(arguments, 1));
  } else if (name == "DeleteFile") {
    d.DeleteFile(Text(arguments, 0));
  } else if (name == "SetReadOnly") {
    d.SetReadOnly(Text(arguments, 0));
  } else if (name == "DestroyMainWindow") {
    d.DestroyMainWindow(held());
  } else {
    Raise(vb::errors::kInvalidCall, "Sim." + name + " is not a desktop event");
  }
}

void TrainingPlayer::SaveState() {
  desktop_->SaveState();
}

// --- scenario::Environment ----------------------------------------------------------------------

vb::ObjectRef TrainingPlayer::PowerPoint() {
  return desktop_->PowerPoint(module_->HeldApplication());
}

vb::Variant TrainingPlayer::HostValue(const std::string& member) {
  if (member == "Application") return vb::Variant(application_.ref());
  if (member == "Handle") return vb::Variant(handle_);
  return vb::Variant(place_files_);
}

vb::Variant TrainingPlayer::SimValue(const std::string& member, const std::vector<vb::Variant>& arguments) {
  if (member == "WorkFolder") return vb::Variant(work_folder_);
  if (member == "TemplateFolder") return vb::Variant(module_->TemplateFolder());
  if (member == "DesignsFolder") return vb::Variant(desktop_->DesignsFolder());
  if (member == "ContentFolder") return vb::Variant(desktop_->ContentFolder());
  if (member == "FileExists") return vb::Variant(desktop_->FileExists(Text(arguments, 0)));
  if (member == "Registry") {
    const auto value = desktop_->RegistryValue(Text(arguments, 0), Text(arguments, 1));
    return value ? vb::Variant(*value) : vb::Variant();
  }
  if (member == "WindowVisible") return vb::Variant(desktop_->WindowVisible(module_->HeldApplication()));
  if (member == "PowerPointRunning") return vb::Variant(desktop_->PowerPointRunning());
  if (member == "WindowHandle") return vb::Variant(desktop_->WindowHandle(Text(arguments, 0)));
  Raise(vb::errors::kNoSuchMember, "Sim." + member + " is not a value");
}

void TrainingPlayer::MemberRefused(const vb::Dispatch& object, std::string_view member, vb::CallKind kind) {
  const auto* simulated = dynamic_cast<const sim::ppt::SimObject*>(&object);
  if (!simulated) return;
  const std::string type = object.TypeName();
  const sim::ppt::Member* found = simulated->member_table().Find(member);
  if (found) {
    if (kind == vb::CallKind::Put && !found->put)
      hint_ = "`" + found->name + "` of " + type + " is read-only";
    return;
  }
  std::vector<std::string> names;
  for (const auto& candidate : simulated->member_table().members()) names.push_back(candidate.name);
  const std::string suggestion = scenario::DidYouMean(scenario::NearestNames(member, names));
  hint_ = "`" + std::string(member) + "` is not a member of " + type +
          (suggestion.empty() ? "" : "; " + suggestion);
}

vb::Variant TrainingPlayer::Verdict(const std::string& member) {
  if (member == "ErreurGenerale") return vb::Variant(module_->ErreurGenerale());
  if (member == "CauseErreur") return vb::Variant(module_->CauseErreur());
  if (member == "BravoNuance") return vb::Variant(module_->BravoNuance());
  auto list = module_->Complement();
  if (!list) return vb::Variant::Nothing();
  return vb::Variant(vb::ObjectRef(std::make_shared<ComplementObject>(std::move(list))));
}

}  // namespace player
