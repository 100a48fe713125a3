// The player's module on Windows: K60418.dll created by its ProgID and called through
// AbstractModule's vtable, with the stand-in PowerPoint registered. What the host passes reaches
// the DLL and what the DLL answers comes back as the host reads it: verdicts, errors with their
// number, source and description, the in-out Application and window handle, the list of a check.
#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "vb/error.hpp"
#include "win32/player/dll_module.hpp"
//
#include "win32/dispatch/errors.hpp"
#include "win32/server_support.hpp"

namespace {

const char* const kWorkFolder = "C:\\ZUK\\Travail\\";

std::string UserValue(const wchar_t* key, const wchar_t* name) {
  wchar_t value[MAX_PATH] = {};
  DWORD size = sizeof value - sizeof(wchar_t);
  if (RegGetValueW(HKEY_CURRENT_USER, key, name, RRF_RT_REG_SZ, nullptr, value, &size) != ERROR_SUCCESS)
    return {};
  return win32::Narrow(value);
}

std::string Lower(const std::string& text) {
  std::wstring wide = win32::Widen(text);
  CharLowerBuffW(wide.data(), static_cast<DWORD>(wide.size()));
  return win32::Narrow(wide);
}

/// The template folder as this desktop's registry gives it (no UserTemplates value is seeded): the
/// user's application data and Office's template folder name, each lower-cased.
std::string ExpectedTemplateFolder() {
  return Lower(UserValue(L"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders",
                         L"AppData")) +
         "\\Microsoft\\" +
         Lower(UserValue(L"Software\\Microsoft\\Office\\11.0\\Common\\General", L"Templates")) +
         "\\ZUK Mod\xc3\xa8les\\";
}

void PlaceModelFiles() {
  CreateDirectoryW(L"C:\\ZUK", nullptr);
  CreateDirectoryW(win32::Widen(kWorkFolder).c_str(), nullptr);
  for (const wchar_t* name : {L"02131201.ppt", L"12131201.pot"}) {
    const std::wstring from = server_test::WindowsPath(K60418_MODELS_DIR) + L"\\" + name;
    const std::wstring to = win32::Widen(kWorkFolder) + name;
    SetFileAttributesW(to.c_str(), FILE_ATTRIBUTE_NORMAL);
    ASSERT_TRUE(CopyFileW(from.c_str(), to.c_str(), FALSE)) << GetLastError();
  }
}

/// The vb::Error a call raises; fails the test when it raises none.
template <class Call>
vb::Error Raised(Call call) {
  try {
    call();
  } catch (const vb::Error& error) {
    return error;
  }
  ADD_FAILURE() << "no error raised";
  return vb::Error(0, "", "");
}

TEST(DllModuleCreation, AClassNotRegisteredRaisesCannotCreateObjectFromThePlayer) {
  const vb::Error error = Raised([] { win32::DllModule module("K60418.NoSuchModule"); });
  EXPECT_EQ(error.number(), vb::errors::kCannotCreateObject);
  EXPECT_EQ(error.source(), "k60418");
  EXPECT_NE(error.description().find("K60418.NoSuchModule"), std::string::npos);
}

class HostedDll : public testing::Test {
 protected:
  void TearDown() override {
    // PowerPoint goes with the module's Quitter, as the player ends a session.
    if (!application_.IsNothing()) module_.Quitter(application_, handle_);
  }
  void Init(std::int32_t question) { module_.InitQuestion(question, kWorkFolder, application_, handle_); }

