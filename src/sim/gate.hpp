// The process boundary of one simulated PowerPoint: every object-model call crosses this gate,
// which refuses calls while a modal dialog is open, fails them once the process has ended,
// counts them per member name and injects faults on demand.
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <string_view>

namespace sim {

/// What an injected fault does to the call it strikes.
enum class Fault {
  kRefuse,      // the call is refused as while a modal dialog is open (-2147418111)
  kEndProcess,  // PowerPoint's process ends; this call and all later ones fail (-2147023174)
};

class Gate {
 public:
  /// Tells the gate how to see a modal dialog of its process, and what ending the process means
  /// for the desktop (windows destroyed, running-object entry revoked).
  void SetModalProbe(std::function<bool()> modal_open) { modal_open_ = std::move(modal_open); }
  void SetOnEnd(std::function<void()> on_end) { on_end_ = std::move(on_end); }

  /// Told of every object-model call before the gate counts it or lets it through, with the
  /// member's name: a test that injects faults by their place in a whole session arms the gate
  /// from here (InjectAt(1) strikes the call being made). An empty function removes it.
  void SetCallObserver(std::function<void(std::string_view member)> observer) {
    call_observer_ = std::move(observer);
  }

  /// Called first by every object-model call. Counts it, then raises, in this order: an injected
  /// fault due at this call, the end of the process, a refusal while a modal dialog is open,
  /// a failure asked for by FailCalls for this member (-2147188160).
  void Enter(std::string_view member);

  /// Ends the process (the learner quits, Application.Quit, or an injected fault).
  void EndProcess();
  bool ended() const { return ended_; }

  /// Calls made through this gate: in all, and per member name (lower-cased).
  std::uint64_t total_calls() const { return total_; }
  std::uint64_t calls(std::string_view member) const;
  const std::map<std::string, std::uint64_t>& calls_by_member() const { return by_member_; }
  void ResetCounts();

  /// Injects a fault at the k-th call from now (1 = the next call); 0 cancels a pending one.
  void InjectAt(std::uint64_t k, Fault fault);
  /// The next n calls of a member (case-insensitive) fail with error -2147188160; 0 cancels.
  void FailCalls(std::string_view member, int n);

 private:
  std::function<bool()> modal_open_;
  std::function<void()> on_end_;
  std::function<void(std::string_view)> call_observer_;
  bool ended_ = false;
  std::uint64_t total_ = 0;
  std::map<std::string, std::uint64_t> by_member_;
  std::uint64_t inject_at_ = 0;  // absolute call number; 0 = none
  Fault inject_fault_ = Fault::kRefuse;
  std::map<std::string, int> fail_calls_;
};

}  // namespace sim
