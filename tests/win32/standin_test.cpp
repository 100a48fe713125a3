// The module through real COM: K60418.dll created by its ProgID and called through AbstractModule's
// vtable, as the training player binds it, with the stand-in PowerPoint answering from a process of
// its own; the general-error codes reached by acting on that process through its control object.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <map>
#include <string>
#include <vector>

#include "win32/server_support.hpp"
#include "win32/standin/standin.hpp"
//
#include "ContratHote.h"

namespace {

using server_test::Bstr;

const wchar_t* const kWorkFolder = L"C:\\ZUK\\Travail\\";

std::wstring UserValue(const wchar_t* key, const wchar_t* name) {
  wchar_t value[MAX_PATH] = {};
  DWORD size = sizeof value - sizeof(wchar_t);
  if (RegGetValueW(HKEY_CURRENT_USER, key, name, RRF_RT_REG_SZ, nullptr, value, &size) != ERROR_SUCCESS)
    return {};
  return value;
}

/// The course's template folder as the module finds it on this desktop: the user's application
/// data (the system's own value), Office's template folder name, lower-cased, "\ZUK Modèles\".
std::wstring TemplateFolder() {
  std::wstring folder =
      UserValue(L"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders", L"AppData") +
      L"\\Microsoft\\" + UserValue(L"Software\\Microsoft\\Office\\11.0\\Common\\General", L"Templates");
  CharLowerBuffW(folder.data(), static_cast<DWORD>(folder.size()));
  return folder + L"\\ZUK Mod\u00e8les\\";
}

// --- Late-bound calls, as a learner's macro makes them ------------------------------------------

struct Variant {
  VARIANT v;
  Variant() { VariantInit(&v); }
  ~Variant() { VariantClear(&v); }
  Variant(const Variant&) = delete;
  Variant& operator=(const Variant&) = delete;
};

/// Calls `name` on `object` with the arguments in order; the HRESULT, the result in `result`.
HRESULT Call(IDispatch* object, const wchar_t* name, WORD flags, std::vector<VARIANT> arguments,
             VARIANT* result = nullptr, EXCEPINFO* exception = nullptr) {
  LPOLESTR names[] = {const_cast<LPOLESTR>(name)};
  DISPID id = DISPID_UNKNOWN;
  const HRESULT looked = object->GetIDsOfNames(IID_NULL, names, 1, 0, &id);
  if (FAILED(looked)) return looked;
  std::vector<VARIANT> reversed(arguments.rbegin(), arguments.rend());
  DISPPARAMS params{reversed.data(), nullptr, static_cast<UINT>(reversed.size()), 0};
  DISPID put = DISPID_PROPERTYPUT;
  if (flags & DISPATCH_PROPERTYPUT) {
    params.rgdispidNamedArgs = &put;
    params.cNamedArgs = 1;
  }
  EXCEPINFO ignored{};
  const HRESULT hr =
      object->Invoke(id, IID_NULL, 0, flags, &params, result, exception ? exception : &ignored, nullptr);
  if (!exception) {
    SysFreeString(ignored.bstrSource);
    SysFreeString(ignored.bstrDescription);
    SysFreeString(ignored.bstrHelpFile);
  }
  return hr;
}

VARIANT Text(const std::wstring& text) {
  VARIANT v;
  V_VT(&v) = VT_BSTR;
  V_BSTR(&v) = SysAllocString(text.c_str());
  return v;
}
VARIANT Long(LONG value) {
  VARIANT v;
  V_VT(&v) = VT_I4;
  V_I4(&v) = value;
  return v;
}

/// A numeric result read as a double (counts come back as Double, ids as Long).
double Number(IDispatch* object, const wchar_t* name, std::vector<VARIANT> arguments = {}) {
  Variant result;
  EXPECT_EQ(Call(object, name, DISPATCH_METHOD | DISPATCH_PROPERTYGET, arguments, &result.v), S_OK) << name;
  for (VARIANT& argument : arguments) VariantClear(&argument);
  Variant number;
  if (FAILED(VariantChangeType(&number.v, &result.v, 0, VT_R8))) return -1;
  return V_R8(&number.v);
}

std::string Narrow(const std::wstring& text) {
  std::string narrow;
  for (const wchar_t c : text) narrow += c < 128 ? static_cast<char>(c) : '?';
  return narrow;
}

void Do(IDispatch* object, const wchar_t* name, std::vector<VARIANT> arguments = {}) {
  Variant result;
  EXCEPINFO exception{};
  EXPECT_EQ(Call(object, name, DISPATCH_METHOD, arguments, &result.v, &exception), S_OK)
      << name << ": " << Narrow(exception.bstrDescription ? exception.bstrDescription : L"");
  SysFreeString(exception.bstrSource);
  SysFreeString(exception.bstrDescription);
  SysFreeString(exception.bstrHelpFile);
  for (VARIANT& argument : arguments) VariantClear(&argument);
}

IDispatch* Property(IDispatch* object, const wchar_t* name) {
  Variant result;
  if (FAILED(Call(object, name, DISPATCH_PROPERTYGET, {}, &result.v)) || V_VT(&result.v) != VT_DISPATCH)
    return nullptr;
  IDispatch* value = V_DISPATCH(&result.v);
  value->AddRef();
  return value;
}

std::wstring TextProperty(IDispatch* object, const wchar_t* name) {
  Variant result;
  if (FAILED(Call(object, name, DISPATCH_PROPERTYGET, {}, &result.v)) || V_VT(&result.v) != VT_BSTR)
    return L"?";
  return V_BSTR(&result.v);
}

// --- The session -------------------------------------------------------------------------------

/// The model files of exercise 201, placed in the learner's working folder as the player does.
void PlaceModelFiles() {
  CreateDirectoryW(L"C:\\ZUK", nullptr);
  CreateDirectoryW(kWorkFolder, nullptr);
  for (const wchar_t* name : {L"02131201.ppt", L"12131201.pot"}) {
    const std::wstring from = server_test::WindowsPath(K60418_MODELS_DIR) + L"\\" + name;
    const std::wstring to = std::wstring(kWorkFolder) + name;
    SetFileAttributesW(to.c_str(), FILE_ATTRIBUTE_NORMAL);
    ASSERT_TRUE(CopyFileW(from.c_str(), to.c_str(), FALSE)) << GetLastError();
  }
}

/// The control object's "name=count" list as a table.
std::map<std::wstring, double> Counts(const std::wstring& list) {
  std::map<std::wstring, double> counts;
  std::size_t start = 0;
  while (start < list.size()) {
    std::size_t end = list.find(L' ', start);
    if (end == std::wstring::npos) end = list.size();
    const std::wstring pair = list.substr(start, end - start);
    const std::size_t equal = pair.find(L'=');
    if (equal != std::wstring::npos) counts[pair.substr(0, equal)] = std::stod(pair.substr(equal + 1));
    start = end + 1;
  }
  return counts;
}

IDispatch* ActiveObject(const CLSID& clsid) {
  IUnknown* unknown = nullptr;
  if (FAILED(GetActiveObject(clsid, nullptr, &unknown)) || !unknown) return nullptr;
  IDispatch* dispatch = nullptr;
  unknown->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(&dispatch));
  unknown->Release();
  return dispatch;
}

