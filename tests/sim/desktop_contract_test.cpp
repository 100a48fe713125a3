// The ports' contracts, run against the simulated desktop.
#include <gtest/gtest.h>

#include "platform/simulator_subjects.hpp"

namespace contract {
namespace {

class SimRegistryContract : public testing::TestWithParam<Check<RegistrySubject>> {};
TEST_P(SimRegistryContract, Holds) {
  SimRegistrySubject subject;
  GetParam().run(subject);
}
INSTANTIATE_TEST_SUITE_P(Desktop, SimRegistryContract, testing::ValuesIn(kRegistryContract), CheckName());

class SimWindowsContract : public testing::TestWithParam<Check<WindowsSubject>> {};
TEST_P(SimWindowsContract, Holds) {
  SimWindowsSubject subject;
  GetParam().run(subject);
}
INSTANTIATE_TEST_SUITE_P(Desktop, SimWindowsContract, testing::ValuesIn(kWindowsContract), CheckName());

class SimFileSystemContract : public testing::TestWithParam<Check<FileSystemSubject>> {};
TEST_P(SimFileSystemContract, Holds) {
  SimFileSystemSubject subject;
  GetParam().run(subject);
}
INSTANTIATE_TEST_SUITE_P(Desktop, SimFileSystemContract, testing::ValuesIn(kFileSystemContract), CheckName());

class SimAutomationContract : public testing::TestWithParam<Check<AutomationSubject>> {};
TEST_P(SimAutomationContract, Holds) {
  SimAutomationSubject subject;
  GetParam().run(subject);
}
INSTANTIATE_TEST_SUITE_P(Desktop, SimAutomationContract, testing::ValuesIn(kAutomationContract), CheckName());

}  // namespace
}  // namespace contract
