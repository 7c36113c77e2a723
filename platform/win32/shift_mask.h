#pragma once
// The modifiers of the key message being handled, as the program's events
// take them: 1 Shift, 2 Ctrl, 4 Alt.

#include <windows.h>

namespace pelorin::platform::win32 {

inline int ShiftMask() {
  int mask = 0;
  if (::GetKeyState(VK_SHIFT) < 0) mask |= 1;
  if (::GetKeyState(VK_CONTROL) < 0) mask |= 2;
  if (::GetKeyState(VK_MENU) < 0) mask |= 4;
  return mask;
}

}  // namespace pelorin::platform::win32
