#include "tests/e2e/wine_scenario/injected_keys.h"

#include <algorithm>

namespace pelorin::wine_scenario {
namespace {

// A low-level hook has no context argument.
InjectedKeys* gActive = nullptr;

bool IsCtrl(DWORD key) { return key == VK_CONTROL || key == VK_LCONTROL || key == VK_RCONTROL; }
bool IsShift(DWORD key) { return key == VK_SHIFT || key == VK_LSHIFT || key == VK_RSHIFT; }

}  // namespace

InjectedKeys::InjectedKeys() {
  if (gActive != nullptr) return;
  hook_ = ::SetWindowsHookExW(WH_KEYBOARD_LL, &InjectedKeys::Hook, ::GetModuleHandleW(nullptr), 0);
  if (hook_ != nullptr) gActive = this;
}

InjectedKeys::~InjectedKeys() {
  if (hook_ == nullptr) return;
  ::UnhookWindowsHookEx(hook_);
  gActive = nullptr;
}

std::optional<InjectedKeys::VPress> InjectedKeys::TakeVPress(HWND window) {
  const auto found = std::find_if(presses_.begin(), presses_.end(), [window](const VPress& press) {
    return press.foreground == window;
  });
  if (found == presses_.end()) return std::nullopt;
  const VPress press = *found;
  presses_.erase(found);
  return press;
}

LRESULT CALLBACK InjectedKeys::Hook(int code, WPARAM wParam, LPARAM lParam) {
  const auto* key = reinterpret_cast<const KBDLLHOOKSTRUCT*>(lParam);
  if (code == HC_ACTION && gActive != nullptr && (key->flags & LLKHF_INJECTED) != 0) {
    const bool up = wParam == WM_KEYUP || wParam == WM_SYSKEYUP;
    if (IsCtrl(key->vkCode)) gActive->ctrl_ = !up;
    if (IsShift(key->vkCode)) gActive->shift_ = !up;
    if (key->vkCode == 'V' && !up) {
      gActive->presses_.push_back({::GetForegroundWindow(), gActive->ctrl_, gActive->shift_});
    }
  }
  return ::CallNextHookEx(nullptr, code, wParam, lParam);
}

}  // namespace pelorin::wine_scenario