class ThroughCom : public testing::Test {
 protected:
  void SetUp() override {
    PlaceModelFiles();
    CLSID clsid{};
    ASSERT_EQ(CLSIDFromProgID(L"K60418.Module", &clsid), S_OK);
    ASSERT_EQ(CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, IID_AbstractModule,
                               reinterpret_cast<void**>(&module_)),
              S_OK);
  }
  void TearDown() override {
    if (control_) control_->Release();
    if (module_) {
      module_->Quitter(&application_, &handle_);
      module_->Release();
    }
    if (application_) application_->Release();
    if (process_) {
      // A process the test started ends within a few seconds once nothing holds it.
      WaitForSingleObject(process_, 10000);
      CloseHandle(process_);
    }
  }

  /// InitQuestion as the player calls it; the control object of the PowerPoint it got.
  void Init(LONG question) {
    Bstr folder(kWorkFolder);
    ASSERT_EQ(module_->InitQuestion(question, folder.get(), &application_, &handle_, nullptr), S_OK);
    ASSERT_NE(application_, nullptr);
    ASSERT_NE(handle_, 0);
    ASSERT_TRUE(control_ = ActiveObject(standin::kControlClsid));
    EXPECT_EQ(reinterpret_cast<HWND>(static_cast<INT_PTR>(handle_)),
              FindWindowA(standin::kFrameClass, nullptr));
  }
  void Check() { ASSERT_EQ(module_->TestePoint(), S_OK); }
  bool General() {
    VARIANT_BOOL general = VARIANT_FALSE;
    EXPECT_EQ(module_->get_ErreurGenerale(&general), S_OK);
    return general != VARIANT_FALSE;
  }
  std::wstring Cause() {
    Bstr cause;
    EXPECT_EQ(module_->get_CauseErreur(cause.out()), S_OK);
    return cause.str();
  }
  HANDLE OpenStandinProcess() {
    const DWORD id = static_cast<DWORD>(Number(control_, L"ProcessId"));
    return OpenProcess(SYNCHRONIZE | PROCESS_TERMINATE, FALSE, id);
  }

  AbstractModule* module_ = nullptr;
  IDispatch* application_ = nullptr;
  LONG handle_ = -1;
  IDispatch* control_ = nullptr;
  HANDLE process_ = nullptr;
};

