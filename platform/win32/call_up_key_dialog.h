#pragma once
// The call-up key dialog: a prompt, the common controls' hot-key control
// (which takes only combinations with Ctrl or Alt), and OK, "none" and
// Cancel. Modal, centred over its owner.

#include <windows.h>

#include <functional>
#include <optional>
#include <string>

#include "platform/platform.h"

namespace pelorin::platform::win32 {

struct CallUpKeyDialogRequest {
  std::wstring caption;
  std::wstring prompt;
  std::wstring noneButton;
  std::optional<KeyCombination> current;
  UINT dpi = 96;
  // OK (with the key entered) and "none" (nullopt) ask it; true closes.
  std::function<bool(const std::optional<KeyCombination>&)> confirm;
};

void RunCallUpKeyDialog(HINSTANCE instance, HWND owner, const CallUpKeyDialogRequest& request);

}  // namespace pelorin::platform::win32
