#include "sim/window_manager.hpp"

#include <algorithm>
#include <cstring>
#include <limits>

#include "sim/names.hpp"
#include "vb/error.hpp"
#include "vb/strings.hpp"

namespace sim {

using platform::BOOL;
using platform::HWND;
using platform::LONG;
using platform::LRESULT;
using platform::UINT;

namespace {

// Handles look like the system's: even numbers from here on.
constexpr HWND kFirstHandle = 0x000100A2;

// A pointer argument of the 8-bit functions, as UTF-8; nullopt for "any".
std::optional<std::string> Text8(const char* text) {
  if (!text) return std::nullopt;
  return vb::FromWindows1252(text);
}

int CopyText(const std::string& utf8, char* buffer, int maxCount) {
  if (!buffer || maxCount <= 0) return 0;
  const std::string bytes = vb::ToWindows1252(utf8);
  const auto count =
      static_cast<int>(std::min<std::size_t>(bytes.size(), static_cast<std::size_t>(maxCount - 1)));
  std::memcpy(buffer, bytes.data(), static_cast<std::size_t>(count));
  buffer[count] = '\0';
  return count;
}

}  // namespace

struct WindowManager::Window {
  WindowTraits traits;
  std::vector<HWND> children;         // top first
  bool hidden_by_owner = false;       // hidden because its owner was minimized
  bool restore_to_maximized = false;  // minimized from the maximized state
  std::function<void()> close_handler;
};

WindowManager::WindowManager() : next_handle_(kFirstHandle) {}
WindowManager::~WindowManager() = default;

WindowManager::Window* WindowManager::Find(HWND window) {
  const auto found = windows_.find(window);
  return found == windows_.end() ? nullptr : &found->second;
}

const WindowManager::Window* WindowManager::Find(HWND window) const {
  const auto found = windows_.find(window);
  return found == windows_.end() ? nullptr : &found->second;
}

std::vector<HWND>* WindowManager::SiblingsOf(const Window& window) {
  if (window.traits.parent == 0) return &z_order_;
  Window* parent = Find(window.traits.parent);
  return parent ? &parent->children : nullptr;
}

// --- user32 ------------------------------------------------------------------------------------

HWND WindowManager::FindWindowA(const char* className, const char* windowName) {
  return FindWindowExA(0, 0, className, windowName);
}

HWND WindowManager::FindWindowExA(HWND parent, HWND childAfter, const char* className,
                                  const char* windowName) {
  const std::vector<HWND>* list = &z_order_;
  if (parent != 0) {
    const Window* owner = Find(parent);
    if (!owner) return 0;
    list = &owner->children;
  }
  auto it = list->begin();
  if (childAfter != 0) {
    it = std::find(list->begin(), list->end(), childAfter);
    if (it == list->end()) return 0;
    ++it;
  }
  const auto class_name = Text8(className);
  const auto title = Text8(windowName);
  for (; it != list->end(); ++it) {
    const Window& window = windows_.at(*it);
    if (class_name && !SameName(window.traits.class_name, *class_name)) continue;
    if (title && !SameName(window.traits.title, *title)) continue;
    return *it;
  }
  return 0;
}

BOOL WindowManager::IsWindowVisible(HWND handle) {
  const Window* window = Find(handle);
  while (window) {
    if (!window->traits.visible) return 0;
    if (window->traits.parent == 0) return 1;
    window = Find(window->traits.parent);
  }
  return 0;
}

BOOL WindowManager::IsIconic(HWND handle) {
  const Window* window = Find(handle);
  return window && window->traits.state == ShowState::kMinimized ? 1 : 0;
}

void WindowManager::SetMinimized(HWND handle, bool minimized) {
  Window& window = windows_.at(handle);
  const bool was = window.traits.state == ShowState::kMinimized;
  if (was == minimized) return;
  // Owned pop-ups disappear with their minimized owner and come back when it is restored.
  for (HWND owned : OwnedBy(handle)) {
    Window& popup = windows_.at(owned);
    if (minimized && popup.traits.visible) {
      popup.traits.visible = false;
      popup.hidden_by_owner = true;
    } else if (!minimized && popup.hidden_by_owner) {
      popup.traits.visible = true;
      popup.hidden_by_owner = false;
    }
  }
  if (minimized) {
    window.restore_to_maximized = window.traits.state == ShowState::kMaximized;
    window.traits.state = ShowState::kMinimized;
  } else {
    window.traits.state = window.restore_to_maximized ? ShowState::kMaximized : ShowState::kNormal;
  }
}

BOOL WindowManager::ShowWindow(HWND handle, int command) {
  Window* window = Find(handle);
  if (!window) return 0;
  const BOOL was_visible = window->traits.visible ? 1 : 0;
  switch (command) {
    case platform::SW_HIDE:
      window->traits.visible = false;
      if (foreground_ == handle) ForegroundToNext();
      break;
    case platform::SW_SHOWNORMAL:
    case platform::SW_RESTORE:
    case SW_SHOWDEFAULT:
    case SW_SHOWNOACTIVATE:
      window->traits.visible = true;
      if (window->traits.state == ShowState::kMinimized) {
        SetMinimized(handle, false);
      } else {
        window->traits.state = ShowState::kNormal;
      }
      if (command != SW_SHOWNOACTIVATE) Activate(handle);
      break;
    case platform::SW_SHOWMINIMIZED:
    case platform::SW_MINIMIZE:
    case SW_SHOWMINNOACTIVE:
    case SW_FORCEMINIMIZE:
      window->traits.visible = true;
      SetMinimized(handle, true);
      // Minimizing hands the foreground to the next window.
      if (foreground_ == handle) ForegroundToNext();
      break;
    case platform::SW_SHOWMAXIMIZED:
      window->traits.visible = true;
      SetMinimized(handle, false);
      window->traits.state = ShowState::kMaximized;
      Activate(handle);
      break;
    case platform::SW_SHOW:
    case SW_SHOWNA:
      window->traits.visible = true;
      if (command == platform::SW_SHOW) Activate(handle);
      break;
    default:
      return 0;
  }
  return was_visible;
}

BOOL WindowManager::SetForegroundWindow(HWND handle) {
  const Window* window = Find(handle);
  if (!window) return 0;
  HWND top = handle;
  while (windows_.at(top).traits.parent != 0) top = windows_.at(top).traits.parent;
  Activate(top);
  return 1;
}

HWND WindowManager::GetWindow(HWND handle, UINT relation) {
  const Window* window = Find(handle);
  if (!window) return 0;
  if (relation == platform::GW_OWNER) return window->traits.parent == 0 ? window->traits.owner : 0;
  if (relation == platform::GW_CHILD) return window->children.empty() ? 0 : window->children.front();
  const std::vector<HWND>* siblings = SiblingsOf(*window);
  if (!siblings || siblings->empty()) return 0;
  const auto it = std::find(siblings->begin(), siblings->end(), handle);
  switch (relation) {
    case GW_HWNDFIRST:
      return siblings->front();
    case GW_HWNDLAST:
      return siblings->back();
    case platform::GW_HWNDNEXT:
      return it + 1 == siblings->end() ? 0 : *(it + 1);
    case platform::GW_HWNDPREV:
      return it == siblings->begin() ? 0 : *(it - 1);
    default:
      return 0;
  }
}

int WindowManager::GetWindowTextA(HWND handle, char* buffer, int maxCount) {
  const Window* window = Find(handle);
  if (!window) {
    if (buffer && maxCount > 0) buffer[0] = '\0';
    return 0;
  }
  return CopyText(window->traits.title, buffer, maxCount);
}

LONG WindowManager::GetWindowLongA(HWND handle, int index) {
  const Window* window = Find(handle);
  if (!window) return 0;
  if (index == platform::GWL_EXSTYLE) return window->traits.ex_style;
  if (index != platform::GWL_STYLE) return 0;
  LONG style = window->traits.style;
  if (window->traits.visible) style |= platform::WS_VISIBLE;
  if (window->traits.state == ShowState::kMinimized) style |= platform::WS_MINIMIZE;
  if (window->traits.state == ShowState::kMaximized) style |= WS_MAXIMIZE;
  return style;
}

HWND WindowManager::GetParent(HWND handle) {
  const Window* window = Find(handle);
  if (!window) return 0;
  if (window->traits.style & WS_CHILD) return window->traits.parent;
  // A pop-up's "parent" is its owner; an overlapped window has none.
  if (window->traits.style & WS_POPUP) return window->traits.owner;
  return 0;
}

int WindowManager::GetClassNameA(HWND handle, char* buffer, int maxCount) {
  const Window* window = Find(handle);
  if (!window) return 0;
  return CopyText(window->traits.class_name, buffer, maxCount);
}

LRESULT WindowManager::SendMessageA(HWND handle, UINT message, platform::WPARAM, platform::LPARAM) {
  Window* window = Find(handle);
  if (!window || message != platform::WM_CLOSE || window->traits.ignores_close) return 0;
  if (window->close_handler) {
    // The handler may destroy windows: it runs on its own copy.
    const auto handler = window->close_handler;
    handler();
    return 0;
  }
  Destroy(handle);
  return 0;
}

// --- Events ------------------------------------------------------------------------------------

HWND WindowManager::Make(const WindowTraits& traits, HWND handle) {
  Window window;
  window.traits = traits;
  if (traits.parent != 0) {
    Window* parent = Find(traits.parent);
    if (!parent) vb::Raise(vb::errors::kInvalidCall, "Sim", "The parent window does not exist.");
    window.traits.style |= WS_CHILD;
    window.traits.owner = 0;
    window.traits.process = parent->traits.process;
    parent->children.push_back(handle);
  } else {
    if (traits.owner != 0 && !Find(traits.owner))
      vb::Raise(vb::errors::kInvalidCall, "Sim", "The owner window does not exist.");
    window.traits.style &= ~WS_CHILD;
    z_order_.insert(z_order_.begin(), handle);
  }
  window.traits.style &= ~(platform::WS_VISIBLE | platform::WS_MINIMIZE | WS_MAXIMIZE);
  windows_.emplace(handle, std::move(window));
  return handle;
}

HWND WindowManager::Create(const WindowTraits& traits) {
  if (next_handle_ > std::numeric_limits<HWND>::max() - 2)
    vb::Raise(vb::errors::kOverflow, "Sim", "The desktop has no window handle left.");
  const HWND handle = next_handle_;
  next_handle_ += 2;
  Make(traits, handle);
  if (traits.parent == 0) BringToTop(handle);
  if (traits.parent == 0 && traits.visible && traits.state != ShowState::kMinimized) foreground_ = handle;
  return handle;
}

HWND WindowManager::OpenWindow(const std::string& title, const std::string& class_name) {
  WindowTraits traits;
  traits.class_name = class_name;
  traits.title = title;
  traits.style = WS_OVERLAPPEDWINDOW;
  return Create(traits);
}

HWND WindowManager::OpenDialog(HWND owner, const std::string& title) {
  const Window* owner_window = Find(owner);
  if (!owner_window) vb::Raise(vb::errors::kInvalidCall, "Sim", "The dialog's owner window does not exist.");
  WindowTraits traits;
  traits.class_name = kDialogClass;
  traits.title = title;
  traits.style = WS_POPUP | WS_CAPTION | WS_SYSMENU;
  traits.ex_style = platform::WS_EX_DLGMODALFRAME;
  traits.owner = owner;
  traits.process = owner_window->traits.process;
  return Create(traits);
}

HWND WindowManager::ShowBalloon(HWND owner, std::uint32_t process) {
  WindowTraits traits;
  traits.class_name = kBalloonClass;
  traits.style = WS_POPUP;
  traits.ex_style = WS_EX_TOOLWINDOW;
  traits.owner = Find(owner) ? owner : 0;
  traits.process = process;
  const HWND balloon = Create(traits);
  WindowTraits button;
  button.class_name = "Button";
  button.title = "OK";
  button.parent = balloon;
  Create(button);
  return balloon;
}

void WindowManager::SetIgnoresClose(HWND handle, bool ignores) {
  if (Window* window = Find(handle)) window->traits.ignores_close = ignores;
}

void WindowManager::SetCloseHandler(HWND handle, std::function<void()> handler) {
  if (Window* window = Find(handle)) window->close_handler = std::move(handler);
}

void WindowManager::SetTitle(HWND handle, const std::string& title) {
  if (Window* window = Find(handle)) window->traits.title = title;
}

bool WindowManager::Destroy(HWND handle) {
  Window* window = Find(handle);
  if (!window) return false;
  // Owned windows go first, then the children, then the window itself.
  for (HWND owned : OwnedBy(handle)) Destroy(owned);
  for (HWND child : std::vector<HWND>(window->children)) Destroy(child);
  if (std::vector<HWND>* siblings = SiblingsOf(*window)) {
    siblings->erase(std::remove(siblings->begin(), siblings->end(), handle), siblings->end());
  }
  windows_.erase(handle);
  if (foreground_ == handle) ForegroundToNext();
  return true;
}

void WindowManager::DestroyProcessWindows(std::uint32_t process) {
  if (process == 0) return;
  std::vector<HWND> doomed;
  for (HWND handle : z_order_) {
    if (windows_.at(handle).traits.process == process) doomed.push_back(handle);
  }
  for (HWND handle : doomed) Destroy(handle);
}

// --- Z order and activation --------------------------------------------------------------------

std::vector<HWND> WindowManager::OwnedBy(HWND owner) const {
  std::vector<HWND> owned;
  if (owner == 0) return owned;
  for (HWND handle : z_order_) {
    if (windows_.at(handle).traits.owner == owner) owned.push_back(handle);
  }
  return owned;
}

void WindowManager::BringToTop(HWND handle) {
  z_order_.erase(std::remove(z_order_.begin(), z_order_.end(), handle), z_order_.end());
  z_order_.insert(z_order_.begin(), handle);
  // Owned windows stay above their owner, in their own order: the lowest is raised first.
  const std::vector<HWND> owned = OwnedBy(handle);
  for (auto it = owned.rbegin(); it != owned.rend(); ++it) BringToTop(*it);
}

void WindowManager::Activate(HWND handle) {
  BringToTop(handle);
  foreground_ = handle;
}

void WindowManager::ForegroundToNext() {
  foreground_ = 0;
  for (HWND handle : z_order_) {
    const Window& window = windows_.at(handle);
    if (window.traits.visible && window.traits.state != ShowState::kMinimized) {
      foreground_ = handle;
      return;
    }
  }
}

// --- Reading -----------------------------------------------------------------------------------

bool WindowManager::Exists(HWND handle) const {
  return Find(handle) != nullptr;
}

bool WindowManager::Visible(HWND handle) const {
  const Window* window = Find(handle);
  return window && window->traits.visible;
}

ShowState WindowManager::State(HWND handle) const {
  const Window* window = Find(handle);
  return window ? window->traits.state : ShowState::kNormal;
}

std::string WindowManager::Title(HWND handle) const {
  const Window* window = Find(handle);
  return window ? window->traits.title : std::string();
}

std::string WindowManager::ClassName(HWND handle) const {
  const Window* window = Find(handle);
  return window ? window->traits.class_name : std::string();
}

HWND WindowManager::Owner(HWND handle) const {
  const Window* window = Find(handle);
  return window ? window->traits.owner : 0;
}

std::uint32_t WindowManager::ProcessOf(HWND handle) const {
  const Window* window = Find(handle);
  return window ? window->traits.process : 0;
}

std::vector<HWND> WindowManager::Children(HWND handle) const {
  const Window* window = Find(handle);
  return window ? window->children : std::vector<HWND>();
}

bool WindowManager::OwnedThroughDialogs(const Window& window, HWND main) const {
  if (!(window.traits.ex_style & platform::WS_EX_DLGMODALFRAME)) return false;
  if (!window.traits.visible && !window.hidden_by_owner) return false;
  HWND owner = window.traits.owner;
  for (std::size_t depth = 0; owner != 0 && depth <= windows_.size(); ++depth) {
    if (owner == main) return true;
    const Window* next = Find(owner);
    if (!next || !(next->traits.ex_style & platform::WS_EX_DLGMODALFRAME)) return false;
    owner = next->traits.owner;
  }
  return false;
}

bool WindowManager::HasModalDialog(HWND main) const {
  if (main == 0) return false;
  return std::any_of(z_order_.begin(), z_order_.end(),
                     [&](HWND handle) { return OwnedThroughDialogs(windows_.at(handle), main); });
}

HWND WindowManager::FindDialog(HWND main, const std::string& title) const {
  HWND loose = 0;
  for (HWND handle : z_order_) {
    const Window& window = windows_.at(handle);
    if (!OwnedThroughDialogs(window, main)) continue;
    if (window.traits.title == title) return handle;
    if (loose == 0 && SameName(window.traits.title, title)) loose = handle;
  }
  return loose;
}

// --- State -------------------------------------------------------------------------------------

std::vector<WindowManager::Record> WindowManager::Records() const {
  std::vector<Record> records;
  const std::function<void(HWND)> add = [&](HWND handle) {
    const Window& window = windows_.at(handle);
    Record record{handle, window.traits};
    if (record.traits.owner != 0 && ProcessOf(record.traits.owner) != 0) record.traits.owner = 0;
    records.push_back(record);
    for (HWND child : window.children) add(child);
  };
  for (HWND handle : z_order_) {
    if (windows_.at(handle).traits.process == 0) add(handle);
  }
  return records;
}

void WindowManager::Restore(const std::vector<Record>& records, HWND next) {
  windows_.clear();
  z_order_.clear();
  foreground_ = 0;
  next_handle_ = std::max(next, kFirstHandle);
  // Saved top-level windows come from the top down; each is put below those already restored.
  for (const Record& record : records) {
    if (record.handle <= 0 || Find(record.handle)) continue;
    WindowTraits traits = record.traits;
    traits.process = 0;
    if (traits.parent != 0 && !Find(traits.parent)) continue;
    if (traits.owner != 0 && !Find(traits.owner)) traits.owner = 0;
    Make(traits, record.handle);
    if (traits.parent == 0) std::rotate(z_order_.begin(), z_order_.begin() + 1, z_order_.end());
    next_handle_ = std::max(next_handle_, record.handle + 2);
  }
  ForegroundToNext();
}

}  // namespace sim
