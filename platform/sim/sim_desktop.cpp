#include "platform/sim/sim_desktop.h"

#include "platform/sim/sim_metrics.h"

namespace pelorin::sim {

using platform::WindowHandle;

namespace {
constexpr std::size_t kAbsent = static_cast<std::size_t>(-1);
}

SimDesktop::SimDesktop() {
  windows_.push_back({NewHandle(), kDesktopTitle, true, false});
  active_ = windows_.back().handle;
}

WindowHandle SimDesktop::Add(const std::string& title) {
  const Window added{NewHandle(), title, false, false};
  windows_.insert(windows_.begin() + static_cast<std::ptrdiff_t>(TopOfBand(false)), added);
  return added.handle;
}

void SimDesktop::Remove(WindowHandle window) {
  std::size_t index = IndexOf(window);
  if (index == kAbsent || index + 1 == windows_.size()) return;  // the desktop stays
  windows_.erase(windows_.begin() + static_cast<std::ptrdiff_t>(index));
  if (active_ == window) ActivateTopVisible();
}

void SimDesktop::ReplaceOthers(const std::vector<std::string>& titles, WindowHandle keep) {
  WindowHandle desktop = windows_.back().handle;
  std::erase_if(windows_, [&](const Window& w) { return w.handle != keep && w.handle != desktop; });
  std::size_t at = IndexOf(keep) == kAbsent ? TopOfBand(false) : IndexOf(keep) + 1;
  std::vector<Window> added;
  for (const std::string& title : titles) added.push_back({NewHandle(), title, true, false});
  windows_.insert(windows_.begin() + static_cast<std::ptrdiff_t>(at), added.begin(), added.end());
  if (active_ == keep && IndexOf(keep) != kAbsent) return;
  if (!added.empty()) {
    active_ = added.front().handle;
  } else if (IndexOf(active_) == kAbsent) {
    ActivateTopVisible();
  }
}

void SimDesktop::Show(WindowHandle window) {
  if (std::size_t index = IndexOf(window); index != kAbsent) windows_[index].visible = true;
}

bool SimDesktop::Activate(WindowHandle window) {
  std::size_t index = IndexOf(window);
  if (index == kAbsent) return false;
  if (index + 1 != windows_.size()) MoveTo(index, TopOfBand(windows_[index].topmost));
  active_ = window;
  return true;
}

void SimDesktop::SetTopmost(WindowHandle window, bool topmost) {
  std::size_t index = IndexOf(window);
  if (index == kAbsent || index + 1 == windows_.size()) return;
  if (!topmost && !windows_[index].topmost) return;
  const std::size_t to = TopOfBand(topmost);  // out of the band: just below it
  windows_[index].topmost = topmost;
  MoveTo(index, to);
}

bool SimDesktop::IsTopmost(WindowHandle window) const {
  std::size_t index = IndexOf(window);
  return index != kAbsent && windows_[index].topmost;
}

std::string SimDesktop::Title(WindowHandle window) const {
  std::size_t index = IndexOf(window);
  return index == kAbsent ? std::string() : windows_[index].title;
}

std::optional<WindowHandle> SimDesktop::Find(const std::string& title, WindowHandle except) const {
  for (const Window& window : windows_) {
    if (window.handle != except && window.title == title) return window.handle;
  }
  return std::nullopt;
}

std::vector<platform::TopLevelWindow> SimDesktop::Windows() const {
  std::vector<platform::TopLevelWindow> result;
  for (const Window& window : windows_) {
    result.push_back({window.handle, window.title, window.visible});
  }
  return result;
}

std::size_t SimDesktop::IndexOf(WindowHandle window) const {
  for (std::size_t i = 0; i < windows_.size(); ++i) {
    if (windows_[i].handle == window) return i;
  }
  return kAbsent;
}

std::size_t SimDesktop::TopOfBand(bool topmost) const {
  if (topmost) return 0;
  std::size_t index = 0;
  while (index < windows_.size() && windows_[index].topmost) ++index;
  return index;
}

void SimDesktop::MoveTo(std::size_t from, std::size_t to) {
  Window moved = windows_[from];
  windows_.erase(windows_.begin() + static_cast<std::ptrdiff_t>(from));
  if (to > from) --to;
  windows_.insert(windows_.begin() + static_cast<std::ptrdiff_t>(to), moved);
}

void SimDesktop::ActivateTopVisible() {
  for (const Window& window : windows_) {
    if (window.visible) {
      active_ = window.handle;
      return;
    }
  }
  active_ = windows_.back().handle;
}

}  // namespace pelorin::sim
