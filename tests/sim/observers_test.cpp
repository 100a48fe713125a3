// Conformance of the simulator's observers, which tests use to follow and strike every
// object-model call of a session: the call observer of a gate and the desktop's process observer.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "error_number.hpp"
#include "powerpoint/ppt.hpp"
#include "sim/desktop.hpp"
#include "vb/error.hpp"

namespace {

using test_support::ErrorNumberOf;

constexpr int kRejected = -2147418111;
constexpr int kUnavailable = -2147023174;

TEST(GateCallObserver, IsToldOfEachCallBeforeItIsCounted) {
  // The observer sees the member as called, and the count it sees is the one before the call.
  sim::Gate gate;
  std::vector<std::string> seen;
  std::vector<std::uint64_t> counts;
  gate.SetCallObserver([&](std::string_view member) {
    seen.emplace_back(member);
    counts.push_back(gate.total_calls());
  });
  gate.Enter("Presentations");
  gate.Enter("Count");
  EXPECT_EQ((std::vector<std::string>{"Presentations", "Count"}), seen);
  EXPECT_EQ((std::vector<std::uint64_t>{0, 1}), counts);
  gate.SetCallObserver({});
  gate.Enter("Item");
  EXPECT_EQ(2u, seen.size());
}

TEST(GateCallObserver, InjectingFromTheObserverStrikesTheCallBeingMade) {
  // InjectAt(1) from the observer is due at the call that is entering, with the fault asked for.
  sim::Gate gate;
  std::string strike;
  sim::Fault fault = sim::Fault::kRefuse;
  gate.SetCallObserver([&](std::string_view member) {
    if (member == strike) gate.InjectAt(1, fault);
  });
  strike = "Name";
  gate.Enter("Count");
  EXPECT_EQ(kRejected, ErrorNumberOf([&] { gate.Enter("Name"); }));
  gate.Enter("FullName");  // the refusal struck once
  strike = "Slides";
  fault = sim::Fault::kEndProcess;
  EXPECT_EQ(kUnavailable, ErrorNumberOf([&] { gate.Enter("Slides"); }));
  EXPECT_TRUE(gate.ended());
}

TEST(DesktopProcessObserver, SeesAProcessStartedByCreateObjectBeforeItsFirstCall) {
  // The observer runs when the process exists and no call has reached it yet.
  sim::Desktop desktop;
  std::vector<std::uint64_t> calls_when_seen;
  desktop.SetProcessObserver(
      [&](sim::PowerPointProcess& process) { calls_when_seen.push_back(process.gate().total_calls()); });
  const ppt::Application application(desktop.Platform().automation.CreateObject(sim::kPowerPointProgId));
  application.Visible(ppt::msoTrue);
  desktop.StartPowerPoint();
  EXPECT_EQ((std::vector<std::uint64_t>{0, 0}), calls_when_seen);
  desktop.SetProcessObserver({});
  desktop.StartPowerPoint();
  EXPECT_EQ(2u, calls_when_seen.size());
}

}  // namespace
