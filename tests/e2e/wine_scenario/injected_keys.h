#pragma once
// The keys that programs inject (SendInput), as a low-level keyboard hook
// sees them: for every V pressed, whether Ctrl and Shift were held by the
// injected keys then, and which window was in the foreground.
//
// Why not the receiving window's own key state: wine re-reads the keyboard
// from X when a window takes the X focus and sends key-ups for the keys X
// does not know to be down. When that lands between a program's Ctrl and its
// V, the window sees a bare "v" although Ctrl+V was sent. Those re-read keys
// are not injected, so the hook tells them apart.

#include <windows.h>

#include <deque>
#include <optional>

namespace pelorin::wine_scenario {

class InjectedKeys {
 public:
  struct VPress {
    HWND foreground = nullptr;
    bool ctrl = false;
    bool shift = false;
  };

  // Installs the hook; one at a time.
  InjectedKeys();
  ~InjectedKeys();
  InjectedKeys(const InjectedKeys&) = delete;
  InjectedKeys& operator=(const InjectedKeys&) = delete;

  bool Active() const { return hook_ != nullptr; }
  // The oldest V press made while `window` was in the foreground, taken off.
  std::optional<VPress> TakeVPress(HWND window);

 private:
  static LRESULT CALLBACK Hook(int code, WPARAM wParam, LPARAM lParam);

  HHOOK hook_ = nullptr;
  bool ctrl_ = false;
  bool shift_ = false;
  std::deque<VPress> presses_;
};

}  // namespace pelorin::wine_scenario
