// The real desktop under Wine: each desktop event acting on the stand-in PowerPoint's processes,
// the windows, the registry and the files as the simulated desktop's does, and a fresh desktop
// made out of a dirty one.
#include "win32/desktop/real_desktop.hpp"
//
#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <string>

#include "player/not_playable.hpp"
#include "vb/error.hpp"
#include "win32/dispatch/automation.hpp"
#include "win32/platform/text.hpp"
#include "win32/server_support.hpp"
// clang-format off
#include <windows.h>
#include <shlobj.h>
// clang-format on
#undef CopyFile
#undef DeleteFile

namespace {

constexpr std::int32_t kCallRejected = -2147418111;       // RPC_E_CALL_REJECTED
constexpr std::int32_t kServerUnavailable = -2147023174;  // 0x800706BA
constexpr std::int32_t kPowerPointFailure = -2147188160;

win32::RealDesktopOptions Options() {
  win32::RealDesktopOptions options;
  options.standin_exe = win32::WideToUtf8(server_test::WindowsPath(K60418_STANDIN_PATH));
  options.office_folder = win32::WideToUtf8(server_test::WindowsPath(K60418_OFFICE_DIR));
  return options;
}

vb::Variant Get(const vb::ObjectRef& object, const char* member) {
  return object->Invoke(member, vb::CallKind::Get, {});
}

// The number of the error a call raises, 0 when it succeeds.
template <typename Call>
std::int32_t ErrorOf(Call call) {
  try {
    call();
  } catch (const vb::Error& error) {
    return error.number();
  }
  return 0;
}

HWND Frame() {
  return FindWindowA("PP11FrameClass", nullptr);
}

std::wstring ClassOf(HWND window) {
  wchar_t name[256] = {};
  GetClassNameW(window, name, 256);
  return name;
}

bool Exists(const std::wstring& path) {
  return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

void WriteFile(const std::wstring& path, const char* text) {
  const HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  ASSERT_NE(file, INVALID_HANDLE_VALUE) << win32::WideToUtf8(path);
  DWORD written = 0;
  ::WriteFile(file, text, static_cast<DWORD>(strlen(text)), &written, nullptr);
  CloseHandle(file);
}

const std::wstring kDocuments = L"C:\\Documents and Settings\\Apprenant\\Mes documents\\";

class RealDesktopTest : public testing::Test {
 protected:
  void SetUp() override { desktop_ = std::make_unique<win32::RealDesktop>(Options()); }
  void TearDown() override { desktop_.reset(); }
  std::unique_ptr<win32::RealDesktop> desktop_;
};

// A user's start: one visible PowerPoint, which PowerPoint(Nothing) then reaches; none before.
TEST_F(RealDesktopTest, StartPowerPointShowsAReachableInstance) {
  EXPECT_EQ(ErrorOf([&] { desktop_->PowerPoint(nullptr); }), vb::errors::kObjectNotSet);
  EXPECT_EQ(ErrorOf([&] { desktop_->HideWindow(nullptr); }), vb::errors::kInvalidCall);
  EXPECT_EQ(desktop_->PowerPointRunning(), 0);
  ASSERT_NO_FATAL_FAILURE(desktop_->StartPowerPoint());
  EXPECT_EQ(desktop_->PowerPointRunning(), 1);
  EXPECT_TRUE(desktop_->WindowVisible(nullptr));
  EXPECT_TRUE(IsWindowVisible(Frame()));
  const vb::ObjectRef application = desktop_->PowerPoint(nullptr);
  ASSERT_TRUE(application);
  EXPECT_EQ(Get(application, "Name").ToString(), "Microsoft PowerPoint");
  EXPECT_EQ(desktop_->PowerPoint(application).get(), application.get());
}

// Hide, minimize and restore act on the real main window.
TEST_F(RealDesktopTest, WindowEventsActOnTheRealMainWindow) {
  desktop_->StartPowerPoint();
  const vb::ObjectRef held = desktop_->PowerPoint(nullptr);
  desktop_->Minimize(held);
  EXPECT_TRUE(IsIconic(Frame()));
  desktop_->Restore(held);
  EXPECT_FALSE(IsIconic(Frame()));
  desktop_->HideWindow(held);
  EXPECT_FALSE(IsWindowVisible(Frame()));
  EXPECT_FALSE(desktop_->WindowVisible(held));
  EXPECT_EQ(desktop_->PowerPointRunning(), 1);  // hidden, it still answers
  EXPECT_EQ(Get(held, "Visible").ToLong(), 0);
}

// A real modal dialog: PowerPoint refuses calls until it closes; a second dialog opens over the
// first by its title, and an unknown owner is error 5.
TEST_F(RealDesktopTest, OpenDialogRefusesCallsAndStacksOverItsOwner) {
  desktop_->StartPowerPoint();
  const vb::ObjectRef held = desktop_->PowerPoint(nullptr);
  desktop_->OpenDialog("Imprimer", "", held);
  const auto start = std::chrono::steady_clock::now();
  EXPECT_EQ(ErrorOf([&] { Get(held, "Name"); }), kCallRejected);
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(5));
  EXPECT_FALSE(IsWindowEnabled(Frame()));
  const HWND first = FindWindowW(nullptr, L"Imprimer");
  ASSERT_NE(first, nullptr);
  EXPECT_EQ(GetWindow(first, GW_OWNER), Frame());

  // A newer PowerPoint does not take the events aimed at the held one.
  desktop_->StartPowerPoint();
  desktop_->OpenDialog("Propri\xc3\xa9t\xc3\xa9s", "Imprimer", held);
  const HWND second = FindWindowW(nullptr, L"Propri\u00e9t\u00e9s");
  ASSERT_NE(second, nullptr);
  EXPECT_EQ(GetWindow(second, GW_OWNER), first);
  EXPECT_EQ(desktop_->PowerPointRunning(), 2);
  EXPECT_EQ(ErrorOf([&] { desktop_->OpenDialog("Autre", "Absent", held); }), vb::errors::kInvalidCall);
}

// The process ends: references fail with RPC_S_SERVER_UNAVAILABLE, events that need it raise 5,
// and its calls stay counted.
TEST_F(RealDesktopTest, QuitPowerPointEndsTheProcessAndKeepsItsCounts) {
  desktop_->StartPowerPoint();
  const vb::ObjectRef held = desktop_->PowerPoint(nullptr);
  Get(held, "Name");
  Get(held, "Name");
  EXPECT_EQ(desktop_->Calls()["name"], 2u);
  desktop_->QuitPowerPoint(held);
  EXPECT_EQ(desktop_->PowerPointRunning(), 0);
  EXPECT_EQ(Frame(), nullptr);
  EXPECT_EQ(ErrorOf([&] { Get(held, "Name"); }), kServerUnavailable);
  EXPECT_EQ(ErrorOf([&] { desktop_->HideWindow(held); }), vb::errors::kInvalidCall);
  EXPECT_EQ(ErrorOf([&] { desktop_->QuitPowerPoint(held); }), 0);  // already gone: nothing to do
  EXPECT_FALSE(desktop_->WindowVisible(held));
  EXPECT_EQ(desktop_->Calls()["name"], 2u);
  // A newer PowerPoint does not take the events aimed at the ended one.
  desktop_->StartPowerPoint();
  EXPECT_EQ(ErrorOf([&] { desktop_->HideWindow(held); }), vb::errors::kInvalidCall);
  EXPECT_FALSE(desktop_->WindowVisible(held));
  EXPECT_TRUE(desktop_->WindowVisible(nullptr));
}

// A process that quits on its own (Application.Quit) counts as ended at once, and the counts it
// leaves behind are read once it has gone.
TEST_F(RealDesktopTest, AProcessThatQuitsItselfLeavesItsCounts) {
  desktop_->StartPowerPoint();
  vb::ObjectRef held = desktop_->PowerPoint(nullptr);
  Get(held, "Version");
  held->Invoke("Quit", vb::CallKind::Method, {});
  EXPECT_EQ(desktop_->PowerPointRunning(), 0);

  desktop_->StartPowerPoint();
  held = desktop_->PowerPoint(nullptr);
  Get(held, "Version");
  Get(held, "Version");
  held->Invoke("Quit", vb::CallKind::Method, {});
  held.reset();
  Sleep(1500);  // gone before the desktop looks again
  const player::CallCounts counts = desktop_->Calls();
  EXPECT_EQ(counts.count("version") ? counts.at("version") : 0u, 3u);
  EXPECT_EQ(desktop_->PowerPointRunning(), 0);
}

// Failing calls: on the running PowerPoint, or, with none running, on the next one started.
TEST_F(RealDesktopTest, FailCallsNowOrOnTheNextPowerPoint) {
  desktop_->FailCalls("Version", 1, nullptr);
  desktop_->StartPowerPoint();
  vb::ObjectRef held = desktop_->PowerPoint(nullptr);
  EXPECT_EQ(ErrorOf([&] { Get(held, "Version"); }), kPowerPointFailure);
  EXPECT_EQ(ErrorOf([&] { Get(held, "Version"); }), 0);
  desktop_->FailCalls("name", 2, held);
  EXPECT_EQ(ErrorOf([&] { Get(held, "Name"); }), kPowerPointFailure);
  EXPECT_EQ(ErrorOf([&] { Get(held, "Name"); }), kPowerPointFailure);
  EXPECT_EQ(ErrorOf([&] { Get(held, "Name"); }), 0);
}

// The main window destroyed: the process goes on answering.
TEST_F(RealDesktopTest, DestroyMainWindowLeavesTheProcessAnswering) {
  desktop_->StartPowerPoint();
  const vb::ObjectRef held = desktop_->PowerPoint(nullptr);
  const HWND frame = Frame();
  desktop_->DestroyMainWindow(held);
  EXPECT_FALSE(IsWindow(frame));
  EXPECT_EQ(ErrorOf([&] { Get(held, "Name"); }), 0);
  EXPECT_EQ(desktop_->PowerPointRunning(), 1);
  EXPECT_FALSE(desktop_->WindowVisible(held));
}

// Events take the held Application's process, not the newest; a PowerPoint started by COM for a
// CreateObject is found, and still ends with its last client.
TEST_F(RealDesktopTest, HeldApplicationChoosesItsProcessAmongSeveral) {
  desktop_->StartPowerPoint();
  const vb::ObjectRef first = desktop_->PowerPoint(nullptr);
  const HWND first_frame = Frame();
  desktop_->StartPowerPoint();
  const vb::ObjectRef second = desktop_->PowerPoint(nullptr);
  EXPECT_EQ(desktop_->PowerPointRunning(), 2);
  desktop_->Minimize(second);
  EXPECT_FALSE(IsIconic(first_frame));
  desktop_->Restore(second);
  desktop_->HideWindow(first);
  EXPECT_FALSE(IsWindowVisible(first_frame));
  EXPECT_FALSE(desktop_->WindowVisible(first));
  EXPECT_TRUE(desktop_->WindowVisible(nullptr));  // the newest is still shown

  vb::ObjectRef created = desktop_->Platform().automation.CreateObject("PowerPoint.Application");
  ASSERT_TRUE(created);
  EXPECT_EQ(desktop_->PowerPointRunning(), 3);
  EXPECT_FALSE(desktop_->WindowVisible(nullptr));  // the newest: started by COM, hidden
  created.reset();
  for (int i = 0; i < 50 && desktop_->PowerPointRunning() > 2; ++i) Sleep(100);
  EXPECT_EQ(desktop_->PowerPointRunning(), 2);
}

// Another program's window answers the module's questions; it goes with the desktop.
TEST_F(RealDesktopTest, OpenWindowMakesAnAnsweringTopLevelWindow) {
  desktop_->OpenWindow("Lecteur de formation", "K60418Host");
  const HWND window =
      reinterpret_cast<HWND>(static_cast<INT_PTR>(desktop_->WindowHandle("Lecteur de formation")));
  ASSERT_NE(window, nullptr);
  EXPECT_EQ(ClassOf(window), L"K60418Host");
  EXPECT_TRUE(IsWindowVisible(window));
  wchar_t text[64] = {};
  EXPECT_EQ(SendMessageW(window, WM_GETTEXT, 64, reinterpret_cast<LPARAM>(text)), 20);
  EXPECT_STREQ(text, L"Lecteur de formation");
  desktop_.reset();
  EXPECT_FALSE(IsWindow(window));
}

// The balloon: owned by PowerPoint's main window when one runs, by no window otherwise; one child.
TEST_F(RealDesktopTest, ShowBalloonWithAndWithoutPowerPoint) {
  desktop_->ShowBalloon(nullptr);
  HWND balloon = FindWindowW(L"MSOBALLOON", nullptr);
  ASSERT_NE(balloon, nullptr);
  EXPECT_EQ(GetWindow(balloon, GW_OWNER), nullptr);
  desktop_.reset();
  desktop_ = std::make_unique<win32::RealDesktop>(Options());
  EXPECT_EQ(FindWindowW(L"MSOBALLOON", nullptr), nullptr);

  desktop_->StartPowerPoint();
  desktop_->ShowBalloon(desktop_->PowerPoint(nullptr));
  balloon = FindWindowW(L"MSOBALLOON", nullptr);
  ASSERT_NE(balloon, nullptr);
  EXPECT_EQ(GetWindow(balloon, GW_OWNER), Frame());
  const HWND child = GetWindow(balloon, GW_CHILD);
  ASSERT_NE(child, nullptr);
  EXPECT_EQ(GetWindow(child, GW_HWNDNEXT), nullptr);
}

// Wait sleeps on the real clock up to a minute; longer is not playable, backwards is error 5.
TEST_F(RealDesktopTest, WaitOnTheRealClock) {
  const auto start = std::chrono::steady_clock::now();
  desktop_->Wait(0.3);
  EXPECT_GE(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(290));
  EXPECT_THROW(desktop_->Wait(3600), player::NotPlayable);
  EXPECT_EQ(ErrorOf([&] { desktop_->Wait(-1); }), vb::errors::kInvalidCall);
}

// Registry events under HKEY_CURRENT_USER, accented text kept; the hive itself is never removed.
TEST_F(RealDesktopTest, RegistryEvents) {
  const std::string key = "HKEY_CURRENT_USER\\Software\\K60418 test\\Sous-cl\xc3\xa9";
  desktop_->SetRegistry(key, "Dossier", "C:\\Mod\xc3\xa8les\\");
  EXPECT_EQ(desktop_->RegistryValue(key, "Dossier").value_or("?"), "C:\\Mod\xc3\xa8les\\");
  desktop_->DeleteRegistry(key, std::string("Dossier"));
  EXPECT_FALSE(desktop_->RegistryValue(key, "Dossier"));
  desktop_->SetRegistry(key, "",
                        "d\xc3\xa9"
                        "faut");
  desktop_->DeleteRegistry("Software\\K60418 test", std::nullopt);
  EXPECT_FALSE(desktop_->RegistryValue(key, ""));
  desktop_->DeleteRegistry("HKEY_CURRENT_USER", std::nullopt);
  EXPECT_TRUE(desktop_->RegistryValue("Software\\Microsoft\\Office\\11.0\\Common\\General", "Templates"));
}

// File events: CopyFile keeps the date, SetReadOnly marks the file, DeleteFile removes it even
// read-only; the simulated drives' error numbers.
TEST_F(RealDesktopTest, FileEvents) {
  const std::string from = desktop_->DesignsFolder() + "Texture.pot";
  const std::string to = win32::WideToUtf8(kDocuments) + "texture.pot";
  desktop_->CopyFile(from, to);
  WIN32_FILE_ATTRIBUTE_DATA source{}, copy{};
  ASSERT_TRUE(GetFileAttributesExW(win32::Utf8ToWide(from).c_str(), GetFileExInfoStandard, &source));
  ASSERT_TRUE(GetFileAttributesExW(win32::Utf8ToWide(to).c_str(), GetFileExInfoStandard, &copy));
  EXPECT_EQ(CompareFileTime(&source.ftLastWriteTime, &copy.ftLastWriteTime), 0);

  desktop_->SetReadOnly(to);
  EXPECT_TRUE(GetFileAttributesW(win32::Utf8ToWide(to).c_str()) & FILE_ATTRIBUTE_READONLY);
  EXPECT_EQ(ErrorOf([&] { desktop_->CopyFile(from, to); }), vb::errors::kPathFileAccess);
  desktop_->DeleteFile(to);
  EXPECT_FALSE(desktop_->FileExists(to));

  EXPECT_EQ(ErrorOf([&] { desktop_->CopyFile(from + "x", to); }), vb::errors::kFileNotFound);
  EXPECT_EQ(ErrorOf([&] { desktop_->CopyFile(from, win32::WideToUtf8(kDocuments)); }),
            vb::errors::kPathFileAccess);
  EXPECT_EQ(ErrorOf([&] { desktop_->CopyFile(from, "C:\\Absent\\x.pot"); }), vb::errors::kPathNotFound);
  EXPECT_EQ(ErrorOf([&] { desktop_->DeleteFile(to); }), vb::errors::kFileNotFound);
  EXPECT_EQ(ErrorOf([&] { desktop_->SetReadOnly(to); }), vb::errors::kFileNotFound);
}

// The host places a course model: its folders made, the file dated now; a read-only file in the
// way is error 75, a missing model 53.
TEST_F(RealDesktopTest, PlaceHostFileMakesTheFoldersAndDatesTheFileNow) {
  const std::string model =
      win32::WideToUtf8(server_test::WindowsPath(K60418_OFFICE_DIR)) + "\\designs\\Texture.pot";
  const std::string to = "C:\\ZUK\\Travail\\Sous\\Texture.pot";
  desktop_->PlaceHostFile(model, to);
  WIN32_FILE_ATTRIBUTE_DATA placed{};
  ASSERT_TRUE(GetFileAttributesExW(win32::Utf8ToWide(to).c_str(), GetFileExInfoStandard, &placed));
  FILETIME now;
  GetSystemTimeAsFileTime(&now);
  const auto ticks = [](const FILETIME& t) {
    return (static_cast<ULONGLONG>(t.dwHighDateTime) << 32) | t.dwLowDateTime;
  };
  EXPECT_LT(ticks(now) - ticks(placed.ftLastWriteTime), 600000000ull);  // within a minute
  desktop_->SetReadOnly(to);
  EXPECT_EQ(ErrorOf([&] { desktop_->PlaceHostFile(model, to); }), vb::errors::kPathFileAccess);
  EXPECT_EQ(ErrorOf([&] { desktop_->PlaceHostFile(model + "x", to); }), vb::errors::kFileNotFound);
}

// A desktop left dirty (a stand-in running, registry changed, files written, templates broken,
// failures pending) is made fresh by the next one, quickly.
TEST(RealDesktopFresh, ANewDesktopUndoesADirtyOne) {
  {
    win32::RealDesktop dirty(Options());
    dirty.SetRegistry("Software\\Microsoft\\Office\\11.0\\Common\\General", "Templates", "Autre");
    dirty.SetRegistry("Software\\Microsoft\\Office\\11.0\\PowerPoint\\Options", "Extra", "1");
    dirty.FailCalls("Name", 3, nullptr);
    ASSERT_TRUE(dirty.MakeFolder("C:\\ZUK\\Travail\\"));
    ASSERT_NO_FATAL_FAILURE(WriteFile(L"C:\\ZUK\\Travail\\Cin\u00e9loisirs.ppt", "x"));
    ASSERT_NO_FATAL_FAILURE(WriteFile(kDocuments + L"Affiche.ppt", "x"));
    dirty.SetReadOnly(dirty.DesignsFolder() + "Pixel.pot");
    dirty.DeleteFile(dirty.DesignsFolder() + "Texture.pot");
    ASSERT_NO_FATAL_FAILURE(WriteFile(win32::Utf8ToWide(dirty.ContentFolder()) + L"Mine.pot", "x"));
  }
  // A stand-in left running, as by a run that stopped half-way: the next desktop ends it.
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION left{};
  std::wstring command = L"\"" + server_test::WindowsPath(K60418_STANDIN_PATH) + L"\"";
  ASSERT_TRUE(
      CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &left));
  CloseHandle(left.hThread);
  Sleep(500);
  EXPECT_EQ(WaitForSingleObject(left.hProcess, 0), static_cast<DWORD>(WAIT_TIMEOUT));

