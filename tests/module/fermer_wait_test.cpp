// The Office assistant's balloon closed by Fermer, and how long Fermer holds the learner: it waits
// only while the balloon is still there, and never long, on the clock the module is given.
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

  WaitingClock clock;
  k60418::Module waiting_module;
};

// The assistant's balloon, closed with its children when the exercise closes: none, none to wait
// for; one that goes when told, not waited for; one that stays, with a child that stays and one
// that closes, waited for 200 ms at most (each child closed on its own), then the closing goes on.
TEST_F(FermerWait, TheBalloonIsClosedAndWaitedForOnlyWhileItStays) {
  struct Case {
    const char* what;
    bool balloon, stays;
    long least, most;
  };
  for (const Case& c :
       {Case{"no balloon", false, false, 0, 0}, Case{"a balloon that closes", true, false, 0, 0},
        Case{"a balloon that stays", true, true, 1, 200}}) {
    PlaceFiles201(work);
    waiting_module.InitQuestion(201, work, application, handle);
    const long before = clock.slept();
    platform::HWND balloon = 0, stays = 0, closes = 0;
    if (c.balloon) balloon = desktop.ShowBalloon();
    if (c.stays) {
      desktop.windows().SetIgnoresClose(balloon, true);
      ASSERT_EQ(1u, desktop.windows().Children(balloon).size());
      stays = desktop.windows().Children(balloon).front();
      desktop.windows().SetIgnoresClose(stays, true);
      sim::WindowTraits button;
      button.class_name = "Button";
      button.title = "OK";
      button.parent = balloon;
      closes = desktop.windows().Create(button);
    }
    waiting_module.Fermer();
    const long slept = clock.slept() - before;
    EXPECT_GE(slept, c.least) << c.what;
    EXPECT_LE(slept, c.most) << c.what;
    EXPECT_EQ(c.stays, desktop.windows().FindWindowA("MSOBALLOON", nullptr) != 0) << c.what;
    if (c.stays) {
      EXPECT_TRUE(desktop.windows().Exists(stays));
      EXPECT_FALSE(desktop.windows().Exists(closes));
      desktop.windows().SetIgnoresClose(balloon, false);
      desktop.windows().Destroy(balloon);
    }
    EXPECT_FALSE(desktop.FileExists(work + "Cinéloisirs.ppt")) << c.what;
    EXPECT_EQ(vb::LCase(test_support::kUserDefault), Setting("Default")) << c.what;
  }
}

}  // namespace