TEST_F(ThroughCom, Exercise201SetUpCheckedAndClosed) {
  ASSERT_NO_FATAL_FAILURE(Init(201));
  process_ = OpenStandinProcess();
  // The set-up opened the learner's copy, in the stand-in's real window.
  IDispatch* presentation = Property(application_, L"ActivePresentation");
  ASSERT_NE(presentation, nullptr);
  EXPECT_EQ(TextProperty(presentation, L"Name"), L"Cin\u00e9loisirs.ppt");
  EXPECT_TRUE(IsWindowVisible(reinterpret_cast<HWND>(static_cast<INT_PTR>(handle_))));
  // The module brought it to the front maximized: the real window's state, as PowerPoint reads it.
  EXPECT_TRUE(IsZoomed(reinterpret_cast<HWND>(static_cast<INT_PTR>(handle_))));
  EXPECT_EQ(Number(application_, L"WindowState"), 3);  // ppWindowMaximized

  // Untouched: "B". The check's calls and name look-ups, measured in the stand-in.
  Do(control_, L"ResetCounts");
  const auto start = std::chrono::steady_clock::now();
  Check();
  const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  const std::map<std::wstring, double> called = Counts(TextProperty(control_, L"CallList"));
  const std::map<std::wstring, double> looked_up = Counts(TextProperty(control_, L"NameLookupList"));
  EXPECT_FALSE(General());
  EXPECT_EQ(Cause(), L"B");
  double calls = 0;
  for (const auto& [name, count] : called) calls += count;
  EXPECT_GT(calls, 0);
  // One look-up at most per member name called: the bridge caches DISPIDs per (type, member),
  // and there are at least as many such pairs as names. (The control object's own names, asked
  // after the check, are left out.)
  double lookups = 0;
  for (const auto& [name, count] : looked_up) {
    if (called.count(name)) lookups += count;
  }
  EXPECT_GT(lookups, 0);  // the check's own names (TemplateName …) are new to this process
  EXPECT_LE(lookups, static_cast<double>(called.size()));
  std::printf(
      "first check: %.0f object-model calls on %zu member names, %.0f name look-ups, %.2f ms per call\n",
      calls, called.size(), lookups, 1000 * seconds / calls);

  // The same check again: as many calls, and not one name looked up again.
  Do(control_, L"ResetCounts");
  Check();
  const std::map<std::wstring, double> again = Counts(TextProperty(control_, L"CallList"));
  EXPECT_EQ(again, called);
  for (const auto& [name, count] : Counts(TextProperty(control_, L"NameLookupList")))
    EXPECT_EQ(again.count(name), 0u) << "looked up again: " << Narrow(name);
  presentation->Release();
  ASSERT_EQ(module_->Fermer(), S_OK);

  // The exercise again, in the same PowerPoint: the learner applies Texture from the template
  // folder the set-up filled: "".
  PlaceModelFiles();
  Bstr folder(kWorkFolder);
  IDispatch* held = application_;
  ASSERT_EQ(module_->InitQuestion(201, folder.get(), &application_, &handle_, nullptr), S_OK);
  EXPECT_EQ(application_, held);
  presentation = Property(application_, L"ActivePresentation");
  ASSERT_NE(presentation, nullptr);
  Do(presentation, L"ApplyTemplate", {Text(TemplateFolder() + L"Texture.pot")});
  Check();
  EXPECT_FALSE(General());
  EXPECT_EQ(Cause(), L"");
  presentation->Release();

  ASSERT_EQ(module_->Fermer(), S_OK);
  EXPECT_EQ(GetFileAttributesW((TemplateFolder() + L"Texture.pot").c_str()), INVALID_FILE_ATTRIBUTES);
  control_->Release();
  control_ = nullptr;
  // Quitter quits the PowerPoint the module started: the process ends.
  ASSERT_EQ(module_->Quitter(&application_, &handle_), S_OK);
  EXPECT_EQ(application_, nullptr);
  EXPECT_EQ(handle_, 0);
  EXPECT_EQ(WaitForSingleObject(process_, 10000), WAIT_OBJECT_0);
}

