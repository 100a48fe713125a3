// The fault campaign: each exercise's right-answer session (InitQuestion, the learner's work, the
// check, Fermer, Quitter) replayed once per object-model call the module makes in it, with that
// call refused as while a modal dialog is open, then again with PowerPoint's process ending at that
// call. Every run must hold the invariants of invariants.hpp; the totals are printed per exercise
// and, when several ran, for the whole campaign.
//
// A run starts from the very state the fault-free session had reached at its injection point: the
// test program plays the session once without a fault and, at each module call, forks the copies
// that meet the fault there. The simulated drives are the only state the copies share with the
// program (folders of the host); they are put back after each copy.
#include <gtest/gtest.h>
#include <stdlib.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <optional>
#include <sstream>

#include "faults/forked.hpp"
#include "faults/invariants.hpp"
#include "faults/session.hpp"
#include "player/right_answer.hpp"
#include "sanitizers.hpp"
#include "sim/drives.hpp"

namespace {

namespace fs = std::filesystem;
using faults::Injection;
using faults::SessionRun;

// The campaign makes and throws away many desktops: where the machine has a memory file system
// and no temporary folder was chosen, they are kept there.
const bool kDesktopsInMemory = [] {
  if (std::getenv("TMPDIR") == nullptr && access("/dev/shm", W_OK) == 0)
    return setenv("TMPDIR", "/dev/shm", 0) == 0;
  return false;
}();

}  // namespace

// Under AddressSanitizer the campaign forks many copies of this program: a smaller quarantine of
// freed memory, shorter allocation stacks and no filling of new memory keep each copy light (the
// options given in ASAN_OPTIONS still win).
extern "C" const char* __asan_default_options() {
  return "quarantine_size_mb=4:max_malloc_fill_size=0:malloc_context_size=8";
}

namespace {

/// Every how many module calls a fault is injected: 1 (every call) unless K60418_CAMPAIGN_STRIDE
/// says otherwise. Under the sanitizers, where one run costs several times as much, the default
/// is every 8th call, the first one moving with the exercise so that the exercises together cover
/// every place of a session.
constexpr std::uint64_t kDefaultStride = test_support::kUnderSanitizers ? 8 : 1;

std::uint64_t Stride() {
  if (const char* text = std::getenv("K60418_CAMPAIGN_STRIDE")) {
    const long stride = std::strtol(text, nullptr, 10);
    if (stride >= 1) return static_cast<std::uint64_t>(stride);
  }
  return kDefaultStride;
}

/// How long one run may take before it counts as hung.
constexpr std::chrono::seconds kRunBound(60);

/// Outcomes by kind, over the exercises that ran in this program.
struct Totals {
  std::uint64_t exercises = 0;
  std::uint64_t points = 0;
  std::uint64_t runs = 0;
  std::uint64_t broken = 0;
  std::map<std::string, std::uint64_t> kinds;

  void Add(const Totals& other) {
    exercises += other.exercises;
    points += other.points;
    runs += other.runs;
    broken += other.broken;
    for (const auto& [kind, count] : other.kinds) kinds[kind] += count;
  }
  void Print(const std::string& title) const {
    std::printf("%s: %llu injection points, %llu runs, %llu broken invariants\n", title.c_str(),
                static_cast<unsigned long long>(points), static_cast<unsigned long long>(runs),
                static_cast<unsigned long long>(broken));
    for (const auto& [kind, count] : kinds)
      std::printf("  %6llu  %s\n", static_cast<unsigned long long>(count), kind.c_str());
    std::fflush(stdout);
  }
};

Totals& Campaign() {
  static Totals totals;
  return totals;
}

class CampaignTotals : public ::testing::Environment {
 public:
  void TearDown() override {
    if (Campaign().exercises > 1) Campaign().Print("Fault campaign, all exercises");
  }
};
[[maybe_unused]] const auto* const kTotals = ::testing::AddGlobalTestEnvironment(new CampaignTotals);

const char* FaultName(sim::Fault fault) {
  return fault == sim::Fault::kRefuse ? "refused" : "process ended";
}

/// One line per item.
std::string Line(char tag, const std::string& text) {
  return std::string(1, tag) + ' ' + faults::OneLine(text) + '\n';
}

/// What a copy reports: "K kind", "M member", "B broken rule" lines.
std::string Report(const SessionRun& run, Injection injection) {
  std::string text = Line('K', faults::OutcomeKind(run)) + Line('M', run.struck_member);
  for (const auto& rule : faults::CheckRun(run, injection)) text += Line('B', rule);
  return text;
}

/// The simulated drives' host folder, kept aside and put back around the copies of the program:
/// only what a copy created, changed or deleted is undone, with the files' times as they were.
class DrivesKeeper {
 public:
  DrivesKeeper(const fs::path& drives, sim::Drives& simulated)
      : drives_(drives.lexically_normal()), saved_(drives_.string() + ".saved"), simulated_(simulated) {}
  ~DrivesKeeper() {
    std::error_code ignored;
    fs::remove_all(saved_, ignored);
  }
  /// Keeps the folder as it is now (unless it is unchanged since it was last kept).
  void Keep() {
    faults::DriveSnapshot now = faults::Snapshot(simulated_, false);
    if (kept_ && now == kept_snapshot_) return;
    fs::remove_all(saved_);
    CopyTree(drives_, saved_);
    kept_snapshot_ = std::move(now);
    kept_ = true;
  }
  /// Puts the folder back as it was kept.
  void PutBack() {
    const faults::DriveSnapshot now = faults::Snapshot(simulated_, false);
    if (now == kept_snapshot_) return;
    // Created: removed, deepest first (a map orders a folder before what it holds).
    for (auto it = now.rbegin(); it != now.rend(); ++it) {
      if (kept_snapshot_.count(it->first) == 0) fs::remove_all(it->second.host);
    }
    // Changed or deleted: copied back, folders first.
    for (const auto& [path, entry] : kept_snapshot_) {
      const auto found = now.find(path);
      if (found != now.end() && found->second == entry) continue;
      if (entry.folder) {
        fs::create_directories(entry.host);
      } else {
        CopyFile(saved_ / fs::path(entry.host).lexically_relative(drives_), entry.host);
      }
    }
  }

