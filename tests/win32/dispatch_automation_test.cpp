// The Automation port's contract against ComAutomation, with the tests' own local server
// (dispatch_test_server.cpp) registered in the prefix for the length of each test; and what a
// call across processes gives: another process per CreateObject, and the error of a server gone.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>

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

void SetDefault(HKEY root, const std::wstring& key, const std::wstring& value) {
  HKEY handle = nullptr;
  ASSERT_EQ(ERROR_SUCCESS,
            RegCreateKeyExW(root, key.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, &handle, nullptr));
  RegSetValueExW(handle, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                 static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
  RegCloseKey(handle);
}

// The class's keys under a root: Software\Classes of the current user, or the classes root.
void WriteClass(HKEY root, const std::wstring& prefix) {
  wchar_t path[MAX_PATH] = {};
  GetModuleFileNameW(nullptr, path, MAX_PATH);
  std::wstring program(path);
  program = program.substr(0, program.find_last_of(L"\\/") + 1) + test_server::kProgram;
  const std::wstring clsid = prefix + L"CLSID\\" + test_server::kClsidText;
  SetDefault(root, prefix + kProgIdName + L"\\CLSID", test_server::kClsidText);
  SetDefault(root, clsid, L"K60418 contract server");
  SetDefault(root, clsid + L"\\LocalServer32", L"\"" + program + L"\"");
  SetDefault(root, clsid + L"\\ProgID", kProgIdName);
}

void EraseClass(HKEY root, const std::wstring& prefix) {
  RegDeleteTreeW(root, (prefix + kProgIdName).c_str());
  RegDeleteTreeW(root, (prefix + L"CLSID\\" + test_server::kClsidText).c_str());
}

bool ClassKnown() {
  CLSID clsid{};
  return SUCCEEDED(CLSIDFromProgID(kProgIdName, &clsid));
}

// The server's class under a ProgID of the tests' own, in the current user's classes as a
// per-user installation writes it. Wine (8.0) does not read the current user's classes when it
// resolves a ProgID or starts a server: there the class goes to the classes root as well.
void RegisterServer() {
  WriteClass(HKEY_CURRENT_USER, kUserClasses);
  if (!ClassKnown()) {
    static bool told = false;
    if (!told)
      std::printf("note: HKCU\\Software\\Classes is not read here; registering in HKEY_CLASSES_ROOT\n");
    told = true;
    WriteClass(HKEY_CLASSES_ROOT, L"");
  }
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
  EXPECT_EQ("Object", first->TypeName());

  // Once the first has quit, GetObject finds the second, and the first no longer answers.
  first->Invoke("Quit", vb::CallKind::Method, {});
  EXPECT_EQ(ProcessOf(second), ProcessOf(a.GetObject(test_server::kProgId)));
  for (int i = 0; i < 50 && ErrorNumberOf([&] { ProcessOf(first); }) == 0; ++i) Sleep(100);
  // The number the module reads as "PowerPoint has ended".
  const std::int32_t gone = ErrorNumberOf([&] { ProcessOf(first); });
  EXPECT_EQ(vb::errors::kServerUnavailable, gone);
}

TEST(ComAutomation, WithoutComInitialisedTheCallerHearsSo) {
  win32::ComAutomation automation;
  EXPECT_EQ(static_cast<std::int32_t>(CO_E_NOTINITIALIZED),
            ErrorNumberOf([&] { automation.CreateObject("Scripting.Dictionary"); }));
}

}  // namespace
