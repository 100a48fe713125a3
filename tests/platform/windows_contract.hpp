// The Windows port's contract: the user32 behaviour the module's window control relies on (Z
// order, owners, children, show states, texts, WM_CLOSE, stale handles).
#pragma once

#include <string>
#include <vector>

#include "platform/contract.hpp"
#include "platform/windows.hpp"

namespace contract {

class WindowsSubject {
 public:
  virtual ~WindowsSubject() = default;
  virtual platform::Windows& windows() = 0;
  /// A visible, unowned top-level window with a title (UTF-8), above every other.
  virtual platform::HWND OpenWindow(const std::string& title, const std::string& class_name) = 0;
  /// A visible, titled modal dialog (WS_EX_DLGMODALFRAME) owned by `owner`.
  virtual platform::HWND OpenDialog(platform::HWND owner, const std::string& title) = 0;
  /// A visible child window of `parent`.
  virtual platform::HWND OpenChild(platform::HWND parent, const std::string& class_name,
                                   const std::string& title) = 0;
};

namespace windows_checks {

using namespace platform;

inline std::string Text(Windows& w, HWND window) {
  char buffer[256] = {};
  const int n = w.GetWindowTextA(window, buffer, sizeof buffer);
  return std::string(buffer, static_cast<std::size_t>(n > 0 ? n : 0));
}

// New top-level windows go on top; GW_HWNDPREV is the window just above, GW_HWNDNEXT just below;
// FindWindowA gives the upper of two windows of one class.
inline void ZOrderAndNeighbours(WindowsSubject& s) {
  Windows& w = s.windows();
  const HWND lower = s.OpenWindow("Contrat bas", "K60418Contract");
  const HWND upper = s.OpenWindow("Contrat haut", "K60418Contract");
  EXPECT_EQ(upper, w.GetWindow(lower, GW_HWNDPREV));
  EXPECT_EQ(lower, w.GetWindow(upper, GW_HWNDNEXT));
  EXPECT_EQ(upper, w.FindWindowA("k60418contract", nullptr));
  EXPECT_EQ(lower, w.FindWindowA("K60418Contract", "CONTRAT BAS"));
  EXPECT_EQ(1, w.SetForegroundWindow(lower));
  EXPECT_EQ(upper, w.GetWindow(lower, GW_HWNDNEXT));
  EXPECT_EQ(lower, w.FindWindowA("K60418Contract", nullptr));
}

// An owned dialog sits above its owner, which GetParent and GW_OWNER both give.
inline void OwnerIsTheDialogsParent(WindowsSubject& s) {
  Windows& w = s.windows();
  const HWND main = s.OpenWindow("Contrat principal", "K60418Contract");
  const HWND dialog = s.OpenDialog(main, "Ouvrir");
  EXPECT_EQ(main, w.GetParent(dialog));
  EXPECT_EQ(main, w.GetWindow(dialog, GW_OWNER));
  EXPECT_EQ(0, w.GetParent(main));
  EXPECT_EQ(dialog, w.GetWindow(main, GW_HWNDPREV));
  EXPECT_EQ(WS_EX_DLGMODALFRAME, w.GetWindowLongA(dialog, GWL_EXSTYLE) & WS_EX_DLGMODALFRAME);
  EXPECT_EQ(0, w.GetWindowLongA(main, GWL_EXSTYLE) & WS_EX_DLGMODALFRAME);
  // Bringing the owner forward keeps its dialog above it.
  s.OpenWindow("Autre programme", "K60418Other");
  w.SetForegroundWindow(main);
  EXPECT_EQ(dialog, w.GetWindow(main, GW_HWNDPREV));
}

// FindWindowExA walks a parent's children in order, after a given child, matching without case;
// a child is visible only while its parent is.
inline void ChildrenInOrder(WindowsSubject& s) {
  Windows& w = s.windows();
  const HWND parent = s.OpenWindow("Contrat parent", "K60418Contract");
  const HWND first = s.OpenChild(parent, "Button", "Un");
  const HWND second = s.OpenChild(parent, "Button", "Deux");
  EXPECT_EQ(first, w.FindWindowExA(parent, 0, nullptr, nullptr));
  EXPECT_EQ(second, w.FindWindowExA(parent, first, nullptr, nullptr));
  EXPECT_EQ(0, w.FindWindowExA(parent, second, nullptr, nullptr));
  EXPECT_EQ(second, w.FindWindowExA(parent, 0, "BUTTON", "deux"));
  EXPECT_EQ(parent, w.GetParent(first));
  EXPECT_EQ(first, w.GetWindow(parent, GW_CHILD));
  EXPECT_EQ(1, w.IsWindowVisible(first));
  w.ShowWindow(parent, SW_HIDE);
  EXPECT_EQ(0, w.IsWindowVisible(first));
}

// ShowWindow answers with the former visibility; minimized windows are iconic and say so in
// their style.
inline void ShowStates(WindowsSubject& s) {
  Windows& w = s.windows();
  const HWND window = s.OpenWindow("Contrat états", "K60418Contract");
  EXPECT_NE(0, w.ShowWindow(window, SW_MINIMIZE));
  EXPECT_EQ(1, w.IsIconic(window));
  EXPECT_EQ(WS_MINIMIZE, w.GetWindowLongA(window, GWL_STYLE) & WS_MINIMIZE);
  w.ShowWindow(window, SW_RESTORE);
  EXPECT_EQ(0, w.IsIconic(window));
  EXPECT_NE(0, w.ShowWindow(window, SW_HIDE));
  EXPECT_EQ(0, w.IsWindowVisible(window));
  EXPECT_EQ(0, w.GetWindowLongA(window, GWL_STYLE) & WS_VISIBLE);
  EXPECT_EQ(0, w.ShowWindow(window, SW_HIDE));
  w.ShowWindow(window, SW_SHOWMAXIMIZED);
  EXPECT_EQ(1, w.IsWindowVisible(window));
  EXPECT_EQ(0, w.IsIconic(window));
}

// Texts come in Windows-1252, cut to the buffer with their NUL; classes likewise.
inline void TextsFitTheirBuffer(WindowsSubject& s) {
  Windows& w = s.windows();
  const HWND window = s.OpenWindow("Modèles", "K60418Contract");
  EXPECT_EQ(std::string("Mod\xE8les"), Text(w, window));
  char small[4] = {'x', 'x', 'x', 'x'};
  EXPECT_EQ(3, w.GetWindowTextA(window, small, sizeof small));
  EXPECT_EQ(std::string("Mod"), std::string(small));
  EXPECT_EQ(0, w.GetWindowTextA(window, small, 0));
  char name[64] = {};
  EXPECT_EQ(14, w.GetClassNameA(window, name, sizeof name));
  EXPECT_EQ(std::string("K60418Contract"), std::string(name));
}

// WM_CLOSE destroys a dialog; closing a window takes its owned windows and children with it;
// a handle that is gone answers 0 everywhere.
inline void CloseDestroys(WindowsSubject& s) {
  Windows& w = s.windows();
  const HWND main = s.OpenWindow("Contrat fermeture", "K60418Contract");
  const HWND dialog = s.OpenDialog(main, "Enregistrer sous");
  w.SendMessageA(dialog, WM_CLOSE, 0, 0);
  char name[64];
  EXPECT_EQ(0, w.GetClassNameA(dialog, name, sizeof name));
  EXPECT_NE(dialog, w.GetWindow(main, GW_HWNDPREV));
  const HWND owned = s.OpenDialog(main, "Imprimer");
  const HWND child = s.OpenChild(main, "Button", "OK");
  w.SendMessageA(main, WM_CLOSE, 0, 0);
  for (HWND gone : {main, owned, child}) {
    EXPECT_EQ(0, w.IsWindowVisible(gone));
    EXPECT_EQ(0, w.GetClassNameA(gone, name, sizeof name));
    EXPECT_EQ(0, w.GetWindow(gone, GW_HWNDPREV));
    EXPECT_EQ(0, w.GetParent(gone));
    EXPECT_EQ(0, w.ShowWindow(gone, SW_SHOW));
    EXPECT_EQ(0, w.SetForegroundWindow(gone));
  }
  EXPECT_EQ(0, w.FindWindowExA(main, 0, nullptr, nullptr));
}

}  // namespace windows_checks

inline const std::vector<Check<WindowsSubject>> kWindowsContract = {
    {"ZOrderAndNeighbours", windows_checks::ZOrderAndNeighbours},
    {"OwnerIsTheDialogsParent", windows_checks::OwnerIsTheDialogsParent},
    {"ChildrenInOrder", windows_checks::ChildrenInOrder},
    {"ShowStates", windows_checks::ShowStates},
    {"TextsFitTheirBuffer", windows_checks::TextsFitTheirBuffer},
    {"CloseDestroys", windows_checks::CloseDestroys},
};

}  // namespace contract
