// The running state of one simulated PowerPoint process: its open presentations, document
// windows and command bars. The automation objects are views over it.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "sim/ppt/host.hpp"
#include "sim/ppt/model.hpp"

namespace sim::ppt {

/// An open presentation: the document and the file it came from.
struct Document {
  std::shared_ptr<doc::Presentation> model;
  /// The file's full path; "" for a presentation never saved.
  std::string full_name;
  /// The file name ("Cinéloisirs.ppt"), or "Présentation1" for an untitled presentation.
  std::string name;
  bool saved = true;
  bool read_only = false;
  /// False once the presentation is closed: its objects then raise.
  bool open = true;
};

/// A document window and the view it shows.
struct Window {
  std::shared_ptr<Document> document;
  /// The window's view type; a master shown in normal view still reads ppViewNormal.
  int view_type = pp::ppViewNormal;
  /// In normal view, the master shown instead of the slides: 0, ppViewSlideMaster or ppViewTitleMaster.
  int master_view = 0;
  /// In normal view, whether the first pane shows the outline rather than the thumbnails.
  bool outline = false;
  /// The active pane, from 1.
  int active_pane = 2;
  /// The slide shown (by SlideID); 0 when the presentation has none.
  int current_slide_id = 0;
  int zoom = 66;
  int window_state = 3;  // ppWindowMaximized
  bool open = true;
};

/// One control of a command bar.
struct Control {
  std::string caption;
  /// MsoControlType: msoControlButton 1.
  int type = 1;
  /// Whether Execute toggles State between msoButtonUp (0) and msoButtonDown (-1).
  bool toggle = false;
  int state = 0;
  bool enabled = true;
  bool visible = true;
};

/// A command bar (toolbar, menu bar or task pane).
struct CommandBar {
  std::string name;
  std::string name_local;
  bool enabled = true;
  bool visible = false;
  /// MsoBarPosition: msoBarLeft 0, msoBarTop 1, msoBarRight 2, msoBarBottom 3, msoBarFloating 4.
  int position = 1;
  std::vector<Control> controls;
};

/// Everything a PowerPoint process holds.
struct Process {
  std::shared_ptr<Context> context;
  std::shared_ptr<Host> host;
  std::vector<std::shared_ptr<Document>> presentations;
  /// Document windows in the order they were opened.
  std::vector<std::shared_ptr<Window>> windows;
  /// The active window; null when none is open.
  std::shared_ptr<Window> active_window;
  /// Numbers the untitled presentations: "Présentation1", "Présentation2" …
  int untitled_count = 0;
  bool show_startup_dialog = true;
  bool display_tooltips = true;
  std::vector<CommandBar> command_bars;

  /// Opens a window on a document and makes it the active window.
  std::shared_ptr<Window> OpenWindow(const std::shared_ptr<Document>& document);
  /// Closes a presentation and its windows; the most recent remaining window becomes active.
  void Close(const std::shared_ptr<Document>& document);
  /// Makes a window the active one.
  void Activate(const std::shared_ptr<Window>& window);
  /// The windows showing a document.
  std::vector<std::shared_ptr<Window>> WindowsOf(const Document& document) const;
};
using ProcessRef = std::shared_ptr<Process>;

/// The command bars of a freshly started PowerPoint.
std::vector<CommandBar> InitialCommandBars();

}  // namespace sim::ppt
