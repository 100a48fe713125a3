// Module's hold on PowerPoint: the instance it works with and that instance's main window.
// Finding or starting PowerPoint, telling whether it is still there and still accepts calls,
// bringing its window forward, and clearing the windows PowerPoint may have left open over it
// (its modal dialogs, the Office assistant's balloon).
#pragma once

#include <cstdint>

#include "platform/automation.hpp"
#include "platform/windows.hpp"
#include "powerpoint/ppt.hpp"

namespace k60418 {

/// The program identifier of PowerPoint 2003's automation object.
inline constexpr const char* kProgIdPowerPoint = "PowerPoint.application.11";
/// The window class of PowerPoint's main window.
inline constexpr const char* kClasseFenetrePowerPoint = "PP11FrameClass";
/// The window class of the Office assistant's balloon.
inline constexpr const char* kClasseBulleAssistant = "MSOBALLOON";

class ControlePowerPoint {
 public:
  ControlePowerPoint(platform::Windows& windows, platform::Automation& automation)
      : windows_(windows), automation_(automation) {}

  /// The PowerPoint instance the module works with; Nothing before the first InitQuestion and
  /// after Quitter.
  ppt::Application oApplication;
  /// The handle of PowerPoint's main window (0 when none is known).
  platform::HWND lHandleLogiciel = 0;
  /// Application.ShowStartupDialog as recorded by GetApplication or by the last closing of an
  /// exercise; written back at the end of every InitQuestion.
  std::int32_t lShowStartupDialog = 0;

  /// Takes the running PowerPoint, or starts one when none runs or when the known main window
  /// has become invisible; makes it visible, finds its main window and records its start-up
  /// dialog setting. A failure to start one is reported as "GetApplication" of "Module".
  void GetApplication();
  /// True when PowerPoint's main window is visible. Otherwise False, after quitting the
  /// instance if it still answers (so that the next InitQuestion starts a fresh one).
  /// Never raises.
  bool VerifieApplication();
  /// True when PowerPoint lets its window state be read and changed (it refuses while one of
  /// its modal dialogs is open). Never raises.
  bool VerifieFenetre();
  /// False when no PowerPoint main window exists; otherwise maximizes PowerPoint, shows its
  /// window maximized if minimized, brings it to the foreground and returns True. An error of
  /// PowerPoint reaches the caller.
  bool ActiveFenetre();
  /// Closes the first modal dialog open over lFenetre, after the dialogs that dialog opened.
  void FermeDialogues(platform::HWND lFenetre);
  /// Closes lFenetre after its child windows, deepest first. A child that ignores WM_CLOSE is
  /// left alone, so the procedure always ends.
  void FermeFenetre(platform::HWND lFenetre);

 private:
  void FermeFenetre(platform::HWND lFenetre, int profondeur);

  platform::Windows& windows_;
  platform::Automation& automation_;
};

}  // namespace k60418
