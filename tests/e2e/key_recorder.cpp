#include "tests/e2e/key_recorder.h"

namespace pelorin::e2e {
namespace {

// A low-level hook has no context argument: one recorder at a time.
std::vector<KeyEvent> gEvents;

LRESULT CALLBACK Record(int code, WPARAM wParam, LPARAM lParam) {
  if (code == HC_ACTION) {
    const auto* key = reinterpret_cast<const KBDLLHOOKSTRUCT*>(lParam);
    // Only injected keys: wine also reports the keyboard state it takes over
    // from X when the focus moves, which nobody typed.
    if (key->flags & LLKHF_INJECTED) {
      gEvents.push_back({key->vkCode, wParam == WM_KEYUP || wParam == WM_SYSKEYUP});
    }
  }
  return ::CallNextHookEx(nullptr, code, wParam, lParam);
}

bool IsShift(DWORD key) { return key == VK_SHIFT || key == VK_LSHIFT || key == VK_RSHIFT; }
bool IsCtrl(DWORD key) { return key == VK_CONTROL || key == VK_LCONTROL || key == VK_RCONTROL; }

}  // namespace

KeyRecorder::KeyRecorder() {
  gEvents.clear();
  hook_ = ::SetWindowsHookExW(WH_KEYBOARD_LL, &Record, ::GetModuleHandleW(nullptr), 0);
}

KeyRecorder::~KeyRecorder() {
  if (hook_ != nullptr) ::UnhookWindowsHookEx(hook_);
}

const std::vector<KeyEvent>& KeyRecorder::Events() const { return gEvents; }

bool ShiftReleasedBeforeCtrlV(const std::vector<KeyEvent>& events) {
  size_t start = 0;
  for (size_t i = 0; i < events.size(); ++i) {
    if (events[i].virtualKey == VK_RETURN && events[i].up) start = i + 1;
  }
  bool shiftDown = true;  // the user holds Shift from Shift+Enter
  bool ctrlDown = false;
  for (size_t i = start; i < events.size(); ++i) {
    const KeyEvent& event = events[i];
    if (IsShift(event.virtualKey)) shiftDown = !event.up;
    if (IsCtrl(event.virtualKey)) {
      if (!event.up && shiftDown) return false;  // Ctrl+Shift
      ctrlDown = !event.up;
    }
    if (event.virtualKey == 'V' && !event.up) return ctrlDown && !shiftDown;
  }
  return false;
}

}  // namespace pelorin::e2e