TEST_F(ThroughCom, AKWhenTheRealWindowIsHidden) {
  ASSERT_NO_FATAL_FAILURE(Init(201));
  Do(control_, L"HideWindow");
  Check();
  EXPECT_TRUE(General());
  EXPECT_EQ(Cause(), L"AK");
}

TEST_F(ThroughCom, PercentALWhileARealModalDialogIsOpenThenBackToTheExercise) {
  ASSERT_NO_FATAL_FAILURE(Init(201));
  ASSERT_EQ(Number(control_, L"OpenDialog", {Text(L"Enregistrer sous")}), -1);  // True
  // A call made now is refused at once, not retried for ever.
  Variant state;
  const auto start = std::chrono::steady_clock::now();
  const HRESULT refused = Call(application_, L"WindowState", DISPATCH_PROPERTYGET, {}, &state.v);
  EXPECT_EQ(refused, RPC_E_CALL_REJECTED) << std::hex << refused;
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(5));
  Check();
  EXPECT_TRUE(General());
  EXPECT_EQ(Cause(), L"%AL");
  Do(control_, L"CloseDialog");
  Check();
  EXPECT_FALSE(General());
  EXPECT_EQ(Cause(), L"B");
}

TEST_F(ThroughCom, ANWhenACallOfTheCheckFails) {
  ASSERT_NO_FATAL_FAILURE(Init(201));
  Do(control_, L"FailCalls", {Text(L"FullName"), Long(1)});
  Check();
  EXPECT_TRUE(General());
  EXPECT_EQ(Cause(), L"AN");
  Check();
  EXPECT_FALSE(General());
  EXPECT_EQ(Cause(), L"B");
}

TEST_F(ThroughCom, AKWhenTheProcessEndsDuringTheExercise) {
  ASSERT_NO_FATAL_FAILURE(Init(201));
  process_ = OpenStandinProcess();
  ASSERT_NE(process_, nullptr);
  Check();
  EXPECT_EQ(Cause(), L"B");
  control_->Release();
  control_ = nullptr;
  ASSERT_TRUE(TerminateProcess(process_, 9));
  ASSERT_EQ(WaitForSingleObject(process_, 10000), WAIT_OBJECT_0);
  Check();
  EXPECT_TRUE(General());
  EXPECT_EQ(Cause(), L"AK");
  EXPECT_EQ(module_->Fermer(), S_OK);  // the exercise closes without PowerPoint
}