  win32::DllModule module_;
  ppt::Application application_;
  std::int32_t handle_ = -1;
};

TEST_F(HostedDll, AFreshModulesVerdictRaisesTheModulesOwnErrorAsTheHostReadsIt) {
  EXPECT_FALSE(module_.ErreurGenerale());
  for (const auto& read : {std::function<void()>([this] { module_.CauseErreur(); }),
                           std::function<void()>([this] { module_.BravoNuance(); }),
                           std::function<void()>([this] { module_.Complement(); })}) {
    const vb::Error error = Raised(read);
    EXPECT_EQ(error.number(), vb::errors::kObjectNotSet);
    EXPECT_EQ(error.source(), vb::kProjectName);
    EXPECT_EQ(error.description(), vb::DefaultDescription(vb::errors::kObjectNotSet));
  }
  EXPECT_TRUE(module_.HeldApplication() == nullptr);
  EXPECT_EQ(module_.TemplateFolder(), "");
}

TEST_F(HostedDll, AnExerciseSetUpCheckedAndQuitWithTheHostsVariablesGoingInAndOut) {
  ASSERT_NO_FATAL_FAILURE(PlaceModelFiles());
  Init(201);
  // The module started PowerPoint: the host's variables now hold it and its main window.
  ASSERT_FALSE(application_.IsNothing());
  EXPECT_EQ(handle_,
            static_cast<std::int32_t>(reinterpret_cast<INT_PTR>(FindWindowA("PP11FrameClass", nullptr))));
  EXPECT_NE(handle_, 0);
  EXPECT_TRUE(vb::SameObject(module_.HeldApplication(), application_.ref()));
  EXPECT_EQ(application_.Version(), "11.0");
  EXPECT_EQ(module_.TemplateFolder(), ExpectedTemplateFolder());

  // Untouched work: "B", with an empty list the host can add to and read back.
  module_.TestePoint();
  EXPECT_FALSE(module_.ErreurGenerale());
  EXPECT_EQ(module_.CauseErreur(), "B");
  EXPECT_FALSE(module_.BravoNuance());
  const auto complement = module_.Complement();
  ASSERT_TRUE(complement);
  EXPECT_EQ(complement->ComplementInfo_count(), 0);
  complement->ComplementInfo_add(
      "Diapositive n\xc2\xb0"
      "2 : th\xc3\xa8me",
      0);
  EXPECT_EQ(complement->ComplementInfo_count(), 1);
  EXPECT_EQ(complement->ComplementInfo_item(1),
            "Diapositive n\xc2\xb0"
            "2 : th\xc3\xa8me");
  const vb::Error outside = Raised([&] { complement->ComplementInfo_item(2); });
  EXPECT_EQ(outside.number(), vb::errors::kSubscriptOutOfRange);
  EXPECT_EQ(outside.description(), vb::DefaultDescription(vb::errors::kSubscriptOutOfRange));

  // The same PowerPoint handed in again comes back as the very object the host holds.
  module_.Fermer();
  ASSERT_NO_FATAL_FAILURE(PlaceModelFiles());
  const vb::ObjectRef held = application_.ref();
  const std::int32_t window = handle_;
  Init(201);
  EXPECT_EQ(application_.ref().get(), held.get());
  EXPECT_EQ(handle_, window);

  // Quitter quits the PowerPoint the module started: Nothing and 0 come back.
  module_.Quitter(application_, handle_);
  EXPECT_TRUE(application_.IsNothing());
  EXPECT_EQ(handle_, 0);
  EXPECT_TRUE(module_.HeldApplication() == nullptr);
}

TEST_F(HostedDll, AFailedSetUpRaisesTheModulesReportAndStillWritesTheVariablesBack) {
  ASSERT_NO_FATAL_FAILURE(PlaceModelFiles());
  // An exercise outside the course: the module gets PowerPoint, resolves its folders, then has no
  // exercise to set up.
  const vb::Error error = Raised([this] { Init(199); });
  EXPECT_EQ(error.number(), vb::errors::kObjectNotSet);
  EXPECT_NE(error.source(), vb::kProjectName);
  EXPECT_NE(error.source().find(vb::kProjectName), std::string::npos) << error.source();
  EXPECT_EQ(error.description(), vb::DefaultDescription(vb::errors::kObjectNotSet));
  ASSERT_FALSE(application_.IsNothing());
  EXPECT_NE(handle_, -1);
  EXPECT_TRUE(vb::SameObject(module_.HeldApplication(), application_.ref()));
  EXPECT_EQ(module_.TemplateFolder(), ExpectedTemplateFolder());
}

}  // namespace
