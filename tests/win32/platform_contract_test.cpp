// The ports' contracts, run against the Win32 adapters under the real (or Wine's) user32,
// advapi32 and kernel32: the same checks the simulated desktop passes.
#include <gtest/gtest.h>

#include "platform_subjects.hpp"

namespace contract {
namespace {

class Win32RegistryContract : public testing::TestWithParam<Check<RegistrySubject>> {};
TEST_P(Win32RegistryContract, Holds) {
  Win32RegistrySubject subject;
  GetParam().run(subject);
}
INSTANTIATE_TEST_SUITE_P(Win32, Win32RegistryContract, testing::ValuesIn(kRegistryContract), CheckName());

class Win32WindowsContract : public testing::TestWithParam<Check<WindowsSubject>> {};
TEST_P(Win32WindowsContract, Holds) {
  Win32WindowsSubject subject;
  GetParam().run(subject);
}
INSTANTIATE_TEST_SUITE_P(Win32, Win32WindowsContract, testing::ValuesIn(kWindowsContract), CheckName());

class Win32FileSystemContract : public testing::TestWithParam<Check<FileSystemSubject>> {};
TEST_P(Win32FileSystemContract, Holds) {
  Win32FileSystemSubject subject;
  GetParam().run(subject);
}
INSTANTIATE_TEST_SUITE_P(Win32, Win32FileSystemContract, testing::ValuesIn(kFileSystemContract), CheckName());

// The clock's rule lives in the automation contract; the automation adapter runs the rest.
TEST(Win32ClockContract, SleepLetsTimePass) {
  Win32ClockSubject subject;
  Named(kAutomationContract, "SleepLetsTimePass").run(subject);
}

}  // namespace
}  // namespace contract
