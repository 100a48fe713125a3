// What a simulated PowerPoint process reaches outside itself: the desktop's files, clock and its
// own main window. The desktop provides it; tests may provide their own.
#pragma once

#include <memory>
#include <string>

#include "sim/ppt/object.hpp"
#include "vb/date.hpp"

namespace sim::ppt {

class Host {
 public:
  virtual ~Host() = default;

  /// The content of a file; raises the drives' file errors (53 when it does not exist …).
  virtual std::string ReadFile(const std::string& path) = 0;
  /// Writes a file whole, atomically: a reader sees the old content or the new, never a part.
  virtual void WriteFile(const std::string& path, const std::string& content) = 0;
  virtual bool FileExists(const std::string& path) = 0;
  /// The current folder, ending with a backslash, against which relative file names are taken.
  virtual std::string CurrentFolder() = 0;
  /// The clock's current date and time.
  virtual vb::Date Now() = 0;

  /// The main window: visible or not, and its state (ppWindowNormal 1, ppWindowMinimized 2,
  /// ppWindowMaximized 3).
  virtual bool MainWindowVisible() = 0;
  virtual void SetMainWindowVisible(bool visible) = 0;
  virtual int MainWindowState() = 0;
  virtual void SetMainWindowState(int state) = 0;

  /// True when Windows is set to hide the extensions of known file types (Explorer's
  /// HideFileExt): PowerPoint then reports a saved presentation's Name without ".ppt".
  virtual bool HidesKnownExtensions() { return false; }
};

/// The Application of a process whose outside is the given host (the desktop's, or a test's).
vb::ObjectRef CreateApplicationOn(std::shared_ptr<Context> context, std::shared_ptr<Host> host);

/// The host of a process running on the context's desktop.
std::shared_ptr<Host> MakeDesktopHost(std::shared_ptr<Context> context);

}  // namespace sim::ppt