 private:
  static void CopyFile(const fs::path& from, const fs::path& to) {
    fs::copy_file(from, to, fs::copy_options::overwrite_existing);
    fs::last_write_time(to, fs::last_write_time(from));
  }
  static void CopyTree(const fs::path& from, const fs::path& to) {
    fs::create_directories(to);
    for (const auto& entry : fs::recursive_directory_iterator(from)) {
      const fs::path target = to / entry.path().lexically_relative(from);
      if (entry.is_directory()) {
        fs::create_directories(target);
      } else {
        CopyFile(entry.path(), target);
      }
    }
  }

  fs::path drives_;
  fs::path saved_;
  sim::Drives& simulated_;
  faults::DriveSnapshot kept_snapshot_;
  bool kept_ = false;
};

class FaultCampaign : public ::testing::TestWithParam<int> {};

// Every object-model call of the session, refused and then ending PowerPoint: no crash, no hang,
// errors well formed, no false "right", the settings back, no stray file.
TEST_P(FaultCampaign, EveryCallOfTheSessionFails) {
  const int exercise = GetParam();
  const scenario::Scenario session = player::RightAnswerSession(exercise);

  Totals totals;
  totals.exercises = 1;
  int shown = 0;
  const auto broken = [&](const std::string& name, const std::string& rule) {
    ++totals.broken;
    if (++shown <= 25) ADD_FAILURE() << name << ": " << rule;
  };

  // The session is played once without a fault. At each module call, before it goes through, the
  // program forks twice: one copy has that call refused, the other has PowerPoint end at it; each
  // copy plays the rest of the session and reports, the program goes on without a fault.
  faults::SessionPlayer session_player(exercise, session);
  DrivesKeeper drives(session_player.DrivesFolder(), session_player.drives());
  std::optional<Injection> injected;  // in a copy: its fault
  const std::uint64_t stride = Stride();
  const std::uint64_t first = 1 + static_cast<std::uint64_t>(exercise) % stride;
  session_player.SetPointHook([&](std::uint64_t call) {
    if (faults::InForkedCopy() || call < first || (call - first) % stride != 0) return;
    ++totals.points;
    drives.Keep();
    for (const sim::Fault fault : {sim::Fault::kRefuse, sim::Fault::kEndProcess}) {
      const Injection injection{call, fault};
      const auto result = faults::ForkHere(kRunBound);
      if (!result) {
        injected = injection;
        session_player.Arm(injection);
        return;
      }
      drives.PutBack();
      ++totals.runs;
      const std::string name =
          "exercise " + std::to_string(exercise) + ", call " + std::to_string(call) + " " + FaultName(fault);
      if (!result->death.empty()) {
        ++totals.kinds[std::string(FaultName(fault)) + ", the run died"];
        broken(name, "the run " + result->death);
        continue;
      }
      std::istringstream lines(result->text);
      std::string line, member;
      while (std::getline(lines, line)) {
        if (line.size() < 2) continue;
        const std::string value = line.substr(2);
        if (line[0] == 'K') ++totals.kinds[std::string(FaultName(fault)) + ", " + value];
        if (line[0] == 'M') member = value;
        if (line[0] == 'B') broken(name + " (" + member + ")", value);
      }
    }
  });
  const SessionRun run = session_player.Finish();
  if (injected) faults::ReportAndExit(Report(run, *injected));

  // The fault-free session itself holds the invariants and finds the work right.
  for (const auto& rule : faults::CheckRun(run, {})) ADD_FAILURE() << "without a fault: " << rule;
  bool checked_right = false;
  for (const auto& call : run.host_calls) {
    if (call.kind == scenario::StatementKind::kTestePoint && call.verdict)
      checked_right = checked_right || faults::SaysRight(exercise, *call.verdict);
  }
  EXPECT_TRUE(checked_right) << "the right-answer session is not found right without a fault";
  EXPECT_GT(run.module_calls, 0u);
  EXPECT_EQ(2 * totals.points, totals.runs);

  std::string title = "Fault campaign, exercise " + std::to_string(exercise) + " (" +
                      std::to_string(run.module_calls) + " calls in the session";
  if (stride > 1) title += ", a fault at every " + std::to_string(stride) + "th";
  totals.Print(title + ")");
  Campaign().Add(totals);
  EXPECT_EQ(0u, totals.broken);
}

INSTANTIATE_TEST_SUITE_P(Exercises, FaultCampaign, ::testing::Range(201, 225),
                         [](const ::testing::TestParamInfo<int>& info) {
                           return "Exercise" + std::to_string(info.param);
                         });

}  // namespace
