// How long Fermer holds the learner: it waits only while the Office assistant's balloon it closed
// is still there, and never long. Waiting is measured on the clock the module is given.
#include <gtest/gtest.h>

#include "module/course_fixture.hpp"
#include "sim/window_manager.hpp"
#include "vb/strings.hpp"

namespace {

/// The desktop's clock, with the time the module asked to let pass.
class WaitingClock : public platform::Clock {
 public:
  explicit WaitingClock(platform::Clock& clock) : clock_(clock) {}
  vb::Date Now() override { return clock_.Now(); }
  void Sleep(int milliseconds) override {
    slept_ += milliseconds;
    clock_.Sleep(milliseconds);
  }
  long slept() const { return slept_; }

 private:
  platform::Clock& clock_;
  long slept_ = 0;
};

class FermerWait : public test_support::CourseTest {
 protected:
  FermerWait() : clock(desktop.clock()), waiting_module(Ports()) {}

  platform::Platform Ports() {
    const platform::Platform ports = desktop.Platform();
    return platform::Platform{ports.windows, ports.registry, ports.files, ports.automation, clock};
  }
  void SetUp() override {
    PlaceFiles201(work);
    waiting_module.InitQuestion(201, work, application, handle);
  }

  WaitingClock clock;
  k60418::Module waiting_module;
};

// Without a balloon, closing waits nothing.
TEST_F(FermerWait, NoBalloonNoWait) {
  waiting_module.Fermer();
  EXPECT_EQ(0, clock.slept());
  EXPECT_EQ(vb::LCase(test_support::kUserDefault), vb::LCase(Setting("Default")));
}

// A balloon that goes when it is told to close is not waited for.
TEST_F(FermerWait, BalloonThatClosesAtOnceIsNotWaitedFor) {
  desktop.ShowBalloon();
  waiting_module.Fermer();
  EXPECT_EQ(0, clock.slept());
  EXPECT_EQ(0, desktop.windows().FindWindowA("MSOBALLOON", nullptr));
}

// A balloon that stays is waited for a little, then the closing goes on and puts the folders back.
TEST_F(FermerWait, BalloonThatStaysIsWaitedForBriefly) {
  const platform::HWND balloon = desktop.ShowBalloon();
  desktop.windows().SetIgnoresClose(balloon, true);
  waiting_module.Fermer();
  EXPECT_GT(clock.slept(), 0);
  EXPECT_LE(clock.slept(), 1000);
  EXPECT_NE(0, desktop.windows().FindWindowA("MSOBALLOON", nullptr));
  EXPECT_EQ(vb::LCase(test_support::kUserDefault), vb::LCase(Setting("Default")));
}

}  // namespace