// "AM": the host started PowerPoint itself (a user's start, its window shown) and hands the
// module its own window; PowerPoint's main window then goes while the process still answers.
TEST_F(ThroughCom, AMWhenTheRealWindowIsDestroyed) {
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION started{};
  std::wstring command = L"\"" + server_test::WindowsPath(K60418_STANDIN_PATH) + L"\"";
  ASSERT_TRUE(CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                             &started));
  CloseHandle(started.hThread);
  process_ = started.hProcess;
  for (int i = 0; i < 100 && !control_; ++i) {
    Sleep(100);
    control_ = ActiveObject(standin::kControlClsid);
  }
  ASSERT_NE(control_, nullptr);
  application_ = Property(control_, L"PowerPoint");
  ASSERT_NE(application_, nullptr);
  const HWND host = CreateWindowExW(0, L"STATIC", L"Lecteur de formation", WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                                    0, 0, 300, 200, nullptr, nullptr, nullptr, nullptr);
  ASSERT_NE(host, nullptr);
  handle_ = static_cast<LONG>(reinterpret_cast<INT_PTR>(host));
  Bstr folder(kWorkFolder);
  ASSERT_EQ(module_->InitQuestion(201, folder.get(), &application_, &handle_, nullptr), S_OK);
  Do(control_, L"DestroyWindow");
  Check();
  EXPECT_TRUE(General());
  EXPECT_EQ(Cause(), L"AM");
  ASSERT_EQ(module_->Fermer(), S_OK);
  // The module did not start this PowerPoint, so Quitter leaves it: the test ends it.
  Do(control_, L"EndProcess");
  DestroyWindow(host);
}

// A script's InitQuestion: its variables, by-reference VARIANTs, take the PowerPoint the module
// started and its main window.
TEST_F(ThroughCom, AScriptsVariablesTakeThePowerPointAndItsWindow) {
  IDispatch* dispatch = nullptr;
  ASSERT_EQ(module_->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(&dispatch)), S_OK);
  Variant application, handle, folder;
  folder.v = Text(kWorkFolder);
  VARIANT by_reference[2];
  V_VT(&by_reference[0]) = V_VT(&by_reference[1]) = VT_BYREF | VT_VARIANT;
  V_VARIANTREF(&by_reference[0]) = &application.v;
  V_VARIANTREF(&by_reference[1]) = &handle.v;
  EXPECT_EQ(Call(dispatch, L"InitQuestion", DISPATCH_METHOD,
                 {Long(201), folder.v, by_reference[0], by_reference[1]}),
            S_OK);
  dispatch->Release();
  ASSERT_EQ(V_VT(&application.v), VT_DISPATCH);
  ASSERT_NE(application_ = V_DISPATCH(&application.v), nullptr);
  application_->AddRef();  // for Quitter at the end
  ASSERT_EQ(V_VT(&handle.v), VT_I4);
  handle_ = V_I4(&handle.v);
  EXPECT_EQ(reinterpret_cast<HWND>(static_cast<INT_PTR>(handle_)),
            FindWindowA(standin::kFrameClass, nullptr));
  EXPECT_EQ(Number(application_, L"WindowState"), 3);  // ppWindowMaximized
}

}  // namespace

namespace {

// Started by COM for a CreateObject, the stand-in ends when its last client lets go, as an
// automation server does; a second CreateObject gets a process of its own.
TEST(StandinProcess, EndsWithItsLastClientAndServesOneObjectPerProcess) {
  CLSID clsid{};
  ASSERT_EQ(CLSIDFromProgID(L"PowerPoint.Application", &clsid), S_OK);
  EXPECT_EQ(clsid, standin::kApplicationClsid);
  IDispatch* first = nullptr;
  ASSERT_EQ(
      CoCreateInstance(clsid, nullptr, CLSCTX_LOCAL_SERVER, IID_IDispatch, reinterpret_cast<void**>(&first)),
      S_OK);
  IDispatch* control = ActiveObject(standin::kControlClsid);
  ASSERT_NE(control, nullptr);
  const auto id = static_cast<DWORD>(Number(control, L"ProcessId"));
  const HANDLE process = OpenProcess(SYNCHRONIZE, FALSE, id);
  ASSERT_NE(process, nullptr);
  control->Release();
  IDispatch* second = nullptr;
  ASSERT_EQ(
      CoCreateInstance(clsid, nullptr, CLSCTX_LOCAL_SERVER, IID_IDispatch, reinterpret_cast<void**>(&second)),
      S_OK);
  second->Release();
  // Still held through `first`: it answers.
  EXPECT_EQ(WaitForSingleObject(process, 500), static_cast<DWORD>(WAIT_TIMEOUT));
  EXPECT_EQ(Number(first, L"WindowState"), 1);
  first->Release();
  EXPECT_EQ(WaitForSingleObject(process, 10000), WAIT_OBJECT_0);
  CloseHandle(process);
}

}  // namespace
