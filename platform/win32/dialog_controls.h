#pragma once
// The control IDs of the program's own dialogs beyond the input box, which
// the Windows scenario runner finds them by.

namespace pelorin::platform::win32::controls {

// The call-up key dialog: the prompt, the hot-key control, the "none"
// button (OK and Cancel are IDOK and IDCANCEL).
inline constexpr int kCallUpKeyPrompt = 110;
inline constexpr int kCallUpKeyField = 111;
inline constexpr int kCallUpKeyNone = 112;

// The search window: the text field, the results (a list view), the lines
// under them.
inline constexpr int kSearchText = 120;
inline constexpr int kSearchResults = 121;
inline constexpr int kSearchStatus = 122;

}  // namespace pelorin::platform::win32::controls
