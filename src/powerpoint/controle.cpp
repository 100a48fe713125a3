#include "powerpoint/controle.hpp"

#include <array>

#include "module/rapporte_erreur.hpp"
#include "vb/error.hpp"

namespace k60418 {

namespace {

/// No desktop holds more windows than this in one z-order or under one parent: a bound that keeps
/// the window walks finite whatever the window manager answers.
constexpr int kFenetresMax = 4096;
/// Nor nests them deeper than this.
constexpr int kProfondeurMax = 64;

}  // namespace

void ControlePowerPoint::GetApplication() {
  // First stage: the running instance. A failure here, or in making it visible and finding its
  // window, falls back to starting a new one; everything after such a fall-back, the reading of
  // the start-up dialog setting included, reaches the caller as it is.
  if (windows_.IsWindowVisible(lHandleLogiciel) != 0 || lHandleLogiciel == 0) {
    bool repli = false;
    try {
      oApplication = ppt::Application(automation_.GetObject(kProgIdPowerPoint));
      oApplication.Visible(ppt::msoTrue);
      lHandleLogiciel = windows_.FindWindowA(kClasseFenetrePowerPoint, nullptr);
    } catch (const vb::Error&) {
      repli = true;
    }
    if (repli) {
      oApplication = ppt::Application(automation_.CreateObject(kProgIdPowerPoint));
      oApplication.Visible(ppt::msoTrue);
      lHandleLogiciel = windows_.FindWindowA(kClasseFenetrePowerPoint, nullptr);
      lShowStartupDialog = oApplication.ShowStartupDialog();
      return;
    }
  } else {
    // Second stage: the known window has become invisible, a new instance is started; a failure
    // is reported.
    try {
      oApplication = ppt::Application(automation_.CreateObject(kProgIdPowerPoint));
      oApplication.Visible(ppt::msoTrue);
      lHandleLogiciel = windows_.FindWindowA(kClasseFenetrePowerPoint, nullptr);
    } catch (const vb::Error& erreur) {
      oApplication = ppt::Application();
      RapporteErreur(erreur, "Module", "GetApplication");
    }
  }
  IgnoreErreur([&] { lShowStartupDialog = oApplication.ShowStartupDialog(); });
}

bool ControlePowerPoint::VerifieApplication() {
  if (windows_.IsWindowVisible(lHandleLogiciel) != 0) return true;
  if (IgnoreErreur([&] { oApplication.WindowState(); }) == 0) {
    IgnoreErreur([&] { oApplication.Quit(); });
  }
  return false;
}

bool ControlePowerPoint::VerifieFenetre() {
  try {
    const std::int32_t etat = oApplication.WindowState();
    oApplication.WindowState(ppt::ppWindowMaximized);
    oApplication.WindowState(etat);
    return true;
  } catch (const vb::Error&) {
    return false;
  }
}

bool ControlePowerPoint::ActiveFenetre() {
  if (windows_.FindWindowA(kClasseFenetrePowerPoint, nullptr) == 0) return false;
  oApplication.WindowState(ppt::ppWindowMaximized);
  if (windows_.IsIconic(lHandleLogiciel) == 1)
    windows_.ShowWindow(lHandleLogiciel, platform::SW_SHOWMAXIMIZED);
  windows_.SetForegroundWindow(lHandleLogiciel);
  return true;
}

void ControlePowerPoint::FermeDialogues(platform::HWND lFenetre) {
  platform::HWND h = windows_.GetWindow(lFenetre, platform::GW_HWNDPREV);
  for (int vues = 0; h != 0; ++vues) {
    if (vues >= kFenetresMax) return;
    std::array<char, 255> titre{};
    const int n = windows_.GetWindowTextA(h, titre.data(), static_cast<int>(titre.size()));
    const bool dialogue =
        n > 0 && windows_.IsWindowVisible(h) != 0 &&
        (windows_.GetWindowLongA(h, platform::GWL_EXSTYLE) & platform::WS_EX_DLGMODALFRAME) != 0 &&
        windows_.GetParent(h) == lFenetre;
    if (dialogue) break;
    h = windows_.GetWindow(h, platform::GW_HWNDPREV);
  }
  if (h == 0) return;
  FermeDialogues(h);
  windows_.SendMessageA(h, platform::WM_CLOSE, 0, 0);
}

void ControlePowerPoint::FermeFenetre(platform::HWND lFenetre) {
  FermeFenetre(lFenetre, 0);
}

void ControlePowerPoint::FermeFenetre(platform::HWND lFenetre, int profondeur) {
  if (profondeur < kProfondeurMax) {
    // Children that ignored WM_CLOSE stay first in their parent's list; the next one to close is
    // the first child after the last of them.
    platform::HWND laisse = 0;
    platform::HWND enfant = windows_.FindWindowExA(lFenetre, 0, nullptr, nullptr);
    for (int fermes = 0; enfant != 0 && fermes < kFenetresMax; ++fermes) {
      FermeFenetre(enfant, profondeur + 1);
      platform::HWND suivant = windows_.FindWindowExA(lFenetre, laisse, nullptr, nullptr);
      if (suivant == enfant) {
        laisse = enfant;
        suivant = windows_.FindWindowExA(lFenetre, laisse, nullptr, nullptr);
      }
      enfant = suivant;
    }
  }
  windows_.SendMessageA(lFenetre, platform::WM_CLOSE, 0, 0);
}

}  // namespace k60418
