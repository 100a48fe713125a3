// The Automation port's contract against ComAutomation, with the tests' own local server
// (dispatch_test_server.cpp) registered in the prefix for the length of each test; and what a
// call across processes gives: another process per CreateObject, and the error of a server gone.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <utility>

#include "error_number.hpp"
#include "platform/automation_contract.hpp"
#include "win32/dispatch/automation.hpp"
#include "win32/dispatch/com_dispatch.hpp"
#include "win32/dispatch_test_server.hpp"
#include "win32/platform/clock.hpp"

namespace {

using test_support::ErrorNumberOf;

constexpr const wchar_t* kUserClasses = L"Software\\Classes\\";
constexpr const wchar_t* kProgIdName = L"K60418.ContractServer";

// The class's keys under a root: Software\Classes of the current user, or the classes root.
void WriteClass(HKEY root, const std::wstring& prefix) {
  wchar_t path[MAX_PATH] = {};
  GetModuleFileNameW(nullptr, path, MAX_PATH);
  std::wstring program(path);
  program = L"\"" + program.substr(0, program.find_last_of(L"\\/") + 1) + test_server::kProgram + L"\"";
  const std::wstring clsid = prefix + L"CLSID\\" + test_server::kClsidText;
  const std::pair<std::wstring, std::wstring> values[] = {
      {prefix + kProgIdName + L"\\CLSID", test_server::kClsidText},
      {clsid + L"\\LocalServer32", program},
      {clsid + L"\\ProgID", kProgIdName}};
  for (const auto& [key, value] : values) {
    ASSERT_EQ(ERROR_SUCCESS, RegSetKeyValueW(root, key.c_str(), nullptr, REG_SZ, value.c_str(),
                                             static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t))));
  }
}

void EraseClass(HKEY root, const std::wstring& prefix) {
  RegDeleteTreeW(root, (prefix + kProgIdName).c_str());
  RegDeleteTreeW(root, (prefix + L"CLSID\\" + test_server::kClsidText).c_str());
}

// The server's class under a ProgID of the tests' own, in the current user's classes as a
// per-user installation writes it. A divergence of Wine's (8.0): it does not read the current
// user's classes when it resolves a ProgID or starts a server; there the class goes to the
// classes root as well.
void RegisterServer() {
  WriteClass(HKEY_CURRENT_USER, kUserClasses);
  CLSID clsid{};
  if (FAILED(CLSIDFromProgID(kProgIdName, &clsid))) WriteClass(HKEY_CLASSES_ROOT, L"");
}

void UnregisterServer() {
  EraseClass(HKEY_CURRENT_USER, kUserClasses);
  EraseClass(HKEY_CLASSES_ROOT, L"");
}

class ComAutomationSubject : public contract::AutomationSubject {
 public:
  ComAutomationSubject() {
    CoInitialize(nullptr);
    UnregisterServer();
    RegisterServer();
  }
  ~ComAutomationSubject() override {
    // Ends every server the test left running, then forgets the class.
    for (int i = 0; i < 10; ++i) {
      try {
        automation_.GetObject(test_server::kProgId)->Invoke("Quit", vb::CallKind::Method, {});
      } catch (const vb::Error&) {
        break;
      }
    }
    UnregisterServer();
    CoUninitialize();
  }
  platform::Automation& automation() override { return automation_; }
  platform::Clock& clock() override { return clock_; }
  std::string prog_id() override { return test_server::kProgId; }

 private:
  win32::ComAutomation automation_;
  win32::SystemClock clock_;
};

class ComAutomationContract : public testing::TestWithParam<contract::Check<contract::AutomationSubject>> {};
TEST_P(ComAutomationContract, Holds) {
  ComAutomationSubject subject;
  GetParam().run(subject);
}
INSTANTIATE_TEST_SUITE_P(Com, ComAutomationContract, testing::ValuesIn(contract::kAutomationContract),
                         contract::CheckName());

std::int32_t ProcessOf(const vb::ObjectRef& server) {
  return server->Invoke("ProcessId", vb::CallKind::Get, {}).ToLong();
}

