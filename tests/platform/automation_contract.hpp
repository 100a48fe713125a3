// The Automation and Clock ports' contract: which instance GetObject gives, what CreateObject
// starts, and how time passes.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "error_number.hpp"
#include "platform/automation.hpp"
#include "platform/clock.hpp"
#include "platform/contract.hpp"
#include "vb/error.hpp"

namespace contract {

class AutomationSubject {
 public:
  virtual ~AutomationSubject() = default;
  /// No instance of prog_id() runs when the subject is made.
  virtual platform::Automation& automation() = 0;
  virtual platform::Clock& clock() = 0;
  /// The ProgID of a creatable class (PowerPoint's).
  virtual std::string prog_id() = 0;
};

namespace automation_checks {

using test_support::ErrorNumberOf;

inline std::string Upper(std::string text) {
  for (char& c : text) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  }
  return text;
}

// With nothing running, GetObject fails with 429; an unknown class fails both ways.
inline void NothingRunningGives429(AutomationSubject& s) {
  platform::Automation& a = s.automation();
  EXPECT_EQ(429, ErrorNumberOf([&] { a.GetObject(s.prog_id()); }));
  EXPECT_EQ(429, ErrorNumberOf([&] { a.GetObject("K60418.Absent"); }));
  EXPECT_EQ(429, ErrorNumberOf([&] { a.CreateObject("K60418.Absent"); }));
}

// GetObject gives the instance registered first, whatever the case of the ProgID; CreateObject
// starts another.
inline void FirstRegisteredIsRunningObject(AutomationSubject& s) {
  platform::Automation& a = s.automation();
  const vb::ObjectRef first = a.CreateObject(s.prog_id());
  ASSERT_TRUE(first);
  EXPECT_TRUE(vb::SameObject(first, a.GetObject(s.prog_id())));
  const vb::ObjectRef second = a.CreateObject(s.prog_id());
  ASSERT_TRUE(second);
  EXPECT_FALSE(vb::SameObject(first, second));
  EXPECT_TRUE(vb::SameObject(first, a.GetObject(Upper(s.prog_id()))));
}

// Now gives whole seconds; Sleep lets that much time pass.
inline void SleepLetsTimePass(AutomationSubject& s) {
  platform::Clock& c = s.clock();
  const vb::Date before = c.Now();
  int y, mo, d, h, mi, sec;
  before.ToParts(y, mo, d, h, mi, sec);
  EXPECT_EQ(vb::Date::FromParts(y, mo, d, h, mi, sec).serial, before.serial);
  c.Sleep(2000);
  const double elapsed = (c.Now().serial - before.serial) * 86400.0;
  EXPECT_LE(1.5, elapsed);
  EXPECT_GE(60.0, elapsed);
}

}  // namespace automation_checks

inline const std::vector<Check<AutomationSubject>> kAutomationContract = {
    {"NothingRunningGives429", automation_checks::NothingRunningGives429},
    {"FirstRegisteredIsRunningObject", automation_checks::FirstRegisteredIsRunningObject},
    {"SleepLetsTimePass", automation_checks::SleepLetsTimePass},
};

}  // namespace contract
