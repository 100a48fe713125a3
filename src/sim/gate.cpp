#include "sim/gate.hpp"

#include <algorithm>
#include <cctype>

#include "vb/error.hpp"

namespace sim {
namespace {

// Every error the gate raises names PowerPoint as its source: a refused call, one PowerPoint
// fails on purpose, and also the disconnection after the process ended, for which Windows
// itself gives no source (the server is gone); naming the process that went away is what a
// reader of the error needs.
constexpr const char* kSource = "PowerPoint";

std::string Lower(std::string_view name) {
  std::string lower(name);
  std::transform(lower.begin(), lower.end(), lower.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return lower;
}

[[noreturn]] void RaiseRejected() {
  vb::Raise(vb::errors::kCallRejected, kSource);
}

[[noreturn]] void RaiseUnavailable() {
  vb::Raise(vb::errors::kServerUnavailable, kSource);
}

}  // namespace

void Gate::Enter(std::string_view member) {
  if (call_observer_) call_observer_(member);
  ++total_;
  const std::string name = Lower(member);
  ++by_member_[name];

  if (inject_at_ != 0 && total_ == inject_at_) {
    inject_at_ = 0;
    if (inject_fault_ == Fault::kEndProcess) {
      EndProcess();
      RaiseUnavailable();
    }
    RaiseRejected();
  }
  if (ended_) RaiseUnavailable();
  if (modal_open_ && modal_open_()) RaiseRejected();
  const auto failing = fail_calls_.find(name);
  if (failing != fail_calls_.end() && failing->second > 0) {
    if (--failing->second == 0) fail_calls_.erase(failing);
    vb::Raise(vb::errors::kPowerPoint, kSource,
              std::string(member) + " : PowerPoint could not complete this call.");
  }
}

void Gate::EndProcess() {
  if (ended_) return;
  ended_ = true;
  inject_at_ = 0;
  fail_calls_.clear();
  if (on_end_) on_end_();
}

std::uint64_t Gate::calls(std::string_view member) const {
  const auto found = by_member_.find(Lower(member));
  return found == by_member_.end() ? 0 : found->second;
}

void Gate::ResetCounts() {
  // A fault due at a later call keeps its distance from now.
  if (inject_at_ != 0) inject_at_ -= total_;
  total_ = 0;
  by_member_.clear();
}

void Gate::InjectAt(std::uint64_t k, Fault fault) {
  if (k == 0) {
    inject_at_ = 0;
    return;
  }
  inject_at_ = total_ + k;
  inject_fault_ = fault;
}

void Gate::FailCalls(std::string_view member, int n) {
  const std::string name = Lower(member);
  if (n <= 0) {
    fail_calls_.erase(name);
  } else {
    fail_calls_[name] = n;
  }
}

}  // namespace sim
