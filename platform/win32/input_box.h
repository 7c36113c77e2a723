#pragma once
// InputBox: a modal dialog of the program's own, with a prompt, a one-line
// edit holding the default text (selected), OK and Cancel, in the system's UI
// font, its top-left corner where the caller asks.

#include <windows.h>

#include <optional>
#include <string>

namespace pelorin::platform::win32 {

struct InputBoxRequest {
  std::wstring prompt;
  std::wstring caption;
  std::wstring defaultText;
  POINT topLeft{};  // screen pixels, outer corner
  UINT dpi = 96;
};

// The text entered, or nullopt for Cancel (the close box and Esc too).
std::optional<std::wstring> RunInputBox(HINSTANCE instance, HWND owner,
                                        const InputBoxRequest& request);

}  // namespace pelorin::platform::win32
