#pragma once
// The search window: a text field with the keyboard focus, the results below
// it (a list view that asks the source for each row it draws: the kaomoji,
// then its category), and the count lines under them. Up, Down, Page Up and
// Page Down in the text field move the selection in the results; Enter (with
// any modifiers) or a double click chooses; Esc or the close box cancel.
// Modal, centred over its owner.

#include <windows.h>

#include <optional>
#include <string>

#include "platform/platform.h"

namespace pelorin::platform::win32 {

struct SearchWindowRequest {
  std::wstring caption;
  SearchSource* source = nullptr;
  UINT dpi = 96;
};

std::optional<SearchChoice> RunSearchWindow(HINSTANCE instance, HWND owner,
                                            const SearchWindowRequest& request);

}  // namespace pelorin::platform::win32