TEST(ComAutomation, EachCreateObjectStartsAnotherProcessAndAnEndedOneIsUnavailable) {
  ComAutomationSubject subject;
  platform::Automation& a = subject.automation();
  const vb::ObjectRef first = a.CreateObject(test_server::kProgId);
  const vb::ObjectRef second = a.CreateObject(test_server::kProgId);
  const std::int32_t own = static_cast<std::int32_t>(GetCurrentProcessId());
  EXPECT_NE(own, ProcessOf(first));
  EXPECT_NE(own, ProcessOf(second));
  EXPECT_NE(ProcessOf(first), ProcessOf(second));
  EXPECT_EQ(ProcessOf(first), ProcessOf(a.GetObject(test_server::kProgId)));

  // Once the first has quit, GetObject finds the second, and the first no longer answers.
  first->Invoke("Quit", vb::CallKind::Method, {});
  EXPECT_EQ(ProcessOf(second), ProcessOf(a.GetObject(test_server::kProgId)));
  for (int i = 0; i < 50 && ErrorNumberOf([&] { ProcessOf(first); }) == 0; ++i) Sleep(100);
  // The number the module reads as "PowerPoint has ended".
  const std::int32_t gone = ErrorNumberOf([&] { ProcessOf(first); });
  EXPECT_EQ(vb::errors::kServerUnavailable, gone);
}

// Calls to another process: values, errors and type information cross the standard marshaler both
// ways, and a member's DISPID is asked once, whatever the number of calls.
TEST(ComAutomation, CallsAcrossProcessesKeepValuesErrorsAndTheirDispids) {
  ComAutomationSubject subject;
  const vb::ObjectRef server = subject.automation().CreateObject(test_server::kProgId);
  const vb::Date date = vb::Date::FromParts(2026, 12, 6, 7, 25, 12);
  const vb::Variant values[] = {vb::Variant(true),
                                vb::Variant(std::int16_t{-2}),
                                vb::Variant(std::int32_t{-2147188160}),
                                vb::Variant(12.5f),
                                vb::Variant(0.1),
                                vb::Variant("Cinéloisirs.ppt"),
                                vb::Variant(date),
                                vb::Variant(),
                                vb::Variant(vb::Array{vb::Variant("a"), vb::Variant(std::int32_t{2})})};
  for (const vb::Variant& value : values) {
    const vb::Variant back = server->Invoke("Echo", vb::CallKind::Method, {{value, {}}});
    EXPECT_EQ(value.type(), back.type()) << value.Describe();
    EXPECT_EQ(value.Describe(), back.Describe());
  }
  try {
    server->Invoke("Fail", vb::CallKind::Method, {});
    ADD_FAILURE() << "Fail did not fail";
  } catch (const vb::Error& error) {
    EXPECT_EQ(-2147188160, error.number());
    EXPECT_EQ("PowerPoint", error.source());
    EXPECT_EQ("Presentations.Open : le fichier est introuvable.", error.description());
  }
  EXPECT_EQ(438, ErrorNumberOf([&] { server->Invoke("Absent", vb::CallKind::Get, {}); }));
  EXPECT_EQ("Runner", server->TypeName());

  // The DISPID cache across processes: many calls, one look-up; a second object of the type
  // (same server) needs none. The time of a call is printed for the record.
  const std::uint64_t before = win32::NameLookups();
  const int calls = 200;
  const DWORD start = GetTickCount();
  for (int i = 0; i < calls; ++i) ProcessOf(server);
  const DWORD elapsed = GetTickCount() - start;
  const vb::ObjectRef child = server->Invoke("Child", vb::CallKind::Get, {}).ToObject();
  EXPECT_EQ(ProcessOf(server), ProcessOf(child));
  EXPECT_EQ(2u, win32::NameLookups() - before);  // ProcessId and Child
  std::printf("cross-process call: %.3f ms each over %d calls\n", static_cast<double>(elapsed) / calls,
              calls);
}

TEST(ComAutomation, WithoutComInitialisedTheCallerHearsSo) {
  win32::ComAutomation automation;
  EXPECT_EQ(static_cast<std::int32_t>(CO_E_NOTINITIALIZED),
            ErrorNumberOf([&] { automation.CreateObject("Scripting.Dictionary"); }));
}

}  // namespace
