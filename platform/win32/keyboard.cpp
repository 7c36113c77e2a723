// Ctrl+V for the foreground window, through the system's input queue.

#include <windows.h>

#include <iterator>
#include <vector>

#include "platform/win32/timing/timing.h"
#include "platform/win32/win32_platform.h"

namespace pelorin::platform::win32 {
namespace {

INPUT Key(WORD virtualKey, bool up) {
  INPUT input{};
  input.type = INPUT_KEYBOARD;
  input.ki.wVk = virtualKey;
  input.ki.wScan = static_cast<WORD>(::MapVirtualKeyW(virtualKey, MAPVK_VK_TO_VSC));
  input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
  switch (virtualKey) {
    case VK_RCONTROL:
    case VK_RMENU:
    case VK_LWIN:
    case VK_RWIN:
      input.ki.dwFlags |= KEYEVENTF_EXTENDEDKEY;
      break;
    default:
      break;
  }
  return input;
}

}  // namespace

unsigned Win32Platform::HeldModifiers(bool system) {
  unsigned held = 0;
  for (unsigned i = 0; i < std::size(kModifierKeys); ++i) {
    const SHORT state =
        system ? ::GetAsyncKeyState(kModifierKeys[i]) : ::GetKeyState(kModifierKeys[i]);
    if (state < 0) held |= 1u << i;
  }
  return held;
}

// The held modifiers are released first, so that the target sees Ctrl+V and
// not Ctrl+Shift+V. A key counts as held when the system says so now or when
// it was down at the key that started the paste (Shift+Enter): activating the
// target can make the system forget a key held meanwhile (wine re-reads the
// keyboard from X then), and releasing a key that is already up does no harm.
// SendInput sends fewer events when the target refuses input (an elevated
// window): that is reported, not ignored.
bool Win32Platform::SendPasteKeystroke() {
  const unsigned held = HeldModifiers(true) | modifiersAtKeyDown_;
  std::vector<INPUT> inputs;
  for (unsigned i = 0; i < std::size(kModifierKeys); ++i) {
    if (held & (1u << i)) inputs.push_back(Key(kModifierKeys[i], true));
  }
  inputs.push_back(Key(VK_CONTROL, false));
  inputs.push_back(Key('V', false));
  inputs.push_back(Key('V', true));
  inputs.push_back(Key(VK_CONTROL, true));
  const UINT count = static_cast<UINT>(inputs.size());
  const bool sent = ::SendInput(count, inputs.data(), sizeof(INPUT)) == count;
  timing::Stop("activation");
  timing::Stop("foreground");
  return sent;
}

}  // namespace pelorin::platform::win32
