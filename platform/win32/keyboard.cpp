// Ctrl+V for the foreground window, through the system's input queue.

#include <windows.h>

#include <vector>

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

// Modifiers the user may still hold (Shift from Shift+Enter, Alt, the Windows
// keys), each side on its own so that a held right Shift is released too.
constexpr WORD kModifiers[] = {VK_LSHIFT, VK_RSHIFT, VK_LMENU, VK_RMENU, VK_LWIN, VK_RWIN};

}  // namespace

// The held modifiers are released first, so that the target sees Ctrl+V and
// not Ctrl+Shift+V. SendInput sends fewer events when the target refuses
// input (an elevated window): that is reported, not ignored.
bool Win32Platform::SendPasteKeystroke() {
  std::vector<INPUT> inputs;
  for (WORD modifier : kModifiers) {
    if (::GetAsyncKeyState(modifier) < 0) inputs.push_back(Key(modifier, true));
  }
  inputs.push_back(Key(VK_CONTROL, false));
  inputs.push_back(Key('V', false));
  inputs.push_back(Key('V', true));
  inputs.push_back(Key(VK_CONTROL, true));
  const UINT count = static_cast<UINT>(inputs.size());
  return ::SendInput(count, inputs.data(), sizeof(INPUT)) == count;
}

}  // namespace pelorin::platform::win32
