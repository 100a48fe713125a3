// Conformance of the process gate: counting, the order of its refusals, injected faults (the
// refusal while a dialog is open: DesktopPowerPoint.DialogRefusesCallsUntilClosed).
#include <gtest/gtest.h>

#include <functional>

#include "error_number.hpp"
#include "sim/gate.hpp"
#include "vb/error.hpp"

namespace {

using test_support::ErrorNumberOf;

constexpr int kRejected = -2147418111;
constexpr int kUnavailable = -2147023174;
constexpr int kPowerPoint = -2147188160;

TEST(Gate, CountsEveryCallByMemberWithoutCase) {
  // Refused calls count too; member names are counted lower-cased.
  sim::Gate gate;
  bool modal = false;
  gate.SetModalProbe([&] { return modal; });
  gate.Enter("WindowState");
  modal = true;
  EXPECT_EQ(kRejected, ErrorNumberOf([&] { gate.Enter("windowstate"); }));
  EXPECT_EQ(kRejected, ErrorNumberOf([&] { gate.Enter("Presentations"); }));
  EXPECT_EQ(2u, gate.calls("WINDOWSTATE"));
  EXPECT_EQ(1u, gate.calls("presentations"));
  EXPECT_EQ(3u, gate.total_calls());
  EXPECT_EQ(0u, gate.calls("Visible"));
}

TEST(Gate, EndedProcessFailsEveryCall) {
  // After the end, calls fail with RPC_S_SERVER_UNAVAILABLE even while a dialog was open;
  // the end is announced once.
  sim::Gate gate;
  int ends = 0;
  gate.SetOnEnd([&] { ++ends; });
  gate.SetModalProbe([] { return true; });
  gate.EndProcess();
  gate.EndProcess();
  EXPECT_EQ(1, ends);
  EXPECT_TRUE(gate.ended());
  EXPECT_EQ(kUnavailable, ErrorNumberOf([&] { gate.Enter("Name"); }));
}

TEST(Gate, FailCallsStrikesOnlyThatMember) {
  // The next n calls of the member fail with PowerPoint's error; other members are untouched.
  sim::Gate gate;
  gate.FailCalls("FullName", 2);
  EXPECT_EQ(kPowerPoint, ErrorNumberOf([&] { gate.Enter("fullname"); }));
  EXPECT_EQ(0, ErrorNumberOf([&] { gate.Enter("Name"); }));
  EXPECT_EQ(kPowerPoint, ErrorNumberOf([&] { gate.Enter("FULLNAME"); }));
  EXPECT_EQ(0, ErrorNumberOf([&] { gate.Enter("FullName"); }));
  // A refusal comes first and does not use up a failure.
  bool modal = true;
  gate.SetModalProbe([&] { return modal; });
  gate.FailCalls("Slides", 1);
  EXPECT_EQ(kRejected, ErrorNumberOf([&] { gate.Enter("Slides"); }));
  modal = false;
  EXPECT_EQ(kPowerPoint, ErrorNumberOf([&] { gate.Enter("Slides"); }));
}

TEST(Gate, InjectedFaultStrikesTheKthCall) {
  // A refusal at the 3rd call from now strikes only that call.
  sim::Gate gate;
  gate.Enter("a");
  gate.InjectAt(3, sim::Fault::kRefuse);
  EXPECT_EQ(0, ErrorNumberOf([&] { gate.Enter("b"); }));
  EXPECT_EQ(0, ErrorNumberOf([&] { gate.Enter("c"); }));
  EXPECT_EQ(kRejected, ErrorNumberOf([&] { gate.Enter("d"); }));
  EXPECT_EQ(0, ErrorNumberOf([&] { gate.Enter("e"); }));
  // Resetting the counts keeps a pending fault at its distance.
  gate.InjectAt(2, sim::Fault::kEndProcess);
  gate.ResetCounts();
  EXPECT_EQ(0u, gate.total_calls());
  EXPECT_EQ(0, ErrorNumberOf([&] { gate.Enter("f"); }));
  EXPECT_EQ(kUnavailable, ErrorNumberOf([&] { gate.Enter("g"); }));
  EXPECT_TRUE(gate.ended());
}

}  // namespace
