#pragma once
// The simulated desktop: every top-level window in stacking order, the
// topmost band above the ordinary one, the active (foreground) window, and
// the desktop "Program Manager" always at the bottom.

#include <optional>
#include <string>
#include <vector>

#include "platform/platform.h"

namespace pelorin::sim {

class SimDesktop {
 public:
  SimDesktop();

  // A new hidden window at the top of the ordinary band; not active.
  platform::WindowHandle Add(const std::string& title);
  // When the removed window was active, the top visible window becomes active.
  void Remove(platform::WindowHandle window);
  // Replaces every window other than `keep` and the desktop by visible
  // windows with these titles, in this order: directly below `keep` when it
  // is on the desktop, else at the top. Unless `keep` is active, the first
  // new window becomes the active one: the window the user worked in last.
  void ReplaceOthers(const std::vector<std::string>& titles, platform::WindowHandle keep);

  void Show(platform::WindowHandle window);
  // To the top of its band (the desktop stays at the bottom) and active.
  // False for an unknown window.
  bool Activate(platform::WindowHandle window);
  // Into the topmost band, at its top; or out of it, to the top of the
  // ordinary band (nothing moves when it is not topmost).
  void SetTopmost(platform::WindowHandle window, bool topmost);
  bool IsTopmost(platform::WindowHandle window) const;

  platform::WindowHandle Active() const { return active_; }
  std::string Title(platform::WindowHandle window) const;
  // The highest window with exactly this title, other than `except`.
  std::optional<platform::WindowHandle> Find(const std::string& title,
                                             platform::WindowHandle except) const;
  // Top of the stacking order first.
  std::vector<platform::TopLevelWindow> Windows() const;

 private:
  struct Window {
    platform::WindowHandle handle;
    std::string title;
    bool visible;
    bool topmost;
  };

  platform::WindowHandle NewHandle() { return nextHandle_ += 0x10; }
  std::size_t IndexOf(platform::WindowHandle window) const;  // npos when absent
  std::size_t TopOfBand(bool topmost) const;
  void MoveTo(std::size_t from, std::size_t to);
  void ActivateTopVisible();

  std::vector<Window> windows_;  // top first; the desktop is last
  platform::WindowHandle active_ = 0;
  platform::WindowHandle nextHandle_ = 0x10000;
};

}  // namespace pelorin::sim
