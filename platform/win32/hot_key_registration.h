#pragma once
// One system-wide hot key of a window (RegisterHotKey ... UnregisterHotKey).

#include <windows.h>

#include <utility>

#include "platform/platform.h"

namespace pelorin::platform::win32 {

class HotKeyRegistration {
 public:
  HotKeyRegistration() = default;
  // Registers the key without auto-repeat; Registered() tells whether the
  // system took it (another program may hold it).
  HotKeyRegistration(HWND window, int id, const KeyCombination& key) : key_(key) {
    UINT modifiers = MOD_NOREPEAT;
    if (key.ctrl) modifiers |= MOD_CONTROL;
    if (key.alt) modifiers |= MOD_ALT;
    if (key.shift) modifiers |= MOD_SHIFT;
    if (::RegisterHotKey(window, id, modifiers, static_cast<UINT>(key.keyCode))) {
      window_ = window;
      id_ = id;
    }
  }
  ~HotKeyRegistration() { Release(); }
  HotKeyRegistration(const HotKeyRegistration&) = delete;
  HotKeyRegistration& operator=(const HotKeyRegistration&) = delete;
  HotKeyRegistration(HotKeyRegistration&& other) noexcept
      : window_(std::exchange(other.window_, nullptr)), id_(other.id_), key_(other.key_) {}
  HotKeyRegistration& operator=(HotKeyRegistration&& other) noexcept {
    if (this != &other) {
      Release();
      window_ = std::exchange(other.window_, nullptr);
      id_ = other.id_;
      key_ = other.key_;
    }
    return *this;
  }

  bool Registered() const { return window_ != nullptr; }
  int Id() const { return Registered() ? id_ : 0; }
  const KeyCombination& Key() const { return key_; }

 private:
  void Release() {
    if (window_ != nullptr) ::UnregisterHotKey(window_, id_);
    window_ = nullptr;
  }

  HWND window_ = nullptr;
  int id_ = 0;
  KeyCombination key_;
};

}  // namespace pelorin::platform::win32