  const auto start = std::chrono::steady_clock::now();
  win32::RealDesktop fresh(Options());
  const double ms =
      std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
  std::printf("fresh desktop made out of a dirty one in %.0f ms\n", ms);
  EXPECT_EQ(WaitForSingleObject(left.hProcess, 0), WAIT_OBJECT_0);
  CloseHandle(left.hProcess);
  EXPECT_EQ(fresh.PowerPointRunning(), 0);
  EXPECT_EQ(
      fresh.RegistryValue("Software\\Microsoft\\Office\\11.0\\Common\\General", "Templates").value_or("?"),
      "Mod\xc3\xa8les");
  EXPECT_FALSE(fresh.RegistryValue("Software\\Microsoft\\Office\\11.0\\PowerPoint\\Options", "Extra"));
  EXPECT_EQ(fresh.RegistryValue("Software\\Microsoft\\Office\\11.0\\PowerPoint\\RecentFolderList", "Default")
                .value_or("?"),
            win32::WideToUtf8(kDocuments));
  EXPECT_FALSE(Exists(L"C:\\ZUK"));
  EXPECT_FALSE(Exists(kDocuments + L"Affiche.ppt"));
  EXPECT_TRUE(Exists(kDocuments + L"Mes images\\"));
  EXPECT_TRUE(fresh.FileExists(fresh.DesignsFolder() + "Texture.pot"));
  EXPECT_FALSE(GetFileAttributesW(win32::Utf8ToWide(fresh.DesignsFolder() + "Pixel.pot").c_str()) &
               FILE_ATTRIBUTE_READONLY);
  EXPECT_FALSE(fresh.FileExists(fresh.ContentFolder() + "Mine.pot"));
  // No failures left pending for the next PowerPoint.
  fresh.StartPowerPoint();
  EXPECT_EQ(ErrorOf([&] { Get(fresh.PowerPoint(nullptr), "Name"); }), 0);
  EXPECT_LT(ms, 3000);

  // From a clean desktop with one PowerPoint, as between two scenarios.
  const auto again = std::chrono::steady_clock::now();
  { win32::RealDesktop next(Options()); }
  std::printf("fresh desktop made out of a used one in %.0f ms\n",
              std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - again).count());
}

// Destroying a desktop ends the PowerPoints it knows, those COM started included.
TEST(RealDesktopFresh, DestroyingADesktopEndsItsPowerPoints) {
  auto desktop = std::make_unique<win32::RealDesktop>(Options());
  desktop->StartPowerPoint();
  vb::ObjectRef created = desktop->Platform().automation.CreateObject("PowerPoint.Application");
  ASSERT_TRUE(created);
  desktop.reset();
  EXPECT_EQ(FindWindowA("PP11FrameClass", nullptr), nullptr);
  EXPECT_EQ(ErrorOf([&] { Get(created, "Name"); }), kServerUnavailable);
}

}  // namespace
